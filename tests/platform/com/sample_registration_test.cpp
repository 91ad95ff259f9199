// Registers the sample servers as an installer does (regsvr32, /RegServer),
// reads back what landed in the registry, and removes them again. CTest runs
// the registering cases as setup and the removing ones as cleanup of the
// fixtures the sample client tests need.
#include <gtest/gtest.h>

#include <string>

#include "platform/com/com.h"
#include "registry_reading.h"
#include "sample_inproc_idl.h"
#include "sample_process.h"
#include "sample_server_idl.h"

namespace tvx::com::test {
namespace {

using tvxtest::ClassesKeyExists;
using tvxtest::ClassesValue;
using tvxtest::ExpectClassesValues;
using tvxtest::kNoValue;
using tvxtest::LowerText;

const GUID kSampleAppId = {0xb814e0d8, 0xa5d2, 0x457f, {0xb5, 0x5f, 0xc1, 0xa2, 0x95, 0x96, 0xa9, 0x77}};
const wchar_t kTypeLibMarshaler[] = L"{00020424-0000-0000-C000-000000000046}";
const wchar_t kDispatchMarshaler[] = L"{00020420-0000-0000-C000-000000000046}";

void ExpectTypeLibRegistered(REFGUID libid)
{
    CoInit com(COINIT_MULTITHREADED);
    ComPtr<ITypeLib> lib;
    ASSERT_EQ(LoadRegTypeLib(libid, 1, 0, LOCALE_NEUTRAL, lib.Receive()), S_OK);
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(lib->GetLibAttr(&attr), S_OK);
    EXPECT_TRUE(IsEqualGUID(attr->guid, libid));
    lib->ReleaseTLibAttr(attr);
}

TEST(InprocSampleRegistration, RegsvrWritesClassProgIdsAndTypeLib)
{
    std::wstring dll = FileBesideTest(L"tvx_sample_inproc.dll");
    ASSERT_EQ(RunToEnd(L"regsvr32.exe /s \"" + dll + L"\""), 0u);

    std::wstring clsid = L"CLSID\\" + GuidString(CLSID_SampleCalc);
    ExpectClassesValues({
        {clsid, nullptr, L"SampleCalc Class"},
        {clsid + L"\\ProgID", nullptr, L"TvxSample.Calc.1"},
        {clsid + L"\\VersionIndependentProgID", nullptr, L"TvxSample.Calc"},
        {clsid + L"\\InprocServer32", L"ThreadingModel", L"Both"},
        {clsid + L"\\TypeLib", nullptr, GuidString(LIBID_TvxSampleInprocLib)},
        {L"TvxSample.Calc.1\\CLSID", nullptr, GuidString(CLSID_SampleCalc)},
        {L"TvxSample.Calc\\CLSID", nullptr, GuidString(CLSID_SampleCalc)},
        {L"TvxSample.Calc\\CurVer", nullptr, L"TvxSample.Calc.1"},
        {L"Interface\\" + GuidString(IID_ISampleCalc) + L"\\ProxyStubClsid32", nullptr, kTypeLibMarshaler},
    });
    EXPECT_EQ(LowerText(ClassesValue(clsid + L"\\InprocServer32")), LowerText(dll));
    EXPECT_TRUE(ClassesKeyExists(clsid + L"\\Programmable"));
    ExpectTypeLibRegistered(LIBID_TvxSampleInprocLib);
}

TEST(InprocSampleRegistration, RegsvrUnregisterRemovesEverything)
{
    std::wstring dll = FileBesideTest(L"tvx_sample_inproc.dll");
    ASSERT_EQ(RunToEnd(L"regsvr32.exe /u /s \"" + dll + L"\""), 0u);
    const std::wstring gone[] = {
        L"CLSID\\" + GuidString(CLSID_SampleCalc),
        L"TvxSample.Calc",
        L"TvxSample.Calc.1",
        L"TypeLib\\" + GuidString(LIBID_TvxSampleInprocLib),
        L"Interface\\" + GuidString(IID_ISampleCalc),
    };
    for (const std::wstring& key : gone)
        EXPECT_FALSE(ClassesKeyExists(key)) << key;
}

TEST(LocalSampleRegistration, RegServerWritesClassAppIdAndTypeLib)
{
    std::wstring exe = FileBesideTest(L"tvx_sample_server.exe");
    ASSERT_EQ(RunToEnd(L"\"" + exe + L"\" /RegServer"), 0u);

    std::wstring clsid = L"CLSID\\" + GuidString(CLSID_SampleServer);
    std::wstring app = L"AppID\\" + GuidString(kSampleAppId);
    ExpectClassesValues({
        {clsid, nullptr, L"SampleServer Class"},
        {clsid + L"\\ProgID", nullptr, L"TvxSample.Server.1"},
        {clsid + L"\\VersionIndependentProgID", nullptr, L"TvxSample.Server"},
        {clsid, L"AppID", GuidString(kSampleAppId)},
        {clsid + L"\\TypeLib", nullptr, GuidString(LIBID_TvxSampleServerLib)},
        {L"TvxSample.Server\\CurVer", nullptr, L"TvxSample.Server.1"},
        {app, nullptr, L"TvxSampleServer"},
        {app, L"LocalService", kNoValue},
        {L"AppID\\tvx_sample_server.exe", L"AppID", GuidString(kSampleAppId)},
        {L"Interface\\" + GuidString(IID_ISampleServer) + L"\\ProxyStubClsid32", nullptr, kTypeLibMarshaler},
        {L"Interface\\" + GuidString(DIID__ISampleServerEvents) + L"\\ProxyStubClsid32", nullptr,
         kDispatchMarshaler},
    });
    EXPECT_EQ(LowerText(ClassesValue(clsid + L"\\LocalServer32")), LowerText(exe));
    EXPECT_FALSE(ClassesKeyExists(clsid + L"\\InprocServer32"));
    ExpectTypeLibRegistered(LIBID_TvxSampleServerLib);
}

// Run once before the client tests: when activation does not work at all in
// this prefix (no RPC service), they are skipped instead of each waiting for
// its time-out.
TEST(LocalSampleActivation, ServerStartsForAClientAndEndsAfterIt)
{
    CoInit com(COINIT_MULTITHREADED);
    ComPtr<ISampleServer> server;
    ASSERT_EQ(server.CreateInstance(CLSID_SampleServer, CLSCTX_LOCAL_SERVER), S_OK);
    long pid = 0;
    ASSERT_EQ(server->get_ProcessId(&pid), S_OK);
    EXPECT_NE(static_cast<DWORD>(pid), GetCurrentProcessId());
    const Handle process = OpenRunningProcess(static_cast<DWORD>(pid));
    ASSERT_TRUE(process);
    server.Reset();
    EXPECT_TRUE(ProcessEnds(process, 15000));
}

TEST(LocalSampleRegistration, UnregServerRemovesEverything)
{
    std::wstring exe = FileBesideTest(L"tvx_sample_server.exe");
    ASSERT_EQ(RunToEnd(L"\"" + exe + L"\" /UnregServer"), 0u);
    const std::wstring gone[] = {
        L"CLSID\\" + GuidString(CLSID_SampleServer),
        L"TvxSample.Server",
        L"TvxSample.Server.1",
        L"AppID\\" + GuidString(kSampleAppId),
        L"AppID\\tvx_sample_server.exe",
        L"TypeLib\\" + GuidString(LIBID_TvxSampleServerLib),
        L"Interface\\" + GuidString(IID_ISampleServer),
        L"Interface\\" + GuidString(DIID__ISampleServerEvents),
    };
    for (const std::wstring& key : gone)
        EXPECT_FALSE(ClassesKeyExists(key)) << key;
}

}  // namespace
}  // namespace tvx::com::test
