// GF_EXCLUSIVE_DISPLAY
// A sample form with every kind of control over a coloured picture, read back from the
// screen: labels, check boxes and frames must show the picture behind them, and the
// whole window is saved as forms_sample.bmp in the build folder for a look.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <vector>

#include "TestSupport.h"
#include "framework/Forms.h"
#include "framework/Gdi.h"

using namespace testing_support;

namespace {

constexpr int kPicW = 480, kPicH = 360;

COLORREF SkinAt(int x, int y) {
    return RGB(30 + x * 110 / kPicW, 80 + y * 110 / kPicH, 170 - x * 60 / kPicW);
}

// A 24-bit picture with a smooth two-way gradient, so every spot has its own colour.
gf::Bitmap MakeSkin() {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = kPicW;
    bi.bmiHeader.biHeight = -kPicH;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* px = static_cast<DWORD*>(bits);
    for (int y = 0; y < kPicH; ++y)
        for (int x = 0; x < kPicW; ++x) {
            COLORREF c = SkinAt(x, y);
            px[y * kPicW + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    return gf::Bitmap(bmp);
}

// A small picture for the image control: a white disc on magenta, magenta masked out.
gf::Bitmap MakeIcon() {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 24, 24);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT all{0, 0, 24, 24};
    gf::FillSolid(mem, all, RGB(255, 0, 255));
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    HGDIOBJ oldBrush = SelectObject(mem, white);
    Ellipse(mem, 2, 2, 22, 22);
    SelectObject(mem, oldBrush);
    DeleteObject(white);
    SetBkMode(mem, TRANSPARENT);
    SetTextColor(mem, RGB(0, 70, 160));
    DrawTextA(mem, "?", 1, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return gf::Bitmap(bmp);
}

const gf::DesignRow kSample[] = {
    {"PictureBox", "picMain", -1, "", 0, 0, 7200, 5400},
    {"Label", "lblTitle", -1, "picMain", 240, 120, 4000, 330, "Sample window", "", "FontSize=12; FontBold=1; ForeColor=&H00FFFFFF&"},
    {"Image", "imgHelp", -1, "picMain", 6600, 120, 360, 360, "", "", "MaskColor=&H00FF00FF&"},
    {"Frame", "fraOptions", -1, "picMain", 240, 600, 3360, 2700, "Options", "", "ForeColor=&H00FFFFFF&"},
    {"CheckBox", "chkItem", 0, "fraOptions", 180, 300, 3000, 255, "Temporary files", "", "ForeColor=&H00FFFFFF&"},
    {"CheckBox", "chkItem", 1, "fraOptions", 180, 600, 3000, 255, "Recent documents", "", "ForeColor=&H00FFFFFF&"},
    {"CheckBox", "chkItem", 2, "fraOptions", 180, 900, 3000, 255, "Greyed choice", "", "ForeColor=&H00FFFFFF&"},
    {"Label", "lblEvery", -1, "fraOptions", 180, 1320, 1000, 255, "Clean every", "", "ForeColor=&H00FFFFFF&"},
    {"TextBox", "txtMinutes", -1, "fraOptions", 1200, 1260, 600, 300, "15"},
    {"Label", "lblMinutes", -1, "fraOptions", 1900, 1320, 1000, 255, "minutes", "", "ForeColor=&H00FFFFFF&"},
    {"ComboBox", "cboKey", -1, "fraOptions", 180, 1800, 1200, 315, "Ctrl"},
    {"Label", "lblPlus", -1, "fraOptions", 1440, 1845, 200, 255, "+", "", "ForeColor=&H00FFFFFF&; Alignment=2"},
    {"ComboBox", "cboKey2", -1, "fraOptions", 1680, 1800, 1200, 315, "F1"},
    {"ListBox", "lstCaptions", -1, "picMain", 3840, 720, 3120, 1560},
    {"Shape", "shpBand", -1, "picMain", 3840, 2460, 3120, 840, "", "", "BackStyle=1; BackColor=&H00603010&; BorderColor=&H00FFFFFF&; Shape=4"},
    {"Label", "lblBand", -1, "picMain", 3960, 2580, 2880, 600, "Last Clean: Never\r\nAuto Clean: Off", "", "ForeColor=&H0080FFFF&"},
    {"ProgressBar", "pgbClean", -1, "picMain", 240, 3600, 6720, 300},
    {"Label", "lblStatus", -1, "picMain", 240, 4020, 6720, 255, "Cleaning Temporary files", "", "ForeColor=&H00FFFFFF&; Alignment=2"},
    {"Label", "lblVersion", -1, "picMain", 5700, 5040, 1300, 255, "Version 1.06", "", "Alignment=1"},
};

class SampleForm : public gf::Form {
public:
    SampleForm() : gf::Form("frmSample") {
        SetCaption("Glimmerfold sample");
        SetClientSize(7200, 5400);
        SetStartUpPosition(gf::StartUpPosition::Manual);
        Move(600, 600, Width(), Height());
        Build(kSample);
    }
};

void SaveBmp(HWND hwnd, const std::string& path) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    int w = rc.right, h = rc.bottom;
    HDC src = GetDC(hwnd);
    HDC mem = CreateCompatibleDC(src);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(src, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, w, h, src, 0, 0, SRCCOPY);
    GdiFlush();
    int stride = ((w * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader + stride * h), 0, 0,
                        static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader)};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
    out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(stride) * h);
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(hwnd, src);
}

