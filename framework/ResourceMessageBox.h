// Message boxes of a module's own texts, in the language that Windows loads its resources in.
#pragma once

#include <windows.h>

// Whether the language of the module's loaded resources reads right to left (its IDS_READING_ORDER).
bool ReadsRightToLeft(HINSTANCE module);
// A box of the strings textId and captionId of module, through the Unicode calls: a translation shows whole
// also where the ANSI code page cannot hold it (a display language beyond the system's code page, before
// Windows 10 1903). Right to left in a language that reads so. Returns MessageBoxW's result.
int ResourceMessageBox(HINSTANCE module, HWND owner, UINT textId, UINT captionId, UINT type);
