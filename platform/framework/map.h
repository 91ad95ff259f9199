// CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>: a hash table from keys to values,
// walked with POSITION values (GetStartPosition, GetNextAssoc) in an order of
// its own that changes as entries come and go.
//
// Keys are compared with ==: CString keys by their exact text. HashKey
// spreads the keys; overload it for key types of your own.
//
// Serialize stores the count (CArchive::WriteCount) and then, in the map's
// order, each key followed by its value, both as SerializeElement stores
// them (array.h). Loading sets each pair read, into whatever the map holds
// (clear it first to replace), once the whole stream has been read: a
// damaged stream leaves the map as it was.
#pragma once

#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/framework/array.h"
#include "platform/framework/object.h"
#include "platform/framework/position.h"
#include "platform/framework/string.h"

template <typename KEY>
inline UINT HashKey(const KEY& key)
{
    if constexpr (std::is_pointer<KEY>::value)
        return static_cast<UINT>(reinterpret_cast<ULONG_PTR>(key) >> 4);
    else
        return static_cast<UINT>(static_cast<ULONG_PTR>(key));
}

inline UINT HashKey(const char* key)
{
    UINT hash = 0;
    for (; key != nullptr && *key != '\0'; ++key)
        hash = (hash << 5) + hash + static_cast<unsigned char>(*key);
    return hash;
}

inline UINT HashKey(const CString& key)
{
    // By every byte, embedded null characters included.
    UINT hash = 0;
    const char* text = key;
    for (int i = 0; i < key.GetLength(); ++i)
        hash = (hash << 5) + hash + static_cast<unsigned char>(text[i]);
    return hash;
}

template <typename KEY, typename ARG_KEY, typename VALUE, typename ARG_VALUE>
class CMap : public CObject {
public:
    // block_size is accepted for compatibility; entries are allocated singly.
    explicit CMap(int block_size = 10) : m_buckets(kDefaultHashTableSize, nullptr), m_nCount(0)
    {
        (void)block_size;
    }
    ~CMap() override { RemoveAll(); }

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    bool IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        const Node* node = Find(key);
        if (node == nullptr)
            return FALSE;
        rValue = node->value;
        return TRUE;
    }
    // The value of key, added with a default value when missing.
    VALUE& operator[](ARG_KEY key)
    {
        if (Node* node = Find(key))
            return node->value;
        return Insert(KEY(key), VALUE())->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key)
    {
        Node** link = &m_buckets[BucketOf(HashKey(KEY(key)))];
        for (; *link != nullptr; link = &(*link)->next) {
            if ((*link)->key == key) {
                Node* node = *link;
                *link = node->next;
                delete node;
                --m_nCount;
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll()
    {
        for (Node*& head : m_buckets) {
            while (head != nullptr) {
                Node* next = head->next;
                delete head;
                head = next;
            }
        }
        m_nCount = 0;
    }

    // Null for an empty map.
    POSITION GetStartPosition() const { return PositionOf(FirstFrom(0)); }
    // Fills the entry at position and moves position to the next entry,
    // null after the last.
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        if (rNextPosition == nullptr)
            throw std::invalid_argument("null map position");
        const Node* node = reinterpret_cast<const Node*>(rNextPosition);
        rKey = node->key;
        rValue = node->value;
        const Node* next = node->next != nullptr ? node->next : FirstFrom(BucketOf(node->hash) + 1);
        rNextPosition = PositionOf(next);
    }

    // Sets the number of buckets (a prime about 20 % above the expected
    // count spreads best); only while the map is empty.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE)
    {
        (void)bAllocNow;
        if (m_nCount == 0 && hashSize > 0)
            m_buckets.assign(hashSize, nullptr);
    }
    UINT GetHashTableSize() const { return static_cast<UINT>(m_buckets.size()); }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD>(m_nCount));
            for (Node* head : m_buckets) {
                for (Node* node = head; node != nullptr; node = node->next) {
                    SerializeElement(ar, node->key);
                    SerializeElement(ar, node->value);
                }
            }
            return;
        }
        const DWORD count = ar.ReadCount();
        std::vector<std::pair<KEY, VALUE>> loaded;
        // Grows as entries arrive: a damaged count must not allocate up front.
        for (DWORD i = 0; i < count; ++i) {
            std::pair<KEY, VALUE> entry{};
            SerializeElement(ar, entry.first);
            SerializeElement(ar, entry.second);
            loaded.push_back(std::move(entry));
        }
        for (auto& entry : loaded) {
            if (Node* node = Find(entry.first))
                node->value = std::move(entry.second);
            else
                Insert(std::move(entry.first), std::move(entry.second));
        }
    }

private:
    static constexpr UINT kDefaultHashTableSize = 17;

    struct Node {
        Node* next;
        UINT hash;
        KEY key;
        VALUE value;
    };

    static POSITION PositionOf(const Node* node) { return reinterpret_cast<POSITION>(const_cast<Node*>(node)); }
    size_t BucketOf(UINT hash) const { return hash % m_buckets.size(); }

    template <typename K>
    Node* Find(const K& key) const
    {
        for (Node* node = m_buckets[BucketOf(HashKey(KEY(key)))]; node != nullptr; node = node->next) {
            if (node->key == key)
                return node;
        }
        return nullptr;
    }
    Node* Insert(KEY&& key, VALUE&& value)
    {
        const UINT hash = HashKey(key);
        Node*& head = m_buckets[BucketOf(hash)];
        head = new Node{head, hash, std::move(key), std::move(value)};
        ++m_nCount;
        return head;
    }
    const Node* FirstFrom(size_t bucket) const
    {
        for (; bucket < m_buckets.size(); ++bucket) {
            if (m_buckets[bucket] != nullptr)
                return m_buckets[bucket];
        }
        return nullptr;
    }

    std::vector<Node*> m_buckets;
    int m_nCount;
};
