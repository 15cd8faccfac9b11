// The framework layer in one include, as the application's sources expect it.
#pragma once

#include <windows.h>

#include "framework/AfxIds.h"
#include "framework/AfxMessageBox.h"
#include "framework/CCmdTarget.h"
#include "framework/CDataExchange.h"
#include "framework/CDialog.h"
#include "framework/CFileFind.h"
#include "framework/CListBox.h"
#include "framework/CStatic.h"
#include "framework/CString.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"
