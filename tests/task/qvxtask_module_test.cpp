// What regsvr32 leaves in the registry for QvxTask.dll: each class of the
// server, and its type library.
#include <ostream>
#include <string>

#include "qvxtask_com_support.h"
#include "platform/com/registration.h"
#include "registry_reading.h"

namespace {

using tvx::com::GuidString;
using tvxtest::ClassesValue;

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

struct ClassCase {
    const char* label;
    const wchar_t* prog_id;
    const CLSID* clsid;
    const IID* iid;
};

void PrintTo(const ClassCase& c, std::ostream* os)
{
    *os << c.label;
}

// One row per class the server lists.
const ClassCase kClasses[] = {
    {"QVSchedTrigger", L"QvxTask.QVSchedTrigger", &CLSID_QVSchedTrigger, &IID_IQVSchedTrigger},
    {"QVCondTrigger", L"QvxTask.QVCondTrigger", &CLSID_QVCondTrigger, &IID_IQVCondTrigger},
    {"QVTask", L"QvxTask.QVTask", &CLSID_QVTask, &IID_IQVTask},
    {"QVTaskCollection", L"QvxTask.QVTaskCollection", &CLSID_QVTaskCollection, &IID_IQVTaskCollection},
};

class RegistrationTest : public QvxTaskComTest, public ::testing::WithParamInterface<ClassCase> {};

TEST_P(RegistrationTest, ProgIdLeadsToAnInProcessServerOfBothThreadingModels)
{
    CLSID clsid = CLSID_NULL;
    ASSERT_EQ(S_OK, ::CLSIDFromProgID(GetParam().prog_id, &clsid));
    EXPECT_TRUE(IsEqualCLSID(*GetParam().clsid, clsid));
    CLSID versioned = CLSID_NULL;
    ASSERT_EQ(S_OK, ::CLSIDFromProgID((std::wstring(GetParam().prog_id) + L".1").c_str(), &versioned));
    EXPECT_TRUE(IsEqualCLSID(*GetParam().clsid, versioned));

    const std::wstring key = L"CLSID\\" + GuidString(clsid);
    const std::wstring server = key + L"\\InprocServer32";
    EXPECT_EQ(L"Both", ClassesValue(server, L"ThreadingModel"));
    const std::wstring path = ClassesValue(server, nullptr);
    EXPECT_NE(std::wstring::npos, path.find(L"QvxTask.dll")) << Narrow(path);
    EXPECT_EQ(GuidString(LIBID_QvxTASKLib), ClassesValue(key + L"\\TypeLib", nullptr));
}

TEST_P(RegistrationTest, ProgIdCreatesTheClassWithItsInterface)
{
    CLSID clsid = CLSID_NULL;
    ASSERT_EQ(S_OK, ::CLSIDFromProgID(GetParam().prog_id, &clsid));
    tvx::com::ComPtr<IUnknown> object;
    ASSERT_EQ(S_OK, ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, *GetParam().iid, object.ReceiveVoid()));
    tvx::com::ComPtr<IDispatch> dispatch;
    EXPECT_EQ(S_OK, dispatch.QueryFrom(object.Get()));
}

INSTANTIATE_TEST_SUITE_P(Classes, RegistrationTest, ::testing::ValuesIn(kClasses),
                         [](const ::testing::TestParamInfo<ClassCase>& info) { return std::string(info.param.label); });

TEST_F(QvxTaskComTest, RegisteredTypeLibraryIsTheTaskLibrary)
{
    tvx::com::ComPtr<ITypeLib> library;
    ASSERT_EQ(S_OK, ::LoadRegTypeLib(LIBID_QvxTASKLib, 1, 0, LOCALE_NEUTRAL, library.Receive()));
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, library->GetLibAttr(&attributes));
    EXPECT_TRUE(IsEqualGUID(LIBID_QvxTASKLib, attributes->guid));
    library->ReleaseTLibAttr(attributes);
    for (const IID* iid : {&IID_IQVSchedTrigger, &DIID__IQVSchedTriggerEvents, &CLSID_QVSchedTrigger}) {
        tvx::com::ComPtr<ITypeInfo> info;
        EXPECT_EQ(S_OK, library->GetTypeInfoOfGuid(*iid, info.Receive())) << Narrow(GuidString(*iid));
    }
}

}  // namespace
