// The tests of the screen-saver manager: a manager of their own, in the test process, against the
// real registry and files; the default screen saver put back afterwards.
#pragma once

#include <gtest/gtest.h>

#include "manager/SaverManager.h"
#include "support/Files.h"
#include "support/Registry.h"

class Manager : public ::testing::Test {
protected:
    void SetDefault(const std::string& path) { SetText(kDesktopKey, kSaverValue, path); }

    SavedValue savedDefault { kDesktopKey, kSaverValue };
    ScratchDir dir;
    CSaverManager manager;
};
