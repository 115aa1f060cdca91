// The list box with check marks and the drop-down combo box, driven with real messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "framework/Forms.h"

using namespace testing_support;

namespace {

const gf::DesignRow kDesign[] = {
    {"Frame", "fraSettings", -1, "", 120, 120, 5400, 4200, "Settings"},
    {"ListBox", "List1", -1, "fraSettings", 120, 300, 3000, 1500},
    {"ComboBox", "cntrlFirst", 0, "fraSettings", 120, 2100, 1200, 315},
    {"ComboBox", "cntrlSecond", 0, "fraSettings", 1500, 2100, 1200, 315},
    {"ComboBox", "cboFixed", -1, "fraSettings", 120, 2700, 1200, 315, "", "", "Style=2"},
};

class ListForm : public gf::Form {
public:
    ListForm() : gf::Form("frmLists", kDesign) {
        SetClientSize(6000, 4800);
        list.OnClick = [this] { log.push_back("click " + std::to_string(list.ListIndex())); };
        list.OnItemCheck = [this](int i) { log.push_back("check " + std::to_string(i)); };
    }
    gf::ListBox& list = Get<gf::ListBox>("List1");
    std::vector<std::string> log;
};

// The middle of entry i, x pixels from the list's left edge.
LPARAM ItemPoint(gf::ListBox& list, int i, int x) {
    RECT rc;
    SendMessageA(list.Hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
    return MAKELPARAM(x, (rc.top + rc.bottom) / 2);
}

void Press(HWND h, LPARAM at, bool twice = false) {
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(h, WM_LBUTTONUP, 0, at);
    if (twice) {
        SendMessageA(h, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageA(h, WM_LBUTTONUP, 0, at);
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
    EXPECT_EQ(list.List(1), "Calc");
    EXPECT_EQ(list.List(2), "PartyPoker");
    EXPECT_EQ(list.List(3), "");

    // Ticks set in code raise nothing and leave the highlight alone.
    list.SetSelected(2, true);
    EXPECT_TRUE(list.Selected(2));
    EXPECT_FALSE(list.Selected(0));
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_TRUE(f.log.empty());

    // A click on an entry's text highlights it without ticking it.
    Press(list.Hwnd(), ItemPoint(list, 0, 60));
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_FALSE(list.Selected(0));
    EXPECT_EQ(f.log, std::vector<std::string>{"click 0"});

    // A click on the check mark ticks it (and highlights it): one ItemCheck, one Click.
    f.log.clear();
    Press(list.Hwnd(), ItemPoint(list, 1, 6));
    EXPECT_TRUE(list.Selected(1));
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(f.log, (std::vector<std::string>{"check 1", "click 1"}));

    // Space on the highlighted entry clears it again; a double click on text ticks.
    f.log.clear();
    SendMessageA(list.Hwnd(), WM_CHAR, ' ', 0);
    EXPECT_FALSE(list.Selected(1));
    Press(list.Hwnd(), ItemPoint(list, 2, 60), true);
    EXPECT_FALSE(list.Selected(2));  // was ticked in code: the double click cleared it
    EXPECT_EQ(f.log, (std::vector<std::string>{"check 1", "click 1", "click 2", "check 2", "click 2"}));

    // Setting ListIndex raises Click when it changes; removing the highlighted entry clears it.
    f.log.clear();
    list.SetListIndex(0);
    list.SetListIndex(0);
    EXPECT_EQ(f.log, std::vector<std::string>{"click 0"});
    EXPECT_EQ(SendMessageA(list.Hwnd(), LB_GETCURSEL, 0, 0), 0);
    list.RemoveItem(0);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.List(0), "Calc");
    EXPECT_EQ(SendMessageA(list.Hwnd(), LB_GETCOUNT, 0, 0), 2);
    EXPECT_THROW(list.RemoveItem(5), gf::Error);

    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(SendMessageA(list.Hwnd(), LB_GETCOUNT, 0, 0), 0);
}

TEST(ListBox, HorizontalExtentAndScrolledCheckMarks) {
    ListForm f;
    auto& list = f.list;
    list.SetHorizontalExtent(640);  // before the window exists: kept and applied
    list.AddItem(std::string(80, 'W'));
    list.AddItem("Short");
    f.Show();
    EXPECT_EQ(SendMessageA(list.Hwnd(), LB_GETHORIZONTALEXTENT, 0, 0), 640);
    list.SetHorizontalExtent(900);
    EXPECT_EQ(list.HorizontalExtent(), 900);

    // Scrolled a little, the check mark is drawn further left and still takes clicks.
    for (int i = 0; i < 5; ++i) SendMessageA(list.Hwnd(), WM_HSCROLL, SB_LINERIGHT, 0);
    ASSERT_EQ(GetScrollPos(list.Hwnd(), SB_HORZ), 5);
    UpdateWindow(list.Hwnd());
    Press(list.Hwnd(), ItemPoint(list, 0, 8));
    EXPECT_TRUE(list.Selected(0));
    Press(list.Hwnd(), ItemPoint(list, 0, 14));  // just right of it: text
    EXPECT_TRUE(list.Selected(0));

    // Scrolled right, the check mark has moved out of view: a click at the left edge
    // lands on text and ticks nothing.
    SendMessageA(list.Hwnd(), WM_HSCROLL, SB_PAGERIGHT, 0);
    ASSERT_GT(GetScrollPos(list.Hwnd(), SB_HORZ), 20);
    UpdateWindow(list.Hwnd());
    Press(list.Hwnd(), ItemPoint(list, 1, 6));
    EXPECT_FALSE(list.Selected(1));
    EXPECT_EQ(list.ListIndex(), 1);
}

TEST(ComboBox, TextsItemsAndEvents) {
    ListForm f;
    auto& combo = f.Get<gf::ComboBox>("cntrlFirst", 0);
    std::vector<std::string> log;
    combo.OnClick = [&] { log.push_back("click " + combo.Text()); };
    combo.OnChange = [&] { log.push_back("change " + combo.Text()); };
    f.Show();

    // The stored text is shown before the list is filled; filling selects nothing.
    combo.SetText("Shift");
    for (const char* s : {"Ctrl", "Alt", "Shift"}) combo.AddItem(s);
    EXPECT_EQ(combo.Text(), "Shift");
    EXPECT_EQ(combo.ListIndex(), -1);
    EXPECT_EQ(combo.ListCount(), 3);
    EXPECT_EQ(combo.List(1), "Alt");
    char shown[32] = {};
    GetWindowTextA(combo.Hwnd(), shown, sizeof shown);
    EXPECT_STREQ(shown, "Shift");
    EXPECT_EQ(log, std::vector<std::string>{"change Shift"});

    // Picking from the list (the down-arrow key on the closed box): Click with the new text.
    log.clear();
    HWND edit = FindWindowExA(combo.Hwnd(), nullptr, "Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    SendMessageA(edit, WM_KEYDOWN, VK_DOWN, 0);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0], "click " + combo.List(combo.ListIndex()));
    EXPECT_GE(combo.ListIndex(), 0);

    // Typing: Change per keystroke, the pick forgotten.
    log.clear();
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_CHAR, 'Q', 0);
    EXPECT_EQ(log, std::vector<std::string>{"change Q"});
    EXPECT_EQ(combo.ListIndex(), -1);

    // ListIndex in code: Click once per change; the edit shows the item.
    log.clear();
    combo.SetListIndex(2);
    combo.SetListIndex(2);
    EXPECT_EQ(log, std::vector<std::string>{"click Shift"});
    GetWindowTextA(combo.Hwnd(), shown, sizeof shown);
    EXPECT_STREQ(shown, "Shift");
    EXPECT_THROW(combo.SetListIndex(3), gf::Error);

    combo.Clear();
    EXPECT_EQ(combo.ListCount(), 0);
    EXPECT_EQ(combo.Text(), "");
    EXPECT_EQ(SendMessageA(combo.Hwnd(), CB_GETCOUNT, 0, 0), 0);

    // A drop-down list without an edit part.
    auto& fixed = f.Get<gf::ComboBox>("cboFixed");
    EXPECT_EQ(FindWindowExA(fixed.Hwnd(), nullptr, "Edit", nullptr), nullptr);
}

TEST(ComboBox, ArrayHandlersReceiveTheRow) {
    ListForm f;
    auto firsts = f.Array<gf::ComboBox>("cntrlFirst");
    std::vector<int> rows;
    firsts.Handle(&gf::ComboBox::OnClick, [&](int row) { rows.push_back(row); });
    f.Show();
    firsts[0].AddItem("Ctrl");
    firsts[0].SetListIndex(0);
    EXPECT_EQ(rows, std::vector<int>{0});
    EXPECT_EQ(firsts.UBound(), 0);
    EXPECT_THROW(firsts[1], gf::Error);
}
