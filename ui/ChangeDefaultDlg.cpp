#include "ui/ChangeDefaultDlg.h"

#include "res/resource.h"
#include "system/SaverPolicy.h"
#include "ui/PreviewFrame.h"

namespace {

const char kDefaultLabelFormat[] = "Default ScreenSaver : %s%s";
const char kNoDefault[] = "None";
const char kSaverListName[] = "Screen savers";

// Why the list cannot be changed: short, so that the label still shows it after a description.
const char* PolicyNote(const SaverPolicy& policy)
{
    if (policy.saversOff)
        return " (off by policy)";
    if (!policy.forcedSaver.IsEmpty())
        return " (set by policy)";
    return policy.changeForbidden ? " (locked by policy)" : "";
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
    const HWND name = ::CreateWindowExA(0, "STATIC", kSaverListName, WS_CHILD | SS_LEFT, 0, 0, 0, 0, m_hWnd,
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

void CChangeDefaultDlg::UpdateDefaultLabel()
{
    CString description;
    m_manager.GetDefaultSaverDescription(description);
    if (description.IsEmpty())
        description = kNoDefault;
    CString label;
    label.Format(kDefaultLabelFormat, static_cast<const char*>(description), PolicyNote(ReadSaverPolicy()));
    if (CWnd* control = GetDlgItem(IDC_DEFAULT_LABEL))
        control->SetWindowText(label);
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
