#include "platform/ui/bitmap.h"

#include "platform/ui/app.h"
#include "platform/ui/dc.h"

IMPLEMENT_DYNCREATE(CBitmap, CGdiObject)

CBitmap::CBitmap() = default;

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap)
{
    return static_cast<CBitmap*>(FromHandleOfClass(hBitmap, RUNTIME_CLASS(CBitmap)));
}

BOOL CBitmap::LoadBitmap(LPCSTR lpszResourceName)
{
    HINSTANCE resources = AfxFindResourceHandle(lpszResourceName, reinterpret_cast<LPCSTR>(RT_BITMAP));
    return AttachCreated(::LoadBitmapA(resources, lpszResourceName));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return LoadBitmap(MAKEINTRESOURCEA(nIDResource));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return AttachCreated(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap)
{
    return AttachCreated(::CreateBitmapIndirect(lpBitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    if (!pDC || !pDC->m_hDC)
        return FALSE;
    return AttachCreated(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const
{
    return GetObject(sizeof(BITMAP), pBitMap);
}

DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits)
{
    return static_cast<DWORD>(::SetBitmapBits(static_cast<HBITMAP>(m_hObject), dwCount, lpBits));
}

DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const
{
    return static_cast<DWORD>(::GetBitmapBits(static_cast<HBITMAP>(m_hObject), static_cast<LONG>(dwCount), lpBits));
}
