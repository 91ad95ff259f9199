// CImageList: an owned image list (destroyed with the object, or by
// DeleteImageList). FromHandle answers the owning object when there is one,
// else a temporary object of the thread that owns nothing and is freed at
// the thread's next idle time.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/framework/object.h"
#include "platform/ui/geometry.h"

class CBitmap;
class CDC;

class CImageList : public CObject {
    DECLARE_DYNCREATE(CImageList)
public:
    CImageList();
    ~CImageList() override;

    HIMAGELIST m_hImageList;

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

    static CImageList* FromHandle(HIMAGELIST hImageList);
    static void DeleteTempMap();
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    // nFlags: ILC_COLOR24, ILC_MASK...; FALSE when this object holds a list
    // already or the system refuses.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // A strip of images from a bitmap resource, cx wide each; crMask is the
    // transparent colour (CLR_NONE for none).
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(LPCSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);

    int GetImageCount() const;
    BOOL SetImageCount(UINT uNewCount);
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const;
    BOOL GetIconSize(int* cx, int* cy) const;
    COLORREF SetBkColor(COLORREF cr);
    COLORREF GetBkColor() const;

    // The index of the first image added, or -1. The bitmaps are copied;
    // they must not be selected into a device context.
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(HICON hIcon);
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    int Replace(int nImage, HICON hIcon);
    // -1 removes every image.
    BOOL Remove(int nImage);
    // A new icon the caller destroys.
    HICON ExtractIcon(int nImage);

    // nStyle: ILD_NORMAL, ILD_TRANSPARENT, ILD_SELECTED...
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    BOOL DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle);

private:
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    BOOL AttachCreated(HIMAGELIST hImageList);
};