bool Near(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= 8 && std::abs(GetGValue(a) - GetGValue(b)) <= 8 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 8;
}

// The colour at a point of the form's client area, as the screen shows it.
COLORREF ClientPixel(HWND form, int x, int y) {
    POINT pt{x, y};
    ClientToScreen(form, &pt);
    return ScreenPixel(pt.x, pt.y);
}

}  // namespace

TEST(Painting, ControlsShowTheSkinBehindThem) {
    gf::Screen::OverrideTwipsPerPixel(15, 15);
    SampleForm f;
    f.Get<gf::PictureBox>("picMain").SetPicture(MakeSkin());
    f.Get<gf::Image>("imgHelp").SetPicture(MakeIcon());
    f.Get<gf::Image>("imgHelp").OnClick = [] {};
    auto items = f.Array<gf::CheckBox>("chkItem");
    items[0].SetValue(1);
    items[2].SetValue(2);
    auto& list = f.Get<gf::ListBox>("lstCaptions");
    for (const char* c : {"WordPad", "PartyPoker", "Untitled - Notepad", "Calculator"}) list.AddItem(c);
    list.SetSelected(0, true);
    list.SetSelected(2, true);
    auto& key = f.Get<gf::ComboBox>("cboKey");
    for (const char* k : {"Ctrl", "Alt", "Shift"}) key.AddItem(k);
    auto& bar = f.Get<gf::ProgressBar>("pgbClean");
    bar.SetMax(37);
    bar.SetValue(14);
    f.Show();
    list.SetListIndex(1);
    HWND h = f.Hwnd();
    SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PumpFor(400);

    // Right of a check box's caption: the skin, seen through the box and its frame.
    RECT box;
    GetWindowRect(items[1].Hwnd(), &box);
    MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&box), 2);
    int bx = box.right - 4, by = (box.top + box.bottom) / 2;
    EXPECT_TRUE(PumpUntil([&] { return Near(ClientPixel(h, bx, by), SkinAt(bx, by)); }, 3000))
        << std::hex << ClientPixel(h, bx, by) << " vs " << SkinAt(bx, by);

    // A transparent label: its empty corner shows the skin, its text does not.
    RECT lbl{380, 336, 466, 353};  // lblVersion in pixels at 15 twips per pixel
    EXPECT_TRUE(Near(ClientPixel(h, lbl.right - 1, lbl.bottom - 1), SkinAt(lbl.right - 1, lbl.bottom - 1)));
    int ink = 0;
    for (int y = lbl.top; y < lbl.bottom; ++y)
        for (int x = lbl.left; x < lbl.right; ++x)
            if (!Near(ClientPixel(h, x, y), SkinAt(x, y))) ++ink;
    EXPECT_GT(ink, 20);

    CreateDirectoryA((BuildDrive() + "screens").c_str(), nullptr);
    SaveBmp(h, BuildDrive() + "screens\\forms_sample.bmp");

    // The masked image: the disc is white, its masked corner is skin.
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(h, 452, 20) == RGB(255, 255, 255); }, 3000))
        << std::hex << ClientPixel(h, 452, 20);
    EXPECT_TRUE(Near(ClientPixel(h, 440, 8), SkinAt(440, 8)));
    gf::Screen::OverrideTwipsPerPixel(0, 0);
}
