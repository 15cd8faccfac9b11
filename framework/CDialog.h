// A modal dialog run from a dialog template resource. WM_COMMAND goes through the message map;
// IDOK and IDCANCEL reach OnOK and OnCancel.
#pragma once

#include <windows.h>

#include "framework/CDataExchange.h"
#include "framework/CWnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override = default;

    // Creates the dialog from its template and runs it until EndDialog; returns the value given
    // to EndDialog, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    // Attaches the controls (DoDataExchange) and centres a dialog that the template leaves
    // unplaced. TRUE: the system puts the focus on the first tab stop.
    virtual BOOL OnInitDialog();
    // Runs DoDataExchange in the given direction.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    void EndDialog(int nResult);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Exchanges the data from the controls, then ends the dialog with IDOK.
    virtual void OnOK();
    // Ends the dialog with IDCANCEL.
    virtual void OnCancel();

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Whether the template places the dialog at (0, 0) without any centring style of its own.
    BOOL CheckAutoCenter() const;
    // Over the owner window, or over the work area of the dialog's monitor when it has none.
    void CenterWindow();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()
};
