#include "controls/clsTransForm.h"

#include "framework/PixelBuffer.h"

#include <vector>

#include "framework/Error.h"

namespace {

enum class TargetKind { Surface, Button, Other };

TargetKind KindOf(const gf::Control& target) {
    std::string kind = target.TypeName();
    if (kind == "Form" || kind == "PictureBox") return TargetKind::Surface;
    if (kind == "CommandButton" || kind == "CheckBox" || kind == "OptionButton") return TargetKind::Button;
    return TargetKind::Other;
}

// One horizontal run of the transparent colour: row y, first and last column.
struct Run {
    long y, x0, x1;
};

// A copy of width x height pixels of a device context; points outside it read as no
// colour at all, as a read beyond a picture or window does.
void CopyPixels(gf::PixelBuffer& copy, HDC source) {
    if (!copy.Valid()) return;
    BitBlt(copy.Dc(), 0, 0, copy.Width(), copy.Height(), source, 0, 0, SRCCOPY);
    GdiFlush();
}

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

}  // namespace

// Our forms and picture boxes paint from their own image; painting them now makes
// what the screen holds complete before it is read.
void clsTransForm::PrepareTarget() {
    HWND window = m_Target->Hwnd();
    UpdateWindow(window);
    RECT client{};
    GetClientRect(window, &client);
    m_TargetHeight = client.bottom;
    m_TargetWidth = client.right;
}

void clsTransForm::ShapeMe(gf::Control& Name, COLORREF Color) {
    TargetKind kind = KindOf(Name);
    if (kind == TargetKind::Other)
        throw gf::Error(ErrWrongKind, "TransForm",
                        "Must pass in the name of a Form, PictureBox, CommandButton, CheckBox or OptionButton.  "
                        "TransForm ShapeMe method failed.");
    HWND window = Name.Hwnd();
    if (!window) throw gf::Error(91, "TransForm", "Object variable or With block variable not set");
    HDC dc = nullptr;
    if (kind == TargetKind::Button) {
        auto* button = dynamic_cast<ShapeableButton*>(&Name);
        if (!button) throw gf::Error(438, "TransForm", "Object doesn't support this property or method");
        // Sizes come straight from the window in pixels, so unlike a form that measures in
        // twips the parent needs no change of scale around the scan.
        m_Target = &Name;
        button->SetCaption("");
        button->SetBackColor(Color);
        button->Refresh();
        RECT r{};
        GetWindowRect(window, &r);
        m_TargetHeight = r.bottom - r.top;
        m_TargetWidth = r.right - r.left;
        dc = GetWindowDC(window);
    } else {
        m_Target = &Name;
        PrepareTarget();
        dc = GetDC(window);
    }
    std::vector<Run> runs;
    {
        gf::PixelBuffer pixels(m_TargetWidth, m_TargetHeight, dc);
        CopyPixels(pixels, dc);
        runs = ScanRuns(pixels, m_TargetWidth, m_TargetHeight, Color);
    }
    // A button's 2-pixel border is cut off with the rest of its outside.
    m_WindowRegion = kind == TargetKind::Button
                         ? CreateRectRgn(2, 2, m_TargetWidth - 2, m_TargetHeight - 2)
                         : CreateRectRgn(0, 0, m_TargetWidth, m_TargetHeight);
    for (const Run& run : runs) {
        m_RunRegion = CreateRectRgn(run.x0, run.y, run.x1 + 1, run.y + 1);
        CombineRgn(m_WindowRegion, m_WindowRegion, m_RunRegion, RGN_DIFF);
        DeleteObject(m_RunRegion);
        m_RunRegion = nullptr;
    }
    SetWindowRgn(window, m_WindowRegion, TRUE);
    ReleaseDC(window, dc);
}

void clsTransForm::DragForm(HWND Who, short intButton) {
    if (intButton != 1) return;
    ReleaseCapture();
    // The press as the caption would get it, at the pointer's place on the screen.
    POINT at{};
    GetCursorPos(&at);
    SendMessageA(Who, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(static_cast<short>(at.x), static_cast<short>(at.y)));
}
