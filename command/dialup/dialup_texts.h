// The texts the dial-up commands leave in the command object's last error
// text. Stored scripts' error logs show them as they are, so their wording
// never changes.
#pragma once

namespace dialup {

inline constexpr char kDialUpNotAvailable[] = "Dial-Up Networking not available";
inline constexpr char kInvalidNumberOfParameters[] = "Invalid Number of Parameters";
inline constexpr char kInvalidParameter[] = "Invalid Parameter";
inline constexpr char kErrorDialUpConnect[] = "ErrorDialUpConnect: %s";
inline constexpr char kNoErrorString[] = "Fail to get error string";
inline constexpr char kExtendedErrorCode[] = " Extended Error Code: %d";

// Time limits of the waits, so that a dial or a hang-up the remote-access
// service never finishes cannot hold a task for ever.
inline constexpr char kNoConnectionInTime[] = "No connection within %ld seconds";
inline constexpr char kConnectionClosed[] = "The connection was closed";
inline constexpr char kHangUpNotFinished[] =
    "Unable to hang up %s: the connection did not close within %ld seconds";

}  // namespace dialup
