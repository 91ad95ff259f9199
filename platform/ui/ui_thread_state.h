// The window layer's state of one thread: which object stands for which
// window handle, the message being handled, the window being created and the
// thread's tooltip control. Windows belong to the thread that created them,
// and so do these tables; nothing here is shared between threads.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <unordered_map>
#include <vector>

class CDC;
class CGdiObject;
class CImageList;
class CMenu;
class CToolTipCtrl;
class CWinThread;
class CWnd;

struct UiThreadState {
    UiThreadState();
    ~UiThreadState();

    UiThreadState(const UiThreadState&) = delete;
    UiThreadState& operator=(const UiThreadState&) = delete;

    // Objects that own or subclass their window.
    std::unordered_map<HWND, CWnd*> permanentWindows;
    // Objects made for foreign windows, owned here until the next idle time.
    std::unordered_map<HWND, std::unique_ptr<CWnd>> temporaryWindows;
    std::unordered_map<HMENU, CMenu*> permanentMenus;
    std::unordered_map<HMENU, std::unique_ptr<CMenu>> temporaryMenus;
    // Objects made for device contexts, GDI objects and image lists that no
    // object owns (their owners are found in process-wide tables), freed at
    // the next idle time like the windows'.
    std::unordered_map<HDC, std::unique_ptr<CDC>> temporaryDCs;
    std::unordered_map<HGDIOBJ, std::unique_ptr<CGdiObject>> temporaryGdiObjects;
    // Temporary objects replaced by one of another kind for a reused handle.
    std::vector<std::unique_ptr<CGdiObject>> retiredGdiObjects;
    std::unordered_map<HIMAGELIST, std::unique_ptr<CImageList>> temporaryImageLists;

    // The message the innermost window procedure call handles.
    MSG currentMessage;

    // The object CreateEx is creating: the creation hook attaches it to the
    // first window the system creates for it.
    CWnd* creating;
    // Only a dialog box may take `creating` (property pages, whose creation
    // the property sheet starts).
    bool creatingDialogOnly;
    // Installed on first use and kept for the thread's life.
    HHOOK creationHook;
    // The property sheet whose window is being created, for its template hook.
    class CPropertySheet* creatingSheet;

    // The one tooltip control of the thread and the tool it shows.
    std::unique_ptr<CToolTipCtrl> toolTip;
    HWND toolOwner;
    UINT_PTR toolId;
    RECT toolRect;

    // The thread object running this thread's message loop, if any.
    CWinThread* thread;
};

UiThreadState& ThisUiThread();

// Makes wnd the object of the next window this thread creates (a dialog box
// only, with dialogOnly).
void ArmCreation(CWnd* wnd, bool dialogOnly);

// Arms the creation for one object for the duration of a creation call.
class CreationScope {
public:
    explicit CreationScope(CWnd* wnd);
    ~CreationScope();
    CreationScope(const CreationScope&) = delete;
    CreationScope& operator=(const CreationScope&) = delete;

private:
    UiThreadState& m_state;
    CWnd* m_previous;
    bool m_previousDialogOnly;
};

// Takes the thread tooltip's tool of a window (or of its children) away.
void ForgetToolsOfWindow(HWND hWnd);
