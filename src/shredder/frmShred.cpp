#include "shredder/frmShred.h"

#include "shredder/ShredArt.h"

namespace shredder {

namespace {

constexpr unsigned long kBack = 0x00FBF8F6;  // &H00BBGGRR: a cool, light grey

// The window's design, in twips (client area 5400 x 1560).
const gf::DesignRow kDesign[] = {
    {"Shape", "Shape1", -1, "", 60, 60, 5280, 1440, "", "",
     "Shape=4; BorderColor=&H00E0D5CD&; BorderWidth=1"},
    {"Image", "Image1", -1, "", 240, 300, 960, 960},
    {"Image", "Image2", -1, "", 240, 300, 960, 960, "", "", "Visible=0"},
    {"Label", "Label1", -1, "", 1440, 270, 3300, 330, "Shredding File", "",
     "FontName=Arial; FontSize=10; FontBold=1; ForeColor=&H00543B24&"},
    {"Image", "Image3", -1, "", 4920, 240, 300, 300, "", "", "ToolTipText=Hide This Window"},
    {"Label", "lblFile", -1, "", 1440, 630, 3780, 420, "", "", "ForeColor=&H007D6954&"},
    {"ProgressBar", "pgbShred", -1, "", 1440, 1080, 3780, 225},
    {"Timer", "Timer1", -1, "", 0, 0, 0, 0, "", "", "Interval=600; Enabled=1"},
};

constexpr double kClientWidth = 5400, kClientHeight = 1560;

}  // namespace

frmShred::frmShred(std::wstring path) : gf::Form("frmShred", kDesign), path_(std::move(path)) {
    SetCaption("Quorrin Shredder");
    SetBorderStyle(gf::FormBorder::FixedSingle);
    SetStartUpPosition(gf::StartUpPosition::CenterScreen);
    SetBackColor(kBack);
    SetClientSize(kClientWidth, kClientHeight);
    Timer1.OnTimer = [this] { Timer1_Timer(); };
    Image3.OnClick = [this] { Image3_Click(); };
}

void frmShred::Form_Load() {
    lblFile.SetCaption(path_);
    // The pictures are drawn for this screen's pixels, on the window's own colour.
    const COLORREF back = RGB(kBack & 0xFF, (kBack >> 8) & 0xFF, (kBack >> 16) & 0xFF);
    const int frame = gf::TwipsToPixelsX(Image1.Width());
    Image1.SetPicture(DrawShredderFrame(0, frame, back));
    Image2.SetPicture(DrawShredderFrame(1, frame, back));
    Image3.SetPicture(DrawHideGlyph(gf::TwipsToPixelsX(Image3.Width()), back));
}

void frmShred::Form_QueryUnload(bool& cancel, int unloadMode) {
    if (unloadMode != gf::vbFormControlMenu) return;
    cancel = true;
    Hide();
}

void frmShred::Start(std::uint64_t totalBytes) {
    pgbShred.SetMax(static_cast<double>(totalBytes));
    pgbShred.SetValue(0);
}

void frmShred::Advance(std::uint64_t doneBytes) { pgbShred.SetValue(static_cast<double>(doneBytes)); }

void frmShred::Timer1_Timer() {
    if (Image1.Visible()) {
        Image1.SetVisible(false);
        Image2.SetVisible(true);
    } else {
        Image1.SetVisible(true);
        Image2.SetVisible(false);
    }
}

void frmShred::Image3_Click() { Hide(); }

}  // namespace shredder
