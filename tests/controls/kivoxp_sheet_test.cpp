// Every button type in every state, painted side by side into one picture
// (kivoxp_looks.bmp beside the test executable) for a person to look at; the test
// itself checks that each type's looks differ where they must.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "controls/KivoXPButtonDraw.h"
#include "kivoxp_surface.h"

using namespace kivoxp;
using kivoxp_test::Canvas;
using kivoxp_test::Surface;

namespace {

constexpr int kW = 97, kH = 31, kGap = 8;

enum State { Up, Hover, Focus, Down, Disabled, kLooks };

// Paints one button and copies it, cut to its region, onto the sheet.
void PaintCell(Canvas& sheet, int left, int top, long type, long scheme, State look, const PictureView& pic) {
    Surface s{kW, kH};
    s.Setup(type, scheme, 0xFFFFFF);
    s.Lay("Type " + std::to_string(type), &pic);
    s.look.IsOver = look == Hover;
    s.look.HasFocus = look == Focus;
    s.look.Enabled = look != Disabled;
    // Type 11 shows what lies behind it: a striped stand-in for the parent.
    Canvas behind(kW, kH);
    behind.Fill(RGB(255, 255, 255));
    for (int y = 0; y < kH; y += 2) {
        RECT r{0, y, kW, y + 1};
        gdi::Brush b(CreateSolidBrush(RGB(200, 220, 255)));
        FillRect(behind.Dc(), &r, b.get());
    }
    if (type == 11) s.look.BackgroundDC = behind.Dc();
    s.look.DrawButton(look == Down ? kStateDown : kStateUp, true);
    gdi::Region region(MakeRegion(type, kW, kH));
    OffsetRgn(region.get(), left, top);
    SelectClipRgn(sheet.Dc(), region.get());
    BitBlt(sheet.Dc(), left, top, kW, kH, s.SurfaceDC(), 0, 0, SRCCOPY);
    SelectClipRgn(sheet.Dc(), nullptr);
}

bool CellsDiffer(Canvas& sheet, int x1, int x2, int y) {
    for (int dy = 0; dy < kH; ++dy)
        for (int dx = 0; dx < kW; ++dx)
            if (sheet.Pixel(x1 + dx, y + dy) != sheet.Pixel(x2 + dx, y + dy)) return true;
    return false;
}

}  // namespace

TEST(KivoXPSheet, EveryTypeInEveryState) {
    auto pic = kivoxp_test::MakePicture(16, 16, [](int x, int y) {
        const int dx = x - 8, dy = y - 8;
        if (dx * dx + dy * dy > 42) return RGB(192, 192, 192);
        return dx + dy < 0 ? RGB(40, 170, 60) : RGB(20, 110, 40);
    });
    Canvas sheet(kGap + kLooks * 2 * (kW + kGap) + kGap, kGap + 14 * (kH + kGap));
    sheet.Fill(RGB(236, 233, 216));
    auto cellX = [](int col) { return kGap + col * (kW + kGap); };
    for (int type = 1; type <= 14; ++type)
        for (int si = 0; si < 2; ++si)  // schemes 1 and 2
            for (int look = 0; look < kLooks; ++look)
                PaintCell(sheet, cellX(si * kLooks + look) + si * kGap, kGap + (type - 1) * (kH + kGap), type, si + 1,
                          static_cast<State>(look), pic->ref);
    EXPECT_TRUE(sheet.SaveBmp(testing_support::ExeFolder() + "\\kivoxp_looks.bmp"));
    for (int type = 1; type <= 14; ++type) {
        if (type == 10) continue;  // no look: only the picture moves
        const int y = kGap + (type - 1) * (kH + kGap);
        EXPECT_TRUE(CellsDiffer(sheet, cellX(Up), cellX(Down), y)) << "type " << type;
        EXPECT_TRUE(CellsDiffer(sheet, cellX(Up), cellX(Disabled), y)) << "type " << type;
    }
}
