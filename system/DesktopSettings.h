// Where the system keeps the user's default screen saver: the full path of its module.
#pragma once

#include <windows.h>

inline const HKEY kDesktopRoot = HKEY_CURRENT_USER;
inline constexpr char kDesktopKey[] = "Control Panel\\Desktop";
inline constexpr char kDefaultSaverValue[] = "SCRNSAVE.EXE";
