// What regsvr32 leaves in the registry for QvxCmd.dll.
#include <string>

#include "com_test_support.h"
#include "platform/com/registration.h"
#include "registry_reading.h"

namespace {

using tvx::com::GuidString;
using tvxtest::ClassesValue;

struct ClassCase {
    const wchar_t* prog_id;
    const CLSID* clsid;
};

class RegistrationTest : public ComTest, public ::testing::WithParamInterface<ClassCase> {};

TEST_P(RegistrationTest, ProgIdLeadsToAnInProcessServerOfBothThreadingModels)
{
    CLSID clsid = CLSID_NULL;
    ASSERT_EQ(S_OK, ::CLSIDFromProgID(GetParam().prog_id, &clsid));
    EXPECT_TRUE(IsEqualCLSID(*GetParam().clsid, clsid));
    const std::wstring server = L"CLSID\\" + GuidString(clsid) + L"\\InprocServer32";
    EXPECT_EQ(L"Both", ClassesValue(server, L"ThreadingModel"));
    const std::wstring path = ClassesValue(server, nullptr);
    EXPECT_NE(std::wstring::npos, path.find(L"QvxCmd.dll")) << std::string(path.begin(), path.end());
}

INSTANTIATE_TEST_SUITE_P(Classes, RegistrationTest,
                         ::testing::Values(ClassCase{L"QvxCmd.QVCommand", &CLSID_QVCommand},
                                           ClassCase{L"QvxCmd.QVCmdCollection", &CLSID_QVCmdCollection}),
                         [](const ::testing::TestParamInfo<ClassCase>& info) {
                             return info.index == 0 ? std::string("QVCommand") : std::string("QVCmdCollection");
                         });

TEST_F(ComTest, RegisteredTypeLibraryIsTheCommandLibrary)
{
    tvx::com::ComPtr<ITypeLib> library;
    ASSERT_EQ(S_OK, ::LoadRegTypeLib(LIBID_QvxCMDLib, 1, 0, LOCALE_NEUTRAL, library.Receive()));
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, library->GetLibAttr(&attributes));
    EXPECT_TRUE(IsEqualGUID(LIBID_QvxCMDLib, attributes->guid));
    library->ReleaseTLibAttr(attributes);
    tvx::com::ComPtr<ITypeInfo> events;
    EXPECT_EQ(S_OK, library->GetTypeInfoOfGuid(DIID__IQVCommandEvents, events.Receive()));
}

}  // namespace
