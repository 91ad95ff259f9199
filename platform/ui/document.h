// CDocument: the data a program shows in its views. It knows its title and
// file, whether it changed since it was saved, its views and the template
// that made it; commands its views do not handle reach it and then its
// template. A document made by a template deletes itself when its last view
// goes (m_bAutoDelete).
#pragma once

#include <windows.h>

#include "platform/framework/position.h"
#include "platform/framework/ptrlist.h"
#include "platform/framework/string.h"
#include "platform/ui/cmd_target.h"

class CDocTemplate;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNCREATE(CDocument)
public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    // Also retitles the frames that show the document.
    virtual void SetTitle(LPCSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // The path becomes the title's file name part.
    virtual void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL bModified = TRUE);

    // ---- Views ----------------------------------------------------------------------
    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& rPosition) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // Tells every view but pSender (OnUpdate).
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

    // ---- Life --------------------------------------------------------------------------
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
    // Writes the document to the file through Serialize; FALSE (nothing
    // lost: the old file is replaced only by a complete new one) on failure.
    virtual BOOL OnSaveDocument(LPCSTR lpszPathName);
    // Closes the frames that show the document, then deletes it when it
    // deletes itself.
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    // Asks whether unsaved changes may go: TRUE to go on (saved or
    // dropped), FALSE to stop.
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // Saves under the document's path, or asks for one first.
    BOOL DoFileSave();
    // Saves under lpszPathName, or asks for a name when it is null;
    // bReplace makes it the document's path.
    virtual BOOL DoSave(LPCSTR lpszPathName, BOOL bReplace = TRUE);
    // The name to save under, chosen by the user; FALSE when cancelled.
    virtual BOOL DoPromptFileName(CString& fileName);

    virtual HMENU GetDefaultMenu();
    virtual HACCEL GetDefaultAccelerator();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Retitles every frame of the document.
    void UpdateFrameCounts();

    BOOL m_bAutoDelete;
    CDocTemplate* m_pDocTemplate;

protected:
    // Called after a view was added or removed.
    virtual void OnChangedViewList();

    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified;
    CPtrList m_viewList;

    void OnFileSave();
    DECLARE_MESSAGE_MAP()
};
