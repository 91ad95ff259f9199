#include "platform/ui/ole_document.h"

IMPLEMENT_DYNCREATE(COleDocument, CDocument)

COleDocument::COleDocument() = default;

COleDocument::~COleDocument() = default;

COleClientItem* COleDocument::GetInPlaceActiveItem(CWnd*)
{
    return nullptr;
}
