#include "shredder/ShredArt.h"

#include "framework/PixelBuffer.h"

#include <cstdint>
#include <vector>

namespace shredder {

namespace {

constexpr int kScale = 4;  // drawn this much larger, then averaged

const COLORREF kBody = RGB(36, 59, 84);
const COLORREF kBodyEdge = RGB(22, 38, 56);
const COLORREF kBodyLight = RGB(70, 102, 135);
const COLORREF kSlot = RGB(12, 20, 30);
const COLORREF kLamp = RGB(32, 201, 151);
const COLORREF kPaper = RGB(255, 255, 255);
const COLORREF kPaperEdge = RGB(150, 162, 176);
const COLORREF kInk = RGB(120, 150, 190);
const COLORREF kStrip = RGB(250, 251, 253);
const COLORREF kGlyph = RGB(36, 59, 84);
const COLORREF kGlyphFace = RGB(226, 232, 240);

using Canvas = gf::PixelBuffer;

// Pen and brush selected for one shape, in the large canvas's units.
class Paint {
public:
    Paint(HDC dc, COLORREF fill, COLORREF edge, int edgeWidth)
        : dc_(dc),
          pen_(edgeWidth > 0 ? CreatePen(PS_SOLID, edgeWidth, edge) : CreatePen(PS_NULL, 0, 0)),
          brush_(CreateSolidBrush(fill)) {
        oldPen_ = SelectObject(dc_, pen_);
        oldBrush_ = SelectObject(dc_, brush_);
    }
    ~Paint() {
        SelectObject(dc_, oldPen_);
        SelectObject(dc_, oldBrush_);
        DeleteObject(pen_);
        DeleteObject(brush_);
    }
    Paint(const Paint&) = delete;
    Paint& operator=(const Paint&) = delete;

private:
    HDC dc_;
    HPEN pen_;
    HBRUSH brush_;
    HGDIOBJ oldPen_, oldBrush_;
};

// Shapes in the small picture's units (fractions allowed), drawn at kScale.
class Pen {
public:
    explicit Pen(HDC dc) : dc_(dc) {}
    void Box(double l, double t, double r, double b, COLORREF fill) {
        RECT rc{S(l), S(t), S(r), S(b)};
        HBRUSH brush = CreateSolidBrush(fill);
        FillRect(dc_, &rc, brush);
        DeleteObject(brush);
    }
    void Rounded(double l, double t, double r, double b, double radius, COLORREF fill,
                 COLORREF edge = 0, double edgeWidth = 0) {
        Paint p(dc_, fill, edge, S(edgeWidth));
        RoundRect(dc_, S(l), S(t), S(r), S(b), S(radius * 2), S(radius * 2));
    }
    void Disc(double cx, double cy, double radius, COLORREF fill) {
        Paint p(dc_, fill, 0, 0);
        Ellipse(dc_, S(cx - radius), S(cy - radius), S(cx + radius), S(cy + radius));
    }
    void Line(double x0, double y0, double x1, double y1, double width, COLORREF colour) {
        LOGBRUSH lb{BS_SOLID, colour, 0};
        HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND, S(width),
                                &lb, 0, nullptr);
        HGDIOBJ old = SelectObject(dc_, pen);
        MoveToEx(dc_, S(x0), S(y0), nullptr);
        LineTo(dc_, S(x1), S(y1));
        SelectObject(dc_, old);
        DeleteObject(pen);
    }

private:
    static int S(double v) { return static_cast<int>(v * kScale + 0.5); }
    HDC dc_;
};

// Averages each kScale x kScale block of the large canvas into one pixel.
gf::Bitmap Reduce(Canvas& large, int size) {
    Canvas small(size, size);
    if (!small.Valid()) return {};
    GdiFlush();
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            unsigned r = 0, g = 0, b = 0;
            for (int dy = 0; dy < kScale; ++dy)
                for (int dx = 0; dx < kScale; ++dx) {
                    std::uint32_t p = large.Raw(x * kScale + dx, y * kScale + dy);
                    b += p & 0xFF;
                    g += (p >> 8) & 0xFF;
                    r += (p >> 16) & 0xFF;
                }
            constexpr unsigned n = kScale * kScale;
            small.SetRaw(x, y, ((r + n / 2) / n) << 16 | ((g + n / 2) / n) << 8 | ((b + n / 2) / n));
        }
    return gf::Bitmap(small.Release());
}

