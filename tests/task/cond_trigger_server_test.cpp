// QvxTask.QVCondTrigger as the registered QvxTask server serves it: found by
// its ProgID, usable through its dual interface and by name, and
// aggregatable by an outer object as a task aggregates it.
#include <gtest/gtest.h>

#include <string>

#include "platform/com/com.h"
#include "qvxcmd.h"
#include "qvxtask.h"

namespace {

using tvx::com::Bstr;
using tvx::com::ComPtr;

class CondTriggerServerTest : public ::testing::Test {
protected:
    tvx::com::CoInit m_com{COINIT_APARTMENTTHREADED};
};

TEST_F(CondTriggerServerTest, CreatedByProgIdWorksByVtableAndByName)
{
    CLSID clsid = CLSID_NULL;
    ASSERT_EQ(S_OK, CLSIDFromProgID(L"QvxTask.QVCondTrigger", &clsid));
    EXPECT_TRUE(IsEqualCLSID(CLSID_QVCondTrigger, clsid));
    ComPtr<IQVCondTrigger> trigger;
    ASSERT_EQ(S_OK, trigger.CreateInstance(clsid, CLSCTX_INPROC_SERVER));
    ASSERT_EQ(S_OK, trigger->put_Enabled(1));
    ASSERT_EQ(S_OK, trigger->put_CondType(4));

    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(S_OK, trigger.As(dispatch));
    LPOLESTR name = const_cast<LPOLESTR>(L"GetConditionString");
    DISPID id = 0;
    ASSERT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id));
    tvx::com::Variant result;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    ASSERT_EQ(S_OK,
              dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, result.Receive(), nullptr,
                               nullptr));
    ASSERT_EQ(VT_BSTR, result.Type());
    EXPECT_EQ(std::wstring(L"File Does Not Exist"), V_BSTR(&result.Get()));

    ComPtr<IQVCmdCollection> commands;
    ASSERT_EQ(S_OK, trigger.As(commands));
    long count = -1;
    EXPECT_EQ(S_OK, commands->get_Count(&count));
    EXPECT_EQ(0, count);
}

// An outer object (as a task) holding the trigger as an aggregated part.
class COuter : public tvx::com::ComClass<COuter>, public IPersist {
public:
    static tvx::com::InterfaceTable Interfaces()
    {
        static const tvx::com::InterfaceEntry entries[] = {
            Interface<IPersist>(),
            Aggregate<IQVCondTrigger, &COuter::m_trigger>(),
        };
        return entries;
    }
    HRESULT FinalConstruct() { return CreateAggregate(CLSID_QVCondTrigger, m_trigger); }
    void FinalRelease() { m_trigger.Reset(); }
    STDMETHODIMP GetClassID(CLSID* id) override
    {
        *id = CLSID_NULL;
        return S_OK;
    }

private:
    ComPtr<IUnknown> m_trigger;
};

TEST_F(CondTriggerServerTest, AggregatedByAnOuterObject)
{
    ComPtr<IPersist> outer;
    ASSERT_EQ(S_OK, tvx::com::ComObject<COuter>::Create(nullptr, IID_IPersist, outer.ReceiveVoid()));
    ComPtr<IQVCondTrigger> trigger;
    ASSERT_EQ(S_OK, outer.As(trigger));
    EXPECT_TRUE(tvx::com::SameObject(outer.Get(), trigger.Get()));
    Bstr name(L"notepad.exe");
    ASSERT_EQ(S_OK, trigger->put_CondName(name.Get()));
    Bstr read;
    ASSERT_EQ(S_OK, trigger->get_CondName(read.Receive()));
    EXPECT_EQ(name, read);
}

}  // namespace
