#include "platform/ui/document.h"

#include <string>

#include "platform/framework/archive.h"
#include "platform/framework/exception.h"
#include "platform/framework/file.h"
#include "platform/ui/doc_template.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/frame_wnd.h"
#include "platform/ui/message_box.h"
#include "platform/ui/view.h"

IMPLEMENT_DYNCREATE(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
END_MESSAGE_MAP()

CDocument::CDocument() : m_bAutoDelete(TRUE), m_pDocTemplate(nullptr), m_bModified(FALSE) {}

CDocument::~CDocument()
{
    // Views that outlive the document must not reach back into it.
    POSITION pos = m_viewList.GetHeadPosition();
    while (pos) {
        CView* view = static_cast<CView*>(m_viewList.GetNext(pos));
        view->m_pDocument = nullptr;
    }
    m_viewList.RemoveAll();
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle ? lpszTitle : "";
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL)
{
    m_strPathName = lpszPathName ? lpszPathName : "";
    std::string name(static_cast<const char*>(m_strPathName));
    const size_t separator = name.find_last_of("\\/:");
    if (separator != std::string::npos)
        name.erase(0, separator + 1);
    SetTitle(name.c_str());
}

BOOL CDocument::IsModified()
{
    return m_bModified;
}

void CDocument::SetModifiedFlag(BOOL bModified)
{
    m_bModified = bModified;
}

POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.GetHeadPosition();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::AddView(CView* pView)
{
    if (!pView || m_viewList.Find(pView))
        return;
    if (pView->m_pDocument && pView->m_pDocument != this)
        pView->m_pDocument->RemoveView(pView);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (!pos)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
    // A document that no view shows any more goes away.
    if (m_bAutoDelete && m_viewList.IsEmpty()) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    POSITION pos = GetFirstViewPosition();
    while (pos) {
        CView* view = GetNextView(pos);
        if (view != pSender)
            view->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::UpdateFrameCounts()
{
    POSITION pos = GetFirstViewPosition();
    while (pos) {
        CView* view = GetNextView(pos);
        if (!view->m_hWnd)
            continue;
        if (CFrameWnd* frame = view->GetParentFrame())
            frame->OnUpdateFrameTitle(TRUE);
    }
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName)
{
    CFile file;
    if (!lpszPathName || !file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    DeleteContents();
    try {
        CArchive archive(&file, CArchive::load);
        Serialize(archive);
        archive.Close();
    } catch (const CException&) {
        DeleteContents();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCSTR lpszPathName)
{
    if (!lpszPathName || !*lpszPathName)
        return FALSE;
    // The new contents go to a file of their own first: a failed save
    // leaves the old file as it was.
    const CString temporary = CString(lpszPathName) + ".tmp";
    {
        CFile file;
        if (!file.Open(temporary, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive))
            return FALSE;
        try {
            CArchive archive(&file, CArchive::store | CArchive::bNoFlushOnDelete);
            Serialize(archive);
            archive.Close();
            file.Close();
        } catch (const CException&) {
            file.Abort();
            ::DeleteFileA(temporary);
            return FALSE;
        }
    }
    if (!::MoveFileExA(temporary, lpszPathName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileA(temporary);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::DeleteContents() {}

void CDocument::OnCloseDocument()
{
    // Closing the frames removes the views; the last one would delete the
    // document in the middle of this: hold that until the end.
    const BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (POSITION pos = GetFirstViewPosition()) {
        CView* view = GetNextView(pos);
        CFrameWnd* frame = view->m_hWnd ? view->GetParentFrame() : nullptr;
        if (frame && frame->m_hWnd)
            frame->DestroyWindow();
        // A view without a frame (or one that stayed) leaves the list here.
        if (m_viewList.Find(view))
            RemoveView(view);
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame)
{
    // Only the last frame showing the document asks about its changes.
    POSITION pos = GetFirstViewPosition();
    while (pos) {
        CView* view = GetNextView(pos);
        if (view->m_hWnd && view->GetParentFrame() != pFrame)
            return TRUE;
    }
    return SaveModified();
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    if (name.IsEmpty())
        name = "Untitled";
    const CString prompt = "Save changes to " + name + "?";
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return DoFileSave();
    case IDNO:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDocument::DoFileSave()
{
    const DWORD attributes = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES
                                                      : ::GetFileAttributesA(m_strPathName);
    // A read-only file or a document that has no file yet: ask for a name.
    if (m_strPathName.IsEmpty() ||
        (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)))
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCSTR lpszPathName, BOOL bReplace)
{
    CString name = lpszPathName ? lpszPathName : "";
    if (name.IsEmpty()) {
        name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
        if (!DoPromptFileName(name))
            return FALSE;
    }
    if (!OnSaveDocument(name))
        return FALSE;
    if (bReplace)
        SetPathName(name);
    return TRUE;
}

BOOL CDocument::DoPromptFileName(CString& fileName)
{
    CString extension;
    if (m_pDocTemplate)
        m_pDocTemplate->GetDocString(extension, CDocTemplate::filterExt);
    if (!extension.IsEmpty() && extension[0] == '.')
        extension = extension.Mid(1);
    CFileDialog dialog(FALSE, extension.IsEmpty() ? nullptr : static_cast<LPCSTR>(extension), fileName,
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    fileName = dialog.GetPathName();
    return TRUE;
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

HMENU CDocument::GetDefaultMenu()
{
    return nullptr;
}

HACCEL CDocument::GetDefaultAccelerator()
{
    return nullptr;
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
