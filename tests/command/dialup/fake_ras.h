// The fake RASAPI32.DLL as the tests drive it: loaded (through the DLL
// override) from the test program's directory and held for the whole test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "fake_ras_control.h"

class FakeRas {
public:
    FakeRas();
    ~FakeRas();
    FakeRas(const FakeRas&) = delete;
    FakeRas& operator=(const FakeRas&) = delete;

    // The loaded library is the fake, not the system's.
    bool IsLoaded() const { return m_reset != nullptr; }

    void Reset() const { m_reset(); }
    void Script(const char* entry, const char* behaviour, DWORD delay = 0, DWORD count = 0) const
    {
        m_script(entry, behaviour, delay, count);
    }
    LONG Dials(const char* entry) const { return m_dialCount(entry); }
    std::vector<DWORD> DialTimes(const char* entry) const;
    LONG HangUps(const char* entry) const { return m_hangUpCount(entry); }
    bool IsActive(const char* entry) const { return m_isActive(entry) != FALSE; }
    bool LastDial(const char* entry, FakeRasDialRecord& record) const
    {
        return m_lastDial(entry, &record) != FALSE;
    }
    LONG ProtocolErrors() const { return m_protocolErrors(); }

private:
    HMODULE m_module;
    FakeRasResetFunction m_reset = nullptr;
    FakeRasScriptFunction m_script = nullptr;
    FakeRasCountFunction m_dialCount = nullptr;
    FakeRasDialTimesFunction m_dialTimes = nullptr;
    FakeRasCountFunction m_hangUpCount = nullptr;
    FakeRasIsActiveFunction m_isActive = nullptr;
    FakeRasLastDialFunction m_lastDial = nullptr;
    FakeRasProtocolErrorsFunction m_protocolErrors = nullptr;
};
