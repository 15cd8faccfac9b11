#include <gtest/gtest.h>

#include "framework/CDialog.h"
#include "framework/CListBox.h"

namespace {

// A window of this thread, destroyed with the object.
class OwnWindow {
public:
    OwnWindow(const char* className, HWND parent, int id)
        : m_window(CreateWindowExA(0, className, "", parent ? WS_CHILD : WS_POPUP, 0, 0, 100, 100, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                   nullptr))
    {
    }
    ~OwnWindow() { DestroyWindow(m_window); }
    HWND Handle() const { return m_window; }

private:
    HWND m_window;
};

TEST(CListBoxGetText, GivesTheLineOrEmptyWhenThereIsNone)
{
    OwnWindow window("LISTBOX", nullptr, 0);
    ASSERT_NE(window.Handle(), nullptr);
    for (const char* line : { "Fixture Alpha", "", "100% Pure %s" })
        SendMessageA(window.Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    CListBox list;
    list.m_hWnd = window.Handle();

    struct Case {
        int index;
        const char* text;
    };
    const Case cases[] = { { 0, "Fixture Alpha" }, { 1, "" }, { 2, "100% Pure %s" }, { 3, "" }, { -1, "" } };
    for (const Case& c : cases) {
        CString text = "left over";
        list.GetText(c.index, text);
        EXPECT_STREQ(text, c.text) << "line " << c.index;
        EXPECT_EQ(text.GetLength(), static_cast<int>(strlen(c.text))) << "line " << c.index;
    }
}

TEST(CWndGetDlgItem, FindsTheChildByIdAndSetsItsText)
{
    OwnWindow parent("STATIC", nullptr, 0);
    OwnWindow child("STATIC", parent.Handle(), 1035);
    CWnd window;
    window.m_hWnd = parent.Handle();

    CWnd* item = window.GetDlgItem(1035);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->m_hWnd, child.Handle());
    item->SetWindowText("Default ScreenSaver : None");
    char text[64] = {};
    GetWindowTextA(child.Handle(), text, sizeof text);
    EXPECT_STREQ(text, "Default ScreenSaver : None");
    EXPECT_EQ(window.GetDlgItem(1036), nullptr);
}

TEST(CDialogDoModal, FailsWithoutItsTemplate)
{
    // This program has no dialog resources at all.
    CDialog dialog(142);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

}  // namespace
