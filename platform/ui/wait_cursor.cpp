#include "platform/ui/wait_cursor.h"

#include "platform/ui/app.h"

namespace {

// The cursor belongs to the thread that shows it: the user-interface thread.
int g_depth = 0;
HCURSOR g_before = nullptr;

}  // namespace

void DoWaitCursor(int nCode)
{
    if (nCode > 0) {
        HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
        if (g_depth++ == 0)
            g_before = previous;
        return;
    }
    if (nCode < 0) {
        if (g_depth == 0)
            return;
        if (--g_depth == 0) {
            ::SetCursor(g_before ? g_before : ::LoadCursorA(nullptr, IDC_ARROW));
            g_before = nullptr;
        }
        return;
    }
    if (g_depth > 0)
        ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
}

int WaitCursorDepth()
{
    return g_depth;
}

void ApplicationWaitCursor(int nCode)
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(nCode);
    else
        DoWaitCursor(nCode);
}

CWaitCursor::CWaitCursor()
{
    ApplicationWaitCursor(1);
}

CWaitCursor::~CWaitCursor()
{
    ApplicationWaitCursor(-1);
}

void CWaitCursor::Restore()
{
    ApplicationWaitCursor(0);
}
