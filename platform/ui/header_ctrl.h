// CHeaderCtrl: the common header control ("SysHeader32").
#pragma once

#include "platform/ui/image_list.h"
#include "platform/ui/wnd.h"

class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    CHeaderCtrl();
    ~CHeaderCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
    BOOL GetItem(int nPos, HDITEMA* pHeaderItem) const
    {
        return static_cast<BOOL>(SendMessage(HDM_GETITEMA, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(pHeaderItem)));
    }
    BOOL SetItem(int nPos, const HDITEMA* pHeaderItem)
    {
        return static_cast<BOOL>(SendMessage(HDM_SETITEMA, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(pHeaderItem)));
    }
    int InsertItem(int nPos, const HDITEMA* phdi)
    {
        return static_cast<int>(SendMessage(HDM_INSERTITEMA, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(phdi)));
    }
    BOOL DeleteItem(int nPos) { return static_cast<BOOL>(SendMessage(HDM_DELETEITEM, static_cast<WPARAM>(nPos))); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const
    {
        return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
    }
    BOOL Layout(HDLAYOUT* pHeaderLayout) { return static_cast<BOOL>(SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(pHeaderLayout))); }
    int HitTest(HDHITTESTINFO* pHeaderHitTestInfo) const
    {
        return static_cast<int>(SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(pHeaderHitTestInfo)));
    }
    CImageList* SetImageList(CImageList* pImageList)
    {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(
            HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList ? pImageList->m_hImageList : nullptr))));
    }
    CImageList* GetImageList() const
    {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(HDM_GETIMAGELIST)));
    }

    // Owner-drawn items (HDF_OWNERDRAW).
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
