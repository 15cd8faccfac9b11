// Resource identifiers of the screen saver.
#pragma once

// String 1 is where a screen saver's description is looked for.
#define IDS_DESCRIPTION 1
// The box that /c shows (drift/lang/).
#define IDS_NO_SETTINGS 2
#define IDI_DRIFT       100

#ifndef RC_INVOKED
// Room for the description and its NUL, as much as a catalogue reads of it.
const int kDescriptionSize = 260;
#endif
