// A list-box control, addressed through its handle.
#pragma once

#include "framework/CWnd.h"

class CListBox : public CWnd {
public:
    CListBox() = default;
};
