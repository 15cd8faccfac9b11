// Every message box of the program: no owner window, the application title as caption.
#pragma once

#include <windows.h>

// The text of string promptId, the title loaded afresh for each box, as ResourceMessageBox shows them.
int AfxMessageBox(UINT promptId, UINT type);
