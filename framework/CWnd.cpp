#include "framework/CWnd.h"

CWnd* CWnd::GetDlgItem(int id) const
{
    // One temporary serves every call: it only names a handle, and the program has one thread.
    static CWnd item;
    item.m_hWnd = ::GetDlgItem(m_hWnd, id);
    return item.m_hWnd ? &item : nullptr;
}

void CWnd::SetWindowText(const char* text)
{
    ::SetWindowTextA(m_hWnd, text);
}
