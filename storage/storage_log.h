// CStorageLog: where the storage component reports a file it refused or
// could not write: one line in an error log, and the text kept for the
// caller's error info.
#pragma once

#include "platform/framework/string.h"

// The error log when the caller names none, in the host directory.
constexpr const char kDefaultErrorLogName[] = "Qvxerror.log";

class CStorageLog {
public:
    // A relative name lands in the host directory; an empty name means
    // kDefaultErrorLogName.
    explicit CStorageLog(const CString& logFile = CString());

    // Appends one dated line and remembers the text. A log that can't be
    // written loses the line, never the caller's work.
    void Write(const CString& text);

    // The text of the last line written; empty when there was none.
    const CString& LastText() const { return m_LastText; }
    const CString& LogFile() const { return m_LogFile; }

private:
    CString m_LogFile;
    CString m_LastText;
};
