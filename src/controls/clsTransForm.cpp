#include "controls/clsTransForm.h"

#include <string>
#include <vector>

#include "framework/ButtonControl.h"
#include "framework/Container.h"
#include "framework/Error.h"
#include "framework/PixelBuffer.h"

namespace {

enum class TargetKind { Surface, Button, Other };

TargetKind KindOf(const gf::Object& target) {
    std::string kind = target.TypeName();
    if (kind == "Form" || kind == "PictureBox") return TargetKind::Surface;
    if (kind == "CommandButton" || kind == "CheckBox" || kind == "OptionButton") return TargetKind::Button;
    return TargetKind::Other;
}

// What a late-bound call meets when the object lacks the member it names.
template <typename T>
T& Member(gf::Object& target) {
    auto* member = dynamic_cast<T*>(&target);
    if (!member) throw gf::Error(438, "TransForm", "Object doesn't support this property or method");
    return *member;
}

// One horizontal run of the transparent colour: row y, first and last column.
struct Run {
    long y, x0, x1;
};

// The scan covers one column and one row beyond the target, which read as no colour.
std::vector<Run> ScanRuns(const gf::PixelBuffer& pixels, long width, long height, COLORREF color) {
    std::vector<Run> runs;
    for (long y = 0; y <= height; ++y) {
        bool open = false;
        Run run{y, 0, 0};
        for (long x = 0; x <= width; ++x) {
            if (pixels.At(x, y) == color) {
                if (!open) run.x0 = x;
                run.x1 = x;
                open = true;
            } else if (open) {
                runs.push_back(run);
                open = false;
            }
        }
        if (open) runs.push_back(run);  // a run never joins the next row
    }
    return runs;
}

// Where the client area starts within the whole window, whose corner is the origin of
// a window region.
POINT ClientOrigin(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return POINT{origin.x - outer.left, origin.y - outer.top};
}

}  // namespace

void clsTransForm::PrepareTarget() {
    // The surface's own image serves as the persistent one that AutoRedraw would keep, and
    // sizes are read in pixels from the window: our forms and picture boxes have no
    // AutoRedraw, ScaleMode or ClipControls to set.
    RECT client{};
    GetClientRect(m_Target->Hwnd(), &client);
    m_TargetHeight = client.bottom;
    m_TargetWidth = client.right;
}

void clsTransForm::ShapeMe(gf::Object& Name, COLORREF Color) {
    const TargetKind kind = KindOf(Name);
    if (kind == TargetKind::Other)
        throw gf::Error(ErrWrongKind, "TransForm",
                        "Must pass in the name of a Form, PictureBox, CommandButton, CheckBox or OptionButton.  "
                        "TransForm ShapeMe method failed.");
    const HWND window = Name.Hwnd();
    if (!window) throw gf::Error(91, "TransForm", "Object variable or With block variable not set");
    m_Target = &Name;
    std::vector<Run> runs;
    POINT origin{0, 0};
    if (kind == TargetKind::Button) {
        auto& button = Member<gf::ButtonControl>(Name);
        // The parent's scale mode would make Width and Height pixels for the scan; ours
        // has none, and the window gives its size in pixels.
        button.SetCaption("");
        button.SetBackColor(Color);
        button.Refresh();
        RECT outer{};
        GetWindowRect(window, &outer);
        m_TargetHeight = outer.bottom - outer.top;
        m_TargetWidth = outer.right - outer.left;
        HDC dc = GetWindowDC(window);
        gf::PixelBuffer pixels(m_TargetWidth, m_TargetHeight, dc);
        if (pixels.Valid()) BitBlt(pixels.Dc(), 0, 0, m_TargetWidth, m_TargetHeight, dc, 0, 0, SRCCOPY);
        GdiFlush();
        ReleaseDC(window, dc);
        runs = ScanRuns(pixels, m_TargetWidth, m_TargetHeight, Color);
    } else {
        auto& surface = Member<gf::Container>(Name);
        PrepareTarget();
        gf::PixelBuffer pixels(m_TargetWidth, m_TargetHeight);
        if (pixels.Valid()) surface.PaintImage(pixels.Dc(), RECT{0, 0, m_TargetWidth, m_TargetHeight});
        GdiFlush();
        runs = ScanRuns(pixels, m_TargetWidth, m_TargetHeight, Color);
        origin = ClientOrigin(window);
    }
    // A button's 2-pixel border is cut off with the rest of its outside.
    m_WindowRegion = kind == TargetKind::Button ? CreateRectRgn(2, 2, m_TargetWidth - 2, m_TargetHeight - 2)
                                                : CreateRectRgn(0, 0, m_TargetWidth, m_TargetHeight);
    for (const Run& run : runs) {
        m_RunRegion = CreateRectRgn(run.x0, run.y, run.x1 + 1, run.y + 1);
        CombineRgn(m_WindowRegion, m_WindowRegion, m_RunRegion, RGN_DIFF);
        DeleteObject(m_RunRegion);
        m_RunRegion = nullptr;
    }
    // The pixels read were client pixels: a form with a caption, or a picture box with
    // an edge, is cut where its colour is, and keeps no caption or border around it.
    OffsetRgn(m_WindowRegion, origin.x, origin.y);
    SetWindowRgn(window, m_WindowRegion, TRUE);
}

void clsTransForm::DragForm(const gf::Object& Who, short intButton) {
    if (intButton != 1) return;
    ReleaseCapture();
    // The press as the caption would get it: the message carries the pointer's place on
    // the screen, so that is what it is given rather than the address of a zero.
    POINT at{};
    GetCursorPos(&at);
    SendMessageA(Who.Hwnd(), WM_NCLBUTTONDOWN, HTCAPTION,
                 MAKELPARAM(static_cast<short>(at.x), static_cast<short>(at.y)));
}
