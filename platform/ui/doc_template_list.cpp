#include "platform/ui/doc_template_list.h"

#include "platform/ui/doc_template.h"

CDocTemplateList::~CDocTemplateList()
{
    while (!m_templates.IsEmpty())
        delete static_cast<CDocTemplate*>(m_templates.RemoveHead());
}

void CDocTemplateList::Add(CDocTemplate* pTemplate)
{
    if (pTemplate && !m_templates.Find(pTemplate))
        m_templates.AddTail(pTemplate);
}

CDocTemplate* CDocTemplateList::GetNext(POSITION& rPos) const
{
    return static_cast<CDocTemplate*>(m_templates.GetNext(rPos));
}
