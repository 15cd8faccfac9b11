#include "framework/AfxMessageBox.h"

#include "framework/AfxIds.h"
#include "framework/CString.h"

int AfxMessageBox(const char* text, UINT type)
{
    CString title;
    title.LoadString(AFX_IDS_APP_TITLE);
    return MessageBoxA(nullptr, text, title, type);
}
