// The texts the mail command leaves in the command object's last error text.
// Stored scripts' error logs show them as they are, so their wording never
// changes.
#pragma once

namespace mail {

inline constexpr char kWrongNumberOfParameters[] = "Wrong number of Parameters";
inline constexpr char kUnableToAttachFile[] = "\r\nUnable to attach file: %s";
inline constexpr char kNoTemporaryMessageFile[] = "Unable to create temporary message file";
inline constexpr char kSendMailFailed[] = "SendMail Failed: %s";
// When a library cannot be loaded at all, it has no error text of its own.
inline constexpr char kLibraryNotLoaded[] = "%s could not be loaded";

}  // namespace mail
