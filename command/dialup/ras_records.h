// The remote-access records the dial-up commands pass to RASAPI32.DLL, in
// their first published layout: 412, 160 and 1052 bytes on 32-bit Windows,
// the sizes the component has always passed (the library accepts every
// published size). The 64-bit build passes the same layout's 64-bit sizes.
#pragma once

#include <windows.h>
#include <ras.h>
#include <raserror.h>

namespace dialup {

struct RasConnectionEntry {
    DWORD dwSize;
    HRASCONN hrasconn;
    CHAR szEntryName[256 + 1];
    CHAR szDeviceType[16 + 1];
    CHAR szDeviceName[128 + 1];
};

struct RasConnectionStatus {
    DWORD dwSize;
    RASCONNSTATE rasconnstate;
    DWORD dwError;
    CHAR szDeviceType[16 + 1];
    CHAR szDeviceName[128 + 1];
};

struct RasDialParameters {
    DWORD dwSize;
    CHAR szEntryName[256 + 1];
    CHAR szPhoneNumber[128 + 1];
    CHAR szCallbackNumber[128 + 1];
    CHAR szUserName[256 + 1];
    CHAR szPassword[256 + 1];
    CHAR szDomain[15 + 1];
};

static_assert(sizeof(RasConnectionStatus) == 160, "connection status record");
static_assert(sizeof(RasDialParameters) == 1052, "dial parameters record");
static_assert(sizeof(RasConnectionEntry) == (sizeof(void*) == 4 ? 412 : 424),
              "connection entry record");

// The entry points used, by their exported names.
using RasDialFunction = DWORD(WINAPI*)(LPVOID extensions, LPCSTR phoneBook,
                                       RasDialParameters* parameters, DWORD notifierType,
                                       LPVOID notifier, HRASCONN* connection);
using RasEnumConnectionsFunction = DWORD(WINAPI*)(RasConnectionEntry* entries, LPDWORD bytes,
                                                  LPDWORD count);
using RasGetConnectStatusFunction = DWORD(WINAPI*)(HRASCONN connection,
                                                   RasConnectionStatus* status);
using RasHangUpFunction = DWORD(WINAPI*)(HRASCONN connection);
using RasGetErrorStringFunction = DWORD(WINAPI*)(UINT code, LPSTR text, DWORD size);

// The notification routine of the first kind.
using RasDialNotification = void(WINAPI*)(HRASCONN connection, UINT message,
                                          RASCONNSTATE state, DWORD error,
                                          DWORD extendedError);

}  // namespace dialup
