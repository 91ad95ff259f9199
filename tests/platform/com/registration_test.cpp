#include "platform/com/registration.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/com/class_factory.h"
#include "registry_reading.h"
#include "test_objects.h"

namespace tvx::com::test {
namespace {

using tvxtest::ClassesKeyExists;
using tvxtest::ClassesValue;
using tvxtest::ExpectClassesValues;
using tvxtest::kNoValue;

// GUIDs of this test only, so that it can write and remove them freely.
const CLSID kThing = {0x46cd3e60, 0x95ce, 0x408f, {0x82, 0xcb, 0x77, 0xda, 0x45, 0x20, 0x6a, 0xe9}};
const CLSID kOtherThing = {0x6189da3c, 0x6ca6, 0x40a3, {0xbd, 0x5e, 0x72, 0x9f, 0x8c, 0x3a, 0x31, 0xe8}};
const GUID kAppId = {0xbcc5e81e, 0xe6d8, 0x4595, {0xaa, 0x19, 0x81, 0x35, 0x79, 0xb7, 0x01, 0x19}};
const GUID kLibId = {0xef5961db, 0xbc15, 0x426f, {0xad, 0xf7, 0x1a, 0x24, 0x14, 0x05, 0x9d, 0xbf}};

const ClassEntry kThingClass[] = {
    {&kThing, &ClassFactory<CCounter>::Create, L"Thing Class", L"TvxComTest.Thing.1", L"TvxComTest.Thing"},
};
const ClassEntry kOtherThingClass[] = {
    {&kOtherThing, &ClassFactory<CCounter>::Create, L"Other Thing", L"TvxComTest.Thing.1", nullptr},
};
const AppIdRegistration kServiceApp = {&kAppId, L"TvxTestServer", L"TvxTestServer.EXE", L"TvxTestService",
                                       L"-Service"};
const AppIdRegistration kProcessApp = {&kAppId, L"TvxTestServer", L"TvxTestServer.EXE"};

const wchar_t kExePath[] = L"C:\\Program Files\\Tvx Test\\server.exe";

class RegistrationTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        UnregisterClasses(kThingClass);
        UnregisterClasses(kOtherThingClass);
        UnregisterAppId(kServiceApp);
    }

    const std::wstring clsid_ = L"CLSID\\" + GuidString(kThing);
    const std::wstring app_ = L"AppID\\" + GuidString(kAppId);
};

TEST_F(RegistrationTest, LocalServerClassWritesClassProgIdsAndAppIdAndUnregisterRemovesThem)
{
    ASSERT_EQ(RegisterAppId(kServiceApp), S_OK);
    ASSERT_EQ(RegisterClasses(kThingClass, ServerKind::LocalServer, kExePath, &kAppId, &kLibId), S_OK);

    ExpectClassesValues({
        {clsid_, nullptr, L"Thing Class"},
        {clsid_ + L"\\ProgID", nullptr, L"TvxComTest.Thing.1"},
        {clsid_ + L"\\VersionIndependentProgID", nullptr, L"TvxComTest.Thing"},
        {clsid_ + L"\\LocalServer32", nullptr, L"\"C:\\Program Files\\Tvx Test\\server.exe\""},
        {clsid_, L"AppID", GuidString(kAppId)},
        {clsid_ + L"\\TypeLib", nullptr, GuidString(kLibId)},
        {L"TvxComTest.Thing.1", nullptr, L"Thing Class"},
        {L"TvxComTest.Thing.1\\CLSID", nullptr, GuidString(kThing)},
        {L"TvxComTest.Thing", nullptr, L"Thing Class"},
        {L"TvxComTest.Thing\\CLSID", nullptr, GuidString(kThing)},
        {L"TvxComTest.Thing\\CurVer", nullptr, L"TvxComTest.Thing.1"},
        {app_, nullptr, L"TvxTestServer"},
        {app_, L"LocalService", L"TvxTestService"},
        {app_, L"ServiceParameters", L"-Service"},
        {L"AppID\\TvxTestServer.EXE", L"AppID", GuidString(kAppId)},
    });
    EXPECT_TRUE(ClassesKeyExists(clsid_ + L"\\Programmable"));
    EXPECT_FALSE(ClassesKeyExists(clsid_ + L"\\InprocServer32"));

    CLSID by_prog_id = GUID_NULL;
    ASSERT_EQ(CLSIDFromProgID(L"TvxComTest.Thing", &by_prog_id), S_OK);
    EXPECT_TRUE(IsEqualCLSID(by_prog_id, kThing));

    ASSERT_EQ(UnregisterClasses(kThingClass), S_OK);
    ASSERT_EQ(UnregisterAppId(kServiceApp), S_OK);
    const wchar_t* removed[] = {L"TvxComTest.Thing.1", L"TvxComTest.Thing", L"AppID\\TvxTestServer.EXE"};
    for (const wchar_t* key : removed)
        EXPECT_FALSE(ClassesKeyExists(key)) << key;
    EXPECT_FALSE(ClassesKeyExists(clsid_));
    EXPECT_FALSE(ClassesKeyExists(app_));
}

