#include "platform/ui/ole_client_item.h"

IMPLEMENT_DYNAMIC(COleClientItem, CCmdTarget)

COleClientItem::COleClientItem(COleDocument* pContainerDoc) : m_pDocument(pContainerDoc) {}

COleClientItem::~COleClientItem() = default;

CWnd* COleClientItem::GetInPlaceWindow()
{
    return nullptr;
}
