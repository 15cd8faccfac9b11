#include "app/SaverApp.h"

namespace {

const char kProfileCompany[] = "Quenbrook";

}  // namespace

CSaverApp theApp;

BEGIN_MESSAGE_MAP(CSaverApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CSaverApp::CSaverApp() : CWinApp(nullptr)
{
}

CSaverApp::~CSaverApp() = default;

BOOL CSaverApp::InitInstance()
{
    AfxEnableControlContainer(nullptr);
    Enable3dControls();
    SetRegistryKey(kProfileCompany);
    DispatchCommand();
    // No main window: returning FALSE ends the program once the one action is done.
    return FALSE;
}
