// The common controls, loaded and initialised for as long as the object lives.
#pragma once

#include <windows.h>

class CommonControls {
public:
    CommonControls();
    CommonControls(const CommonControls&) = delete;
    CommonControls& operator=(const CommonControls&) = delete;
    ~CommonControls();

private:
    HMODULE m_module;
};
