// The boss key on real files and windows: the caption file and its ticks, the caption
// dialog and list, the hot-key names and registration, hiding and showing by caption.
// GF_EXCLUSIVE_DISPLAY: windows are shown and activated, hot keys registered.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "DialogWatcher.h"
#include "HostWindow.h"
#include "TestSupport.h"
#include "bosskey/CaptionFile.h"
#include "bosskey/CaptionList.h"
#include "bosskey/CaptionListBox.h"
#include "bosskey/HideWindows.h"
#include "bosskey/HotKeys.h"
#include "bosskey/frmInput.h"
#include "controls/KivoXPButton.h"
#include "controls/KivoXPButtonDesigns.h"
#include "framework/App.h"
#include "framework/Forms.h"
#include "framework/Runtime.h"
#include "framework/Text.h"

using namespace testing_support;

namespace {

void StoreTick(const std::string& caption, const char* value) { Store("ProgramSettings", caption, value); }

using Entries = std::vector<std::pair<std::string, bool>>;

// A caption file in a scratch folder (named with a letter the ANSI code page lacks, so
// that only the exact path reaches it), an empty settings store, the drawn buttons
// registered and the hot-key names built, as at the program's start.
class BossKey : public ::testing::Test {
protected:
    void SetUp() override {
        gf::App::SetTitle("Glimmerfold");
        gf::ControlTypes::Register("KivoXPButton", [](const std::string& name, int index) {
            auto button = std::make_unique<KivoXPButton>(name, index);
            if (const auto* design = FindKivoXPButtonDesign(name))
                button->SetSavedProperties(KivoXPButtonSavedProperties(*design, nullptr));
            return button;
        });
        ClearAppSettings();
        bosskey::BuildHotKeyTables();
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    void TearDown() override { ClearAppSettings(); }
    ScratchDir dir;
    std::wstring folder = Wide(dir.Path()) + L"\\\u015Cam", path = bosskey::CaptionFilePath(folder),
                 temp = folder + L"\\" + bosskey::kCaptionTempName;
};

}  // namespace

TEST_F(BossKey, TheFileIsReadLineByLineAndChangedByWholeLines) {
    EXPECT_FALSE(bosskey::ReadCaptionFile(path)) << "a missing file reads as no list";
    WriteFileText(path, "One\r\n\r\nTwo\nThree\rFour");
    EXPECT_EQ(bosskey::ReadCaptionFile(path).value(), (std::vector<std::string>{"One", "", "Two", "Three", "Four"}));
    // A last line without its ending stays apart from the next caption; equal
    // captions are kept.
    ASSERT_TRUE(bosskey::AppendCaption(path, "Four"));
    EXPECT_EQ(ReadFileText(path), "One\r\n\r\nTwo\nThree\rFour\r\nFour\r\n");
    WriteFileText(path, "");
    EXPECT_TRUE(bosskey::ReadCaptionFile(path).value().empty());
    // A file that cannot be written is reported, not taken as added.
    EXPECT_FALSE(bosskey::AppendCaption(folder + L"\\no such folder\\HWD.dat", "abcd"));

    // Removing drops one line even when the list is stale, and a failure leaves the file whole.
    WriteFileText(path, "WordPad\r\n\r\nWord\r\nNotepad\r\nWord\r\n");
    // An empty entry is one line, not a text found in every line.
    ASSERT_TRUE(bosskey::RemoveCaptionLine(path, 1, ""));
    EXPECT_EQ(ReadFileText(path), "WordPad\r\nWord\r\nNotepad\r\nWord\r\n");
    // A position that no longer holds the text falls back to the first equal line.
    ASSERT_TRUE(bosskey::RemoveCaptionLine(path, 0, "Word"));
    EXPECT_EQ(ReadFileText(path), "WordPad\r\nNotepad\r\nWord\r\n");
    // A text the file does not hold, or no file at all, changes nothing.
    EXPECT_FALSE(bosskey::RemoveCaptionLine(path, 0, "Pad"));
    EXPECT_EQ(ReadFileText(path), "WordPad\r\nNotepad\r\nWord\r\n");
    EXPECT_FALSE(PathExists(temp));
    EXPECT_FALSE(bosskey::RemoveCaptionLine(folder + L"\\missing.dat", 0, "WordPad"));

    WriteFileText(path, "Alpha\r\nBeta\r\n");
    // The rewritten file cannot be made: its place is taken by a folder.
    ASSERT_TRUE(CreateDirectoryW(temp.c_str(), nullptr));
    EXPECT_FALSE(bosskey::RemoveCaptionLine(path, 0, "Alpha"));
    EXPECT_EQ(ReadFileText(path), "Alpha\r\nBeta\r\n");
    RemoveDirectoryW(temp.c_str());
    // The caption file itself cannot be replaced while another program holds it open.
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(bosskey::RemoveCaptionLine(path, 0, "Alpha"));
    CloseHandle(held);
    EXPECT_EQ(ReadFileText(path), "Alpha\r\nBeta\r\n");
    EXPECT_FALSE(PathExists(temp)) << "no temporary file left behind";
}

namespace {

// A press and release on a drawn button's window.
void Click(const gf::Control& button) { SendClick(button.Hwnd(), 20, 10); }

// A stand-in for the main window's settings page with its caption list.
const gf::DesignRow kPage[] = {{"ListBox", "List1", -1, "", 120, 120, 3000, 1500}};

class SettingsPage : public gf::Form {
public:
    SettingsPage() : gf::Form("frmMain", kPage) {
        SetCaption(UniqueName("GfSettingsPage"));
        SetClientSize(3300, 1800);
    }
    gf::ListBox& List1() { return Get<gf::ListBox>("List1"); }
};

Entries EntriesOf(gf::ListBox& list) {
    Entries out;
    for (int i = 0; i < list.ListCount(); ++i) out.emplace_back(list.List(i), list.Selected(i));
    return out;
}

}  // namespace

TEST_F(BossKey, DialogRefusesShortCaptionsAddsTickedAndHides) {
    SettingsPage page;
    page.Show();
    bosskey::frmInput dialog(path);
    dialog.OnCaptionAdded = [&](const std::string& c) { bosskey::loadCheckWindows(page.List1(), c, path); };
    bosskey::cmdAddMore_Click(dialog);
    ASSERT_TRUE(dialog.Visible());
    auto& add = dialog.Get<KivoXPButton>("cmdAdd");
    EXPECT_EQ(dialog.Caption() + "|" + dialog.Get<gf::Label>("Label2").Caption() + "|" +
                  dialog.Get<gf::Label>("Label3").Caption() + "|" + add.Caption() + "|" +
                  dialog.Get<KivoXPButton>("cmdCancel").Caption(),
              "Glimmerfold|Enter Window Caption|Example: Wordpad, PartyPoker|Add|Cancel");

    dialog.Text1().SetText("ab");
    DialogWatcher boxes({IDOK, IDOK});
    Click(add);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].title + "|" + boxes.Seen()[0].text, "Glimmerfold|Please Enter a Valid Window Caption");
    EXPECT_TRUE(dialog.Visible() && dialog.Text1().Text() == "ab" && !PathExists(path));

    // Three characters are enough; the file is created and the list comes back ticked.
    dialog.Text1().SetText("Pad");
    Click(add);
    EXPECT_TRUE(!dialog.Visible() && dialog.Text1().Text().empty());
    EXPECT_EQ(ReadFileText(path), "Pad\r\n");
    EXPECT_EQ(EntriesOf(page.List1()), (Entries{{"Pad", true}}));

    // Shown again it is empty; a caption with a comma and quotes goes in unchanged, and
    // only the one just added is ticked beside the stored ticks.
    bosskey::cmdAddMore_Click(dialog);
    EXPECT_TRUE(dialog.Visible() && dialog.Text1().Text().empty());
    StoreTick("Pad", "False");
    dialog.Text1().SetText("Report, \"draft\"");
    Click(add);
    EXPECT_EQ(EntriesOf(page.List1()), (Entries{{"Pad", false}, {"Report, \"draft\"", true}}));

    // Cancel hides and keeps the text.
    bosskey::cmdAddMore_Click(dialog);
    dialog.Text1().SetText("half typed");
    Click(dialog.Get<KivoXPButton>("cmdCancel"));
    EXPECT_TRUE(!dialog.Visible() && dialog.Text1().Text() == "half typed" && page.List1().ListCount() == 2);
    EXPECT_EQ(boxes.Seen().size(), 1u) << "no other message";
}

