// QvxCmd.QVCmdCollection: the list of a script's command objects, its
// enumerator, and its use inside an aggregate.
#include <string>

#include "com_test_support.h"

namespace {

using tvx::com::Bstr;
using tvx::com::ComPtr;
using tvx::com::SameObject;
using tvx::com::Variant;

// A collection holding three commands, and the commands.
class CollectionTest : public ComTest {
protected:
    void SetUp() override
    {
        collection = NewCollection();
        ASSERT_TRUE(collection);
        for (const wchar_t* line : {L"RunProgram(a)", L"Delay(1,Seconds)", L"// c"}) {
            commands.push_back(NewCommand(line));
            ASSERT_TRUE(commands.back());
            ASSERT_EQ(S_OK, collection->Add(commands.back().Get()));
        }
    }

    ComPtr<IEnumVARIANT> Enumerator()
    {
        ComPtr<IUnknown> unknown;
        EXPECT_EQ(S_OK, collection->get__NewEnum(unknown.Receive()));
        ComPtr<IEnumVARIANT> enumerator;
        EXPECT_EQ(S_OK, enumerator.QueryFrom(unknown.Get()));
        return enumerator;
    }

    // The index in `commands` of what Next gives; -1 at the end.
    int NextIndex(IEnumVARIANT* enumerator, ULONG count = 1)
    {
        Variant item;
        ULONG fetched = 99;
        const HRESULT hr = enumerator->Next(count, item.Receive(), &fetched);
        if (hr == S_FALSE) {
            EXPECT_EQ(0u, fetched);
            EXPECT_EQ(VT_EMPTY, item.Type());
            return -1;
        }
        EXPECT_EQ(S_OK, hr);
        EXPECT_EQ(1u, fetched);
        EXPECT_EQ(VT_DISPATCH, item.Type());
        for (size_t i = 0; i < commands.size(); ++i) {
            if (item.Type() == VT_DISPATCH && SameObject(V_DISPATCH(&item.Get()), commands[i].Get()))
                return static_cast<int>(i);
        }
        ADD_FAILURE() << "Next gave an object that is not in the list";
        return -2;
    }

