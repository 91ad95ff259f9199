// The access a queue run gives the logged-on user's logon SID to the process
// window station and the calling thread's desktop, and its withdrawal, so that
// programs started as that user can open windows there.
#pragma once

#include <windows.h>

#include <vector>

class AccountApi;

inline constexpr DWORD kDesktopAccessMask = 0xC0020147;         // read, write, windows, menus, switch
inline constexpr DWORD kWindowStationAccessMask = 0xC0020167;   // read, write, clipboard, atoms, exit

// The SID of the first group marked as the logon identifier in a TOKEN_GROUPS
// record; empty when there is none.
std::vector<BYTE> FindLogonSid(const std::vector<BYTE>& token_groups);

// A copy of the access list with one access-allowed entry for the SID
// appended. ERROR_SUCCESS or the system error.
DWORD BuildGrantedDacl(const ACL& old_dacl, PSID sid, DWORD mask, std::vector<BYTE>* new_dacl);
// A copy of the access list without the access-allowed entries for the SID.
DWORD BuildWithdrawnDacl(const ACL& old_dacl, PSID sid, std::vector<BYTE>* new_dacl);

// Change the desktop first, then the window station; an object without an
// access list is left alone. The handles' inheritance is never touched: the
// programs a run starts must not inherit them.
DWORD GrantDesktopAccess(AccountApi& api, HWINSTA station, HDESK desktop, PSID sid);
DWORD WithdrawDesktopAccess(AccountApi& api, HWINSTA station, HDESK desktop, PSID sid);
