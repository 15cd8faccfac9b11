// What the administrator decides about the screen saver through Group Policy, which Windows puts
// above the user's own setting.
#pragma once

#include "framework/CString.h"

struct SaverPolicy {
    // The module that Windows runs in place of the user's choice; empty when none is forced, or the forced one
    // is not installed.
    CString forcedSaver;
    // Screen savers do not run at all.
    BOOL saversOff = FALSE;
    // The user may not choose another screen saver.
    BOOL changeForbidden = FALSE;

    // Whether the screen saver is out of the user's hands.
    BOOL ChoiceLocked() const { return !forcedSaver.IsEmpty() || saversOff || changeForbidden; }
};

// Read afresh at each call, so that a policy applied meanwhile counts at once.
SaverPolicy ReadSaverPolicy();
