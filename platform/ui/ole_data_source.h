// COleDataSource: data offered to a drag-and-drop target, as global memory
// blocks cached per clipboard format.
#pragma once

#include <ole2.h>

#include "platform/com/object.h"
#include "platform/ui/cmd_target.h"
#include "platform/ui/ole_drop_effect.h"

class COleDropSource;
class OleDataCache;

class COleDataSource : public CCmdTarget {
public:
    // Throws std::bad_alloc when the cache can't be made.
    COleDataSource();
    ~COleDataSource() override;
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    // Offers the block under the format; the data source owns it from the
    // call on (also when it is not cached: a null block is ignored). The
    // block of an earlier call for the same format is freed.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
    // Frees every cached block. A target that still holds the data object
    // then finds nothing.
    void Empty();

    // Runs the drag: with lpRectStartDrag (screen coordinates) the drop
    // source's OnBeginDrag first waits until the pointer leaves it, and a
    // drag that never starts answers DROPEFFECT_NONE. Answers the effect the
    // target performed, DROPEFFECT_NONE when the drag was cancelled or
    // dropped nowhere. Without a drop source a default one is used. OLE must
    // be initialised on the thread (AfxOleInit).
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = nullptr, COleDropSource* pDropSource = nullptr);

    // The data object that hands out the cached data (no reference added).
    LPDATAOBJECT GetDataObject() const;

private:
    tvx::com::ComPtr<tvx::com::ComObject<OleDataCache>> m_cache;
};
