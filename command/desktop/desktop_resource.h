// Resource identifiers of the desktop commands' dialogs. The numbers are
// fixed: the component's resource script includes desktop_dialogs.rc.
#pragma once

// "Message Display": the message and an OK button (IDOK).
#define IDD_MESSAGE_DISPLAY 102
#define IDC_MESSAGE_TEXT 1001

// "Prompt": the prompt, the answer field, OK (IDOK) and Cancel (IDCANCEL).
#define IDD_PROMPT 201
#define IDC_PROMPT_TEXT 1001
#define IDC_PROMPT_ANSWER 1000
