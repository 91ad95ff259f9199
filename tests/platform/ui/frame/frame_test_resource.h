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

// The MDI tests: the main frame's resource and the document kind's.
#define IDR_MDI_FRAME 140
#define IDR_PLAN_DOC 141
#define ID_VIEW_ONLY 0x8110
