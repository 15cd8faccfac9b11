#include "framework/CFileFind.h"

BOOL CFileFind::FindFile(const char* name, DWORD /*unused*/)
{
    Close();
    WIN32_FIND_DATAA found = {};
    m_hFind = FindFirstFileA(name ? name : "*.*", &found);
    return m_hFind != INVALID_HANDLE_VALUE;
}

void CFileFind::Close()
{
    if (m_hFind != INVALID_HANDLE_VALUE) {
        FindClose(m_hFind);
        m_hFind = INVALID_HANDLE_VALUE;
    }
}
