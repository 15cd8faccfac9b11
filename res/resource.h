// Resource identifiers of the program.
#pragma once

#include "framework/AfxIds.h"
#include "manager/ManagerIds.h"

#define IDR_MAINFRAME       128
#define IDD_CHANGE_DEFAULT  142
#define IDC_SAVER_LIST      1034
#define IDC_DEFAULT_LABEL   1035
#define IDC_PREVIEW_AREA    1036
#define IDC_PREVIEW         1037
#define IDC_CONFIGURE       1038
#define IDC_SAVER_LIST_NAME 1039

// The texts, one string table a language (res/lang/), besides the manager's.
#define IDS_LOCK_FAILED      1
#define IDS_FIRST_RUN_NOTICE 2
#define IDS_DEFAULT_LABEL    5
#define IDS_NO_DEFAULT       6
#define IDS_NOTE_OFF         7
#define IDS_NOTE_FORCED      8
#define IDS_NOTE_LOCKED      9
#define IDS_SAVER_LIST_NAME  10
