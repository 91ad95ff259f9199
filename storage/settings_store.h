// CSettingsStore: moving the scheduler's settings, work days, holidays and
// logins between a scheduler object and the settings file "$qvxsys.dat",
// the work behind QVSchedStorage's Read and Write.
#pragma once

#include <oaidl.h>

#include "platform/framework/string.h"
#include "storage/storage_folder.h"

class CSettingsStore {
public:
    explicit CSettingsStore(const CStorageFolder& folder);

    // Fills the scheduler from the file; a missing file is first created
    // with the defaults. The scheduler's holidays and logins are replaced by
    // the stored ones. A file that can't be read is reported in the error
    // log and leaves the scheduler as it was (E_FAIL).
    HRESULT Read(IDispatch* scheduler);
    // Replaces the file with the scheduler's settings, holidays and logins.
    HRESULT Write(IDispatch* scheduler);

    // Why the last call failed; empty after a success.
    const CString& ErrorText() const { return m_ErrorText; }

private:
    HRESULT Fail(HRESULT hr, const CString& text);

    CStorageFolder m_Folder;
    CString m_ErrorText;
};