// The shredder in a 64-unit square, scaled to the picture by the caller's mapping.
void DrawShredder(Pen& pen, int frame) {
    const double sink = frame == 0 ? 0 : 7;  // how far the sheet has gone in
    // The sheet, partly inside the machine already (the body covers the rest).
    double top = 5 + sink;
    pen.Rounded(19, top, 45, 40, 1.5, kPaper, kPaperEdge, 1);
    for (int i = 0; i < 5; ++i) {
        double y = top + 5 + i * 4;
        if (y > 24) break;  // no line right at the slot
        pen.Line(23, y, i % 2 ? 36 : 41, y, 1.4, kInk);
    }
    // Strips below the body: longer in the second frame, each a little different.
    static const double lengths[2][6] = {{9, 12, 8, 13, 10, 11}, {15, 18, 14, 19, 16, 17}};
    for (int i = 0; i < 6; ++i) {
        double x = 21.5 + i * 4.2;
        double length = lengths[frame][i];
        pen.Rounded(x, 41, x + 2.6, 41 + length, 0.6, kStrip, kPaperEdge, 0.6);
        // A fragment of a printed line on some strips.
        if ((i + frame) % 2 == 0) pen.Line(x + 1.3, 44 + length / 3, x + 1.3, 46 + length / 3, 1, kInk);
    }
    // The body with its slot, a light upper edge and a lamp.
    pen.Rounded(7, 26, 57, 44, 4, kBody, kBodyEdge, 1);
    pen.Rounded(9, 27.5, 55, 31, 1.6, kBodyLight);
    pen.Rounded(16, 28.4, 48, 30.6, 1, kSlot);
    pen.Box(14, 39.5, 50, 40.5, kBodyEdge);
    pen.Disc(51.5, 35.5, 1.8, frame == 0 ? kLamp : RGB(120, 240, 200));
}

// Draws at kScale times the size on the background, in units of `units` across,
// then reduces: smooth edges without GDI+.
template <typename Draw>
gf::Bitmap DrawScaled(int size, int units, COLORREF background, Draw&& draw) {
    Canvas large(size * kScale, size * kScale);
    if (!large.Valid()) return {};
    HDC dc = large.Dc();
    HBRUSH back = CreateSolidBrush(background);
    RECT all{0, 0, size * kScale, size * kScale};
    FillRect(dc, &all, back);
    DeleteObject(back);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, units * kScale, units * kScale, nullptr);
    SetViewportExtEx(dc, size * kScale, size * kScale, nullptr);
    Pen pen(dc);
    draw(pen);
    SetMapMode(dc, MM_TEXT);
    return Reduce(large, size);
}

}  // namespace

gf::Bitmap DrawShredderFrame(int frame, int size, COLORREF background) {
    return DrawScaled(size, 64, background, [&](Pen& pen) { DrawShredder(pen, frame == 0 ? 0 : 1); });
}

gf::Bitmap DrawHideGlyph(int size, COLORREF background) {
    return DrawScaled(size, 20, background, [](Pen& pen) {
        pen.Rounded(0.5, 0.5, 19.5, 19.5, 4, kGlyphFace);
        pen.Line(6, 7, 10, 11, 2, kGlyph);
        pen.Line(10, 11, 14, 7, 2, kGlyph);
        pen.Line(5.5, 14.5, 14.5, 14.5, 2, kGlyph);
    });
}

}  // namespace shredder
