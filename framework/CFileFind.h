// A file-system search that ends when the object goes out of scope.
#pragma once

#include <windows.h>

class CFileFind {
public:
    CFileFind() = default;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;
    ~CFileFind() { Close(); }

    // Nonzero when at least one file-system entry matches name (wildcards allowed).
    BOOL FindFile(const char* name, DWORD unused = 0);
    void Close();

private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
};
