// OleDataCache: the IDataObject behind a COleDataSource. It holds the cached
// formats itself, so that a drop target or the clipboard that keeps the
// object keeps valid data after the data source object is gone.
#pragma once

#include <ole2.h>

#include <vector>

#include "platform/com/object.h"
#include "platform/ui/ole_stg_medium.h"

class OleDataCache : public tvx::com::ComClass<OleDataCache>, public IDataObject {
public:
    static tvx::com::InterfaceTable Interfaces();

    // Takes the block; an earlier entry for the same format and aspect is
    // replaced. A null block is not cached.
    void CacheGlobal(CLIPFORMAT format, HGLOBAL memory, const FORMATETC* formatEtc);
    void Empty();

    // IDataObject: gives copies of global blocks (the receiver owns them);
    // enumerates the cached formats for reading; nothing can be set or advised.
    STDMETHODIMP GetData(FORMATETC* formatEtc, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC* formatEtc, STGMEDIUM* medium) override;
    STDMETHODIMP QueryGetData(FORMATETC* formatEtc) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* formatIn, FORMATETC* formatOut) override;
    STDMETHODIMP SetData(FORMATETC* formatEtc, STGMEDIUM* medium, BOOL release) override;
    STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
    STDMETHODIMP DAdvise(FORMATETC* formatEtc, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
    STDMETHODIMP DUnadvise(DWORD connection) override;
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA** out) override;

private:
    struct Entry {
        FORMATETC formatEtc;
        OleStgMedium medium;
    };

    // The entry that answers the request, or the failure code that says why
    // none does.
    HRESULT Find(const FORMATETC* request, const Entry** found) const;

    std::vector<Entry> m_entries;
};
