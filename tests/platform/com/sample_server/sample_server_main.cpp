// The sample local server: registers itself with /RegServer, removes itself
// with /UnregServer, and otherwise (COM starts it with -Embedding) serves its
// single-instance class until the last client has gone.
#include <windows.h>

#include "platform/com/com.h"
#include "sample_server_object.h"

namespace {

using namespace tvx::com;

const GUID kAppId = {0xb814e0d8, 0xa5d2, 0x457f, {0xb5, 0x5f, 0xc1, 0xa2, 0x95, 0x96, 0xa9, 0x77}};

const ClassEntry kClasses[] = {
    {&CLSID_SampleServer, &SingletonClassFactory<sample::CSampleServer>::Create, L"SampleServer Class",
     L"TvxSample.Server.1", L"TvxSample.Server"},
};

const AppIdRegistration kApp = {&kAppId, L"TvxSampleServer", L"tvx_sample_server.exe"};

// Short, so that the tests see the server end soon after its last client.
constexpr DWORD kIdleMs = 500;

int Serve()
{
    CoInit com(COINIT_MULTITHREADED);
    if (!com.Succeeded())
        return 2;
    ClassObjects objects;
    if (FAILED(objects.Register(kClasses)))
        return 3;
    ServerMonitor monitor(GetCurrentThreadId(), kIdleMs);
    if (FAILED(monitor.Start()))
        return 4;
    RunMessageLoop();
    objects.Revoke();
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    for (std::wstring_view text : SwitchTexts(GetCommandLineW())) {
        if (SwitchIs(text, L"RegServer")) {
            CoInit com(COINIT_MULTITHREADED);
            return FAILED(RegisterLocalServer(kClasses, kApp)) ? 1 : 0;
        }
        if (SwitchIs(text, L"UnregServer")) {
            CoInit com(COINIT_MULTITHREADED);
            return FAILED(UnregisterLocalServer(kClasses, kApp)) ? 1 : 0;
        }
    }
    return Serve();
}