// Letters typed that the code page lacks would be stored as question marks: the dialog refuses
// them and keeps them in its box, the file unchanged. Question marks typed as such are a caption.
TEST_F(BossKey, DialogRefusesLettersTheCodePageLacks) {
    WriteFileText(path, "Pad\r\n");
    bosskey::frmInput dialog(path);
    bosskey::cmdAddMore_Click(dialog);
    SetForegroundWindow(dialog.Hwnd());
    dialog.Text1().SetFocus();
    const std::wstring letter = L"\u041f\u0438\u0441\u044c\u043c\u043e";  // "Letter" in Russian
    std::vector<INPUT> keys(letter.size() * 2);  // each letter pressed and released
    for (size_t i = 0; i < keys.size(); ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wScan = letter[i / 2];
        keys[i].ki.dwFlags = KEYEVENTF_UNICODE | (i % 2 ? KEYEVENTF_KEYUP : 0);
    }
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    // The program's own message loop carries the keys to the box.
    for (DWORD start = GetTickCount(); dialog.Text1().WideText() != letter && GetTickCount() - start < 5000;) {
        gf::DoEvents();
        Sleep(10);
    }
    ASSERT_EQ(Utf8(dialog.Text1().WideText()), Utf8(letter));
    DialogWatcher boxes({IDOK});
    Click(dialog.Get<KivoXPButton>("cmdAdd"));
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].text, bosskey::kInvalidCaptionMessage);
    EXPECT_TRUE(dialog.Visible() && dialog.Text1().WideText() == letter);
    EXPECT_EQ(ReadFileText(path), "Pad\r\n");

    dialog.Text1().SetText("What??????");
    Click(dialog.Get<KivoXPButton>("cmdAdd"));
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(ReadFileText(path), "Pad\r\nWhat??????\r\n");
}

