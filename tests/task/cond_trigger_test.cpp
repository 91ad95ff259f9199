// QvxTask.QVCondTrigger as an object: its properties, what reads run the
// test and what reads do not, its own command collection, its life inside an
// aggregate and its dispatch interface.
#include <string>

#include "task/cond_trigger.h"
#include "tests/task/condition_test_support.h"

namespace {

using namespace condtest;
using tvx::com::Bstr;
using tvx::com::ComPtr;

std::string Text(IQVCondTrigger* trigger, HRESULT (STDMETHODCALLTYPE IQVCondTrigger::*get)(BSTR*))
{
    Bstr text;
    EXPECT_EQ(S_OK, (trigger->*get)(text.Receive()));
    return Narrow(text.c_str());
}

TEST_F(CondTriggerTest, LongPropertiesReadBackWhatWasWritten)
{
    using Get = HRESULT (STDMETHODCALLTYPE IQVCondTrigger::*)(long*);
    using Put = HRESULT (STDMETHODCALLTYPE IQVCondTrigger::*)(long);
    const struct {
        const char* name;
        Get get;
        Put put;
    } properties[] = {
        {"Enabled", &IQVCondTrigger::get_Enabled, &IQVCondTrigger::put_Enabled},
        {"HasToggled", &IQVCondTrigger::get_HasToggled, &IQVCondTrigger::put_HasToggled},
        {"AutoReset", &IQVCondTrigger::get_AutoReset, &IQVCondTrigger::put_AutoReset},
        {"Active", &IQVCondTrigger::get_Active, &IQVCondTrigger::put_Active},
    };
    for (const auto& p : properties) {
        for (long value : {1L, 0L, 7L}) {
            ASSERT_EQ(S_OK, (trigger.Get()->*p.put)(value)) << p.name;
            long read = -1;
            ASSERT_EQ(S_OK, (trigger.Get()->*p.get)(&read)) << p.name;
            EXPECT_EQ(value, read) << p.name;
        }
    }
}

TEST_F(CondTriggerTest, ShortPropertiesReadBackWhatWasWritten)
{
    using Get = HRESULT (STDMETHODCALLTYPE IQVCondTrigger::*)(short*);
    using Put = HRESULT (STDMETHODCALLTYPE IQVCondTrigger::*)(short);
    const struct {
        const char* name;
        Get get;
        Put put;
    } properties[] = {
        {"Action", &IQVCondTrigger::get_Action, &IQVCondTrigger::put_Action},
        {"Frequency", &IQVCondTrigger::get_Frequency, &IQVCondTrigger::put_Frequency},
        {"CondType", &IQVCondTrigger::get_CondType, &IQVCondTrigger::put_CondType},
    };
    for (const auto& p : properties) {
        for (short value : {short(0), short(11), short(-1)}) {
            ASSERT_EQ(S_OK, (trigger.Get()->*p.put)(value)) << p.name;
            short read = 99;
            ASSERT_EQ(S_OK, (trigger.Get()->*p.get)(&read)) << p.name;
            EXPECT_EQ(value, read) << p.name;
        }
    }
}

TEST_F(CondTriggerTest, DefaultsOfANewTrigger)
{
    long enabled = -1, toggled = -1, autoReset = -1, active = -1;
    short action = -1, frequency = -1, condType = -1;
    EXPECT_EQ(S_OK, trigger->get_Enabled(&enabled));
    EXPECT_EQ(S_OK, trigger->get_HasToggled(&toggled));
    EXPECT_EQ(S_OK, trigger->get_AutoReset(&autoReset));
    EXPECT_EQ(S_OK, trigger->get_Active(&active));
    EXPECT_EQ(S_OK, trigger->get_Action(&action));
    EXPECT_EQ(S_OK, trigger->get_Frequency(&frequency));
    EXPECT_EQ(S_OK, trigger->get_CondType(&condType));
    EXPECT_EQ(0, enabled);
    EXPECT_EQ(1, toggled);
    EXPECT_EQ(0, autoReset);
    EXPECT_EQ(0, active);
    EXPECT_EQ(1, action);
    EXPECT_EQ(0, frequency);
    EXPECT_EQ(0, condType);
    EXPECT_EQ("", Text(trigger.Get(), &IQVCondTrigger::get_CondName));
    EXPECT_EQ("Not Active", Text(trigger.Get(), &IQVCondTrigger::get_CondString));
}

TEST_F(CondTriggerTest, CondNameReadsBackWhatWasWritten)
{
    for (const wchar_t* name : {L"C:\\in\\*.csv", L"Notepad - *", L"", L"svc,topic,item"}) {
        Bstr text(name);
        ASSERT_EQ(S_OK, trigger->put_CondName(text.Get()));
        EXPECT_EQ(Narrow(name), Text(trigger.Get(), &IQVCondTrigger::get_CondName));
    }
    ASSERT_EQ(S_OK, trigger->put_CondName(nullptr));
    EXPECT_EQ("", Text(trigger.Get(), &IQVCondTrigger::get_CondName));
}

TEST_F(CondTriggerTest, CondStringReadsTheTypeNameNotTheWrittenText)
{
    ASSERT_EQ(S_OK, trigger->put_Enabled(1));
    ASSERT_EQ(S_OK, trigger->put_CondType(5));
    Bstr written(L"anything at all");
    ASSERT_EQ(S_OK, trigger->put_CondString(written.Get()));
    EXPECT_EQ("File Exists", Text(trigger.Get(), &IQVCondTrigger::get_CondString));
    EXPECT_EQ("File Exists", Text(trigger.Get(), &IQVCondTrigger::GetConditionString));
    ASSERT_EQ(S_OK, trigger->put_Enabled(0));
    EXPECT_EQ("Not Active", Text(trigger.Get(), &IQVCondTrigger::get_CondString));
}

TEST_F(CondTriggerTest, LastActiveStringFollowsTheLastResult)
{
    const struct {
        long enabled;
        long active;
        const char* text;
    } cases[] = {{1, 1, "True"}, {1, 0, "False"}, {0, 1, ""}, {0, 0, ""}};
    for (const auto& c : cases) {
        ASSERT_EQ(S_OK, trigger->put_Enabled(c.enabled));
        ASSERT_EQ(S_OK, trigger->put_Active(c.active));
        EXPECT_EQ(c.text, Text(trigger.Get(), &IQVCondTrigger::GetLastActiveString));
    }
}

// Active and IsActive's put only store; IsActive's get runs the test.
TEST_F(CondTriggerTest, OnlyReadingIsActiveRunsTheTest)
{
    ScratchFolder folder;
    const std::string path = folder / "a.dat";
    WriteFile(path, "here");
    Arm(trigger.Get(), 5, path);

    long active = -1;
    ASSERT_EQ(S_OK, trigger->get_Active(&active));
    EXPECT_EQ(0, active) << "reading Active ran the test";
    ASSERT_EQ(S_OK, trigger->get_IsActive(&active));
    EXPECT_EQ(1, active);
    ASSERT_EQ(S_OK, trigger->get_Active(&active));
    EXPECT_EQ(1, active);

    // A stored last result decides whether the next result is a toggle.
    ASSERT_EQ(S_OK, trigger->put_HasToggled(0));
    ASSERT_EQ(S_OK, trigger->put_IsActive(0));
    ASSERT_EQ(S_OK, trigger->get_Active(&active));
    EXPECT_EQ(0, active);
    long toggled = -1;
    ASSERT_EQ(S_OK, trigger->get_IsActive(&active));
    ASSERT_EQ(S_OK, trigger->get_HasToggled(&toggled));
    EXPECT_EQ(1, toggled);
    ASSERT_EQ(S_OK, trigger->put_HasToggled(0));
    ASSERT_EQ(S_OK, trigger->get_IsActive(&active));
    ASSERT_EQ(S_OK, trigger->get_HasToggled(&toggled));
    EXPECT_EQ(0, toggled);
}

TEST_F(CondTriggerTest, MembersWithoutEffect)
{
    EXPECT_EQ(S_OK, trigger->ConditionIsMet());
    Bstr text(L"ignored");
    EXPECT_EQ(S_OK, trigger->put_LastErrorString(text.Get()));
    EXPECT_EQ("", Text(trigger.Get(), &IQVCondTrigger::get_LastErrorString));
}

TEST_F(CondTriggerTest, NullOutPointersAreRefused)
{
    EXPECT_EQ(E_POINTER, trigger->get_Enabled(nullptr));
    EXPECT_EQ(E_POINTER, trigger->get_Action(nullptr));
    EXPECT_EQ(E_POINTER, trigger->get_IsActive(nullptr));
    EXPECT_EQ(E_POINTER, trigger->get_CondType(nullptr));
    EXPECT_EQ(E_POINTER, trigger->get_CondName(nullptr));
    EXPECT_EQ(E_POINTER, trigger->get_CondString(nullptr));
    EXPECT_EQ(E_POINTER, trigger->GetConditionString(nullptr));
    EXPECT_EQ(E_POINTER, trigger->GetLastActiveString(nullptr));
    EXPECT_EQ(E_POINTER, trigger->get_LastErrorString(nullptr));
}

TEST_F(CondTriggerTest, ErrorInfoAndEventsAreOffered)
{
    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(S_OK, trigger.As(support));
    EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(IID_IQVCondTrigger));
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(S_OK, trigger.As(container));
    ComPtr<IConnectionPoint> point;
    EXPECT_EQ(S_OK, container->FindConnectionPoint(DIID__IQVCondTriggerEvents, point.Receive()));
}

