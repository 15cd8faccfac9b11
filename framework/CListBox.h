// A list-box control, addressed through its handle.
#pragma once

#include "framework/CString.h"
#include "framework/CWnd.h"

class CListBox : public CWnd {
public:
    CListBox() = default;

    // The text of the line at index; empty when there is no such line.
    void GetText(int index, CString& text) const;
};
