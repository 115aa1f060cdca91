#include "app/frmMainDesign.h"

#include <string>

#include "../res/resource.h"
#include "cleaning/Catalogue.h"

namespace app {

namespace {

using ModCleaning::Group;

constexpr int px(int pixels) { return pixels * 15; }

// Container names used more than once.
constexpr const char* kPage[] = {"fraWindow(0)", "fraWindow(1)", "fraWindow(2)"};

class Builder {
public:
    std::vector<gf::DesignRow> rows;

    void Add(const char* type, const char* name, int index, const char* in, int l, int t, int w, int h,
             const char* caption = "", const char* tag = "", const char* props = "") {
        rows.push_back({type, name, index, in, l, t, w, h, caption, tag, props});
    }
    // A group's picture and bold label, in pixels of the container.
    void Group(const char* in, int x, int y, const char* caption, const char* picture, int labelWidth = 180) {
        Add("Image", "imgGroup", group_, in, px(x), px(y + 1), px(16), px(16), "", "", picture);
        Add("Label", "lblGroup", group_, in, px(x + 22), px(y + 2), px(labelWidth), px(16), caption, "", kGroupFont);
        ++group_;
    }
    // A tab's heading: picture, large label and a muted description beside it.
    void Heading(const char* in, const char* caption, const char* picture, const char* note) {
        Add("Image", "imgGroup", group_, in, px(10), px(9), px(16), px(16), "", "", picture);
        Add("Label", "lblGroup", group_, in, px(32), px(8), px(90), px(18), caption, "", kHeadingFont);
        ++group_;
        Note(in, 122, 10, 290, note);
    }
    void Note(const char* in, int x, int y, int w, const char* text, bool centred = false) {
        Add("Label", "lblNote", note_++, in, px(x), px(y), px(w), px(16), text, "",
            centred ? kNoteCentred : kNoteFont);
    }
    // Check box `index` of a cleaning group, with caption and tag from the catalogue.
    void Item(ModCleaning::Group g, int index, const char* in, int x, int y, int w = 180, bool visible = true) {
        const auto* item = ModCleaning::FindItem(g, static_cast<short>(index));
        Add("CheckBox", ModCleaning::ArrayName(g), index, in, px(x), px(y), px(w), px(18),
            item ? item->Caption : "", item ? item->Tag : "",
            visible ? "" : "Visible=0");
    }