    ComPtr<IQVCmdCollection> collection;
    std::vector<ComPtr<IQVCommand>> commands;
};

TEST_F(CollectionTest, ItemFromZeroBelowTheCount)
{
    long count = 0;
    ASSERT_EQ(S_OK, collection->get_Count(&count));
    EXPECT_EQ(3, count);
    for (int index = 0; index < 3; ++index) {
        ComPtr<IQVCommand> item;
        ASSERT_EQ(S_OK, collection->Item(index, item.Receive()));
        EXPECT_TRUE(SameObject(item.Get(), commands[index].Get())) << index;
    }
    for (int index : {-1, 3, 1000}) {
        ComPtr<IQVCommand> item;
        EXPECT_EQ(E_INVALIDARG, collection->Item(index, item.Receive())) << index;
        EXPECT_FALSE(item) << index;
    }
}

TEST_F(CollectionTest, RemoveDropsTheEntryAndItsReference)
{
    IQVCommand* first = commands[0].Get();
    first->AddRef();
    const ULONG held = first->Release();
    EXPECT_EQ(E_INVALIDARG, collection->Remove(3));
    EXPECT_EQ(E_INVALIDARG, collection->Remove(-1));
    ASSERT_EQ(S_OK, collection->Remove(0));
    first->AddRef();
    EXPECT_EQ(held - 1, first->Release());
    long count = 0;
    collection->get_Count(&count);
    EXPECT_EQ(2, count);
    ComPtr<IQVCommand> item;
    ASSERT_EQ(S_OK, collection->Item(0, item.Receive()));
    EXPECT_TRUE(SameObject(item.Get(), commands[1].Get()));
}

TEST_F(CollectionTest, ReleasingTheCollectionReleasesEveryCommand)
{
    std::vector<ULONG> held;
    for (auto& command : commands) {
        command->AddRef();
        held.push_back(command->Release());
    }
    collection.Reset();
    for (size_t i = 0; i < commands.size(); ++i) {
        commands[i]->AddRef();
        EXPECT_EQ(held[i] - 1, commands[i]->Release()) << i;
    }
}

TEST_F(CollectionTest, NullArgumentsAreRefused)
{
    EXPECT_EQ(E_POINTER, collection->Add(nullptr));
    EXPECT_EQ(E_POINTER, collection->Item(0, nullptr));
    EXPECT_EQ(E_POINTER, collection->get_Count(nullptr));
    EXPECT_EQ(E_POINTER, collection->get__NewEnum(nullptr));
    ComPtr<IEnumVARIANT> enumerator = Enumerator();
    ASSERT_TRUE(enumerator);
    ULONG fetched = 7;
    EXPECT_EQ(E_POINTER, enumerator->Next(1, nullptr, &fetched));
    EXPECT_EQ(0u, fetched);
    long count = 0;
    collection->get_Count(&count);
    EXPECT_EQ(3, count);
}

TEST_F(CollectionTest, NextGivesOneEntryAtATimeThenEmptyAtTheEnd)
{
    ComPtr<IEnumVARIANT> enumerator = Enumerator();
    ASSERT_TRUE(enumerator);
    EXPECT_EQ(0, NextIndex(enumerator.Get()));
    EXPECT_EQ(1, NextIndex(enumerator.Get(), 0)) << "a count of 0 still gives one entry";
    EXPECT_EQ(2, NextIndex(enumerator.Get()));
    EXPECT_EQ(-1, NextIndex(enumerator.Get()));
    EXPECT_EQ(-1, NextIndex(enumerator.Get()));
}

TEST_F(CollectionTest, NextRefusesMoreThanOneEntry)
{
    ComPtr<IEnumVARIANT> enumerator = Enumerator();
    ASSERT_TRUE(enumerator);
    VARIANT items[2];
    ULONG fetched = 9;
    EXPECT_EQ(E_INVALIDARG, enumerator->Next(2, items, &fetched));
    EXPECT_EQ(0u, fetched);
    EXPECT_EQ(0, NextIndex(enumerator.Get())) << "the cursor did not move";
}

TEST_F(CollectionTest, SkipMovesOneEntryAndFailsOnReachingTheEnd)
{
    ComPtr<IEnumVARIANT> enumerator = Enumerator();
    ASSERT_TRUE(enumerator);
    EXPECT_EQ(S_OK, enumerator->Skip(100));
    EXPECT_EQ(1, NextIndex(enumerator.Get())) << "Skip moved one entry, not a hundred";
    EXPECT_EQ(E_INVALIDARG, enumerator->Skip(1));
    EXPECT_EQ(-1, NextIndex(enumerator.Get()));
    EXPECT_EQ(E_INVALIDARG, enumerator->Skip(1)) << "never past the end";
    EXPECT_EQ(S_OK, enumerator->Reset());
    EXPECT_EQ(0, NextIndex(enumerator.Get()));
}

TEST_F(CollectionTest, CloneIsNotOffered)
{
    ComPtr<IEnumVARIANT> enumerator = Enumerator();
    ASSERT_TRUE(enumerator);
    IEnumVARIANT* clone = reinterpret_cast<IEnumVARIANT*>(0x1);
    EXPECT_EQ(E_NOTIMPL, enumerator->Clone(&clone));
    EXPECT_EQ(nullptr, clone);
}

TEST_F(CollectionTest, RemoveAtZeroLeavesTheCursorOnWhatWasTheSecondEntry)
{
    ComPtr<IEnumVARIANT> enumerator = Enumerator();
    ASSERT_TRUE(enumerator);
    EXPECT_EQ(0, NextIndex(enumerator.Get()));
    ASSERT_EQ(S_OK, collection->Remove(0));
    EXPECT_EQ(1, NextIndex(enumerator.Get()));
}

TEST_F(CollectionTest, NewEnumRestartsTheOneCursorForEveryCaller)
{
    ComPtr<IEnumVARIANT> first = Enumerator();
    ASSERT_TRUE(first);
    EXPECT_EQ(0, NextIndex(first.Get()));
    EXPECT_EQ(1, NextIndex(first.Get()));
    ComPtr<IEnumVARIANT> second = Enumerator();
    ASSERT_TRUE(second);
    EXPECT_EQ(0, NextIndex(first.Get()));
    EXPECT_EQ(1, NextIndex(second.Get()));
}

TEST_F(CollectionTest, CountAndItemAreReachableLateBound)
{
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(S_OK, collection.As(dispatch));
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR count_name[] = {const_cast<LPOLESTR>(L"Count")};
    ASSERT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, count_name, 1, LOCALE_USER_DEFAULT, &id));
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    Variant count;
    ASSERT_EQ(S_OK, dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, count.Receive(),
                                     nullptr, nullptr));
    ASSERT_EQ(S_OK, count.ChangeType(VT_I4));
    EXPECT_EQ(3, V_I4(&count.Get()));

    Variant index(5L);
    DISPPARAMS one{index.Ptr(), nullptr, 1, 0};
    Variant item;
    LPOLESTR item_name[] = {const_cast<LPOLESTR>(L"Item")};
    ASSERT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, item_name, 1, LOCALE_USER_DEFAULT, &id));
    EXPECT_TRUE(FAILED(dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &one, item.Receive(),
                                        nullptr, nullptr)));
}

