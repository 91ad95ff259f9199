// CSingleDocTemplate: one document at a time in the application's one frame.
#include "platform/ui/doc_template.h"

#include "platform/ui/app.h"
#include "platform/ui/document.h"
#include "platform/ui/frame_wnd.h"
#include "platform/ui/view.h"

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

namespace {

// The one position of the one document.
POSITION OnlyPosition(CDocument* document)
{
    return reinterpret_cast<POSITION>(document);
}

}  // namespace

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                                       const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_pOnlyDoc(nullptr)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc)
        m_pOnlyDoc->m_pDocTemplate = nullptr;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc ? OnlyPosition(m_pOnlyDoc) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* document = rPos ? m_pOnlyDoc : nullptr;
    rPos = nullptr;
    return document;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = nullptr;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (!GetDocString(title, docName) || title.IsEmpty())
        title = "Untitled";
    pDocument->SetTitle(title);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* document = m_pOnlyDoc;
    CFrameWnd* frame = nullptr;
    bool created = false;
    if (document) {
        // The one document is reused: its changes must be allowed to go.
        if (!document->SaveModified())
            return nullptr;
        POSITION pos = document->GetFirstViewPosition();
        if (pos) {
            CView* view = document->GetNextView(pos);
            frame = view->GetParentFrame();
        }
    } else {
        document = CreateNewDocument();
        if (!document)
            return nullptr;
        created = true;
    }
    if (!frame) {
        // The document must not delete itself while its first view comes.
        const BOOL autoDelete = document->m_bAutoDelete;
        document->m_bAutoDelete = FALSE;
        frame = CreateNewFrame(document, nullptr);
        document->m_bAutoDelete = autoDelete;
        if (!frame) {
            if (created)
                delete document;
            return nullptr;
        }
    }
    if (!lpszPathName) {
        SetDefaultTitle(document);
        if (!document->OnNewDocument()) {
            if (created)
                frame->DestroyWindow();
            return nullptr;
        }
    } else {
        if (!document->OnOpenDocument(lpszPathName)) {
            if (created)
                frame->DestroyWindow();
            return nullptr;
        }
        document->SetPathName(lpszPathName);
    }
    CWinThread* thread = AfxGetThread();
    if (created && thread && !thread->m_pMainWnd)
        thread->m_pMainWnd = frame;
    InitialUpdateFrame(frame, document, bMakeVisible);
    return document;
}
