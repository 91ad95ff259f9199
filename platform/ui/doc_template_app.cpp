// CWinApp: its document templates and the shell command of its start.
#include "platform/ui/app.h"

#include "platform/ui/command_line_info.h"
#include "platform/ui/doc_template.h"
#include "platform/ui/document.h"

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (!pTemplate)
        return;
    pTemplate->LoadTemplate();
    m_docTemplates.Add(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_docTemplates.GetFirstPosition();
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& rPos) const
{
    return m_docTemplates.GetNext(rPos);
}

void CWinApp::OnFileNew()
{
    POSITION pos = GetFirstDocTemplatePosition();
    if (pos)
        GetNextDocTemplate(pos)->OpenDocumentFile(nullptr);
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName)
{
    POSITION pos = GetFirstDocTemplatePosition();
    return pos ? GetNextDocTemplate(pos)->OpenDocumentFile(lpszFileName) : nullptr;
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew: {
        POSITION pos = GetFirstDocTemplatePosition();
        if (!pos)
            return FALSE;
        return GetNextDocTemplate(pos)->OpenDocumentFile(nullptr) != nullptr;
    }
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    default:
        return TRUE;
    }
}

BOOL CWinApp::SaveAllModified()
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos) {
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}
