#include "ui/ChangeDefaultDlg.h"

#include "res/resource.h"
#include "system/SaverPolicy.h"
#include "ui/PreviewFrame.h"

namespace {

// wsprintfW's limit, room for the longest description and any translation of the rest.
const int kLabelSize = 1024;

// Why the list cannot be changed, as a string id, 0 for nothing: short, so that the label still shows it after a
// description.
UINT PolicyNote(const SaverPolicy& policy)
{
    if (policy.saversOff)
        return IDS_NOTE_OFF;
    if (!policy.forcedSaver.IsEmpty())
        return IDS_NOTE_FORCED;
    return policy.changeForbidden ? IDS_NOTE_LOCKED : 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CChangeDefaultDlg, CDialog)
    ON_LBN_SELCHANGE(IDC_SAVER_LIST, OnSelchangeSaverList)
    ON_BN_CLICKED(IDC_PREVIEW, OnPreview)
    ON_BN_CLICKED(IDC_CONFIGURE, OnConfigure)
END_MESSAGE_MAP()

CChangeDefaultDlg::CChangeDefaultDlg(CWnd* pParent) : CDialog(IDD_CHANGE_DEFAULT, pParent)
{
}

CChangeDefaultDlg::~CChangeDefaultDlg() = default;

void CChangeDefaultDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PREVIEW_AREA, m_previewArea);
    DDX_Control(pDX, IDC_SAVER_LIST, m_saverList);
}

BOOL CChangeDefaultDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    KeepPreviewFillingFrame(m_previewArea.m_hWnd);
    PrepareLabels();
    LoadSaverList();
    UpdateDefaultLabel();
    // The administrator's choice is shown, not offered: a disabled list takes no key and no click.
    if (ReadSaverPolicy().ChoiceLocked())
        m_saverList.EnableWindow(FALSE);
    return TRUE;
}

void CChangeDefaultDlg::PrepareLabels()
{
    // Screen readers name a list box by the static text just before it in z-order. Hidden, it still names the
    // list, and the layout stays as it is.
    wchar_t text[kLabelSize] = {};
    LoadStringW(AfxGetResourceHandle(), IDS_SAVER_LIST_NAME, text, kLabelSize);
    const HWND name = ::CreateWindowExW(0, L"STATIC", text, WS_CHILD | SS_LEFT, 0, 0, 0, 0, m_hWnd,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SAVER_LIST_NAME)),
                                        AfxGetInstanceHandle(), nullptr);
    const HWND previous = ::GetWindow(m_saverList.m_hWnd, GW_HWNDPREV);
    ::SetWindowPos(name, previous ? previous : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // An '&' in a description is text, not an access key.
    if (CWnd* label = GetDlgItem(IDC_DEFAULT_LABEL))
        ::SetWindowLongA(label->m_hWnd, GWL_STYLE, ::GetWindowLongA(label->m_hWnd, GWL_STYLE) | SS_NOPREFIX);
}

void CChangeDefaultDlg::LoadSaverList()
{
    m_manager.FillSaverList(&m_saverList);
    // Selecting from code sends no LBN_SELCHANGE, so nothing is written here.
    m_manager.SelectDefaultInList(&m_saverList);
    m_manager.StartPreview(&m_previewArea);
}

void CChangeDefaultDlg::ApplySelection()
{
    // A selection that reached the list all the same, by a message, goes back to the default.
    if (ReadSaverPolicy().ChoiceLocked()) {
        ::SendMessageA(m_saverList.m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        m_manager.SelectDefaultInList(&m_saverList);
        return;
    }
    const LRESULT index = ::SendMessageA(m_saverList.m_hWnd, LB_GETCURSEL, 0, 0);
    if (index < 0)
        return;
    CString description;
    m_saverList.GetText(static_cast<int>(index), description);
    m_manager.SetDefaultSaver(description);
}

// Put together in UTF-16, as the dialog's own texts are, so that a translation shows whole whatever the ANSI code
// page; the description, read in that code page, fits it.
void CChangeDefaultDlg::UpdateDefaultLabel()
{
    CString description;
    m_manager.GetDefaultSaverDescription(description);
    const HINSTANCE module = AfxGetResourceHandle();
    wchar_t format[kLabelSize] = {}, name[kLabelSize] = {}, note[kLabelSize] = {}, label[kLabelSize] = {};
    LoadStringW(module, IDS_DEFAULT_LABEL, format, kLabelSize);
    if (description.IsEmpty())
        LoadStringW(module, IDS_NO_DEFAULT, name, kLabelSize);
    else
        MultiByteToWideChar(CP_ACP, 0, description, -1, name, kLabelSize);
    if (const UINT noteId = PolicyNote(ReadSaverPolicy()))
        LoadStringW(module, noteId, note, kLabelSize);
    wsprintfW(label, format, name, note);
    if (CWnd* control = GetDlgItem(IDC_DEFAULT_LABEL))
        SetWindowTextW(control->m_hWnd, label);
}

void CChangeDefaultDlg::OnSelchangeSaverList()
{
    ApplySelection();
    // Also when nothing was written: the preview and the label then show the default still set.
    m_manager.StartPreview(&m_previewArea);
    UpdateDefaultLabel();
}

void CChangeDefaultDlg::OnPreview()
{
    m_manager.StartDefaultSaver();
}

void CChangeDefaultDlg::OnConfigure()
{
    m_manager.OpenSaverSettings();
}
