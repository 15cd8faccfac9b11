// Identifiers that the application framework reserves; shared by code and resource scripts.
#pragma once

#define AFX_IDS_APP_TITLE 0xE000
#define ID_HELP           0xE146
