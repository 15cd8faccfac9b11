#include "framework/AfxMessageBox.h"

#include "framework/AfxIds.h"
#include "framework/CWinApp.h"
#include "framework/ResourceMessageBox.h"

int AfxMessageBox(UINT promptId, UINT type)
{
    return ResourceMessageBox(AfxGetResourceHandle(), nullptr, promptId, AFX_IDS_APP_TITLE, type);
}
