// CBitmap: an owned bitmap (see CGdiObject).
#pragma once

#include "platform/ui/gdi_object.h"

class CDC;

class CBitmap : public CGdiObject {
    DECLARE_DYNCREATE(CBitmap)
public:
    CBitmap();

    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    static CBitmap* FromHandle(HBITMAP hBitmap);

    // From the resources (AfxFindResourceHandle).
    BOOL LoadBitmap(LPCSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource);
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
    BOOL CreateBitmapIndirect(LPBITMAP lpBitmap);
    // A bitmap of the device's format, as for drawing off screen.
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) const;
    DWORD SetBitmapBits(DWORD dwCount, const void* lpBits);
    DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const;
};
