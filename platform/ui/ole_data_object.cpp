#include "platform/ui/ole_data_object.h"

#include <memory>

#include "platform/framework/shared_file.h"
#include "platform/ui/ole_stg_medium.h"

namespace {

constexpr DWORD kAnyMedium = TYMED_HGLOBAL | TYMED_FILE | TYMED_ISTREAM | TYMED_ISTORAGE | TYMED_GDI | TYMED_MFPICT |
                             TYMED_ENHMF;

FORMATETC RequestFor(CLIPFORMAT format, const FORMATETC* given, DWORD media)
{
    FORMATETC request = given != nullptr ? *given : FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, media};
    request.cfFormat = format;
    return request;
}

}  // namespace

COleDataObject::COleDataObject() = default;

COleDataObject::~COleDataObject() = default;

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    if (bAutoRelease)
        m_lpDataObject.Attach(lpDataObject);
    else
        m_lpDataObject = lpDataObject;
}

void COleDataObject::Release()
{
    m_lpDataObject.Reset();
}

BOOL COleDataObject::AttachClipboard()
{
    IDataObject* clipboard = nullptr;
    if (FAILED(::OleGetClipboard(&clipboard)) || clipboard == nullptr)
        return FALSE;
    Attach(clipboard, TRUE);
    return TRUE;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (!m_lpDataObject)
        return FALSE;
    FORMATETC request = RequestFor(cfFormat, lpFormatEtc, kAnyMedium);
    return m_lpDataObject->QueryGetData(&request) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (lpStgMedium == nullptr)
        return FALSE;
    *lpStgMedium = STGMEDIUM();
    if (!m_lpDataObject)
        return FALSE;
    FORMATETC request = RequestFor(cfFormat, lpFormatEtc, kAnyMedium);
    return SUCCEEDED(m_lpDataObject->GetData(&request, lpStgMedium));
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    FORMATETC request = RequestFor(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    OleStgMedium medium;
    if (!GetData(cfFormat, medium.Receive(), &request) || medium.tymed != TYMED_HGLOBAL)
        return nullptr;
    if (medium.pUnkForRelease != nullptr)
        // The source keeps the block: the caller gets a copy of its own.
        return OleCopyGlobalMemory(medium.hGlobal);
    HGLOBAL memory = medium.hGlobal;
    medium.hGlobal = nullptr;
    medium.tymed = TYMED_NULL;
    return memory;
}

CFile* COleDataObject::GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    auto file = std::make_unique<CSharedFile>();
    HGLOBAL memory = GetGlobalData(cfFormat, lpFormatEtc);
    if (memory == nullptr)
        return nullptr;
    try {
        file->SetHandle(memory, FALSE);
    } catch (const CFileException&) {
        ::GlobalFree(memory);
        return nullptr;
    }
    return file.release();
}
