// The framework's numbers that windows, bars and resource scripts share: its
// private window messages, the style bits of bars, toolbar buttons and status
// panes, the layout modes of bars, the standard control and command ids and
// the ids of the framework's own resources.
//
// Plain #defines only: resource scripts include this file too. Values that
// stored layouts, peers or the toolkit rely on are the established ones; the
// framework's remaining private messages lie in 0x0360-0x037F.
#pragma once

// ---------------------------------------------------------------------------
// Private window messages
// ---------------------------------------------------------------------------
// wParam: bStretch; lParam: the layout parameters of a frame's RepositionBars.
#define WM_SIZEPARENT 0x0361
// wParam: a string id, or 0 with lParam the text itself; shown in the status line.
#define WM_SETMESSAGESTRING 0x0362
// wParam: bDisableIfNoHandler. Sent at idle time to update the command states.
#define WM_IDLEUPDATECMDUI 0x0363
// Sent to a view and its frame once the document is attached.
#define WM_INITIALUPDATE 0x0364
// lParam: the help context; non-zero answer when the window gave help.
#define WM_COMMANDHELP 0x0365
// lParam: a client point; answers the help context of what lies there.
#define WM_HELPHITTEST 0x0366
// Ends the context-help mode of a frame.
#define WM_EXITHELPMODE 0x0367
// Asks the parent frame to lay out its bars again.
#define WM_RECALCPARENT 0x0368
// Sent by a frame to an embedded child that changes its size.
#define WM_SIZECHILD 0x0369
// wParam: the message filter (MSGF_DIALOGBOX); lParam: the idle count.
// Sent by a modal loop while it has nothing to do; non-zero asks for more.
#define WM_KICKIDLE 0x036A
// Answers the window that a dialog box centres itself on.
#define WM_QUERYCENTERWND 0x036B
// Asks a window whether a modal state may leave it disabled.
#define WM_DISABLEMODAL 0x036C
// wParam: FS_ flags. Keeps floating windows in step with their frame.
#define WM_FLOATSTATUS 0x036D
// wParam: the id of the prompt to restore after a menu closes.
#define WM_POPMESSAGESTRING 0x0375

// Reflected messages: a control receives its parent's notification as this
// base plus the message (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR...).
#define WM_REFLECT_BASE 0xBC00

// WM_FLOATSTATUS flags.
#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40

// ---------------------------------------------------------------------------
// CWnd::m_nFlags
// ---------------------------------------------------------------------------
#define WF_TOOLTIPS 0x0001        // the window asks for tooltips from OnToolHitTest
#define WF_TEMPHIDE 0x0002        // hidden for the time being by its frame
#define WF_STAYDISABLED 0x0004    // left disabled when a modal state ends
#define WF_MODALLOOP 0x0008       // runs a modal loop
#define WF_CONTINUEMODAL 0x0010   // its modal loop goes on
#define WF_STAYACTIVE 0x0020      // keeps its caption active
#define WF_NOPOPMSG 0x0040        // no WM_POPMESSAGESTRING after menus
#define WF_MODALDISABLE 0x0080    // disabled by a modal state
#define WF_KEEPMINIACTIVE 0x0100  // mini frames stay active with it

// ---------------------------------------------------------------------------
// Control-bar styles (CBRS_)
// ---------------------------------------------------------------------------
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L

#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L

#define CBRS_FLOATING 0x0001L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_GRIPPER 0x00400000L

#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL

#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// ---------------------------------------------------------------------------
// Toolbar button styles (TBBS_): the common toolbar's style in the low word,
// its state shifted into the high word.
// ---------------------------------------------------------------------------
#define TBBS_BUTTON 0x0000L
#define TBBS_SEPARATOR 0x0001L
#define TBBS_CHECKBOX 0x0002L
#define TBBS_GROUP 0x0004L
#define TBBS_CHECKGROUP (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_CHECKED 0x00010000L
#define TBBS_PRESSED 0x00020000L
#define TBBS_DISABLED 0x00040000L
#define TBBS_HIDDEN 0x00080000L
#define TBBS_INDETERMINATE 0x00100000L
#define TBBS_WRAPPED 0x00200000L

