#include "platform/ui/image_list.h"

#include <memory>

#include "platform/ui/app.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/dc.h"
#include "platform/ui/handle_map.h"
#include "platform/ui/ui_thread_state.h"

namespace {

using ImageListMap = PermanentHandleMap<HIMAGELIST, CImageList>;

HBITMAP HandleOf(const CBitmap* bitmap)
{
    return bitmap ? static_cast<HBITMAP>(bitmap->m_hObject) : nullptr;
}

}  // namespace

IMPLEMENT_DYNCREATE(CImageList, CObject)

CImageList::CImageList() : m_hImageList(nullptr) {}

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList)
{
    if (!hImageList)
        return nullptr;
    if (CImageList* owner = ImageListMap::Instance().Find(hImageList))
        return owner;
    auto& temporary = ThisUiThread().temporaryImageLists[hImageList];
    if (!temporary) {
        temporary.reset(new CImageList);
        temporary->m_hImageList = hImageList;
    }
    return temporary.get();
}

void CImageList::DeleteTempMap()
{
    UiThreadState& state = ThisUiThread();
    auto temporary = std::move(state.temporaryImageLists);
    state.temporaryImageLists.clear();
    for (auto& entry : temporary)
        entry.second->m_hImageList = nullptr;
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (m_hImageList || !hImageList)
        return FALSE;
    if (!ImageListMap::Instance().Add(hImageList, this))
        return FALSE;
    m_hImageList = hImageList;
    return TRUE;
}

BOOL CImageList::AttachCreated(HIMAGELIST hImageList)
{
    if (!hImageList)
        return FALSE;
    if (!Attach(hImageList)) {
        ImageList_Destroy(hImageList);
        return FALSE;
    }
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    if (hImageList)
        ImageListMap::Instance().Remove(hImageList, this);
    m_hImageList = nullptr;
    return hImageList;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    if (m_hImageList)
        return FALSE;
    return AttachCreated(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCEA(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    if (m_hImageList)
        return FALSE;
    HINSTANCE resources = AfxFindResourceHandle(lpszBitmapID, reinterpret_cast<LPCSTR>(RT_BITMAP));
    return AttachCreated(ImageList_LoadImageA(resources, lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP,
                                              LR_CREATEDIBSECTION));
}

int CImageList::GetImageCount() const
{
    return ImageList_GetImageCount(m_hImageList);
}

BOOL CImageList::SetImageCount(UINT uNewCount)
{
    return ImageList_SetImageCount(m_hImageList, uNewCount);
}

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
    return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}

BOOL CImageList::GetIconSize(int* cx, int* cy) const
{
    return ImageList_GetIconSize(m_hImageList, cx, cy);
}

COLORREF CImageList::SetBkColor(COLORREF cr)
{
    return ImageList_SetBkColor(m_hImageList, cr);
}

COLORREF CImageList::GetBkColor() const
{
    return ImageList_GetBkColor(m_hImageList);
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, HandleOf(pbmImage), HandleOf(pbmMask));
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, HandleOf(pbmImage), crMask);
}

int CImageList::Add(HICON hIcon)
{
    return ImageList_AddIcon(m_hImageList, hIcon);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Replace(m_hImageList, nImage, HandleOf(pbmImage), HandleOf(pbmMask));
}

int CImageList::Replace(int nImage, HICON hIcon)
{
    return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon);
}

BOOL CImageList::Remove(int nImage)
{
    return ImageList_Remove(m_hImageList, nImage);
}

HICON CImageList::ExtractIcon(int nImage)
{
    return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    if (!pDC)
        return FALSE;
    return ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle)
{
    if (!pDC)
        return FALSE;
    return ImageList_DrawEx(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, sz.cx, sz.cy, clrBk, clrFg, nStyle);
}
