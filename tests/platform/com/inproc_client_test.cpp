// A client of the registered in-process sample server: activation by ProgID,
// calls through the vtable and by name through IDispatch, error info, both
// apartment models, and aggregation by an object of this program.
#include <gtest/gtest.h>

#include "platform/com/com.h"
#include "sample_inproc_idl.h"

namespace tvx::com::test {
namespace {

HRESULT CreateByProgId(const wchar_t* prog_id, ComPtr<ISampleCalc>& calc)
{
    CLSID clsid = GUID_NULL;
    HRESULT hr = CLSIDFromProgID(prog_id, &clsid);
    if (FAILED(hr))
        return hr;
    return calc.CreateInstance(clsid, CLSCTX_INPROC_SERVER);
}

class InprocClientTest : public ::testing::TestWithParam<DWORD> {
protected:
    CoInit com_{GetParam()};
};

TEST_P(InprocClientTest, BothProgIdsCreateTheClassCalledThroughTheVtable)
{
    for (const wchar_t* prog_id : {L"TvxSample.Calc", L"TvxSample.Calc.1"}) {
        ComPtr<ISampleCalc> calc;
        ASSERT_EQ(CreateByProgId(prog_id, calc), S_OK) << prog_id;
        long sum = 0;
        ASSERT_EQ(calc->Add(2, 40, &sum), S_OK);
        EXPECT_EQ(sum, 42);
        ASSERT_EQ(calc->put_Name(Bstr(L"weekly backup").Get()), S_OK);
        Bstr name;
        ASSERT_EQ(calc->get_Name(name.Receive()), S_OK);
        EXPECT_STREQ(name.c_str(), L"weekly backup");
    }
}

TEST_P(InprocClientTest, ObjectIsCreatedDirectlyInTheCallersApartment)
{
    // ThreadingModel "Both": no proxy in either apartment model.
    ComPtr<ISampleCalc> calc;
    ASSERT_EQ(CreateByProgId(L"TvxSample.Calc", calc), S_OK);
    ComPtr<IClientSecurity> proxy_only;
    EXPECT_EQ(calc.As(proxy_only), E_NOINTERFACE);
}

TEST_P(InprocClientTest, MembersAreCalledByNameThroughIDispatch)
{
    ComPtr<ISampleCalc> calc;
    ASSERT_EQ(CreateByProgId(L"TvxSample.Calc", calc), S_OK);
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(calc.As(dispatch), S_OK);

    LPOLESTR names[] = {const_cast<LPOLESTR>(L"Add"), const_cast<LPOLESTR>(L"Count")};
    DISPID ids[2] = {};
    ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, &names[0], 1, LOCALE_USER_DEFAULT, &ids[0]), S_OK);
    ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, &names[1], 1, LOCALE_USER_DEFAULT, &ids[1]), S_OK);

    VARIANT args[2];  // last argument first
    args[0] = Variant(5L).Get();
    args[1] = Variant(7L).Get();
    DISPPARAMS params = {args, nullptr, 2, 0};
    Variant sum;
    ASSERT_EQ(dispatch->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, sum.Receive(),
                               nullptr, nullptr),
              S_OK);
    EXPECT_EQ(V_I4(&sum.Get()), 12);

    DISPPARAMS none = {};
    Variant count;
    ASSERT_EQ(dispatch->Invoke(ids[1], IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, count.Receive(),
                               nullptr, nullptr),
              S_OK);
    EXPECT_EQ(V_I4(&count.Get()), 1);
}

TEST_P(InprocClientTest, ErrorDescriptionArrivesThroughVtableAndIDispatch)
{
    ComPtr<ISampleCalc> calc;
    ASSERT_EQ(CreateByProgId(L"TvxSample.Calc", calc), S_OK);
    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(calc.As(support), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_ISampleCalc), S_OK);

    EXPECT_EQ(calc->Fail(Bstr(L"No such task.").Get()), E_FAIL);
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.Receive()), S_OK);
    Bstr text;
    ASSERT_EQ(info->GetDescription(text.Receive()), S_OK);
    EXPECT_STREQ(text.c_str(), L"No such task.");

    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(calc.As(dispatch), S_OK);
    Variant arg(L"Disk full.");
    DISPPARAMS params = {const_cast<VARIANT*>(&arg.Get()), nullptr, 1, 0};
    EXCEPINFO excep = {};
    EXPECT_EQ(dispatch->Invoke(3, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, &excep, nullptr),
              DISP_E_EXCEPTION);
    EXPECT_STREQ(excep.bstrDescription, L"Disk full.");
    EXPECT_STREQ(excep.bstrSource, L"TvxSample.Calc");
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrHelpFile);
}

