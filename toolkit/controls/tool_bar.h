// CWtkToolBar: the toolkit's toolbar, and the state that all toolbars share
// (the list of live toolbars, customise mode, menu image size, the text
// colour of highlighted buttons).
#pragma once

#include "platform/framework/oblist.h"
#include "platform/ui/geometry.h"
#include "toolkit/controls/base_tool_bar.h"

// Asks a frame for the bars' context menu (wParam: the window clicked,
// lParam: the screen point); "WTKTOOLBAR_POPUPMENU".
extern const UINT WTKMSG_TOOLBAR_POPUPMENU;

class CWtkToolBar : public CWtkBaseToolBar {
    DECLARE_DYNAMIC(CWtkToolBar)
public:
    CWtkToolBar();
    ~CWtkToolBar() override;

    // Every live toolbar, the menu bar included, in creation order.
    static CObList& AllToolbars();

    static BOOL IsCustomizeMode() { return s_bCustomizeMode; }
    static void SetCustomizeMode(BOOL bCustomize) { s_bCustomizeMode = bCustomize; }

    // The size of menu images: the toolbar image size while no menu size
    // was set.
    static CSize GetMenuImageSize();
    static void SetMenuImageSize(CSize size) { s_sizeMenuImage = size; }

    // The text colour of highlighted buttons: the button text colour unless
    // one was configured.
    static COLORREF GetHotTextColor();
    static void SetHotTextColor(COLORREF color) { s_clrHotText = color; }

    // Frees what the toolbars share.
    static void CleanUpStatics();

private:
    static BOOL s_bCustomizeMode;
    static CSize s_sizeImage;
    static CSize s_sizeMenuImage;
    static COLORREF s_clrHotText;
};
