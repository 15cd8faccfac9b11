// Identifiers that the application framework reserves; shared by code and resource scripts.
#pragma once

#define AFX_IDS_APP_TITLE 0xE000
#define ID_HELP           0xE146
// The reading order of the loaded language: "RTL" in a right-to-left one, "LTR" otherwise. Not one of MFC's.
#define IDS_READING_ORDER 0xE00F
