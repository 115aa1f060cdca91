// Every button type in every state, painted side by side into one picture
// (kivoxp_looks.bmp beside the test executable) for a person to look at; the test
// itself checks that each type's looks differ where they must.
#include <gtest/gtest.h>

#include "controls/KivoXPButtonDraw.h"
#include "kivoxp_surface.h"

using namespace kivoxp;
using kivoxp_test::Canvas;
using kivoxp_test::Surface;

namespace {

constexpr int kW = 97, kH = 31, kGap = 8;

enum State { Up, Hover, Focus, Down, Disabled, kLooks };

std::string ExeFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\'));
}

// Paints one button and copies it, cut to its region, onto the sheet.
void PaintCell(Canvas& sheet, int left, int top, long type, long scheme, State look, const PictureView& pic) {
    Surface s{kW, kH};
    s.Setup(type, scheme, 0xFFFFFF);
    s.look.Caption = "Type " + std::to_string(type);
    s.look.PictureNormal = pic;
    s.look.CalcPictureSize();
    s.look.CalcCaptionRect();
    s.look.IsOver = look == Hover;
    s.look.HasFocus = look == Focus;
    s.look.Enabled = look != Disabled;
    // Type 11 shows what lies behind it: a striped stand-in for the parent.
    Canvas behind(kW, kH);
    behind.Fill(RGB(255, 255, 255));
    for (int y = 0; y < kH; y += 2) {
        RECT r{0, y, kW, y + 1};
        gdi::Brush b(CreateSolidBrush(RGB(200, 220, 255)));
        FillRect(behind.dc(), &r, b.get());
    }
    if (type == 11) s.look.BackgroundDC = behind.dc();
    s.look.DrawButton(look == Down ? kStateDown : kStateUp, true);
    gdi::Region region(MakeRegion(type, kW, kH));
    OffsetRgn(region.get(), left, top);
    SelectClipRgn(sheet.dc(), region.get());
    BitBlt(sheet.dc(), left, top, kW, kH, s.SurfaceDC(), 0, 0, SRCCOPY);
    SelectClipRgn(sheet.dc(), nullptr);
}

bool CellsDiffer(Canvas& sheet, int x1, int y1, int x2, int y2) {
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            if (sheet.Pixel(x1 + x, y1 + y) != sheet.Pixel(x2 + x, y2 + y)) return true;
    return false;
}

}  // namespace

TEST(KivoXPSheet, EveryTypeInEveryState) {
    auto pic = kivoxp_test::MakePicture(16, 16, [](int x, int y) {
        const int dx = x - 8, dy = y - 8;
        if (dx * dx + dy * dy > 42) return RGB(192, 192, 192);
        return dx + dy < 0 ? RGB(40, 170, 60) : RGB(20, 110, 40);
    });
    const long schemes[] = {1, 2};
    const int cols = kLooks * 2, rows = 14;
    Canvas sheet(kGap + cols * (kW + kGap) + kGap, kGap + rows * (kH + kGap));
    sheet.Fill(RGB(236, 233, 216));
    for (int type = 1; type <= 14; ++type)
        for (int si = 0; si < 2; ++si)
            for (int look = 0; look < kLooks; ++look) {
                const int col = si * kLooks + look;
                PaintCell(sheet, kGap + col * (kW + kGap) + si * kGap, kGap + (type - 1) * (kH + kGap), type,
                          schemes[si], static_cast<State>(look), pic.ref);
            }
    EXPECT_TRUE(sheet.SaveBmp(ExeFolder() + "\\kivoxp_looks.bmp"));

    auto cellX = [](int col) { return kGap + col * (kW + kGap); };
    for (int type = 1; type <= 14; ++type) {
        const int y = kGap + (type - 1) * (kH + kGap);
        if (type == 10) continue;  // no look: only the picture moves
        EXPECT_TRUE(CellsDiffer(sheet, cellX(Up), y, cellX(Down), y)) << "type " << type;
        EXPECT_TRUE(CellsDiffer(sheet, cellX(Up), y, cellX(Disabled), y)) << "type " << type;
    }
}
