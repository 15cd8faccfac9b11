#include "framework/CMapStringToString.h"

#include <new>
#include <stdlib.h>
#include <string.h>

namespace {

const UINT kInitialBuckets = 17;

UINT HashKey(const char* key)
{
    UINT hash = 0;
    while (*key)
        hash = (hash << 5) + hash + static_cast<unsigned char>(*key++);
    return hash;
}

}  // namespace

struct CMapStringToString::Entry {
    CString key;
    CString value;
    UINT hash = 0;
    Entry* nextInBucket = nullptr;
    Entry* nextInOrder = nullptr;
};

struct CMapStringToString::Block {
    Block* next;
    // The entries follow the header in the same allocation.
    Entry* Entries() { return reinterpret_cast<Entry*>(this + 1); }
};

CMapStringToString::CMapStringToString(INT_PTR blockSize) : m_blockSize(blockSize > 0 ? blockSize : 10)
{
}

CMapStringToString::~CMapStringToString()
{
    RemoveAll();
}

void CMapStringToString::RemoveAll()
{
    for (Entry* entry = m_first; entry; entry = entry->nextInOrder)
        entry->~Entry();
    while (m_blocks) {
        Block* next = m_blocks->next;
        free(m_blocks);
        m_blocks = next;
    }
    free(m_buckets);
    m_buckets = nullptr;
    m_bucketCount = 0;
    m_count = 0;
    m_first = m_last = m_free = nullptr;
}

CMapStringToString::Entry* CMapStringToString::NewEntry()
{
    if (!m_free) {
        static_assert(sizeof(Block) % alignof(Entry) == 0, "entries must be aligned after the block header");
        Block* block = static_cast<Block*>(malloc(sizeof(Block) + m_blockSize * sizeof(Entry)));
        if (!block)
            return nullptr;
        block->next = m_blocks;
        m_blocks = block;
        // Unused entries are chained through nextInBucket, raw memory until constructed.
        Entry* raw = block->Entries();
        for (INT_PTR i = m_blockSize - 1; i >= 0; --i) {
            Entry** link = reinterpret_cast<Entry**>(&raw[i]);
            *link = m_free;
            m_free = &raw[i];
        }
    }
    Entry* slot = m_free;
    m_free = *reinterpret_cast<Entry**>(slot);
    return new (slot) Entry;
}

void CMapStringToString::Grow()
{
    const UINT bucketCount = m_bucketCount ? m_bucketCount * 2 + 1 : kInitialBuckets;
    Entry** buckets = static_cast<Entry**>(calloc(bucketCount, sizeof(Entry*)));
    if (!buckets)
        return;  // keep the current table: longer chains, still correct
    for (Entry* entry = m_first; entry; entry = entry->nextInOrder) {
        Entry*& head = buckets[entry->hash % bucketCount];
        entry->nextInBucket = head;
        head = entry;
    }
    free(m_buckets);
    m_buckets = buckets;
    m_bucketCount = bucketCount;
}

CString& CMapStringToString::operator[](const char* key)
{
    if (!key)
        key = "";
    const UINT hash = HashKey(key);
    if (m_bucketCount) {
        for (Entry* entry = m_buckets[hash % m_bucketCount]; entry; entry = entry->nextInBucket) {
            if (entry->hash == hash && strcmp(entry->key, key) == 0)
                return entry->value;
        }
    }
    if (static_cast<UINT>(m_count) >= m_bucketCount)
        Grow();
    Entry* entry = m_bucketCount ? NewEntry() : nullptr;
    if (!entry) {
        // Out of memory: hand out a value that belongs to no entry rather than fail.
        m_lost.Empty();
        return m_lost;
    }
    entry->key = key;
    entry->hash = hash;
    Entry*& head = m_buckets[hash % m_bucketCount];
    entry->nextInBucket = head;
    head = entry;
    (m_last ? m_last->nextInOrder : m_first) = entry;
    m_last = entry;
    ++m_count;
    return entry->value;
}

POSITION CMapStringToString::GetStartPosition() const
{
    return reinterpret_cast<POSITION>(m_first);
}

void CMapStringToString::GetNextAssoc(POSITION& pos, CString& key, CString& value) const
{
    const Entry* entry = reinterpret_cast<const Entry*>(pos);
    if (!entry)
        return;
    key = entry->key;
    value = entry->value;
    pos = reinterpret_cast<POSITION>(entry->nextInOrder);
}
