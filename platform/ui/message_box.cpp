#include "platform/ui/message_box.h"

#include "platform/ui/app.h"
#include "platform/ui/wnd.h"

int AfxMessageBox(const char* text, UINT type)
{
    CWinApp* app = AfxGetApp();
    HWND owner = app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
    const char* caption = app ? app->GetAppName() : nullptr;
    return ::MessageBoxA(owner, text, caption, type);
}
