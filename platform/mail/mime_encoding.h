// The encodings of an Internet mail message: base64 for attachments,
// quoted-printable for a body that is not plain ASCII, encoded words and
// folding for header fields, and the name of the ANSI code page's charset.
#pragma once

#include <string>

namespace mime {

// Bytes as base64, in lines of 76 characters each ending in CR LF.
std::string Base64Lines(const std::string& bytes);

// Every CR LF, lone CR and lone LF becomes CR LF.
std::string NormalizeLineEndings(const std::string& text);

// True when every byte is printable ASCII, blank, tab, CR or LF.
bool IsPlainAscii(const std::string& text);

// True when some line (between CR LF pairs) is longer than the 998
// characters a mail line may hold.
bool HasOverlongLine(const std::string& crlf_text);

// Quoted-printable of CR LF text: lines of at most 76 characters, soft line
// breaks where needed, blanks before a line end encoded.
std::string QuotedPrintable(const std::string& crlf_text);

// The MIME name of the ANSI code page in which callers pass their texts.
std::string AnsiCharsetName();

// One header field, "Name: value" folded at blanks into lines of about 76
// characters and ending in CR LF; an address list also folds after its
// commas. CR and LF inside the value become blanks, so that a value can
// never start a field of its own; runs of words with bytes outside printable
// ASCII become encoded words of the ANSI charset, and so does a word of free
// text too long for a line of its own, so that no line exceeds the 998
// characters a mail line may hold. (A name longer than 997 characters, or a
// single address of about that length, cannot be folded.)
std::string HeaderField(const std::string& name, const std::string& value);

// A MIME parameter for a file name, with its leading "; ": the quoted name
// when it is plain ASCII, else the charset-tagged form of RFC 2231.
std::string FileNameParameter(const std::string& attribute, const std::string& file_name);

}  // namespace mime
