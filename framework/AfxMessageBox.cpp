#include "framework/AfxMessageBox.h"

#include "framework/AfxIds.h"
#include "framework/CString.h"
#include "framework/CWinApp.h"
#include "framework/ResourceMessageBox.h"

int AfxMessageBox(const char* text, UINT type)
{
    CString title;
    title.LoadString(AFX_IDS_APP_TITLE);
    return MessageBoxA(nullptr, text, title, type);
}

int AfxMessageBox(UINT promptId, UINT type)
{
    return ResourceMessageBox(AfxGetResourceHandle(), nullptr, promptId, AFX_IDS_APP_TITLE, type);
}
