// An account-call stand-in for queue-run tests: it records every call in
// order, fails the calls it is told to, hands out a token with a logon SID
// among its groups, and keeps the access lists of the window station and
// desktop so that what a run grants and withdraws can be read back.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "command/account_api.h"

class FakeAccountApi : public AccountApi {
public:
    FakeAccountApi();

    // Call names as recorded: "LogOn", "CloseToken", "ReadAccountName",
    // "ReadTokenGroups", "LoadProfile", "UnloadProfile", "CreateEnvironment",
    // "DestroyEnvironment", "Impersonate", "Revert", "ReadDacl desktop",
    // "ReadDacl station", "WriteDacl desktop", "WriteDacl station".
    std::vector<std::string> calls;
    std::map<std::string, DWORD> failures;
    // Runs after each recorded call, with its name.
    std::function<void(const std::string&)> on_call;

    // What LogOn received.
    std::string logon_user, logon_domain, logon_password;
    // What LoadProfile received as the profile's user name.
    std::string profile_user;
    bool profile_function_missing = false;
    // The token's groups; by default the logon SID is the third of four.
    struct Group {
        std::string sid;
        DWORD attributes;
    };
    std::vector<Group> groups;
    // Access lists of the process window station and the calling thread's
    // desktop, as lists of entries; an object set to have none is absent.
    struct Entry {
        BYTE type;
        DWORD mask;
        std::string sid;
        bool operator==(const Entry& other) const
        {
            return type == other.type && mask == other.mask && sid == other.sid;
        }
    };
    std::map<HANDLE, std::vector<Entry>> dacls;

    static const char kLogonSid[];
    static std::vector<Entry> DefaultEntries();
    static HANDLE Station();
    static HANDLE Desktop();

    DWORD LogOn(const CString& user, const CString& domain, const CString& password, HANDLE* token) override;
    void CloseToken(HANDLE token) override;
    DWORD ReadAccountName(HANDLE token, CString* name, CString* domain) override;
    DWORD ReadTokenGroups(HANDLE token, std::vector<BYTE>* groups) override;
    DWORD LoadProfile(HANDLE token, PROFILEINFOA* profile) override;
    void UnloadProfile(HANDLE token, HANDLE profile_key) override;
    DWORD CreateEnvironment(HANDLE token, void** block) override;
    void DestroyEnvironment(void* block) override;
    DWORD Impersonate(HANDLE token) override;
    void Revert() override;
    DWORD ReadDacl(HANDLE object, std::vector<BYTE>* descriptor) override;
    DWORD WriteDacl(HANDLE object, ACL* dacl) override;

private:
    DWORD Record(const std::string& call);
    static std::string ObjectName(HANDLE object);

    char m_environment[4] = {};
};

// Text form of a SID ("S-1-5-5-0-4242"), and back.
std::string SidText(PSID sid);
std::vector<BYTE> SidFromText(const std::string& text);
