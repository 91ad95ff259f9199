#include "command/mail/temporary_message_file.h"

#include <windows.h>

namespace mail {

TemporaryMessageFile::~TemporaryMessageFile()
{
    if (!m_strPath.IsEmpty())
        ::DeleteFileA(m_strPath);
}

bool TemporaryMessageFile::Create(const char* directory)
{
    char path[MAX_PATH];
    if (::GetTempFileNameA(directory, "msg", 0, path) == 0)
        return false;
    m_strPath = path;
    return true;
}

}  // namespace mail
