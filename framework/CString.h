// A byte string in the ANSI code page, with the members of the framework's CString that we use.
#pragma once

#include <windows.h>

// The bytes that a path of up to MAX_PATH characters, its NUL counted, may take in the ANSI code page:
// under UTF-8, the code page that the programs' manifests ask for, a UTF-16 unit takes up to 3 bytes.
const int kMaxPathBytes = (MAX_PATH - 1) * 3 + 1;

class CString {
public:
    CString() = default;
    CString(const char* text);
    CString(const CString& other);
    CString& operator=(const CString& other);
    CString& operator=(const char* text);
    ~CString();

    int GetLength() const { return m_length; }
    BOOL IsEmpty() const { return m_length == 0; }
    operator const char*() const { return m_data ? m_data : ""; }

    // Frees the text; the string is then empty.
    void Empty();
    // On a format error the string is left empty.
    void Format(const char* format, ...);
    // Loads a string resource of this program; on failure the string is empty and the result FALSE.
    BOOL LoadString(UINT id);
    void TrimLeft();
    void TrimRight();
    // One pass from left to right over non-overlapping matches; the output is not scanned again.
    // Returns the number of replacements.
    int Replace(const char* oldText, const char* newText);

    // Writable space for at least minLength characters and a NUL; ReleaseBuffer fixes the length
    // afterwards (-1: up to the first NUL).
    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

private:
    // Replaces the text by the first length bytes of text; FALSE when memory ran out (the string is then empty).
    BOOL Assign(const char* text, int length);

    char* m_data = nullptr;
    int m_length = 0;
    int m_capacity = 0;
};

bool operator==(const CString& left, const char* right);
bool operator!=(const CString& left, const char* right);