TEST_F(RegistrationTest, InprocClassIsBothThreadedWithThePlainPath)
{
    const wchar_t path[] = L"C:\\Program Files\\Tvx Test\\QvxThing.dll";
    ASSERT_EQ(RegisterClasses(kThingClass, ServerKind::InProcess, path, nullptr, nullptr), S_OK);
    EXPECT_EQ(ClassesValue(clsid_ + L"\\InprocServer32"), path);
    EXPECT_EQ(ClassesValue(clsid_ + L"\\InprocServer32", L"ThreadingModel"), L"Both");
    EXPECT_EQ(ClassesValue(clsid_, L"AppID"), kNoValue);
    EXPECT_FALSE(ClassesKeyExists(clsid_ + L"\\TypeLib"));
    EXPECT_FALSE(ClassesKeyExists(clsid_ + L"\\LocalServer32"));
}

TEST_F(RegistrationTest, RegisteringForProcessModeRemovesTheServiceValues)
{
    ASSERT_EQ(RegisterAppId(kServiceApp), S_OK);
    ASSERT_EQ(RegisterAppId(kProcessApp), S_OK);
    EXPECT_EQ(ClassesValue(app_), L"TvxTestServer");
    EXPECT_EQ(ClassesValue(app_, L"LocalService"), kNoValue);
    EXPECT_EQ(ClassesValue(app_, L"ServiceParameters"), kNoValue);
}

TEST_F(RegistrationTest, UnregisterLeavesAProgIdThatAnotherClassTookOver)
{
    ASSERT_EQ(RegisterClasses(kThingClass, ServerKind::InProcess, L"C:\\a.dll", nullptr, nullptr), S_OK);
    ASSERT_EQ(RegisterClasses(kOtherThingClass, ServerKind::InProcess, L"C:\\b.dll", nullptr, nullptr), S_OK);
    ASSERT_EQ(UnregisterClasses(kThingClass), S_OK);
    EXPECT_EQ(ClassesValue(L"TvxComTest.Thing.1\\CLSID"), GuidString(kOtherThing));
    EXPECT_FALSE(ClassesKeyExists(L"TvxComTest.Thing"));  // still ours: removed
    ASSERT_EQ(UnregisterClasses(kOtherThingClass), S_OK);
    EXPECT_FALSE(ClassesKeyExists(L"TvxComTest.Thing.1"));
}

TEST_F(RegistrationTest, UnregisteringWhatIsNotRegisteredSucceeds)
{
    EXPECT_EQ(UnregisterClasses(kThingClass), S_OK);
    EXPECT_EQ(UnregisterAppId(kServiceApp), S_OK);
}

TEST(EmbeddedTypeLib, RegistersUnderTheLibraryGuidAndUnregistersCompletely)
{
    CoInit com(COINIT_MULTITHREADED);
    ASSERT_TRUE(HasEmbeddedTypeLib(Module::Current().Handle()));
    EXPECT_FALSE(HasEmbeddedTypeLib(GetModuleHandleW(L"kernel32.dll")));

    std::wstring path = Module::Current().Path();
    GUID libid = GUID_NULL;
    ASSERT_EQ(RegisterEmbeddedTypeLib(path, &libid), S_OK);
    EXPECT_TRUE(IsEqualGUID(libid, LIBID_TvxComTestLib));
    ComPtr<ITypeLib> lib;
    EXPECT_EQ(LoadRegTypeLib(LIBID_TvxComTestLib, 1, 0, LOCALE_NEUTRAL, lib.Receive()), S_OK);
    EXPECT_EQ(ClassesValue(L"Interface\\" + GuidString(__uuidof(ICounter)) + L"\\TypeLib"), GuidString(LIBID_TvxComTestLib));
    lib.Reset();

    ASSERT_EQ(UnregisterEmbeddedTypeLib(path), S_OK);
    EXPECT_FALSE(ClassesKeyExists(L"TypeLib\\" + GuidString(LIBID_TvxComTestLib)));
    EXPECT_NE(LoadRegTypeLib(LIBID_TvxComTestLib, 1, 0, LOCALE_NEUTRAL, lib.Receive()), S_OK);
    EXPECT_EQ(UnregisterEmbeddedTypeLib(path), S_OK);  // a second time: nothing left to remove
}

}  // namespace
}  // namespace tvx::com::test
