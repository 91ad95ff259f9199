// The kinds that frames tell apart (splitter, OLE document and item, the
// in-place and container frames, the MDI kinds, the preview view), and the
// in-place frame's layout: its own bars around a pane that covers the
// item's place, the bars it puts into the container's frame.
#include <gtest/gtest.h>

#include <memory>

#include "frame_fixture.h"
#include "platform/ui/doc_template_multi.h"
#include "platform/ui/mdi_child_wnd.h"
#include "platform/ui/mdi_frame_wnd.h"
#include "platform/ui/ole_client_item.h"
#include "platform/ui/ole_document.h"
#include "platform/ui/ole_frame_wnd.h"
#include "platform/ui/preview_view.h"
#include "platform/ui/splitter_wnd.h"

namespace {

TEST(FrameworkKinds, RunTimeClassesNameTheirClassAndBase)
{
    struct Case {
        const CRuntimeClass* cls;
        const char* name;
        const CRuntimeClass* base;
        const CRuntimeClass* notA;
    };
    const Case cases[] = {
        {RUNTIME_CLASS(CSplitterWnd), "CSplitterWnd", RUNTIME_CLASS(CWnd), RUNTIME_CLASS(CView)},
        {RUNTIME_CLASS(COleDocument), "COleDocument", RUNTIME_CLASS(CDocument), RUNTIME_CLASS(CWnd)},
        {RUNTIME_CLASS(COleClientItem), "COleClientItem", RUNTIME_CLASS(CCmdTarget), RUNTIME_CLASS(CDocument)},
        {RUNTIME_CLASS(COleIPFrameWnd), "COleIPFrameWnd", RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(CMDIFrameWnd)},
        {RUNTIME_CLASS(COleDocIPFrameWnd), "COleDocIPFrameWnd", RUNTIME_CLASS(COleIPFrameWnd),
         RUNTIME_CLASS(COleCntrFrameWnd)},
        {RUNTIME_CLASS(COleCntrFrameWnd), "COleCntrFrameWnd", RUNTIME_CLASS(CFrameWnd),
         RUNTIME_CLASS(COleIPFrameWnd)},
        {RUNTIME_CLASS(CMDIFrameWnd), "CMDIFrameWnd", RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(CMDIChildWnd)},
        {RUNTIME_CLASS(CMDIChildWnd), "CMDIChildWnd", RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(CMDIFrameWnd)},
        {RUNTIME_CLASS(CMultiDocTemplate), "CMultiDocTemplate", RUNTIME_CLASS(CDocTemplate),
         RUNTIME_CLASS(CSingleDocTemplate)},
        {RUNTIME_CLASS(CPreviewView), "CPreviewView", RUNTIME_CLASS(CView), RUNTIME_CLASS(CFrameWnd)},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(c.cls->m_lpszClassName, c.name);
        EXPECT_TRUE(c.cls->IsDerivedFrom(c.base)) << c.name;
        EXPECT_FALSE(c.cls->IsDerivedFrom(c.notA)) << c.name;
    }
    // The kinds a frame makes by name are made as themselves.
    const CRuntimeClass* creatable[] = {RUNTIME_CLASS(CSplitterWnd), RUNTIME_CLASS(COleDocument),
                                        RUNTIME_CLASS(COleIPFrameWnd), RUNTIME_CLASS(COleDocIPFrameWnd),
                                        RUNTIME_CLASS(CMDIFrameWnd), RUNTIME_CLASS(CMDIChildWnd),
                                        RUNTIME_CLASS(CPreviewView)};
    for (const CRuntimeClass* cls : creatable) {
        std::unique_ptr<CObject> object(cls->CreateObject());
        ASSERT_NE(object, nullptr) << cls->m_lpszClassName;
        EXPECT_EQ(object->GetRuntimeClass(), cls);
    }
}

TEST(FrameworkKinds, OleDocumentHasNoInPlaceActiveItem)
{
    COleDocument document;
    document.m_bAutoDelete = FALSE;
    EXPECT_EQ(document.GetInPlaceActiveItem(nullptr), nullptr);
    CWnd anyWindow;
    EXPECT_EQ(document.GetInPlaceActiveItem(&anyWindow), nullptr);
    COleClientItem item(&document);
    EXPECT_EQ(item.GetDocument(), &document);
    EXPECT_EQ(item.GetInPlaceWindow(), nullptr);
}

TEST(FrameworkKinds, SplitterIsMadeAsAFramesPane)
{
    CFrameWnd* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Splitter", WS_OVERLAPPEDWINDOW, CRect(40, 40, 340, 240)));
    FrameHolder holder(frame);
    CSplitterWnd* splitter = new CSplitterWnd;
    EXPECT_FALSE(splitter->CreateStatic(frame, 0, 1));
    EXPECT_FALSE(splitter->CreateStatic(frame, 1, 17));
    ASSERT_TRUE(splitter->CreateStatic(frame, 2, 1));
    EXPECT_EQ(splitter->GetRowCount(), 2);
    EXPECT_EQ(splitter->GetColumnCount(), 1);
    CWnd* pane = frame->GetDlgItem(AFX_IDW_PANE_FIRST);
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(pane->IsKindOf(RUNTIME_CLASS(CSplitterWnd)));
    splitter->DestroyWindow();
    delete splitter;
}

// ---- The in-place layout --------------------------------------------------------------

// An in-place frame with a 20-pixel bar along its top, which puts a
// 24-pixel bar at the top of the container's main frame and a 16-pixel one
// at the left of its document frame.
class ItemFrame : public COleDocIPFrameWnd {
public:
    SideBar ownBar{20};
    SideBar* frameBar = nullptr;
    SideBar* docBar = nullptr;
    int calls = 0;

    BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc) override
    {
        ++calls;
        if (pWndFrame) {
            frameBar = new SideBar(24);
            frameBar->m_bAutoDelete = TRUE;
            if (!frameBar->CreateAt(pWndFrame, CBRS_ALIGN_TOP, AFX_IDW_TOOLBAR))
                return FALSE;
        }
        if (pWndDoc) {
            docBar = new SideBar(16);
            docBar->m_bAutoDelete = TRUE;
            if (!docBar->CreateAt(pWndDoc, CBRS_ALIGN_LEFT, AFX_IDW_TOOLBAR + 1))
                return FALSE;
        }
        return TRUE;
    }
};

TEST(InPlaceFrame, PaneCoversTheItemsPlaceAndBarsGoAroundItAndIntoTheContainer)
{
    // The container: a main window, not ours (another program's), whose
    // child is a document window.
    struct Window {
        HWND hWnd;
        ~Window() { if (::IsWindow(hWnd)) ::DestroyWindow(hWnd); }
    } containerWindow{::CreateWindowExA(0, "STATIC", "Container", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 500,
                                        400, nullptr, nullptr, nullptr, nullptr)};
    ASSERT_NE(containerWindow.hWnd, nullptr);
    CWnd* container = CWnd::FromHandle(containerWindow.hWnd);
    HWND documentWindow = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300,
                                            containerWindow.hWnd, nullptr, nullptr, nullptr);
    ASSERT_NE(documentWindow, nullptr);

    ItemFrame* item = new ItemFrame;
    ASSERT_TRUE(item->Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, CRect(0, 0, 10, 10), container));
    ASSERT_TRUE(item->ownBar.CreateAt(item, CBRS_ALIGN_TOP, AFX_IDW_TOOLBAR));
    CWnd* pane = new CWnd;
    ASSERT_TRUE(pane->CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), item, AFX_IDW_PANE_FIRST));

    // The item's place, and a clip that leaves its right part out.
    const CRect position(100, 120, 300, 270);
    const CRect clip(0, 0, 250, 400);
    item->RepositionFrame(&position, &clip);
    CRect paneRect;
    pane->GetWindowRect(&paneRect);
    ::MapWindowPoints(nullptr, containerWindow.hWnd, reinterpret_cast<POINT*>(&paneRect), 2);
    EXPECT_EQ(paneRect, position);
    CRect barRect = item->ownBar.RectInParent();
    EXPECT_EQ(barRect, CRect(0, 0, position.Width(), 20));
    CRect frameRect;
    item->GetWindowRect(&frameRect);
    ::MapWindowPoints(nullptr, containerWindow.hWnd, reinterpret_cast<POINT*>(&frameRect), 2);
    EXPECT_EQ(frameRect.top, position.top - 20);
    RECT shown;
    ASSERT_EQ(::GetWindowRgnBox(item->m_hWnd, &shown), SIMPLEREGION);
    EXPECT_EQ(shown.right, clip.right - frameRect.left);
    EXPECT_EQ(item->m_rectPos, position);
    EXPECT_EQ(item->m_rectClip, clip);

    // Bars put into the container's frames are laid out with the in-place
    // frame's layout; each container frame records the border they take.
    ASSERT_TRUE(item->SetContainerFrames(containerWindow.hWnd, documentWindow));
    EXPECT_EQ(item->calls, 1);
    ASSERT_NE(item->m_pMainFrame, nullptr);
    ASSERT_NE(item->m_pDocFrame, nullptr);
    EXPECT_TRUE(item->m_pMainFrame->IsKindOf(RUNTIME_CLASS(COleCntrFrameWnd)));
    EXPECT_EQ(item->m_pMainFrame->m_pInPlaceFrame, item);
    EXPECT_EQ(item->m_pMainFrame->GetBorderSpace(), CRect(0, 24, 0, 0));
    EXPECT_EQ(item->m_pDocFrame->GetBorderSpace(), CRect(16, 0, 0, 0));
    CRect containerClient;
    ::GetClientRect(containerWindow.hWnd, &containerClient);
    EXPECT_EQ(item->frameBar->RectInParent(), CRect(0, 0, containerClient.right, 24));
    EXPECT_EQ(item->docBar->RectInParent(), CRect(0, 0, 16, 300));
    // The container's own windows keep their places.
    CRect documentRect;
    ::GetWindowRect(documentWindow, &documentRect);
    ::MapWindowPoints(nullptr, containerWindow.hWnd, reinterpret_cast<POINT*>(&documentRect), 2);
    EXPECT_EQ(documentRect, CRect(0, 0, 400, 300));

    // The in-place session ends with the frame: its bars in the container
    // go, the container's windows stay.
    HWND frameBarWindow = item->frameBar->m_hWnd;
    item->DestroyWindow();
    EXPECT_FALSE(::IsWindow(frameBarWindow));
    EXPECT_TRUE(::IsWindow(containerWindow.hWnd));
    EXPECT_TRUE(::IsWindow(documentWindow));
    EXPECT_EQ(CWnd::FromHandlePermanent(containerWindow.hWnd), nullptr);
    delete pane;
}

}  // namespace