INSTANTIATE_TEST_SUITE_P(Apartments, InprocClientTest,
                         ::testing::Values(COINIT_APARTMENTTHREADED, COINIT_MULTITHREADED),
                         [](const ::testing::TestParamInfo<DWORD>& info) {
                             return info.param == COINIT_MULTITHREADED ? "Mta" : "Sta";
                         });

// An object of this program that aggregates the sample class of the DLL.
class CCalcHolder : public ComClass<CCalcHolder>, public IPersist {
public:
    static InterfaceTable Interfaces()
    {
        static const InterfaceEntry entries[] = {
            Interface<IPersist>(),
            Aggregate<ISampleCalc, &CCalcHolder::calc_>(),
        };
        return entries;
    }
    HRESULT FinalConstruct() { return CreateAggregate(CLSID_SampleCalc, calc_); }
    void FinalRelease() { calc_.Reset(); }

    STDMETHODIMP GetClassID(CLSID* clsid) override
    {
        if (!clsid)
            return E_POINTER;
        *clsid = CLSID_NULL;
        return S_OK;
    }

private:
    ComPtr<IUnknown> calc_;
};

TEST(InprocAggregation, ClassOfTheDllServesAsInnerObjectAndLetsTheDllUnload)
{
    CoInit com(COINIT_MULTITHREADED);
    ComPtr<IPersist> holder;
    ASSERT_EQ(ComObject<CCalcHolder>::Create(nullptr, IID_IPersist, holder.ReceiveVoid()), S_OK);
    ComPtr<ISampleCalc> calc;
    ASSERT_EQ(holder.As(calc), S_OK);
    ComPtr<IPersist> back;
    ASSERT_EQ(calc.As(back), S_OK);
    EXPECT_EQ(back.Get(), holder.Get());
    EXPECT_TRUE(SameObject(calc.Get(), holder.Get()));
    long sum = 0;
    ASSERT_EQ(calc->Add(1, 1, &sum), S_OK);
    EXPECT_EQ(sum, 2);
    // The inner object's IDispatch is not the outer object's to give.
    ComPtr<IDispatch> dispatch;
    EXPECT_EQ(holder.As(dispatch), E_NOINTERFACE);

    HMODULE dll = GetModuleHandleW(L"tvx_sample_inproc.dll");
    ASSERT_NE(dll, nullptr);
    auto can_unload = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
    ASSERT_NE(can_unload, nullptr);
    EXPECT_EQ(can_unload(), S_FALSE);
    back.Reset();
    calc.Reset();
    EXPECT_EQ(can_unload(), S_FALSE);  // the holder still keeps its inner object
    holder.Reset();
    EXPECT_EQ(can_unload(), S_OK);
}

}  // namespace

// Class objects kept for a module: objects are made without asking COM
// again, and the server stays loaded until they are let go.
TEST(KeptClassObjects, MakeObjectsAndKeepTheServerUntilCleared)
{
    CoInit com(COINIT_MULTITHREADED);
    KeptClassObjects kept;
    ComPtr<ISampleCalc> first;
    ComPtr<ISampleCalc> second;
    ASSERT_EQ(kept.CreateInstance(CLSID_SampleCalc, nullptr, IID_ISampleCalc, first.ReceiveVoid()), S_OK);
    ASSERT_EQ(kept.CreateInstance(CLSID_SampleCalc, nullptr, IID_ISampleCalc, second.ReceiveVoid()), S_OK);
    EXPECT_NE(first.Get(), second.Get());
    long sum = 0;
    ASSERT_EQ(second->Add(2, 3, &sum), S_OK);
    EXPECT_EQ(sum, 5);

    HMODULE dll = GetModuleHandleW(L"tvx_sample_inproc.dll");
    ASSERT_NE(dll, nullptr);
    auto can_unload = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
    ASSERT_NE(can_unload, nullptr);
    first.Reset();
    second.Reset();
    EXPECT_EQ(can_unload(), S_FALSE) << "the kept class object locks its server";
    kept.Clear();
    EXPECT_EQ(can_unload(), S_OK);

    // A class that can't be had is not kept: the next call asks again.
    const CLSID unknown = {0x6b29fc40, 0xca47, 0x1067, {0xb3, 0x1d, 0x00, 0xdd, 0x01, 0x06, 0x62, 0xda}};
    ComPtr<IUnknown> none;
    EXPECT_EQ(kept.CreateInstance(unknown, nullptr, IID_IUnknown, none.ReceiveVoid()), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(kept.CreateInstance(unknown, nullptr, IID_IUnknown, none.ReceiveVoid()), REGDB_E_CLASSNOTREG);
    EXPECT_FALSE(none);
    EXPECT_EQ(kept.CreateInstance(CLSID_SampleCalc, nullptr, IID_ISampleCalc, nullptr), E_POINTER);
}

}  // namespace tvx::com::test
