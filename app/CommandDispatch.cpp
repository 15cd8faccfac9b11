#include "app/SaverApp.h"

#include <mbstring.h>

#include "app/CommonControls.h"
#include "res/resource.h"
#include "ui/ChangeDefaultDlg.h"

namespace {

const char kSettingsSwitch[] = ":settings";
const char kLockSwitch[] = ":lock";
const char kNoticeSection[] = "Settings";
const char kNoticeEntry[] = "LockAlertDisplayed";

// Case-sensitive and aware of double-byte characters, anywhere in the text.
bool Contains(const char* text, const char* word)
{
    return _mbsstr(reinterpret_cast<const unsigned char*>(text), reinterpret_cast<const unsigned char*>(word)) !=
           nullptr;
}

}  // namespace

void CSaverApp::DispatchCommand()
{
    if (Contains(m_lpCmdLine, kSettingsSwitch)) {
        CommonControls controls;
        CChangeDefaultDlg dialog(nullptr);
        dialog.DoModal();
        return;
    }
    if (Contains(m_lpCmdLine, kLockSwitch)) {
        if (!LockComputer())
            AfxMessageBox(IDS_LOCK_FAILED, MB_OK | MB_ICONINFORMATION);
        return;
    }
    ShowFirstRunNotice();
    m_manager.StartDefaultSaver();
}

void CSaverApp::ShowFirstRunNotice()
{
    if (GetProfileInt(kNoticeSection, kNoticeEntry, 0) != 0)
        return;
    // Written before the box shows: a run that ends while the box is open still counts.
    WriteProfileInt(kNoticeSection, kNoticeEntry, 1);
    AfxMessageBox(IDS_FIRST_RUN_NOTICE, MB_OK | MB_ICONINFORMATION);
}
