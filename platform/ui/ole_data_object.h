// COleDataObject: the receiving side of data transfer, over an IDataObject
// (what a drop target is handed).
#pragma once

#include <ole2.h>

#include "platform/com/com_ptr.h"

class CFile;

class COleDataObject {
public:
    COleDataObject();
    ~COleDataObject();
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // Uses the data object. With bAutoRelease the caller's reference passes
    // to this object; without it the caller keeps its own and this object
    // takes one of its own. Either way Release drops what this object holds.
    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    void Release();
    // Uses what the clipboard holds now; FALSE when it cannot be read.
    BOOL AttachClipboard();

    // Whether the data is offered in the format (any medium unless
    // lpFormatEtc says otherwise).
    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    // Fetches the data; the caller releases the medium (ReleaseStgMedium).
    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);
    // The data as a global memory block the caller owns (GlobalFree); null
    // when it is not offered as one.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    // The data as a file positioned at its start (a CSharedFile over a block
    // of its own), which the caller deletes; null when it is not offered in
    // global memory.
    CFile* GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);

private:
    tvx::com::ComPtr<IDataObject> m_lpDataObject;
};