    static constexpr const char* kGroupFont = "FontBold=1; ForeColor=&H005A4A0E; BackStyle=0";
    static constexpr const char* kHeadingFont = "FontBold=1; FontSize=10; ForeColor=&H005A4A0E; BackStyle=0";
    static constexpr const char* kNoteFont = "ForeColor=&H007F7463; BackStyle=0";
    static constexpr const char* kNoteCentred = "ForeColor=&H007F7463; BackStyle=0; Alignment=2";

private:
    int group_ = 0;
    int note_ = 0;
};

std::vector<gf::DesignRow> Build() {
    Builder b;
    b.rows.reserve(200);
    // The skin and what lies on it directly.
    b.Add("PictureBox", "picMain", -1, "", 0, 0, 9000, 7500, "", "", "Picture=#101; BorderStyle=0");
    b.Add("Image", "imgLogo", -1, "picMain", px(10), px(6), px(220), px(52), "", "", "Picture=#102");
    b.Add("Label", "Label11", -1, "picMain", px(14), px(474), px(140), px(16), "Version 1.06", "",
          "ForeColor=&H00C2B98D; BackStyle=0");
    for (int i = 0; i < 3; ++i)
        b.Add("ButtonEx", "ButtonEx1", i, "picMain", 10, 1200 + 1300 * i, 2370, 1200);
    for (int i = 0; i < 3; ++i)
        b.Add("Frame", "fraWindow", i, "picMain", 2500, 1050, 6330, 6240, "", "",
              "Visible=0; BorderStyle=0");

    // Page 0: the summary and the Clean button.
    const char* p0 = kPage[0];
    b.Add("Label", "lblHomeTitle", -1, p0, px(16), px(14), px(390), px(22), "Your privacy at a glance", "",
          "FontBold=1; FontSize=12; ForeColor=&H005A4A0E; BackStyle=0");
    b.Add("Frame", "Frame1", -1, p0, px(16), px(46), px(390), px(128), "", "", "BorderStyle=0; BackStyle=1; BackColor=&H00FFFFFF");
    const char* captions[] = {"Last Clean:", "Auto Clean:", "Boss Key:"};
    for (int i = 0; i < 3; ++i)
        b.Add("Label", "Label3", i, "Frame1", px(16), px(16 + 26 * i), px(90), px(18), captions[i], "",
              "FontBold=1; ForeColor=&H005A4A0E; BackStyle=0");
    b.Add("Label", "lblLastClean", -1, "Frame1", px(110), px(16), px(270), px(18), "", "", "BackStyle=0");
    b.Add("Label", "lblAutoClean", -1, "Frame1", px(110), px(42), px(270), px(18), "", "", "BackStyle=0");
    b.Add("Label", "lblBossKey", -1, "Frame1", px(110), px(68), px(270), px(48), "", "", "BackStyle=0");
    b.Add("KivoXPButton", "cmdClean", -1, p0, px(142), px(196), 2055, 855, "Clean");
    b.Note(p0, 16, 262, 390, "Erases every item ticked on the Cleaning page.", true);
    b.Add("ProgressBar", "pgbClean", -1, p0, px(16), px(300), px(390), px(18), "", "", "Visible=0");
    b.Add("Label", "lblCleanStatus", -1, p0, px(16), px(324), px(390), px(18), "", "",
          "Alignment=2; Visible=0; BackStyle=0");

    // Page 1: what to clean, in three tabs.
    const char* p1 = kPage[1];
    b.Add("PictureBox", "Picture2", -1, p1, 0, 0, 6330, px(40), "", "", "BorderStyle=0; BackColor=&H00EEE9E2");
    b.Add("KivoXPButton", "InternetTab", -1, "Picture2", px(8), px(8), 1455, 375, "Internet");
    b.Add("KivoXPButton", "SoftwareTab", -1, "Picture2", px(110), px(8), 1455, 375, "Software");
    b.Add("KivoXPButton", "WindowTab", -1, "Picture2", px(212), px(8), 1455, 375, "Windows");
    b.Add("CheckBox", "chkCheckAll", -1, "Picture2", px(330), px(11), px(84), px(18), "Check All");
    for (const char* f : {"fraInternet", "fraWindows", "fraSoftware"})
        b.Add("Frame", f, -1, p1, 0, px(44), 6330, 5055, "", "", "BorderStyle=0");
    b.Note(p1, 10, 392, 400, "Ticked items are erased by Clean, the tray menu, the hot key or the timers.");

    // Internet tab: two columns of groups.
    const char* fi = "fraInternet";
    b.Heading(fi, "Internet", "Picture=#120", "Browsers, chat programs and search toolbars");
    struct G {
        const char* caption;
        const char* picture;
        int x, y;
        std::vector<int> items;
    };
    const G internet[] = {
        {"Inter Explorer/MSN", "Picture=#121", 10, 34, {0, 1, 2, 3}},
        {"Netscape / FireFox", "Picture=#122", 10, 138, {4, 5, 6, 7}},
        {"Chat Program", "Picture=#125", 10, 242, {15, 16}},
        {"Opera Browser", "Picture=#123", 216, 34, {8, 9, 10, 11}},
        {"AOL ", "Picture=#124", 216, 138, {12, 13, 14}},
        {"ToolBar", "Picture=#126", 216, 242, {17, 18}},
    };
    for (const auto& g : internet) {
        b.Group(fi, g.x, g.y, g.caption, g.picture);
        int k = 0;
        for (int i : g.items) b.Item(Group::Internet, i, fi, g.x + 22, g.y + 22 + 19 * k++, 180, i != 14);
    }

    // Software tab.
    const char* fs = "fraSoftware";
    b.Heading(fs, "Software", "Picture=#128", "Recent-file lists of common programs, the clipboard");
    const G software[] = {
        {"WinZip", "Picture=#133", 10, 34, {0, 1}},
        {"Windows Media", "Picture=#132", 10, 100, {2, 3}},
        {"MS Office", "Picture=#129", 10, 166, {10}},
        {"WordPad", "Picture=#134", 10, 213, {12}},
        {"Paint", "Picture=#130", 10, 260, {7}},
        {"WinRAR", "Picture=#135", 216, 34, {11}},
        {"RealPlayer", "Picture=#136", 216, 81, {4}},
        {"Quick Time", "Picture=#137", 216, 128, {6}},
        {"WinAmp", "Picture=#139", 216, 175, {5}},
        {"Acrobat Optimizer", "Picture=#138", 216, 222, {9}},
        {"Clipboard", "Picture=#131", 216, 269, {8}},
    };
    for (const auto& g : software) {
        b.Group(fs, g.x, g.y, g.caption, g.picture);
        int k = 0;
        for (int i : g.items) b.Item(Group::Software, i, fs, g.x + 22, g.y + 22 + 19 * k++);
    }

    // Windows tab.
    const char* fw = "fraWindows";
    b.Heading(fw, "Windows", "Picture=#127", "Traces that Windows itself keeps");
    for (int i = 0; i < 5; ++i) b.Item(Group::Windows, i, fw, 32, 40 + 22 * i, 360);

    // Page 2: the settings.
    const char* p2 = kPage[2];
    b.Group(p2, 10, 8, "Program Setting", "Picture=#141", 160);  // clear of the next group
    b.Add("CheckBox", "chkShredder", -1, p2, px(32), px(30), px(160), px(18), "Enable File Shredder");
    b.Add("CheckBox", "chkRunStart", -1, p2, px(32), px(49), px(160), px(18), "Run on Start Up");
    b.Add("CheckBox", "chkAutoMin", -1, p2, px(32), px(68), px(160), px(18), "Minimize On Startup");
    b.Group(p2, 200, 8, "Auto Pilot Setting", "Picture=#142");
    b.Add("CheckBox", "chkAutoCleanBrowse", -1, p2, px(222), px(30), px(196), px(18),
          "Auto Clean After Browsing Session");
    b.Add("CheckBox", "chkAutoCleanTime", -1, p2, px(222), px(49), px(106), px(18), "Auto Clean every");
    b.Add("TextBox", "minuteCombo", -1, p2, px(330), px(48), px(34), px(20), "1");
    b.Add("Label", "lblMinutes", -1, p2, px(368), px(51), px(50), px(16), "minutes", "", "BackStyle=0");

    b.Group(p2, 10, 98, "Setting", "Picture=#143");
    const char* rows[] = {"Clean when ", "Hide Windows when", "Show Windows when"};
    for (int i = 0; i < 3; ++i) {
        int y = 122 + 28 * i;
        b.Add("Label", "lblHotKey", i, p2, px(32), px(y + 3), px(112), px(16), rows[i], "", "BackStyle=0");
        b.Add("ComboBox", "cntrlFirst", i, p2, px(146), px(y), px(64), px(21));
        b.Add("Label", "lblPlus", i, p2, px(212), px(y + 3), px(14), px(16), "+", "", "Alignment=2; BackStyle=0");
        b.Add("ComboBox", "cntrlSecond", i, p2, px(228), px(y), px(64), px(21));
        b.Add("Label", "lblPressed", i, p2, px(298), px(y + 3), px(60), px(16), "Pressed", "", "BackStyle=0");
    }

    b.Group(p2, 10, 212, "Windows", "Picture=#140");
    b.Note(p2, 32, 232, 380, "Windows whose title contains a ticked caption are hidden and shown.");
    b.Add("ListBox", "List1", -1, p2, px(32), px(252), px(300), px(140), "", "", "Style=1");
    b.Add("KivoXPButton", "cmdAddMore", -1, p2, px(340), px(252), 735, 375, "Add");
    b.Add("KivoXPButton", "cmdRemove", -1, p2, px(340), px(283), 1095, 375, "Remove");
    b.Add("Timer", "Timer1", -1, p2, 0, 0, 0, 0, "", "", "Interval=36000; Enabled=0");

    // On the window itself: the watcher's timers and the tray menu.
    b.Add("Timer", "TCheck", -1, "", 0, 0, 0, 0, "", "", "Interval=900; Enabled=0");
    b.Add("Timer", "TClosed", -1, "", 0, 0, 0, 0, "", "", "Interval=900; Enabled=0");
    b.Add("Menu", "mPopupSys", -1, "", 0, 0, 0, 0, "Systray", "", "Visible=0");
    const char* menu[][2] = {{"mnuClean", "&Clean"}, {"mnuShow", "&Show"}, {"mnuHelp", "&Help"},
                             {"mnuAbout", "&About"}, {"mneusep", "-"},     {"mnuExit", "&Exit"}};
    for (auto& m : menu) b.Add("Menu", m[0], -1, "mPopupSys", 0, 0, 0, 0, m[1]);
    return std::move(b.rows);
}

}  // namespace

const std::vector<gf::DesignRow>& FrmMainDesign() {
    static const std::vector<gf::DesignRow> design = Build();
    return design;
}

}  // namespace app
