#include "framework/CDialog.h"

#include "framework/CWinApp.h"

namespace {

// The start of an extended dialog template, which begins with version 1 and this signature.
const WORD kExtendedTemplateSignature = 0xFFFF;

#pragma pack(push, 1)
struct ExtendedTemplateHeader {
    WORD dlgVer;
    WORD signature;
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
    WORD cDlgItems;
    short x;
    short y;
};
#pragma pack(pop)

}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

INT_PTR CDialog::DoModal()
{
    const LPCSTR name = MAKEINTRESOURCEA(m_nIDTemplate);
    const HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    return DialogBoxParamA(AfxFindResourceHandle(name, RT_DIALOG), name, parent, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->m_hWnd = window;
        return dialog->OnInitDialog();
    }
    // Messages before WM_INITDIALOG (WM_SETFONT) find no object yet and get the default handling.
    CDialog* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!dialog)
        return FALSE;
    if (message == WM_COMMAND)
        return dialog->OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
    if (message == WM_NCDESTROY)
        dialog->m_hWnd = nullptr;
    return FALSE;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    if (CheckAutoCenter())
        CenterWindow();
    return TRUE;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange exchange(this, bSaveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

void CDialog::EndDialog(int nResult)
{
    ::EndDialog(m_hWnd, nResult);
}

void CDialog::DoDataExchange(CDataExchange* /*pDX*/)
{
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::CheckAutoCenter() const
{
    const LPCSTR name = MAKEINTRESOURCEA(m_nIDTemplate);
    const HINSTANCE module = AfxFindResourceHandle(name, RT_DIALOG);
    const HRSRC resource = FindResourceA(module, name, RT_DIALOG);
    const HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return FALSE;
    DWORD style;
    short x;
    short y;
    const auto* extended = static_cast<const ExtendedTemplateHeader*>(data);
    if (extended->signature == kExtendedTemplateSignature) {
        style = extended->style;
        x = extended->x;
        y = extended->y;
    } else {
        const auto* standard = static_cast<const DLGTEMPLATE*>(data);
        style = standard->style;
        x = standard->x;
        y = standard->y;
    }
    return x == 0 && y == 0 && !(style & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN));
}

void CDialog::CenterWindow()
{
    RECT area;
    const HWND owner = GetWindow(m_hWnd, GW_OWNER);
    if (owner) {
        GetWindowRect(owner, &area);
    } else {
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        if (!GetMonitorInfoA(MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor))
            return;
        area = monitor.rcWork;
    }
    RECT window;
    GetWindowRect(m_hWnd, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int left = area.left + (area.right - area.left - width) / 2;
    const int top = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
