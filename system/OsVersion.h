// Classifies the running Windows version into the class codes that decide how the Control Panel's
// screen-saver page is opened.
#pragma once

#include <windows.h>

// Class code of Windows NT 6.0 (Vista, Server 2008).
const int kOsClassVista = 106;

// Fills info from GetVersionExA: the short record, then the extended one on NT 5.0 and later.
// The result is that of the last call made.
BOOL QueryOsVersion(OSVERSIONINFOEXA& info);
// The class code of a version record; 0 for anything unrecognised.
int ClassifyOsVersion(const OSVERSIONINFOEXA& info);
// The class code of the running system, queried afresh.
int GetOsVersionClass();
// Exactly 1 for the class 106, otherwise exactly 0.
int IsOsClassVista();
