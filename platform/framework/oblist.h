// CObList: a doubly linked list of CObject pointers, walked with POSITION
// values. The list does not own its elements.
//
// Serialize stores the count (CArchive::WriteCount) and then each element
// with CArchive::WriteObject. Loading appends the objects read to the
// list; a stream that names one object twice is rejected (badIndex), since
// the owner of a loaded list deletes every element. When loading fails,
// the objects read so far are deleted and the list is left as it was.
#pragma once

#include "platform/framework/object.h"
#include "platform/framework/position.h"

class CObList : public CObject {
    DECLARE_SERIAL(CObList)
public:
    // block_size is accepted for compatibility; nodes are allocated singly.
    explicit CObList(int block_size = 10);
    ~CObList() override;

    int GetCount() const;
    int GetSize() const;
    bool IsEmpty() const;

    // The list must not be empty.
    CObject*& GetHead();
    CObject* GetHead() const;
    CObject*& GetTail();
    CObject* GetTail() const;
    CObject* RemoveHead();
    CObject* RemoveTail();

    POSITION AddHead(CObject* element);
    POSITION AddTail(CObject* element);
    void AddHead(CObList* other);
    void AddTail(CObList* other);
    void RemoveAll();

    POSITION GetHeadPosition() const;
    POSITION GetTailPosition() const;
    // Return the element at position and move position to the next
    // (previous) one, null after the last (first).
    CObject*& GetNext(POSITION& position);
    CObject* GetNext(POSITION& position) const;
    CObject*& GetPrev(POSITION& position);
    CObject* GetPrev(POSITION& position) const;

    CObject*& GetAt(POSITION position);
    CObject* GetAt(POSITION position) const;
    void SetAt(POSITION position, CObject* element);
    void RemoveAt(POSITION position);
    POSITION InsertBefore(POSITION position, CObject* element);
    POSITION InsertAfter(POSITION position, CObject* element);

    // Null when not found.
    POSITION Find(CObject* element, POSITION start_after = nullptr) const;
    POSITION FindIndex(int index) const;

    void Serialize(CArchive& ar) override;

private:
    struct Node;
    static Node* NodeOf(POSITION position);
    static POSITION PositionOf(Node* node);

    Node* m_pNodeHead;
    Node* m_pNodeTail;
    int m_nCount;
};
