// CDocTemplate: how a kind of document is made and shown: the document,
// frame and view classes and one resource id, whose string holds the
// document's names separated by "\n" (window title, new-document name,
// file filter name, extension, registry id, registry name), and whose menu
// and accelerators the frames of such documents share.
//
// CSingleDocTemplate: one document at a time in the one frame.
#pragma once

#include <windows.h>

#include "platform/framework/position.h"
#include "platform/framework/string.h"
#include "platform/ui/cmd_target.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    enum DocStringIndex {
        windowTitle = 0,
        docName = 1,
        fileNewName = 2,
        filterName = 3,
        filterExt = 4,
        regFileTypeId = 5,
        regFileTypeName = 6,
    };

    ~CDocTemplate() override;

    // Loads the resource's string, menu and accelerators (done when the
    // application takes the template).
    virtual void LoadTemplate();
    // The part of the resource's string at that index; FALSE (and empty)
    // when it has none.
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    virtual CDocument* CreateNewDocument();
    // A frame for the document (pOther: the frame of another view of it);
    // null on failure (the frame object is gone then).
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    // A new document (null path) or the file's; null on failure.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    // Closes every document; with bEndSession no document is asked anything.
    virtual void CloseAllDocuments(BOOL bEndSession);
    // Asks every modified document whether its changes may go.
    virtual BOOL SaveAllModified();

    UINT m_nIDResource;
    HMENU m_hMenuShared;
    HACCEL m_hAccelTable;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;

protected:
    CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                 const CRuntimeClass* pViewClass);
};

class CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                       const CRuntimeClass* pViewClass);
    ~CSingleDocTemplate() override;

    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* pDocument) override;

protected:
    CDocument* m_pOnlyDoc;
};
