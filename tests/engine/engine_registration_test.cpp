// Registers the engine copy as an installer does (its RegServer switch),
// reads back what landed in the registry, and removes it again. CTest runs
// the registering case as the setup and the removing ones as the cleanup of
// the fixture that the tests reaching the engine through COM need.
#include <gtest/gtest.h>

#include "engine/engine_classes.h"
#include "engine_test_support.h"
#include "registry_reading.h"

namespace enginetest {
namespace {

using tvx::com::GuidString;
using tvxtest::ClassesKeyExists;
using tvxtest::ClassesValue;
using tvxtest::ExpectClassesValues;
using tvxtest::kNoValue;
using tvxtest::LowerText;

const wchar_t kTypeLibMarshaler[] = L"{00020424-0000-0000-C000-000000000046}";

bool ServiceInstalled(const wchar_t* name)
{
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (!manager)
        return false;
    SC_HANDLE service = OpenServiceW(manager, name, SERVICE_QUERY_STATUS);
    if (service)
        CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return service != nullptr;
}

TEST(EngineRegistration, RegServerInSmallLettersWritesClassAppIdAndTypeLib)
{
    ASSERT_TRUE(EnginesEnd(30000));
    ASSERT_EQ(RunEngine(L"-regserver"), 0u);

    const std::wstring clsid = L"CLSID\\" + GuidString(CLSID_QVScheduler);
    const std::wstring app = L"AppID\\" + GuidString(kEngineAppId);
    ExpectClassesValues({
        {clsid, nullptr, L"QVScheduler Class"},
        {clsid + L"\\ProgID", nullptr, L"Tarvex.QVScheduler.1"},
        {clsid + L"\\VersionIndependentProgID", nullptr, L"Tarvex.QVScheduler"},
        {clsid, L"AppID", GuidString(kEngineAppId)},
        {clsid + L"\\TypeLib", nullptr, GuidString(LIBID_TarvexLib)},
        {L"Tarvex.QVScheduler.1", nullptr, L"QVScheduler Class"},
        {L"Tarvex.QVScheduler\\CLSID", nullptr, GuidString(CLSID_QVScheduler)},
        {L"Tarvex.QVScheduler\\CurVer", nullptr, L"Tarvex.QVScheduler.1"},
        {app, nullptr, L"Tarvex"},
        {app, L"LocalService", kNoValue},
        {app, L"ServiceParameters", kNoValue},
        {L"AppID\\Tarvex.EXE", L"AppID", GuidString(kEngineAppId)},
        {L"Interface\\" + GuidString(IID_IQVScheduler) + L"\\ProxyStubClsid32", nullptr, kTypeLibMarshaler},
    });
    EXPECT_EQ(LowerText(ClassesValue(clsid + L"\\LocalServer32")), LowerText(EnginePath()));
    EXPECT_TRUE(ClassesKeyExists(clsid + L"\\Programmable"));
    EXPECT_FALSE(ServiceInstalled(L"Tarvex"));

    tvx::com::CoInit com(COINIT_MULTITHREADED);
    tvx::com::ComPtr<ITypeLib> lib;
    ASSERT_EQ(LoadRegTypeLib(LIBID_TarvexLib, 1, 0, LOCALE_NEUTRAL, lib.Receive()), S_OK);
}

TEST(EngineRegistration, UnregServerRemovesEverything)
{
    ASSERT_TRUE(EnginesEnd(30000));
    ASSERT_EQ(RunEngine(L"/UnregServer"), 0u);
    const std::wstring gone[] = {
        L"CLSID\\" + GuidString(CLSID_QVScheduler),
        L"Tarvex.QVScheduler",
        L"Tarvex.QVScheduler.1",
        L"AppID\\" + GuidString(kEngineAppId),
        L"AppID\\Tarvex.EXE",
        L"TypeLib\\" + GuidString(LIBID_TarvexLib),
        L"Interface\\" + GuidString(IID_IQVScheduler),
    };
    for (const std::wstring& key : gone)
        EXPECT_FALSE(ClassesKeyExists(key)) << Narrow(key);
    EXPECT_FALSE(ServiceInstalled(L"Tarvex"));
}

TEST(EngineRegistration, EngineWithoutItsAppIdEndsWithTheRegistryError)
{
    ASSERT_FALSE(ClassesKeyExists(L"AppID\\" + GuidString(kEngineAppId)));
    EXPECT_EQ(RunEngine(L"-Start", 30000), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(EngineProcessIds().empty());
}

}  // namespace
}  // namespace enginetest
