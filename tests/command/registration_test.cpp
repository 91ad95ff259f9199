// What regsvr32 leaves in the registry for QvxCmd.dll.
#include <string>

#include "com_test_support.h"

namespace {

std::wstring GuidText(REFGUID guid)
{
    wchar_t text[40] = {};
    ::StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring ReadClassesValue(const std::wstring& key, const wchar_t* name)
{
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof(value);
    if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return L"(missing)";
    return value;
}

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
    const std::wstring server = L"CLSID\\" + GuidText(clsid) + L"\\InprocServer32";
    EXPECT_EQ(L"Both", ReadClassesValue(server, L"ThreadingModel"));
    const std::wstring path = ReadClassesValue(server, nullptr);
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