TEST_F(CollectionTest, NewEnumIsReachableAsScriptEnumeratorsAskForIt)
{
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(S_OK, collection.As(dispatch));
    for (WORD flags : {DISPATCH_METHOD, DISPATCH_PROPERTYGET, DISPATCH_METHOD | DISPATCH_PROPERTYGET}) {
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        Variant enumeration;
        ASSERT_EQ(S_OK, dispatch->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_NEUTRAL, flags, &none,
                                         enumeration.Receive(), nullptr, nullptr))
            << flags;
        ASSERT_TRUE(enumeration.Type() == VT_UNKNOWN || enumeration.Type() == VT_DISPATCH) << flags;
        ComPtr<IEnumVARIANT> enumerator;
        ASSERT_EQ(S_OK, enumerator.QueryFrom(V_UNKNOWN(&enumeration.Get()))) << flags;
        EXPECT_EQ(0, NextIndex(enumerator.Get())) << flags;
    }
}

// An outer object that makes a collection part of its own identity, as a
// task does with its command list.
class CScript : public tvx::com::ComClass<CScript>, public IPersist {
public:
    static tvx::com::InterfaceTable Interfaces()
    {
        static const tvx::com::InterfaceEntry entries[] = {
            Interface<IPersist>(),
            Aggregate<IQVCmdCollection, &CScript::m_commands>(),
            Aggregate<IEnumVARIANT, &CScript::m_commands>(),
        };
        return entries;
    }
    HRESULT FinalConstruct() { return CreateAggregate(CLSID_QVCmdCollection, m_commands); }
    void FinalRelease() { m_commands.Reset(); }

    STDMETHODIMP GetClassID(CLSID* id) override
    {
        if (id == nullptr)
            return E_POINTER;
        *id = CLSID_NULL;
        return S_OK;
    }

private:
    ComPtr<IUnknown> m_commands;
};

TEST_F(ComTest, AggregatedCollectionAnswersForItsOuterObject)
{
    ComPtr<IPersist> script;
    ASSERT_EQ(S_OK, tvx::com::ComObject<CScript>::Create(nullptr, IID_IPersist, script.ReceiveVoid()));
    ComPtr<IQVCmdCollection> collection;
    ASSERT_EQ(S_OK, script.As(collection));
    EXPECT_TRUE(SameObject(collection.Get(), script.Get()));
    ComPtr<IPersist> back;
    EXPECT_EQ(S_OK, collection.As(back)) << "the inner object's interfaces reach the outer one's";

    ComPtr<IQVCommand> command = NewCommand(L"RunProgram(x)");
    ASSERT_TRUE(command);
    ASSERT_EQ(S_OK, collection->Add(command.Get()));
    ComPtr<IUnknown> enumeration;
    ASSERT_EQ(S_OK, collection->get__NewEnum(enumeration.Receive()));
    EXPECT_TRUE(SameObject(enumeration.Get(), script.Get()));
    ComPtr<IEnumVARIANT> enumerator;
    ASSERT_EQ(S_OK, enumerator.QueryFrom(enumeration.Get()));
    Variant item;
    ASSERT_EQ(S_OK, enumerator->Next(1, item.Receive(), nullptr));
    EXPECT_TRUE(SameObject(V_DISPATCH(&item.Get()), command.Get()));

    // References taken through the inner interfaces count on the outer object.
    const ULONG outer_refs = script->AddRef();
    script->Release();
    EXPECT_EQ(outer_refs, collection->AddRef());
    collection->Release();

    // The whole object, the collection with it, ends when its last reference
    // goes, and the collection lets go of its commands.
    item.Clear();
    command->AddRef();
    const ULONG command_refs = command->Release();
    enumerator.Reset();
    enumeration.Reset();
    back.Reset();
    collection.Reset();
    script.Reset();
    command->AddRef();
    EXPECT_EQ(command_refs - 1, command->Release());
}

TEST_F(ComTest, CollectionJoinsAnAggregateOnlyThroughIUnknown)
{
    ComPtr<IQVCmdCollection> outer = NewCollection();
    ASSERT_TRUE(outer);
    ComPtr<IQVCmdCollection> inner;
    EXPECT_EQ(CLASS_E_NOAGGREGATION, ::CoCreateInstance(CLSID_QVCmdCollection, outer.Get(), CLSCTX_INPROC_SERVER,
                                                        IID_IQVCmdCollection, inner.ReceiveVoid()));
}

}  // namespace
