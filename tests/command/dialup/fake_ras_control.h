// The controls of the tests' fake RASAPI32.DLL (fake_rasapi32.cpp): each
// phone-book entry is scripted to behave in one way, and the fake records
// what the dial-up commands asked of it.
#pragma once

#include <windows.h>

// Behaviours of an entry:
//   "connected"          connected before the test starts
//   "stuck"              connected, and a hang-up never completes
//   "connect"            a dial connects after delay ms
//   "busy"               a dial reports ERROR_LINE_BUSY (676) after delay ms
//   "auth"               a dial reports 691 with extended code 5 after delay ms
//   "unknown-error"      a dial reports an error without a text after delay ms
//   "drop"               a dial ends disconnected, without error, after delay ms
//   "never"              a dial neither connects nor fails
//   "busy-then-connect"  the first `count` dials are busy, then one connects
//   "refuse"             RasDialA fails at once (623), as for any entry not scripted
struct FakeRasDialRecord {
    char phoneNumber[260];
    char callbackNumber[260];
    char userName[260];
    char password[260];
    char domain[260];
    BOOL phoneBookWasNull;
    DWORD notifierType;
};

using FakeRasResetFunction = void(WINAPI*)();
using FakeRasScriptFunction = void(WINAPI*)(const char* entry, const char* behaviour, DWORD delay,
                                            DWORD count);
using FakeRasCountFunction = LONG(WINAPI*)(const char* entry);
using FakeRasDialTimesFunction = LONG(WINAPI*)(const char* entry, DWORD* ticks, LONG max);
using FakeRasIsActiveFunction = BOOL(WINAPI*)(const char* entry);
using FakeRasLastDialFunction = BOOL(WINAPI*)(const char* entry, FakeRasDialRecord* record);
using FakeRasProtocolErrorsFunction = LONG(WINAPI*)();

// Texts the fake gives for its error codes.
inline constexpr char kFakeLineBusyText[] = "The line is busy.";
inline constexpr char kFakeAuthenticationText[] =
    "Access was denied because the username and/or password was invalid on the domain.";
inline constexpr char kFakeNoEntryText[] =
    "The system could not find the phone book entry for this connection.";