// The trigger carries a command collection of its own, answered through the
// trigger's identity, enumerator included.
TEST_F(CondTriggerTest, OwnCommandCollectionIsPartOfTheObject)
{
    ComPtr<IQVCmdCollection> commands;
    ASSERT_EQ(S_OK, trigger.As(commands));
    EXPECT_TRUE(tvx::com::SameObject(commands.Get(), trigger.Get()));
    long count = -1;
    ASSERT_EQ(S_OK, commands->get_Count(&count));
    EXPECT_EQ(0, count);

    ComPtr<IQVCommand> command;
    ASSERT_EQ(S_OK, command.CreateInstance(CLSID_QVCommand, CLSCTX_INPROC_SERVER));
    ASSERT_EQ(S_OK, commands->Add(command.Get()));
    ASSERT_EQ(S_OK, commands->get_Count(&count));
    EXPECT_EQ(1, count);

    ComPtr<IUnknown> unknown;
    ASSERT_EQ(S_OK, commands->get__NewEnum(unknown.Receive()));
    ComPtr<IEnumVARIANT> enumerator;
    ASSERT_EQ(S_OK, enumerator.QueryFrom(unknown.Get()));
    tvx::com::Variant item;
    ULONG fetched = 0;
    EXPECT_EQ(S_OK, enumerator->Next(1, item.Receive(), &fetched));
    EXPECT_EQ(1u, fetched);
}

