#include "platform/com/error_info.h"

#include <gtest/gtest.h>

#include "test_objects.h"

namespace tvx::com::test {
namespace {

class ErrorInfoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ComObject<CCounter>::Create(nullptr, __uuidof(ICounter), counter_.ReceiveVoid()), S_OK);
    }
    CoInit com_{COINIT_MULTITHREADED};
    ComPtr<ICounter> counter_;
};

TEST_F(ErrorInfoTest, ClassSupportsErrorInfoForItsListedInterfaceOnly)
{
    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(counter_.As(support), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(__uuidof(ICounter)), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(__uuidof(IOuterPart)), S_FALSE);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
}

TEST_F(ErrorInfoTest, FailureCarriesItsDescriptionToTheCaller)
{
    Bstr text(L"The task file can't be opened.");
    EXPECT_EQ(counter_->Fail(text.Get()), E_FAIL);
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.Receive()), S_OK);
    Bstr description;
    Bstr source;
    GUID guid = GUID_NULL;
    ASSERT_EQ(info->GetDescription(description.Receive()), S_OK);
    ASSERT_EQ(info->GetSource(source.Receive()), S_OK);
    ASSERT_EQ(info->GetGUID(&guid), S_OK);
    EXPECT_EQ(description, text);
    EXPECT_STREQ(source.c_str(), L"TvxComTest.Counter");
    EXPECT_TRUE(IsEqualGUID(guid, __uuidof(ICounter)));
    // Taken once: the thread's error is consumed by reading it.
    ComPtr<IErrorInfo> again;
    EXPECT_EQ(GetErrorInfo(0, again.Receive()), S_FALSE);
}

TEST_F(ErrorInfoTest, ReportErrorReturnsTheGivenResult)
{
    EXPECT_EQ(ReportError(E_INVALIDARG, __uuidof(ICounter), L"bad index"), E_INVALIDARG);
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.Receive()), S_OK);
    Bstr description;
    ASSERT_EQ(info->GetDescription(description.Receive()), S_OK);
    EXPECT_STREQ(description.c_str(), L"bad index");
}

TEST_F(ErrorInfoTest, LateBoundFailureArrivesAsExceptionWithTheDescription)
{
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(counter_.As(dispatch), S_OK);
    Variant arg(L"Printer on fire");
    DISPPARAMS params = {const_cast<VARIANT*>(&arg.Get()), nullptr, 1, 0};
    EXCEPINFO excep = {};
    Variant result;
    EXPECT_EQ(dispatch->Invoke(4, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.Receive(), &excep,
                               nullptr),
              DISP_E_EXCEPTION);
    EXPECT_EQ(excep.scode, E_FAIL);
    EXPECT_STREQ(excep.bstrDescription, L"Printer on fire");
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrHelpFile);
}

}  // namespace
}  // namespace tvx::com::test
