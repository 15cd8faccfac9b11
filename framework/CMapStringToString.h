// A map from string to string. Entries are yielded in the order in which their keys were first
// stored; keys compare exactly, with case.
#pragma once

#include <windows.h>

#include "framework/CString.h"

struct AfxPosition;
typedef AfxPosition* POSITION;

class CMapStringToString {
public:
    // Entries are allocated blockSize at a time.
    explicit CMapStringToString(INT_PTR blockSize = 10);
    CMapStringToString(const CMapStringToString&) = delete;
    CMapStringToString& operator=(const CMapStringToString&) = delete;
    ~CMapStringToString();

    INT_PTR GetCount() const { return m_count; }
    // The value stored under key, created empty when the key is new.
    CString& operator[](const char* key);
    void RemoveAll();

    // NULL when the map is empty.
    POSITION GetStartPosition() const;
    // Yields the entry at pos and moves pos to the next one (NULL after the last).
    void GetNextAssoc(POSITION& pos, CString& key, CString& value) const;

private:
    struct Entry;
    struct Block;

    Entry* NewEntry();
    // Doubles the bucket table once entries outnumber buckets, so that look-ups stay short.
    void Grow();

    INT_PTR m_blockSize;
    INT_PTR m_count = 0;
    Entry** m_buckets = nullptr;
    UINT m_bucketCount = 0;
    Entry* m_first = nullptr;
    Entry* m_last = nullptr;
    Entry* m_free = nullptr;
    Block* m_blocks = nullptr;
    CString m_lost;  // what operator[] hands out when no entry can be made
};
