// COleDocument: a document that can hold OLE items. Frames ask it for the
// item active in place in a view; as no item is ever activated here, the
// answer is always null.
#pragma once

#include <windows.h>

#include "platform/ui/document.h"

class COleClientItem;
class CWnd;

class COleDocument : public CDocument {
    DECLARE_DYNCREATE(COleDocument)
public:
    COleDocument();
    ~COleDocument() override;

    // The item active in place in the view pWnd, or null.
    virtual COleClientItem* GetInPlaceActiveItem(CWnd* pWnd);
};
