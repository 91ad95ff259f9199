// CList<TYPE, ARG_TYPE>: a doubly linked list of values, walked with
// POSITION values like CObList.
//
// Serialize stores the count (CArchive::WriteCount) and then each element
// as SerializeElement stores it (array.h). Loading appends the elements read
// to the list, all or none: a damaged stream leaves the list as it was.
#pragma once

#include <stdexcept>
#include <utility>

#include "platform/framework/array.h"
#include "platform/framework/node_chain.h"
#include "platform/framework/object.h"
#include "platform/framework/position.h"

template <typename TYPE, typename ARG_TYPE = const TYPE&>
class CList : public CObject {
public:
    // block_size is accepted for compatibility; nodes are allocated singly.
    explicit CList(int block_size = 10) : m_pNodeHead(nullptr), m_pNodeTail(nullptr), m_nCount(0)
    {
        (void)block_size;
    }
    ~CList() override { RemoveAll(); }

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    bool IsEmpty() const { return m_nCount == 0; }

    // The list must not be empty (std::invalid_argument).
    TYPE& GetHead() { return NodeOf(PositionOf(m_pNodeHead))->data; }
    const TYPE& GetHead() const { return NodeOf(PositionOf(m_pNodeHead))->data; }
    TYPE& GetTail() { return NodeOf(PositionOf(m_pNodeTail))->data; }
    const TYPE& GetTail() const { return NodeOf(PositionOf(m_pNodeTail))->data; }
    TYPE RemoveHead()
    {
        TYPE element = GetHead();
        RemoveAt(PositionOf(m_pNodeHead));
        return element;
    }
    TYPE RemoveTail()
    {
        TYPE element = GetTail();
        RemoveAt(PositionOf(m_pNodeTail));
        return element;
    }

    POSITION AddHead(ARG_TYPE element) { return InsertBefore(PositionOf(m_pNodeHead), element); }
    POSITION AddTail(ARG_TYPE element) { return InsertAfter(PositionOf(m_pNodeTail), element); }
    void AddHead(const CList* other)
    {
        if (other == nullptr)
            return;
        // Backwards, so the other list keeps its order; counted first in
        // case other is this list.
        Node* node = other->m_pNodeTail;
        for (int n = other->m_nCount; n > 0; --n, node = node->prev)
            Link(new Node{m_pNodeHead, nullptr, node->data});
    }
    void AddTail(const CList* other)
    {
        if (other == nullptr)
            return;
        Node* node = other->m_pNodeHead;
        for (int n = other->m_nCount; n > 0; --n, node = node->next)
            Link(new Node{nullptr, m_pNodeTail, node->data});
    }
    void RemoveAll()
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

    POSITION GetHeadPosition() const { return PositionOf(m_pNodeHead); }
    POSITION GetTailPosition() const { return PositionOf(m_pNodeTail); }
    // The element at position; position moves to the next (previous) one,
    // null after the last (first).
    TYPE& GetNext(POSITION& position)
    {
        Node* node = NodeOf(position);
        position = PositionOf(node->next);
        return node->data;
    }
    const TYPE& GetNext(POSITION& position) const
    {
        Node* node = NodeOf(position);
        position = PositionOf(node->next);
        return node->data;
    }
    TYPE& GetPrev(POSITION& position)
    {
        Node* node = NodeOf(position);
        position = PositionOf(node->prev);
        return node->data;
    }
    const TYPE& GetPrev(POSITION& position) const
    {
        Node* node = NodeOf(position);
        position = PositionOf(node->prev);
        return node->data;
    }
    TYPE& GetAt(POSITION position) { return NodeOf(position)->data; }
    const TYPE& GetAt(POSITION position) const { return NodeOf(position)->data; }
    void SetAt(POSITION position, ARG_TYPE element) { NodeOf(position)->data = element; }

    void RemoveAt(POSITION position)
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
    // A null position inserts at the head (before) or the tail (after).
    POSITION InsertBefore(POSITION position, ARG_TYPE element)
    {
        Node* at = position != nullptr ? NodeOf(position) : m_pNodeHead;
        Node* node = new Node{at, at != nullptr ? at->prev : nullptr, element};
        Link(node);
        return PositionOf(node);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE element)
    {
        Node* at = position != nullptr ? NodeOf(position) : m_pNodeTail;
        Node* node = new Node{at != nullptr ? at->next : nullptr, at, element};
        Link(node);
        return PositionOf(node);
    }

    // The first element equal to value after start_after (from the head
    // when null); null when there is none.
    POSITION Find(ARG_TYPE value, POSITION start_after = nullptr) const
    {
        Node* node = start_after != nullptr ? NodeOf(start_after)->next : m_pNodeHead;
        for (; node != nullptr; node = node->next) {
            if (node->data == value)
                return PositionOf(node);
        }
        return nullptr;
    }
    POSITION FindIndex(int index) const
    {
        if (index < 0 || index >= m_nCount)
            return nullptr;
        Node* node = m_pNodeHead;
        while (index-- > 0)
            node = node->next;
        return PositionOf(node);
    }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD>(m_nCount));
            for (Node* node = m_pNodeHead; node != nullptr; node = node->next)
                SerializeElement(ar, node->data);
            return;
        }
        const DWORD count = ar.ReadCount();
        CList loaded;
        // Grows as elements arrive: a damaged count must not allocate up front.
        for (DWORD i = 0; i < count; ++i) {
            TYPE element{};
            SerializeElement(ar, element);
            // Not through ARG_TYPE, which may not carry the whole value (a
            // string with a null character as const char*).
            loaded.Link(new Node{nullptr, loaded.m_pNodeTail, std::move(element)});
        }
        Splice(loaded);
    }

private:
    struct Node {
        Node* next;
        Node* prev;
        TYPE data;
    };

    static Node* NodeOf(POSITION position)
    {
        if (position == nullptr)
            throw std::invalid_argument("null list position");
        return reinterpret_cast<Node*>(position);
    }
    static POSITION PositionOf(Node* node) { return reinterpret_cast<POSITION>(node); }

    // Puts a node whose next and prev are set into the chain.
    void Link(Node* node)
    {
        if (node->prev != nullptr)
            node->prev->next = node;
        else
            m_pNodeHead = node;
        if (node->next != nullptr)
            node->next->prev = node;
        else
            m_pNodeTail = node;
        ++m_nCount;
    }

    // Moves the other list's nodes to the tail, whole.
    void Splice(CList& other)
    {
        SpliceNodeChain(m_pNodeHead, m_pNodeTail, m_nCount, other.m_pNodeHead, other.m_pNodeTail, other.m_nCount);
    }

    Node* m_pNodeHead;
    Node* m_pNodeTail;
    int m_nCount;
};
