#include "platform/com/dual_interface.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "test_objects.h"

namespace tvx::com::test {
namespace {

class DualInterfaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ComObject<CCounter>::Create(nullptr, IID_IDispatch, dispatch_.ReceiveVoid()), S_OK);
    }

    DISPID IdOf(const wchar_t* name)
    {
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        DISPID id = DISPID_UNKNOWN;
        EXPECT_EQ(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << name;
        return id;
    }

    HRESULT Call(DISPID id, WORD flags, std::vector<Variant> args, Variant* result = nullptr,
                 EXCEPINFO* excep = nullptr)
    {
        std::vector<VARIANT> reversed;
        for (auto it = args.rbegin(); it != args.rend(); ++it)
            reversed.push_back(it->Get());
        DISPID put = DISPID_PROPERTYPUT;
        DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr,
                             static_cast<UINT>(reversed.size()), 0};
        if (flags & DISPATCH_PROPERTYPUT) {
            params.rgdispidNamedArgs = &put;
            params.cNamedArgs = 1;
        }
        Variant ignored;
        UINT arg_err = 0;
        return dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                 result ? result->Receive() : ignored.Receive(), excep, &arg_err);
    }

    CoInit com_{COINIT_MULTITHREADED};
    ComPtr<IDispatch> dispatch_;
};

TEST_F(DualInterfaceTest, NamesMapToTheDispatchIdsOfTheTypeLibrary)
{
    struct Case {
        const wchar_t* name;
        DISPID id;
    };
    const Case cases[] = {{L"Add", 1}, {L"Total", 2}, {L"label", 3}, {L"FAIL", 4}, {L"_NewEnum", DISPID_NEWENUM}};
    for (const Case& c : cases)
        EXPECT_EQ(IdOf(c.name), c.id);

    LPOLESTR names[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
    DISPID id = 0;
    EXPECT_EQ(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(dispatch_->GetIDsOfNames(IID_IDispatch, names, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNINTERFACE);
}

TEST_F(DualInterfaceTest, InvokeCallsMethodsAndProperties)
{
    ASSERT_EQ(Call(IdOf(L"Add"), DISPATCH_METHOD, {Variant(5L)}), S_OK);
    ASSERT_EQ(Call(IdOf(L"Add"), DISPATCH_METHOD, {Variant(L"2")}), S_OK);  // converted like any script value
    Variant total;
    ASSERT_EQ(Call(IdOf(L"Total"), DISPATCH_PROPERTYGET, {}, &total), S_OK);
    ASSERT_EQ(total.Type(), VT_I4);
    EXPECT_EQ(V_I4(&total.Get()), 7);

    ASSERT_EQ(Call(IdOf(L"Label"), DISPATCH_PROPERTYPUT, {Variant(L"night run")}), S_OK);
    Variant label;
    ASSERT_EQ(Call(IdOf(L"Label"), DISPATCH_PROPERTYGET, {}, &label), S_OK);
    ASSERT_EQ(label.Type(), VT_BSTR);
    EXPECT_STREQ(V_BSTR(&label.Get()), L"night run");
}

TEST_F(DualInterfaceTest, InvokeRejectsWhatTheInterfaceDoesNotDeclare)
{
    EXPECT_EQ(Call(IdOf(L"Add"), DISPATCH_METHOD, {}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(IdOf(L"Add"), DISPATCH_METHOD, {Variant(L"not a number")}), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Call(999, DISPATCH_METHOD, {}), DISP_E_MEMBERNOTFOUND);
    DISPPARAMS none = {};
    EXPECT_EQ(dispatch_->Invoke(1, IID_IDispatch, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, nullptr,
                                nullptr),
              DISP_E_UNKNOWNINTERFACE);
}

TEST_F(DualInterfaceTest, TypeInfoDescribesTheDualInterface)
{
    UINT count = 0;
    ASSERT_EQ(dispatch_->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(dispatch_->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Receive()), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_TRUE(IsEqualIID(attr->guid, __uuidof(ICounter)));
    EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FDUAL);
    info->ReleaseTypeAttr(attr);

    ComPtr<ITypeLib> lib;
    UINT index = 0;
    ASSERT_EQ(info->GetContainingTypeLib(lib.Receive(), &index), S_OK);
    TLIBATTR* lib_attr = nullptr;
    ASSERT_EQ(lib->GetLibAttr(&lib_attr), S_OK);
    EXPECT_TRUE(IsEqualGUID(lib_attr->guid, LIBID_TvxComTestLib));
    lib->ReleaseTLibAttr(lib_attr);

    ComPtr<ITypeInfo> none;
    EXPECT_EQ(dispatch_->GetTypeInfo(1, LOCALE_USER_DEFAULT, none.Receive()), DISP_E_BADINDEX);
}

TEST_F(DualInterfaceTest, TypeInfoIsLoadedOncePerModuleForAllThreads)
{
    constexpr int kThreads = 6;
    ITypeInfo* seen[kThreads] = {};
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back([slot = &seen[i]] {
            CoInit com(COINIT_MULTITHREADED);
            DispatchGetTypeInfo(__uuidof(ICounter), 0, slot);
        });
    }
    for (std::thread& t : threads)
        t.join();
    ComPtr<ITypeInfo> mine;
    ASSERT_EQ(dispatch_->GetTypeInfo(0, LOCALE_USER_DEFAULT, mine.Receive()), S_OK);
    for (int i = 0; i < kThreads; ++i) {
        EXPECT_EQ(seen[i], mine.Get());
        if (seen[i])
            seen[i]->Release();
    }
}

TEST_F(DualInterfaceTest, PropertyCalledAsAMethodIsRead)
{
    ASSERT_EQ(Call(IdOf(L"Add"), DISPATCH_METHOD, {Variant(3L)}), S_OK);
    Variant total;
    ASSERT_EQ(Call(IdOf(L"Total"), DISPATCH_METHOD, {}, &total), S_OK);
    EXPECT_EQ(V_I4(&total.Get()), 3);
    // A method is no property: a put is still refused.
    EXPECT_EQ(Call(IdOf(L"Add"), DISPATCH_PROPERTYPUT, {Variant(1L)}), DISP_E_MEMBERNOTFOUND);
}

TEST_F(DualInterfaceTest, NewEnumEnumeratesThroughDispatch)
{
    ASSERT_EQ(Call(IdOf(L"Add"), DISPATCH_METHOD, {Variant(1L)}), S_OK);
    ASSERT_EQ(Call(IdOf(L"Add"), DISPATCH_METHOD, {Variant(10L)}), S_OK);
    Variant items;
    // As script engines ask for it: as a method.
    ASSERT_EQ(Call(DISPID_NEWENUM, DISPATCH_METHOD, {}, &items), S_OK);
    ASSERT_EQ(items.Type(), VT_UNKNOWN);
    ComPtr<IEnumVARIANT> e;
    ASSERT_EQ(e.QueryFrom(V_UNKNOWN(&items.Get())), S_OK);
    VARIANT got[3];
    ULONG fetched = 0;
    EXPECT_EQ(e->Next(3, got, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(V_I4(&got[0]), 1);
    EXPECT_EQ(V_I4(&got[1]), 11);
}

}  // namespace
}  // namespace tvx::com::test
