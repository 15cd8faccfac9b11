// Every message box of the program: no owner window, the application title as caption.
#pragma once

#include <windows.h>

// The title is loaded afresh from the string table for each box. Returns MessageBoxA's result.
int AfxMessageBox(const char* text, UINT type);
// The same with the text of string promptId, as ResourceMessageBox shows it.
int AfxMessageBox(UINT promptId, UINT type);
