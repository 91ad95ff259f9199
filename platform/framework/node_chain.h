// The hand-over of one doubly linked chain of nodes to the end of another,
// shared by the lists. It allocates nothing, so a list loaded aside can be
// moved over whole and never fails half-way.
#pragma once

template <typename Node>
void SpliceNodeChain(Node*& head, Node*& tail, int& count, Node*& otherHead, Node*& otherTail, int& otherCount)
{
    if (otherHead == nullptr)
        return;
    if (tail != nullptr) {
        tail->next = otherHead;
        otherHead->prev = tail;
    } else {
        head = otherHead;
    }
    tail = otherTail;
    count += otherCount;
    otherHead = nullptr;
    otherTail = nullptr;
    otherCount = 0;
}
