#include "platform/ui/ole_data_source.h"

#include <new>

#include "platform/ui/ole_data_cache.h"
#include "platform/ui/ole_drop_source.h"

COleDataSource::COleDataSource()
{
    if (FAILED(tvx::com::ComObject<OleDataCache>::Create(m_cache)))
        throw std::bad_alloc();
}

COleDataSource::~COleDataSource() = default;

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    m_cache->CacheGlobal(cfFormat, hGlobal, lpFormatEtc);
}

void COleDataSource::Empty()
{
    m_cache->Empty();
}

LPDATAOBJECT COleDataSource::GetDataObject() const
{
    return m_cache.Get();
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource* pDropSource)
{
    COleDropSource defaultSource;
    COleDropSource* source = pDropSource != nullptr ? pDropSource : &defaultSource;
    return source->RunDrag(m_cache.Get(), dwEffects, lpRectStartDrag);
}
