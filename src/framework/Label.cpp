#include "framework/Label.h"

#include "framework/Design.h"
#include "framework/Gdi.h"
#include "framework/Text.h"

namespace gf {

void Label::SetCaption(const std::string& caption) {
    if (caption == caption_ && wideCaption_.empty()) return;
    caption_ = caption;
    wideCaption_.clear();
    Refresh();
}

void Label::SetCaption(const std::wstring& caption) {
    caption_ = Narrow(caption);
    wideCaption_ = caption;
    Refresh();
}

void Label::SetAlignment(int alignment) {
    alignment_ = alignment;
    Refresh();
}

void Label::SetBackStyle(int style) {
    backStyle_ = style ? 1 : 0;
    Refresh();
}

void Label::SetBackColor(unsigned long color) {
    backColor_ = color;
    Refresh();
}

void Label::SetForeColor(unsigned long color) {
    foreColor_ = color;
    Refresh();
}

void Label::SetFont(const FontSpec& font) {
    font_ = font;
    Refresh();
}

void Label::ScaleFont(double factor) { SetFont(font_.Scaled(factor)); }

void Label::ApplyDesign(const DesignProperties& props) {
    WindowlessControl::ApplyDesign(props);
    caption_ = props.Get("Caption", caption_);
    wideCaption_.clear();
    alignment_ = static_cast<int>(props.GetLong("Alignment", alignment_));
    backStyle_ = props.GetLong("BackStyle", backStyle_) ? 1 : 0;
    backColor_ = props.GetColor("BackColor", backColor_);
    foreColor_ = props.GetColor("ForeColor", foreColor_);
    font_ = FontFromDesign(props, font_);
    Refresh();
}

void Label::Draw(HDC dc, RECT rc, UINT flags) const {
    if (wideCaption_.empty())
        DrawTextA(dc, caption_.c_str(), -1, &rc, flags);
    else
        DrawTextW(dc, wideCaption_.c_str(), -1, &rc, flags);
}

void Label::PaintWindowless(HDC dc) {
    RECT rc = PixelRect();
    IntersectClipRect(dc, rc.left, rc.top, rc.right, rc.bottom);
    if (backStyle_ == 1) FillSolid(dc, rc, ResolveColor(backColor_));
    SelectGuard font(dc, GetFont(font_));
    SetBkMode(dc, TRANSPARENT);
    UINT align = alignment_ == 1 ? DT_RIGHT : alignment_ == 2 ? DT_CENTER : DT_LEFT;
    UINT flags = align | DT_WORDBREAK | DT_EXPANDTABS;
    if (!Enabled()) {
        // Disabled text, engraved as the system draws it.
        RECT shadow = rc;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        Draw(dc, shadow, flags);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    } else {
        SetTextColor(dc, ResolveColor(foreColor_));
    }
    Draw(dc, rc, flags);
}

}  // namespace gf
