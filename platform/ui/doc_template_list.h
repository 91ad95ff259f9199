// The application's document templates, in the order they were added. The
// list owns them: they are deleted with it.
#pragma once

#include "platform/framework/ptrlist.h"

class CDocTemplate;

class CDocTemplateList {
public:
    CDocTemplateList() = default;
    ~CDocTemplateList();
    CDocTemplateList(const CDocTemplateList&) = delete;
    CDocTemplateList& operator=(const CDocTemplateList&) = delete;

    void Add(CDocTemplate* pTemplate);
    POSITION GetFirstPosition() const { return m_templates.GetHeadPosition(); }
    CDocTemplate* GetNext(POSITION& rPos) const;
    int GetCount() const { return m_templates.GetCount(); }

private:
    CPtrList m_templates;
};