// ---------------------------------------------------------------------------
// Status-bar pane styles (SBPS_)
// ---------------------------------------------------------------------------
#define SBPS_NORMAL 0x00000000L
#define SBPS_NOBORDERS 0x00000100L
#define SBPS_POPOUT 0x00000200L
#define SBPS_OWNERDRAW 0x00001000L
#define SBPS_DISABLED 0x04000000L
#define SBPS_STRETCH 0x08000000L

// ---------------------------------------------------------------------------
// Layout modes of a bar's dynamic size (LM_)
// ---------------------------------------------------------------------------
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40

// ---------------------------------------------------------------------------
// Standard control ids of frames and bars
// ---------------------------------------------------------------------------
#define AFX_IDW_TOOLBAR 0xE800           // 59392
#define AFX_IDW_STATUS_BAR 0xE801        // 59393
#define AFX_IDW_PREVIEW_BAR 0xE802
#define AFX_IDW_RESIZE_BAR 0xE803
#define AFX_IDW_REBAR 0xE804             // 59396
#define AFX_IDW_DIALOGBAR 0xE805
#define AFX_IDW_DOCKBAR_TOP 0xE81B       // 59419
#define AFX_IDW_DOCKBAR_LEFT 0xE81C      // 59420
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D     // 59421
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E    // 59422
#define AFX_IDW_DOCKBAR_FLOAT 0xE81F
#define AFX_IDW_PANE_FIRST 0xE900        // 59648
#define AFX_IDW_PANE_LAST 0xE9FF
#define AFX_IDW_HSCROLL_FIRST 0xEA00
#define AFX_IDW_VSCROLL_FIRST 0xEA10
#define AFX_IDW_SIZE_BOX 0xEA20
#define AFX_IDW_PANE_SAVE 0xEA21

// ---------------------------------------------------------------------------
// Standard commands
// ---------------------------------------------------------------------------
#define ID_FILE_NEW 0xE100               // 57600
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_FILE_PAGE_SETUP 0xE105
#define ID_FILE_PRINT_SETUP 0xE106
#define ID_FILE_PRINT 0xE107             // 57607
#define ID_FILE_PRINT_DIRECT 0xE108
#define ID_FILE_PRINT_PREVIEW 0xE109
#define ID_FILE_MRU_FILE1 0xE110         // the recent-file list: 0xE110-0xE11F
#define ID_FILE_MRU_LAST 0xE11F

#define ID_EDIT_CLEAR 0xE120
#define ID_EDIT_CLEAR_ALL 0xE121
#define ID_EDIT_COPY 0xE122              // 57634
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_FIND 0xE124
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_REPEAT 0xE128
#define ID_EDIT_REPLACE 0xE129
#define ID_EDIT_SELECT_ALL 0xE12A
#define ID_EDIT_UNDO 0xE12B
#define ID_EDIT_REDO 0xE12C

#define ID_WINDOW_NEW 0xE130             // 57648; window commands 0xE130-0xE13F
#define ID_WINDOW_ARRANGE 0xE131
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
#define ID_WINDOW_TILE_VERT 0xE134
#define ID_WINDOW_SPLIT 0xE135

#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141               // 57665
#define ID_HELP_INDEX 0xE142
#define ID_HELP_FINDER 0xE143            // 57667
#define ID_HELP_USING 0xE144             // 57668
#define ID_CONTEXT_HELP 0xE145           // 57669
#define ID_HELP 0xE146                   // 57670
#define ID_DEFAULT_HELP 0xE147           // 57671

#define ID_NEXT_PANE 0xE150
#define ID_PREV_PANE 0xE151

#define ID_VIEW_TOOLBAR AFX_IDW_TOOLBAR
#define ID_VIEW_STATUS_BAR AFX_IDW_STATUS_BAR
#define ID_VIEW_REBAR AFX_IDW_REBAR

#define ID_INDICATOR_EXT 0xE700
#define ID_INDICATOR_CAPS 0xE701
#define ID_INDICATOR_NUM 0xE702
#define ID_INDICATOR_SCRL 0xE703
#define ID_INDICATOR_OVR 0xE704
#define ID_INDICATOR_REC 0xE705

