#include "platform/framework/oblist.h"

#include <memory>
#include <stdexcept>

#include "platform/framework/archive.h"
#include "platform/framework/node_chain.h"

struct CObList::Node {
    Node* next;
    Node* prev;
    CObject* data;
};

IMPLEMENT_SERIAL(CObList, CObject, 0)

CObList::CObList(int) : m_pNodeHead(nullptr), m_pNodeTail(nullptr), m_nCount(0) {}

CObList::~CObList()
{
    RemoveAll();
}

CObList::Node* CObList::NodeOf(POSITION position)
{
    if (position == nullptr)
        throw std::invalid_argument("null list position");
    return reinterpret_cast<Node*>(position);
}

POSITION CObList::PositionOf(Node* node)
{
    return reinterpret_cast<POSITION>(node);
}

int CObList::GetCount() const
{
    return m_nCount;
}

int CObList::GetSize() const
{
    return m_nCount;
}

bool CObList::IsEmpty() const
{
    return m_nCount == 0;
}

CObject*& CObList::GetHead()
{
    return NodeOf(PositionOf(m_pNodeHead))->data;
}

CObject* CObList::GetHead() const
{
    return NodeOf(PositionOf(m_pNodeHead))->data;
}

CObject*& CObList::GetTail()
{
    return NodeOf(PositionOf(m_pNodeTail))->data;
}

CObject* CObList::GetTail() const
{
    return NodeOf(PositionOf(m_pNodeTail))->data;
}

CObject* CObList::RemoveHead()
{
    CObject* element = GetHead();
    RemoveAt(PositionOf(m_pNodeHead));
    return element;
}

CObject* CObList::RemoveTail()
{
    CObject* element = GetTail();
    RemoveAt(PositionOf(m_pNodeTail));
    return element;
}

POSITION CObList::AddHead(CObject* element)
{
    Node* node = new Node{m_pNodeHead, nullptr, element};
    if (m_pNodeHead != nullptr)
        m_pNodeHead->prev = node;
    else
        m_pNodeTail = node;
    m_pNodeHead = node;
    ++m_nCount;
    return PositionOf(node);
}

POSITION CObList::AddTail(CObject* element)
{
    Node* node = new Node{nullptr, m_pNodeTail, element};
    if (m_pNodeTail != nullptr)
        m_pNodeTail->next = node;
    else
        m_pNodeHead = node;
    m_pNodeTail = node;
    ++m_nCount;
    return PositionOf(node);
}

void CObList::AddHead(CObList* other)
{
    if (other == nullptr)
        return;
    // Walk backwards so that the other list keeps its order at the head;
    // the count is taken first in case other is this list.
    Node* node = other->m_pNodeTail;
    for (int n = other->m_nCount; n > 0; --n, node = node->prev)
        AddHead(node->data);
}

void CObList::AddTail(CObList* other)
{
    if (other == nullptr)
        return;
    Node* node = other->m_pNodeHead;
    for (int n = other->m_nCount; n > 0; --n, node = node->next)
        AddTail(node->data);
}

void CObList::RemoveAll()
{
    Node* node = m_pNodeHead;
    while (node != nullptr) {
        Node* next = node->next;
        delete node;
        node = next;
    }
    m_pNodeHead = nullptr;
    m_pNodeTail = nullptr;
    m_nCount = 0;
}

POSITION CObList::GetHeadPosition() const
{
    return PositionOf(m_pNodeHead);
}

POSITION CObList::GetTailPosition() const
{
    return PositionOf(m_pNodeTail);
}

CObject*& CObList::GetNext(POSITION& position)
{
    Node* node = NodeOf(position);
    position = PositionOf(node->next);
    return node->data;
}

CObject* CObList::GetNext(POSITION& position) const
{
    Node* node = NodeOf(position);
    position = PositionOf(node->next);
    return node->data;
}

CObject*& CObList::GetPrev(POSITION& position)
{
    Node* node = NodeOf(position);
    position = PositionOf(node->prev);
    return node->data;
}

CObject* CObList::GetPrev(POSITION& position) const
{
    Node* node = NodeOf(position);
    position = PositionOf(node->prev);
    return node->data;
}

CObject*& CObList::GetAt(POSITION position)
{
    return NodeOf(position)->data;
}

CObject* CObList::GetAt(POSITION position) const
{
    return NodeOf(position)->data;
}

void CObList::SetAt(POSITION position, CObject* element)
{
    NodeOf(position)->data = element;
}

void CObList::RemoveAt(POSITION position)
{
    Node* node = NodeOf(position);
    if (node->prev != nullptr)
        node->prev->next = node->next;
    else
        m_pNodeHead = node->next;
    if (node->next != nullptr)
        node->next->prev = node->prev;
    else
        m_pNodeTail = node->prev;
    delete node;
    --m_nCount;
}

POSITION CObList::InsertBefore(POSITION position, CObject* element)
{
    if (position == nullptr)
        return AddHead(element);
    Node* at = NodeOf(position);
    Node* node = new Node{at, at->prev, element};
    if (at->prev != nullptr)
        at->prev->next = node;
    else
        m_pNodeHead = node;
    at->prev = node;
    ++m_nCount;
    return PositionOf(node);
}

POSITION CObList::InsertAfter(POSITION position, CObject* element)
{
    if (position == nullptr)
        return AddTail(element);
    Node* at = NodeOf(position);
    Node* node = new Node{at->next, at, element};
    if (at->next != nullptr)
        at->next->prev = node;
    else
        m_pNodeTail = node;
    at->next = node;
    ++m_nCount;
    return PositionOf(node);
}

POSITION CObList::Find(CObject* element, POSITION start_after) const
{
    Node* node = start_after != nullptr ? NodeOf(start_after)->next : m_pNodeHead;
    for (; node != nullptr; node = node->next) {
        if (node->data == element)
            return PositionOf(node);
    }
    return nullptr;
}

POSITION CObList::FindIndex(int index) const
{
    if (index < 0 || index >= m_nCount)
        return nullptr;
    Node* node = m_pNodeHead;
    while (index-- > 0)
        node = node->next;
    return PositionOf(node);
}

void CObList::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_nCount));
        for (Node* node = m_pNodeHead; node != nullptr; node = node->next)
            ar.WriteObject(node->data);
        return;
    }
    const DWORD count = ar.ReadCount();
    CObList loaded;
    try {
        for (DWORD i = 0; i < count; ++i) {
            std::unique_ptr<CObject> element(ar.ReadNewObject(nullptr));
            loaded.AddTail(element.get());
            element.release();
        }
    } catch (...) {
        for (Node* node = loaded.m_pNodeHead; node != nullptr; node = node->next)
            delete node->data;
        throw;
    }
    // Move the loaded nodes over whole, so that nothing can fail half-way.
    SpliceNodeChain(m_pNodeHead, m_pNodeTail, m_nCount, loaded.m_pNodeHead, loaded.m_pNodeTail, loaded.m_nCount);
}
