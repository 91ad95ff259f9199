#include "storage/storage_log.h"

#include "task/shared/log_line.h"

CStorageLog::CStorageLog(const CString& logFile)
    : m_LogFile(logFile.IsEmpty() ? CString(kDefaultErrorLogName) : logFile)
{
}

void CStorageLog::Write(const CString& text)
{
    m_LastText = text;
    AppendLogLine(m_LogFile, text);
}
