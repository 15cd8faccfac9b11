// The file that Windows means by a path, named so that this process reaches it.
#pragma once

#include "framework/CString.h"

// Windows looks for a bare or relative screen-saver name in the system directory, and on 64-bit
// Windows it starts the screen saver and the Control Panel as 64-bit processes. So a relative path is
// taken in the system directory; and in a 32-bit process on 64-bit Windows, whose file access to the
// system directory is sent to SysWOW64, a path there is given through Sysnative, the real system
// directory. Any other path comes back exactly as given, blanks and all.
CString ResolveSystemPath(const char* path);

// Whether a module is at path, as Windows means it (see above), blanks around the path aside.
BOOL SaverModuleExists(CString path);
