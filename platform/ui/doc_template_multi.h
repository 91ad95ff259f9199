// CMultiDocTemplate: documents of one kind, any number at a time, each in
// document windows (CMDIChildWnd frames) of the main MDI frame. The frames
// share the template's menu (m_hMenuShared) and accelerators
// (m_hAccelTable) of the resource m_nIDResource. New documents are titled
// with the document name and a running number ("Plan1", "Plan2").
#pragma once

#include <windows.h>

#include "platform/framework/ptrlist.h"
#include "platform/ui/doc_template.h"

class CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                      const CRuntimeClass* pViewClass);
    ~CMultiDocTemplate() override;

    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    // A new document in a new document window, or the file's; null (and
    // nothing left behind) on failure.
    CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* pDocument) override;

    CPtrList m_docList;
    // Numbers the titles of new documents.
    UINT m_nUntitledCount;
};