TEST_F(BossKey, DialogHelpAndDragBySurface) {
    bosskey::frmInput dialog(path);
    dialog.Show();
    // The frame drawn round the dialog covers it whole; the help picture, clicked.
    const auto& frame = dialog.Get<gf::Shape>("Shape2");
    EXPECT_TRUE(frame.Width() == dialog.Width() && frame.Height() == dialog.Height());
    RECT rc = dialog.Get<gf::Image>("Image1").PixelRect();
    DialogWatcher box({IDOK});
    SendClick(dialog.Hwnd(), rc.left + 6, rc.top + 6);
    ASSERT_EQ(box.Seen().size(), 1u);
    EXPECT_EQ(box.Seen()[0].icon, LoadIconA(nullptr, IDI_INFORMATION));
    EXPECT_EQ(box.Seen()[0].title + "|" + box.Seen()[0].text,
              "Glimmerfold|You can enter a window caption.\r\n Example: \r\n If you want to hide/show any windows "
              "that contains XXX. You can add XXX as a window caption");
    EXPECT_FALSE(dialog.Dragging()) << "a press on the picture is no drag";

    // A press on the bare surface and a move carry the window along with the pointer, which
    // then rests on the pressed point again; after the release moves carry nothing.
    RECT before, after;
    GetWindowRect(dialog.Hwnd(), &before);
    SendMouse(dialog.Hwnd(), WM_LBUTTONDOWN, 10, 120, MK_LBUTTON);
    EXPECT_TRUE(dialog.Dragging());
    SendMouse(dialog.Hwnd(), WM_MOUSEMOVE, 70, 150, MK_LBUTTON);
    SendMouse(dialog.Hwnd(), WM_MOUSEMOVE, 10, 120, MK_LBUTTON);
    SendMouse(dialog.Hwnd(), WM_LBUTTONUP, 10, 120);
    EXPECT_FALSE(dialog.Dragging());
    SendMouse(dialog.Hwnd(), WM_MOUSEMOVE, 90, 190);
    GetWindowRect(dialog.Hwnd(), &after);
    EXPECT_EQ(Xy(after.left - before.left, after.top - before.top), "60,30");
}

