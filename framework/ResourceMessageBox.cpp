#include "framework/ResourceMessageBox.h"

#include "framework/AfxIds.h"

namespace {

// As long as a string resource may be, with its NUL.
const int kMaxText = 4097;
const wchar_t kRightToLeft[] = L"RTL";
const int kReadingOrderSize = sizeof kRightToLeft / sizeof kRightToLeft[0] + 1;

}  // namespace

bool ReadsRightToLeft(HINSTANCE module)
{
    wchar_t order[kReadingOrderSize] = {};
    LoadStringW(module, IDS_READING_ORDER, order, kReadingOrderSize);
    return lstrcmpW(order, kRightToLeft) == 0;
}

int ResourceMessageBox(HINSTANCE module, HWND owner, UINT textId, UINT captionId, UINT type)
{
    wchar_t text[kMaxText] = {}, caption[kMaxText] = {};
    LoadStringW(module, textId, text, kMaxText);
    LoadStringW(module, captionId, caption, kMaxText);
    if (ReadsRightToLeft(module))
        type |= MB_RTLREADING | MB_RIGHT;
    return MessageBoxW(owner, text, caption, type);
}
