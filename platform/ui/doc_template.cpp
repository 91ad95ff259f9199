#include "platform/ui/doc_template.h"

#include "platform/ui/app.h"
#include "platform/ui/document.h"
#include "platform/ui/frame_wnd.h"
#include "platform/ui/view.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                           const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource),
      m_hMenuShared(nullptr),
      m_hAccelTable(nullptr),
      m_pDocClass(pDocClass),
      m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass)
{
}

CDocTemplate::~CDocTemplate()
{
    if (m_hMenuShared)
        ::DestroyMenu(m_hMenuShared);
}

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty())
        m_strDocStrings.LoadString(m_nIDResource);
    // Frames of single documents load the resource's menu and accelerators
    // themselves; the shared copies serve frames that change menus.
    LPCSTR name = MAKEINTRESOURCEA(m_nIDResource);
    if (!m_hMenuShared) {
        HINSTANCE module = AfxFindResourceHandle(name, RT_MENU);
        if (::FindResourceA(module, name, RT_MENU))
            m_hMenuShared = ::LoadMenuA(module, name);
    }
    if (!m_hAccelTable) {
        HINSTANCE module = AfxFindResourceHandle(name, RT_ACCELERATOR);
        if (::FindResourceA(module, name, RT_ACCELERATOR))
            m_hAccelTable = ::LoadAcceleratorsA(module, name);
    }
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    rString.Empty();
    const CString& all = m_strDocStrings;
    int start = 0;
    for (int part = 0; part < static_cast<int>(index); ++part) {
        const int newline = all.Find('\n', start);
        if (newline < 0)
            return FALSE;
        start = newline + 1;
    }
    const int end = all.Find('\n', start);
    rString = end < 0 ? all.Mid(start) : all.Mid(start, end - start);
    return !rString.IsEmpty();
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (!m_pDocClass)
        return nullptr;
    CObject* object = m_pDocClass->CreateObject();
    CDocument* document = dynamic_cast<CDocument*>(object);
    if (!document) {
        delete object;
        return nullptr;
    }
    AddDocument(document);
    return document;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    if (!m_pFrameClass)
        return nullptr;
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CObject* object = m_pFrameClass->CreateObject();
    CFrameWnd* frame = dynamic_cast<CFrameWnd*>(object);
    if (!frame) {
        delete object;
        return nullptr;
    }
    // A frame that fails to load has deleted itself.
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    POSITION pos = GetFirstDocPosition();
    while (pos) {
        CDocument* document = GetNextDoc(pos);
        document->OnCloseDocument();
    }
}

BOOL CDocTemplate::SaveAllModified()
{
    POSITION pos = GetFirstDocPosition();
    while (pos) {
        CDocument* document = GetNextDoc(pos);
        if (!document->SaveModified())
            return FALSE;
    }
    return TRUE;
}
