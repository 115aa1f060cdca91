// The list box with check marks and the drop-down combo box, driven with real messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "framework/Forms.h"

using namespace testing_support;
using Log = std::vector<std::string>;

namespace {

const gf::DesignRow kDesign[] = {
    {"ListBox", "List1", -1, "", 120, 300, 3000, 1500},
    {"ComboBox", "cntrlFirst", 0, "", 120, 2100, 1200, 315},
    {"ComboBox", "cboFixed", -1, "", 120, 2700, 1200, 315, "", "", "Style=2"},
};

class ListForm : public gf::Form {
public:
    ListForm() : gf::Form("frmLists", kDesign) {
        SetClientSize(6000, 4800);
        list.OnClick = [this] { log.push_back("click " + std::to_string(list.ListIndex())); };
        list.OnItemCheck = [this](int i) { log.push_back("check " + std::to_string(i)); };
    }
    gf::ListBox& list = Get<gf::ListBox>("List1");
    Log log;
};

// A press (or a double click) on entry i, x pixels from the list's left edge.
void PressItem(gf::ListBox& list, int i, int x, bool twice = false) {
    RECT rc;
    SendMessageA(list.Hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
    LPARAM at = MAKELPARAM(x, (rc.top + rc.bottom) / 2);
    for (UINT press : {UINT(WM_LBUTTONDOWN), UINT(WM_LBUTTONDBLCLK)}) {
        SendMessageA(list.Hwnd(), press, MK_LBUTTON, at);
        SendMessageA(list.Hwnd(), WM_LBUTTONUP, 0, at);
        if (!twice) break;
    }
}

}  // namespace

TEST(ListBox, TicksAndHighlightAreSeparate) {
    ListForm f;
    auto& list = f.list;
    list.AddItem("WordPad");
    list.AddItem("PartyPoker");
    f.Show();
    list.AddItem("Calc", 1);  // inserted before PartyPoker
    ASSERT_EQ(list.ListCount(), 3);
    EXPECT_EQ(list.List(1) + list.List(2) + list.List(3), "CalcPartyPoker");
    list.SetSelected(2, true);  // ticks set in code raise nothing and leave the highlight
    EXPECT_TRUE(list.Selected(2) && !list.Selected(0));
    EXPECT_EQ(list.ListIndex(), -1);
    PressItem(list, 0, 60);  // on an entry's text: highlighted, not ticked
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_FALSE(list.Selected(0));
    PressItem(list, 1, 6);  // on the check mark: ticked and highlighted
    EXPECT_TRUE(list.Selected(1));
    SendMessageA(list.Hwnd(), WM_CHAR, ' ', 0);  // Space on the highlighted entry clears it
    EXPECT_FALSE(list.Selected(1));
    PressItem(list, 2, 60, true);  // a double click on text toggles the tick
    EXPECT_FALSE(list.Selected(2));
    EXPECT_EQ(f.log, (Log{"click 0", "check 1", "click 1", "check 1", "click 1", "click 2", "check 2", "click 2"}));

    // ListIndex set in code raises Click when it changes; removing the highlighted entry clears it.
    f.log.clear();
    list.SetListIndex(0);
    list.SetListIndex(0);
    EXPECT_EQ(f.log, Log{"click 0"});
    list.RemoveItem(0);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.List(0), "Calc");
    EXPECT_EQ(SendMessageA(list.Hwnd(), LB_GETCOUNT, 0, 0), 2);
    EXPECT_THROW(list.RemoveItem(5), gf::Error);
    list.Clear();
    EXPECT_EQ(SendMessageA(list.Hwnd(), LB_GETCOUNT, 0, 0) + list.ListCount(), 0);
}

TEST(ListBox, HorizontalExtentAndScrolledCheckMarks) {
    ListForm f;
    auto& list = f.list;
    list.SetHorizontalExtent(640);  // before the window exists: kept and applied
    list.AddItem(std::string(80, 'W'));
    list.AddItem("Short");
    f.Show();
    EXPECT_EQ(SendMessageA(list.Hwnd(), LB_GETHORIZONTALEXTENT, 0, 0), 640);
    // Scrolled a little, the check mark is drawn further left and still takes clicks.
    for (int i = 0; i < 5; ++i) SendMessageA(list.Hwnd(), WM_HSCROLL, SB_LINERIGHT, 0);
    ASSERT_EQ(GetScrollPos(list.Hwnd(), SB_HORZ), 5);
    UpdateWindow(list.Hwnd());
    PressItem(list, 0, 8);
    EXPECT_TRUE(list.Selected(0));
    PressItem(list, 0, 14);  // just right of it: text
    EXPECT_TRUE(list.Selected(0));
    // Scrolled right, the check mark is out of view: the left edge is text.
    SendMessageA(list.Hwnd(), WM_HSCROLL, SB_PAGERIGHT, 0);
    ASSERT_GT(GetScrollPos(list.Hwnd(), SB_HORZ), 20);
    UpdateWindow(list.Hwnd());
    PressItem(list, 1, 6);
    EXPECT_FALSE(list.Selected(1));
    EXPECT_EQ(list.ListIndex(), 1);
}

TEST(ComboBox, TextsItemsAndEvents) {
    ListForm f;
    auto firsts = f.Array<gf::ComboBox>("cntrlFirst");
    auto& combo = firsts[0];
    Log log;
    firsts.Handle(&gf::ComboBox::OnClick, [&](int row) { log.push_back("click" + std::to_string(row) + " " + combo.Text()); });
    combo.OnChange = [&] { log.push_back("change " + combo.Text()); };
    f.Show();
    // The stored text is shown before the list is filled; filling selects nothing.
    combo.SetText("Shift");
    for (const char* s : {"Ctrl", "Alt", "Shift"}) combo.AddItem(s);
    EXPECT_EQ(combo.ListIndex(), -1);
    EXPECT_EQ(combo.List(1), "Alt");
    char shown[32] = {};
    GetWindowTextA(combo.Hwnd(), shown, sizeof shown);
    EXPECT_STREQ(shown, "Shift");
    EXPECT_EQ(log, Log{"change Shift"});
    // Picking from the list (the down-arrow key on the closed box): Click with the new text.
    log.clear();
    HWND edit = FindWindowExA(combo.Hwnd(), nullptr, "Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    SendMessageA(edit, WM_KEYDOWN, VK_DOWN, 0);
    ASSERT_GE(combo.ListIndex(), 0);
    EXPECT_EQ(log, Log{"click0 " + combo.List(combo.ListIndex())});
    // Typing: Change per keystroke, the pick forgotten.
    log.clear();
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_CHAR, 'Q', 0);
    EXPECT_EQ(log, Log{"change Q"});
    EXPECT_EQ(combo.ListIndex(), -1);
    // ListIndex in code: Click once per change; the edit shows the item.
    log.clear();
    combo.SetListIndex(2);
    combo.SetListIndex(2);
    EXPECT_EQ(log, Log{"click0 Shift"});
    EXPECT_THROW(combo.SetListIndex(3), gf::Error);
    combo.Clear();
    EXPECT_EQ(combo.Text(), "");
    EXPECT_EQ(SendMessageA(combo.Hwnd(), CB_GETCOUNT, 0, 0), 0);
    // A drop-down list has no edit part.
    EXPECT_EQ(FindWindowExA(f.Get<gf::ComboBox>("cboFixed").Hwnd(), nullptr, "Edit", nullptr), nullptr);
}
