// The change-default dialog: the installed screen savers by description, a live preview of the
// default, and a selection that becomes the default at once.
#pragma once

#include "framework/afxwin.h"
#include "manager/SaverManager.h"

class CChangeDefaultDlg : public CDialog {
public:
    explicit CChangeDefaultDlg(CWnd* pParent = nullptr);
    // Destroying the manager ends the preview process: the dialog's only way of ending it.
    ~CChangeDefaultDlg() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    // Names the list for screen readers, and has the label show descriptions as written.
    void PrepareLabels();
    // Fills the list, selects the default and starts its preview.
    void LoadSaverList();
    // Makes the selected line's screen saver the default; nothing without a selection, and nothing
    // while a policy decides: the default's line is selected again.
    void ApplySelection();
    // Shows the default as the registry holds it now, never the list's text.
    void UpdateDefaultLabel();

    void OnSelchangeSaverList();
    void OnPreview();
    void OnConfigure();

    CSaverManager m_manager;
    HICON m_hIcon = nullptr;  // shared resource icon: never destroyed
    CStatic m_previewArea;
    CListBox m_saverList;

    DECLARE_MESSAGE_MAP()
};
