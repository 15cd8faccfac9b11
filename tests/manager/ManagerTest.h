// The screen-saver manager in the test process, against the real registry and files; the default
// screen saver put back afterwards.
#pragma once

#include <gtest/gtest.h>

#include "manager/SaverManager.h"
#include "support/Harness.h"

class Manager : public ::testing::Test {
protected:
    void SetDefault(const std::string& path) { SetText(kDesktopKey, kSaverValue, path); }

    const std::string temp = BinDir();
    CSaverManager manager;
};
