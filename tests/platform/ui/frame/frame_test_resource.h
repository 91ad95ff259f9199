#pragma once

// The test frame's resources: menu, accelerators, icon and strings.
#define IDR_TEST_FRAME 128
#define IDR_NO_ACCEL_FRAME 129

#define ID_TEST_COMMAND 0x8100
#define ID_DOC_ONLY 0x8101
#define ID_APP_ONLY 0x8102
#define ID_VIEW_AND_FRAME 0x8103
#define ID_NOBODY 0x8104
#define ID_NO_PROMPT 0x8105

// The test toolbar (its TOOLBAR and BITMAP share the id) and its commands;
// broken button lists for the refusals.
#define IDR_TEST_TOOLBAR 130
#define IDR_BAD_VERSION_TOOLBAR 131
#define IDR_SHORT_TOOLBAR 132
#define ID_TOOL_CHECKED 0x8106
#define ID_TOOL_DISABLED 0x8107

// The MDI tests: the main frame's resource and the document kind's.
#define IDR_MDI_FRAME 140
#define IDR_PLAN_DOC 141
#define ID_VIEW_ONLY 0x8110
