// The application: each run does one thing, chosen by the command line, and ends.
#pragma once

#include "framework/afxwin.h"
#include "manager/SaverManager.h"

class CSaverApp : public CWinApp {
public:
    CSaverApp();
    ~CSaverApp() override;

    BOOL InitInstance() override;
    void DispatchCommand();
    BOOL LockComputer();

    DECLARE_MESSAGE_MAP()

private:
    void ShowFirstRunNotice();

    CSaverManager m_manager;
};

extern CSaverApp theApp;
