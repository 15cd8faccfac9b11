// The framework layer in one include, as the application's sources expect it.
#pragma once

#include <windows.h>

#include "framework/AfxIds.h"
#include "framework/AfxMessageBox.h"
#include "framework/CCmdTarget.h"
#include "framework/CFileFind.h"
#include "framework/CString.h"
#include "framework/CWinApp.h"
