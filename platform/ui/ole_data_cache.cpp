#include "platform/ui/ole_data_cache.h"

#include <shlobj.h>

#include <new>
#include <utility>

tvx::com::InterfaceTable OleDataCache::Interfaces()
{
    static const tvx::com::InterfaceEntry entries[] = {Interface<IDataObject>()};
    return entries;
}

void OleDataCache::CacheGlobal(CLIPFORMAT format, HGLOBAL memory, const FORMATETC* formatEtc)
{
    STGMEDIUM raw = {};
    raw.tymed = TYMED_HGLOBAL;
    raw.hGlobal = memory;
    OleStgMedium medium(raw);  // owns the block from here, whatever happens
    if (memory == nullptr)
        return;
    FORMATETC key = formatEtc != nullptr ? *formatEtc : FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    key.cfFormat = format;
    key.ptd = nullptr;  // target devices are not kept
    key.tymed = TYMED_HGLOBAL;
    for (Entry& entry : m_entries) {
        if (entry.formatEtc.cfFormat == format && entry.formatEtc.dwAspect == key.dwAspect &&
            entry.formatEtc.lindex == key.lindex) {
            entry.formatEtc = key;
            entry.medium = std::move(medium);
            return;
        }
    }
    m_entries.push_back(Entry{key, std::move(medium)});
}

void OleDataCache::Empty()
{
    m_entries.clear();
}

HRESULT OleDataCache::Find(const FORMATETC* request, const Entry** found) const
{
    *found = nullptr;
    HRESULT result = DV_E_FORMATETC;
    for (const Entry& entry : m_entries) {
        if (entry.formatEtc.cfFormat != request->cfFormat)
            continue;
        if (entry.formatEtc.dwAspect != request->dwAspect) {
            result = DV_E_DVASPECT;
            continue;
        }
        if (entry.formatEtc.lindex != request->lindex) {
            result = DV_E_LINDEX;
            continue;
        }
        if ((entry.formatEtc.tymed & request->tymed) == 0) {
            result = DV_E_TYMED;
            continue;
        }
        *found = &entry;
        return S_OK;
    }
    return result;
}

STDMETHODIMP OleDataCache::GetData(FORMATETC* formatEtc, STGMEDIUM* medium)
{
    if (formatEtc == nullptr || medium == nullptr)
        return E_POINTER;
    *medium = STGMEDIUM();
    const Entry* entry;
    HRESULT hr = Find(formatEtc, &entry);
    if (FAILED(hr))
        return hr;
    HGLOBAL copy = OleCopyGlobalMemory(entry->medium.hGlobal);
    if (copy == nullptr)
        return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    return S_OK;
}

STDMETHODIMP OleDataCache::GetDataHere(FORMATETC*, STGMEDIUM*)
{
    return E_NOTIMPL;
}

STDMETHODIMP OleDataCache::QueryGetData(FORMATETC* formatEtc)
{
    if (formatEtc == nullptr)
        return E_POINTER;
    const Entry* entry;
    return Find(formatEtc, &entry);
}

STDMETHODIMP OleDataCache::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* formatOut)
{
    if (formatOut == nullptr)
        return E_POINTER;
    formatOut->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP OleDataCache::SetData(FORMATETC*, STGMEDIUM*, BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP OleDataCache::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    if (direction != DATADIR_GET)
        return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    try {
        formats.reserve(m_entries.size());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    for (const Entry& entry : m_entries)
        formats.push_back(entry.formatEtc);
    return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), out);
}

STDMETHODIMP OleDataCache::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP OleDataCache::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP OleDataCache::EnumDAdvise(IEnumSTATDATA**)
{
    return OLE_E_ADVISENOTSUPPORTED;
}
