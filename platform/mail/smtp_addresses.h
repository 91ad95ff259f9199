// The envelope side of a mail: recipient lists, addresses for MAIL FROM and
// RCPT TO, and the dot-stuffed DATA text.
#pragma once

#include <string>
#include <vector>

namespace smtp {

// The entries of a list separated by commas, trimmed; commas inside double
// quotes (a display name such as "Doe, John") do not separate; empty entries
// are left out.
std::vector<std::string> SplitRecipients(const std::string& list);

// The address of one entry: the text inside "<...>" when present, else the
// whole trimmed entry. False when the address could not travel on a command
// line safely (control characters, angle brackets, blanks).
bool MailboxAddress(const std::string& entry, std::string& address);

// The message as DATA text: lines end in CR LF, a line starting with "."
// gets a second one, and the text ends with the "." line.
std::string DataText(const std::string& message);

}  // namespace smtp
