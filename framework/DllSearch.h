// Where the program's run-time loads look for DLLs.
#pragma once

// Keeps the DLLs that the program and the system DLLs load by name to the system directory, so that a
// DLL planted beside the program (a downloads folder, an unpacked zip) is never loaded. Call first.
void RestrictDllSearch();
