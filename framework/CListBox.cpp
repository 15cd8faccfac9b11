#include "framework/CListBox.h"

void CListBox::GetText(int index, CString& text) const
{
    text.Empty();
    const LRESULT length = ::SendMessageA(m_hWnd, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR)
        return;
    char* buffer = text.GetBuffer(static_cast<int>(length));
    if (!buffer)
        return;
    const LRESULT copied = ::SendMessageA(m_hWnd, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer));
    text.ReleaseBuffer(copied == LB_ERR ? 0 : static_cast<int>(copied));
}
