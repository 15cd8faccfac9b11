#include "framework/CWnd.h"

namespace {

// One temporary serves every call: it only names a handle, and the program has one thread.
CWnd g_dlgItem;

}  // namespace

CWnd* CWnd::GetDlgItem(int id) const
{
    g_dlgItem.m_hWnd = ::GetDlgItem(m_hWnd, id);
    return g_dlgItem.m_hWnd ? &g_dlgItem : nullptr;
}

void CWnd::SetWindowText(const char* text)
{
    ::SetWindowTextA(m_hWnd, text);
}
