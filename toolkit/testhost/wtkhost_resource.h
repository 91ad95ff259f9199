// The toolkit test host's resource ids. Plain #defines: the resource script
// includes this file too.
//
// They keep clear of the framework's ids (platform/ui/framework_ids.h:
// 0xE000 and up, cursors 30980-30981) and of the 16000-17999 block that the
// toolkit's own resources use.
#pragma once

// The SDI frame: menu, accelerators and the title string "WtkHost\n...".
#define IDR_WTKHOST_SDI 200
// The SDI frame's toolbar: its layout and its button images.
#define IDR_WTKHOST_TOOLBAR 201
// The MDI frame: its own menu (with the Window popup), accelerators and the
// title string "WtkHost MDI", shown while no document window is open.
#define IDR_WTKHOST_MDI 202
// The MDI frame's documents: the menu and accelerators their windows share,
// and the document strings (document name "Host").
#define IDR_WTKHOST_MDI_DOC 203
// The resource type of toolbar layouts; the system headers define none.
#define WTKHOST_RT_TOOLBAR 241

// The host's own commands.
#define ID_WTKHOST_PING 0x8200
