// CWtkSlider: the thin window that separates docked bars and resizes them
// when dragged. A default slider stands along the inner edge of a docked
// area and lays out every bar of that area through its container manager.
#pragma once

#include "toolkit/foundation/base_control_bar.h"

class CWtkBarContainerManager;

class CWtkSlider : public CWtkBaseControlBar {
    DECLARE_DYNAMIC(CWtkSlider)
public:
    explicit CWtkSlider(BOOL bDefaultSlider = FALSE, CWnd* pOwner = nullptr);
    ~CWtkSlider() override;

    BOOL IsDefault() const { return m_bDefaultSlider; }
    // The manager of the bars behind a default slider; the owning manager
    // of an inner slider.
    CWtkBarContainerManager* GetContainerManager() const { return m_pContainerManager; }

    // The thickness of the sliders that inserting a bar next to another
    // makes.
    static int m_nDefaultWidth;

protected:
    BOOL m_bDefaultSlider;
    CWnd* m_pOwner;
    CWtkBarContainerManager* m_pContainerManager = nullptr;
};
