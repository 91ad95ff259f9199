// The file a mail message is exported to before it is sent: created with the
// prefix "msg" in the given directory and deleted when the owner goes away,
// on every path, so that failed sends leave nothing behind.
#pragma once

#include "platform/framework/string.h"

namespace mail {

class TemporaryMessageFile {
public:
    TemporaryMessageFile() = default;
    ~TemporaryMessageFile();
    TemporaryMessageFile(const TemporaryMessageFile&) = delete;
    TemporaryMessageFile& operator=(const TemporaryMessageFile&) = delete;

    // False when no file could be created there.
    bool Create(const char* directory);
    const CString& GetPath() const { return m_strPath; }

private:
    CString m_strPath;
};

}  // namespace mail