#define AFX_ID_PREVIEW_CLOSE 0xE300      // 58112
#define AFX_ID_PREVIEW_NUMPAGE 0xE301    // 58113
#define AFX_ID_PREVIEW_ZOOMIN 0xE304     // 58116

// Command ids below this are commands of menus and bars; higher ids belong
// to the system (0xF000 on) and to child windows of MDI frames (0xFF00 on).
#define AFX_FIRST_SYSTEM_COMMAND 0xF000
#define AFX_IDM_FIRST_MDICHILD 0xFF00

// ---------------------------------------------------------------------------
// The framework's own resources (platform/ui/framework.rc)
// ---------------------------------------------------------------------------
// A program's own title; the application's name when the program has it.
#define AFX_IDS_APP_TITLE 0xE000
// The status line's text when nothing else is shown: "Ready".
#define AFX_IDS_IDLEMESSAGE 0xE001       // 57345
#define AFX_IDS_HELPMODEMESSAGE 0xE002
// Prompts of the system commands: AFX_IDS_SCFIRST + ((id - 0xF000) >> 4).
#define AFX_IDS_SCFIRST 0xEF00
#define AFX_IDS_MDICHILD 0xEF1F

// Cursors of splitters and sliders.
#define AFX_IDC_VSPLITBAR 30980
#define AFX_IDC_HSPLITBAR 30981

// Prompts of data exchange. %1 and %2 stand for the limits.
#define AFX_IDP_PARSE_INT 0xF110
#define AFX_IDP_PARSE_REAL 0xF111
#define AFX_IDP_PARSE_INT_RANGE 0xF112
#define AFX_IDP_PARSE_REAL_RANGE 0xF113
#define AFX_IDP_PARSE_STRING_SIZE 0xF114
#define AFX_IDP_PARSE_RADIO_BUTTON 0xF115
#define AFX_IDP_PARSE_BYTE 0xF116
#define AFX_IDP_PARSE_UINT 0xF117
#define AFX_IDP_COMMAND_FAILURE 0xF118

// ---------------------------------------------------------------------------
// Frame and mini-frame window styles (low word of a top-level window's style)
// ---------------------------------------------------------------------------
#define FWS_ADDTOTITLE 0x00008000L   // the document's title joins the frame's
#define FWS_PREFIXTITLE 0x00004000L  // the document's title comes first
#define FWS_SNAPTOBARS 0x00002000L   // the frame shrinks to its floating bar
#define MFS_SYNCACTIVE 0x00000100L   // the mini frame's caption follows its frame's
#define MFS_4THICKFRAME 0x00000200L  // no resizing corners
#define MFS_THICKFRAME 0x00000400L   // resizable
#define MFS_MOVEFRAME 0x00000800L    // moved by dragging its border
#define MFS_BLOCKSYSMENU 0x00001000L // the caption's system menu does not open

// ---------------------------------------------------------------------------
// Help contexts: the base added to the id of what help is asked for
// ---------------------------------------------------------------------------
#define HID_BASE_COMMAND 0x00010000UL   // a command (menu item, bar button)
#define HID_BASE_RESOURCE 0x00020000UL  // a frame, dialog or other resource
#define HID_BASE_PROMPT 0x00030000UL    // a message-box prompt
#define HID_BASE_NCAREAS 0x00040000UL   // a non-client area (HT* code)
#define HID_BASE_CONTROL 0x00050000UL   // a control of a dialog or bar

// ---------------------------------------------------------------------------
// Toolbars
// ---------------------------------------------------------------------------
// The command id of a separator in a toolbar's button list.
#define ID_SEPARATOR 0
// The resource type of a toolbar's button list.
#define RT_TOOLBAR MAKEINTRESOURCE(241)

// ---------------------------------------------------------------------------
// Print preview: paging through the previewed pages
// ---------------------------------------------------------------------------
#define AFX_ID_PREVIEW_NEXT 0xE302       // 58114
#define AFX_ID_PREVIEW_PREV 0xE303       // 58115