// The object goes with its last reference: the collection's interface that it
// keeps does not hold it, and the commands in the collection are let go.
TEST_F(CondTriggerTest, LastReleaseFreesTheTriggerAndItsCommands)
{
    const LONG before = tvx::com::Module::Current().LockCount();
    ComPtr<IQVCommand> command;
    {
        ComPtr<IQVCondTrigger> other = NewCondTrigger();
        ASSERT_TRUE(other);
        EXPECT_EQ(before + 1, tvx::com::Module::Current().LockCount());
        ComPtr<IQVCmdCollection> commands;
        ASSERT_EQ(S_OK, other.As(commands));
        ASSERT_EQ(S_OK, command.CreateInstance(CLSID_QVCommand, CLSCTX_INPROC_SERVER));
        ASSERT_EQ(S_OK, commands->Add(command.Get()));
    }
    EXPECT_EQ(before, tvx::com::Module::Current().LockCount());
    // Only this test's reference is left.
    command->AddRef();
    EXPECT_EQ(1u, command->Release());
}

// An outer object (as a task) that aggregates the trigger.
class COuterOfTrigger : public tvx::com::ComClass<COuterOfTrigger>, public IPersist {
public:
    static tvx::com::InterfaceTable Interfaces()
    {
        static const tvx::com::InterfaceEntry entries[] = {
            Interface<IPersist>(),
            Aggregate<IQVCondTrigger, &COuterOfTrigger::m_trigger>(),
            Aggregate<IDispatch, &COuterOfTrigger::m_trigger>(),
        };
        return entries;
    }
    HRESULT FinalConstruct() { return CreateAggregate<CQVCondTrigger>(m_trigger); }
    void FinalRelease() { m_trigger.Reset(); }
    STDMETHODIMP GetClassID(CLSID* id) override
    {
        *id = CLSID_NULL;
        return S_OK;
    }

private:
    tvx::com::ComPtr<IUnknown> m_trigger;
};

TEST_F(CondTriggerTest, AggregatedTriggerSharesTheOuterIdentityAndLife)
{
    const LONG before = tvx::com::Module::Current().LockCount();
    {
        ComPtr<IPersist> outer;
        ASSERT_EQ(S_OK, tvx::com::ComObject<COuterOfTrigger>::Create(nullptr, IID_IPersist, outer.ReceiveVoid()));
        ComPtr<IQVCondTrigger> inner;
        ASSERT_EQ(S_OK, outer.As(inner));
        EXPECT_TRUE(tvx::com::SameObject(outer.Get(), inner.Get()));
        ComPtr<IPersist> back;
        EXPECT_EQ(S_OK, inner.As(back));
        ASSERT_EQ(S_OK, inner->put_CondType(11));
        short condType = 0;
        ASSERT_EQ(S_OK, inner->get_CondType(&condType));
        EXPECT_EQ(11, condType);
        EXPECT_EQ(before + 2, tvx::com::Module::Current().LockCount());
    }
    EXPECT_EQ(before, tvx::com::Module::Current().LockCount());
}

// A script reaches the members by name through the type library.
TEST_F(CondTriggerTest, MembersByNameThroughIDispatch)
{
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(S_OK, trigger.As(dispatch));
    const wchar_t* names[] = {L"CondName", L"CondType", L"GetConditionString"};
    DISPID ids[3] = {};
    for (int i = 0; i < 3; ++i) {
        LPOLESTR name = const_cast<LPOLESTR>(names[i]);
        ASSERT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &ids[i])) << i;
    }

    tvx::com::Variant type(static_cast<short>(10));
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS put = {type.Ptr(), &named, 1, 1};
    ASSERT_EQ(S_OK, dispatch->Invoke(ids[1], IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &put, nullptr,
                                     nullptr, nullptr));
    ASSERT_EQ(S_OK, trigger->put_Enabled(1));
    tvx::com::Variant result;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    ASSERT_EQ(S_OK, dispatch->Invoke(ids[2], IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                                     result.Receive(), nullptr, nullptr));
    ASSERT_EQ(VT_BSTR, result.Type());
    EXPECT_EQ("Process Not Running", Narrow(V_BSTR(&result.Get())));
}

}  // namespace
