#include "framework/CDataExchange.h"

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    // Looked up at every exchange: the same handle while the dialog lives, and the new one when
    // the same object runs its dialog again.
    rControl.m_hWnd = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC);
}
