// A static control, addressed through its handle.
#pragma once

#include "framework/CWnd.h"

class CStatic : public CWnd {
public:
    CStatic() = default;
};
