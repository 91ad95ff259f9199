#include "platform/ui/message_box.h"

#include "platform/ui/app.h"
#include "platform/ui/wnd.h"

int AfxMessageBox(const char* text, UINT type, UINT nIDHelp)
{
    if (CWinApp* app = AfxGetApp())
        return app->DoMessageBox(text, type, nIDHelp);
    CWnd* owner = CWnd::GetSafeOwner();
    return ::MessageBoxA(owner ? owner->m_hWnd : nullptr, text, nullptr, type);
}

int AfxMessageBox(UINT nIDPrompt, UINT type, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, type, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}
