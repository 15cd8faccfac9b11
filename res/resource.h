// Resource identifiers of the program.
#pragma once

#include "framework/AfxIds.h"

#define IDR_MAINFRAME       128
#define IDD_CHANGE_DEFAULT  142
#define IDC_SAVER_LIST      1034
#define IDC_DEFAULT_LABEL   1035
#define IDC_PREVIEW_AREA    1036
#define IDC_PREVIEW         1037
#define IDC_CONFIGURE       1038
#define IDC_SAVER_LIST_NAME 1039
