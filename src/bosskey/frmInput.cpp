#include "bosskey/frmInput.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "bosskey/CaptionList.h"
#include "controls/KivoXPButton.h"
#include "framework/App.h"
#include "framework/Forms.h"
#include "framework/Gdi.h"
#include "framework/Runtime.h"

namespace bosskey {

namespace {

constexpr double kWidth = 4800, kHeight = 2190;  // client area, twips
constexpr COLORREF kHelpKey = RGB(255, 0, 255);  // left out when the help picture is drawn

const gf::DesignRow kDesign[] = {
    {"Shape", "Shape1", -1, "", 0, 0, 4800, 90, "", "",
     "BackStyle=1; BackColor=&H00A05A1E; BorderStyle=0"},
    {"Label", "Label2", -1, "", 300, 330, 3600, 255, "Enter Window Caption", "",
     "FontName=Tahoma; FontBold=1; ForeColor=&H00402010"},
    {"Image", "Image1", -1, "", 4260, 300, 240, 240, "", "", "ToolTipText=Help"},
    {"TextBox", "Text1", -1, "", 300, 660, 4200, 315, ""},
    {"Label", "Label3", -1, "", 300, 1065, 4200, 255, "Example: Wordpad, PartyPoker", "",
     "ForeColor=&H00707070"},
    // Drawn buttons: their captions and looks are their saved properties, which the
    // program's registration of the type gives each instance by name.
    {"KivoXPButton", "cmdAdd", -1, "", 1710, 1560, 1215, 375, "Add"},
    {"KivoXPButton", "cmdCancel", -1, "", 3045, 1560, 1455, 375, "Cancel"},
    // A shape, not a frame: a frame's window over the dialog would hide its labels and take the presses that drag it.
    {"Shape", "Shape2", -1, "", 0, 0, 4800, 2190, "", "", "BorderColor=&H00A05A1E"},
};

short ToShort(double v) {
    return static_cast<short>(std::clamp<long>(std::lround(v), SHRT_MIN, SHRT_MAX));
}

// A round blue "?" badge, 16 pixels across, on the key colour.
gf::Bitmap HelpPicture() {
    constexpr int kSize = 16;
    HBITMAP bmp = nullptr;
    {
        gf::WindowDC screen(nullptr);
        bmp = CreateCompatibleBitmap(screen.Get(), kSize, kSize);
    }
    gf::Bitmap picture(bmp);
    gf::MemoryDC memory;
    HDC dc = memory.Get();
    gf::SelectGuard keepBitmap(dc, bmp);
    RECT all{0, 0, kSize, kSize};
    gf::FillSolid(dc, all, kHelpKey);
    gf::Brush blue(CreateSolidBrush(RGB(30, 90, 160)));
    gf::SelectGuard b(dc, blue.Get());
    gf::SelectGuard p(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, 0, 0, kSize + 1, kSize + 1);
    gf::FontSpec spec;
    spec.bold = true;
    gf::SelectGuard f(dc, gf::GetFont(spec));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextA(dc, "?", 1, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return picture;
}

}  // namespace

std::string CaptionHelpText() {
    return "You can enter a window caption.\r\n Example: \r\n If you want to hide/show any windows that "
           "contains XXX. You can add XXX as a window caption";
}

std::span<const gf::DesignRow> frmInputDesign() { return kDesign; }

frmInput::frmInput(std::wstring captionFile) : gf::Form("frmInput"), captionFile_(std::move(captionFile)) {
    SetCaption("Glimmerfold");
    SetBorderStyle(gf::FormBorder::None);
    SetStartUpPosition(gf::StartUpPosition::CenterScreen);
    SetBackColor(0x00FFFFFF);
    SetClientSize(kWidth, kHeight);
    Build(frmInputDesign());
    auto& help = Get<gf::Image>("Image1");
    help.SetPicture(HelpPicture());
    help.SetMaskColor(kHelpKey);
    help.OnClick = [this] { Image1_Click(); };
    Get<KivoXPButton>("cmdAdd").Click = [this] { cmdAdd_Click(); };
    Get<KivoXPButton>("cmdCancel").Click = [this] { cmdCancel_Click(); };
}

void frmInput::Form_Load() { Get<gf::Shape>("Shape2").Move(0, 0, Width(), Height()); }

void frmInput::cmdAdd_Click() {
    const auto caption = StorableCaption(Text1().WideText());
    if (!caption) {
        gf::MsgBox(kInvalidCaptionMessage, MB_OK, gf::App::Title());
        return;
    }
    if (!AppendCaption(captionFile_, *caption)) return;  // nothing stored: the text stays
    Text1().SetText("");
    if (OnCaptionAdded) OnCaptionAdded(*caption);
    Hide();
}

void frmInput::cmdCancel_Click() { Hide(); }

void frmInput::Image1_Click() { gf::MsgBox(CaptionHelpText(), MB_OK | MB_ICONINFORMATION, gf::App::Title()); }

void frmInput::Form_MouseDown(int, int, double x, double y) {
    if (dragging_) return;
    startX_ = ToShort(x);
    startY_ = ToShort(y);
    dragging_ = 1;
}

void frmInput::Form_MouseMove(int, int, double x, double y) {
    if (!dragging_) return;
    // The pressed point stays under the pointer.
    Move(Left() + (ToShort(x) - startX_), Top() + (ToShort(y) - startY_), Width(), Height());
}

void frmInput::Form_MouseUp(int, int, double, double) { dragging_ = 0; }

}  // namespace bosskey