// The list loads the file's lines in order; an entry is ticked when its stored tick reads
// as true ("True" or a number other than 0) or it is the caption just added (letter case
// counts), an empty one never. Removing drops one entry and exactly one line; the
// caption's stored tick stays, so it comes back ticked when added again.
TEST_F(BossKey, ListLoadsTicksAndRemovesExactlyOne) {
    SettingsPage page;
    page.Show();
    auto& list = page.List1();
    list.AddItem("left as it was");
    bosskey::loadCheckWindows(list, "", path);  // no file: the list keeps its entries
    EXPECT_EQ(list.ListCount(), 1);

    WriteFileText(path, "Word\r\nWordPad\r\nWord\r\n\r\nPad\r\n");
    for (auto [caption, value] : {std::pair{"Word", "Ctrl"}, {"WordPad", "-1"}, {"", "True"}})
        StoreTick(caption, value);
    bosskey::loadCheckWindows(list, "word", path);
    EXPECT_EQ(EntriesOf(list),
              (Entries{{"Word", false}, {"WordPad", true}, {"Word", false}, {"", false}, {"Pad", false}}));
    bosskey::loadCheckWindows(list, "Pad", path);
    EXPECT_TRUE(list.Selected(4));
    // Drawn again once filled: the check mark of "WordPad" shows on screen.
    RECT item;
    SendMessageA(list.Hwnd(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    MapWindowPoints(list.Hwnd(), nullptr, reinterpret_cast<POINT*>(&item), 2);
    EXPECT_TRUE(PumpUntil([&] {
        int dark = 0;
        for (int x = item.left; x < item.left + 18; ++x)
            for (int y = item.top; y < item.bottom; ++y) dark += GetRValue(ScreenPixel(x, y)) < 96;
        return dark > 3;
    }));
    bosskey::cmdRemove_Click(list, path);  // nothing highlighted: nothing lost
    EXPECT_EQ(ReadFileText(path), "Word\r\nWordPad\r\nWord\r\n\r\nPad\r\n");
    list.SetListIndex(2);  // the second "Word"
    bosskey::cmdRemove_Click(list, path);
    EXPECT_EQ(EntriesOf(list), (Entries{{"Word", false}, {"WordPad", true}, {"", false}, {"Pad", true}}));
    EXPECT_EQ(ReadFileText(path), "Word\r\nWordPad\r\n\r\nPad\r\n");
    list.SetListIndex(1);
    bosskey::cmdRemove_Click(list, path);
    EXPECT_EQ(ReadFileText(path), "Word\r\n\r\nPad\r\n");
    EXPECT_EQ(EntriesOf(list), (Entries{{"Word", false}, {"", false}, {"Pad", true}}));
    ASSERT_TRUE(bosskey::AppendCaption(path, "WordPad"));
    bosskey::loadCheckWindows(list, "", path);
    EXPECT_EQ(EntriesOf(list).back(), (std::pair<std::string, bool>{"WordPad", true}));

    // The scroll extent covers the entry with the most characters and a space.
    list.AddItem("a considerably longer caption than the others");
    bosskey::SetListHScroll(list, page);
    const long tpp = std::lround(gf::Screen::TwipsPerPixelX());
    EXPECT_EQ(list.HorizontalExtent(),
              std::lround(page.TextWidth("a considerably longer caption than the others ")) / tpp);
    EXPECT_GT(list.HorizontalExtent(), 150);
}

// A long file on a shown list: every line in order with its tick, the scroll extent untouched.
TEST_F(BossKey, FiveThousandCaptionsFillTheShownListWhole) {
    SettingsPage page;
    page.Show();
    auto& list = page.List1();
    bosskey::SetListHScroll(list, page);
    const int extent = list.HorizontalExtent();
    Entries expected;
    std::string text;
    for (int i = 0; i < 5000; ++i) {
        std::string caption = i % 1000 == 501 ? "" : "Caption " + std::to_string(i) + std::string(i % 7, 'x');
        if (i % 250 == 0) StoreTick(caption, "True");
        expected.emplace_back(caption, i % 250 == 0 || i == 4999);
        text += caption + "\r\n";
    }
    WriteFileText(path, text);
    bosskey::loadCheckWindows(list, expected.back().first, path);
    EXPECT_EQ(EntriesOf(list), expected);
    EXPECT_EQ(SendMessageA(list.Hwnd(), LB_GETCOUNT, 0, 0), 5000);
    EXPECT_EQ(list.HorizontalExtent(), extent);
}

// An editor's UTF-8 mark at the file's start is no part of the first caption: it is ticked by its
// stored tick and hides its window. Removing another caption keeps the mark and the first
// caption; a file of nothing but the mark takes a caption as its first line.
TEST_F(BossKey, AByteOrderMarkBelongsToNoCaption) {
    const std::string mark = "\xEF\xBB\xBF", first = UniqueName("GfMarked");
    WriteFileText(path, mark + first + "\r\nOther\r\n");
    StoreTick(first, "True");
    PlainWindow target(first + " - Editor");
    SettingsPage page;
    bosskey::loadCheckWindows(page.List1(), "", path);
    EXPECT_EQ(EntriesOf(page.List1()), (Entries{{first, true}, {"Other", false}}));
    EXPECT_EQ(bosskey::HideWindowsByCaption(page.List1().List(0)), 1);
    page.List1().SetListIndex(1);
    bosskey::cmdRemove_Click(page.List1(), path);
    EXPECT_EQ(ReadFileText(path), mark + first + "\r\n");

    WriteFileText(path, mark);
    EXPECT_TRUE(bosskey::ReadCaptionFile(path).value().empty());
    ASSERT_TRUE(bosskey::AppendCaption(path, "Alpha"));
    EXPECT_EQ(ReadFileText(path), mark + "Alpha\r\n");
}

// A part of the title in any letter case names a window, an empty caption none. Each
// window is acted on once, though showing reorders the stack, and shows normal.
TEST(HideWindows, MatchPartOfTheTitleInAnyCaseAndShowNormal) {
    const std::string stem = UniqueName("GfHide");
    PlainWindow maximized(stem + " Document - Editor"), minimized("Other " + stem, true, 400, 80),
        neverShown(stem + " three", false), bystander(UniqueName("GfBystander"), true, 80, 300);
    ShowWindow(maximized.hwnd, SW_MAXIMIZE);
    ShowWindow(minimized.hwnd, SW_MINIMIZE);
    std::string part = stem.substr(2);
    CharLowerA(part.data());
    EXPECT_EQ(bosskey::HideWindowsByCaption(part), 3);
    EXPECT_EQ(bosskey::HideWindowsByCaption("") + bosskey::ShowWindowsByCaption(""), 0);
    EXPECT_TRUE(IsWindowVisible(bystander.hwnd) && !IsWindowVisible(maximized.hwnd));
    EXPECT_FALSE(IsWindowVisible(minimized.hwnd));
    EXPECT_EQ(bosskey::ShowWindowsByCaption(part), 3);
    for (HWND h : {maximized.hwnd, minimized.hwnd, neverShown.hwnd})
        EXPECT_TRUE(IsWindowVisible(h) && !IsZoomed(h) && !IsIconic(h));
}

// Titles are read with every letter they hold, so a letter the code page lacks is no '?' that a
// caption of question marks would match; nor is it the plain letter it looks like. A caption is
// widened through the code page, and letter case counts for nothing beyond ASCII too.
TEST(HideWindows, TitlesAreComparedWithTheLettersTheyHold) {
    const std::wstring stem = Wide(UniqueName(" GfWide"));
    PlainWindow russian(L"\u041f\u0438\u0441\u044c\u043c\u043e" + stem), japanese(L"\u624b\u7d19" + stem, 400),
        marks(L"What??????" + stem, 80, 300), accented(L"\u015Cam" + stem, 400, 300),
        czech(L"\u0160KODA" + stem, 240, 200);
    const std::string narrow = gf::Narrow(stem);
    EXPECT_EQ(bosskey::HideWindowsByCaption("??" + narrow), 1);
    EXPECT_TRUE(!IsWindowVisible(marks.hwnd) && IsWindowVisible(russian.hwnd) && IsWindowVisible(japanese.hwnd));
    EXPECT_EQ(bosskey::HideWindowsByCaption("Sam" + narrow), 0);
    const std::string skoda = gf::Narrow(L"\u0161koda" + stem);  // a letter of the code page's upper half
    EXPECT_TRUE(bosskey::HideWindowsByCaption(skoda) == 1 && !IsWindowVisible(czech.hwnd));
    EXPECT_EQ(bosskey::ShowWindowsByCaption("??" + narrow) + bosskey::ShowWindowsByCaption(skoda), 2);
    EXPECT_TRUE(IsWindowVisible(marks.hwnd) && IsWindowVisible(czech.hwnd));
}

// Every name the hot-key boxes offer, in any letter case, gives its flag or key code, and a
// plain code typed into a box works too; the tables are built again at a second start.
// Refreshing unregisters first; a row with an unknown name, or a modifier code with none of
// Alt, Ctrl, Shift and Windows (a bare key), is left out while the rows after it register.
TEST_F(BossKey, NamesGiveTheirCodesAndRowsWithoutAModifierRegisterNothing) {
    for (auto [name, code] : {std::pair{"Ctrl", MOD_CONTROL}, {"Alt", MOD_ALT}, {"shift", MOD_SHIFT}})
        EXPECT_EQ(bosskey::GetModifierCode(name), code) << name;
    for (auto [name, code] : {std::pair{"Space", VK_SPACE}, {"f1", VK_F1}, {"F12", VK_F12}, {" 65 ", 65}})
        EXPECT_EQ(bosskey::GetKeyCode(name), code) << name;
    for (int n = 1; n <= 12; ++n)
        EXPECT_EQ(bosskey::GetKeyCode(std::string("F").append(std::to_string(n))), VK_F1 + n - 1) << n;
    EXPECT_FALSE(bosskey::GetKeyCode("F13"));
    bosskey::BuildHotKeyTables();
    EXPECT_EQ(bosskey::colKeys().Entries().size(), 13u);

    PlainWindow main(UniqueName("GfHotKeyMain"));
    bosskey::RefreshHotKeys(main.hwnd, {{{"Ctrl", "F2"}, {"Hyper", "F3"}, {"Shift", "F4"}}});
    const auto results = bosskey::RefreshHotKeys(main.hwnd, {{{"0", "F1"}, {"Alt", "F14"}, {"Shift", "F6"}}});
    EXPECT_TRUE(results[0].state == bosskey::HotKeyState::NoModifier &&
                results[1].state == bosskey::HotKeyState::UnknownName &&
                results[2].state == bosskey::HotKeyState::Registered && results[1].choice.key == "F14");
    EXPECT_FALSE(HotKeyHeld(MOD_CONTROL, VK_F2) || HotKeyHeld(0, VK_F1));
    EXPECT_TRUE(HotKeyHeld(MOD_SHIFT, VK_F6));
    EXPECT_FALSE(UnregisterHotKey(main.hwnd, 0) || UnregisterHotKey(main.hwnd, 1));
    EXPECT_TRUE(UnregisterHotKey(main.hwnd, 2));
    bosskey::RefreshHotKeys(main.hwnd, {{{"16384", "65"}, {"8", "F8"}, {"Ctrl", "F1"}}});
    EXPECT_FALSE(HotKeyHeld(0, 'A') || UnregisterHotKey(main.hwnd, 0));
    EXPECT_TRUE(UnregisterHotKey(main.hwnd, 1) && UnregisterHotKey(main.hwnd, 2));
}
