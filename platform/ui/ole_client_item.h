// COleClientItem: an embedded or linked item of an OLE container document.
// This framework activates no OLE items: an item never has an in-place
// window, and documents report no in-place active item.
#pragma once

#include <windows.h>

#include "platform/ui/cmd_target.h"

class COleDocument;
class CWnd;

class COleClientItem : public CCmdTarget {
    DECLARE_DYNAMIC(COleClientItem)
public:
    explicit COleClientItem(COleDocument* pContainerDoc = nullptr);
    ~COleClientItem() override;

    COleDocument* GetDocument() const { return m_pDocument; }
    // The window of the item's server while it is active in place: null.
    virtual CWnd* GetInPlaceWindow();

protected:
    COleDocument* m_pDocument;
};
