#pragma once
// The two container controls: a frame (optional caption and border; transparent by
// default, so a page of frames shows the skin below) and a picture box (a picture from
// a resource or file over a back colour, mouse events, custom painting). Children are
// placed in twips within them.
#include <functional>
#include <string>

#include "framework/Bitmap.h"
#include "framework/ChildWindow.h"
#include "framework/Container.h"
#include "framework/MouseHandlers.h"

namespace gf {

// What frames and picture boxes share: a child window of the layer's own class that
// is a Container for the controls placed in it.
class SurfaceControl : public ChildWindow, public Container, public MessageSink, public MouseHandlers {
public:
    using ChildWindow::ChildWindow;

    Container* AsContainer() override { return this; }
    HWND SurfaceWindow() const override { return hwnd_; }
    LRESULT WindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;

    // The mouse handlers serve presses that no windowless control inside takes.

    unsigned long BackColor() const { return backColor_; }
    void SetBackColor(unsigned long color);
    void ApplyDesign(const DesignProperties& props) override;

protected:
    HWND MakeWindow(HWND parent) override;
    void SurfaceMouse(MouseEvent ev, int button, int shift, double x, double y) override;

    unsigned long backColor_ = 0x8000000F;
};

class Frame : public SurfaceControl {
public:
    using SurfaceControl::SurfaceControl;
    const char* TypeName() const override { return "Frame"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // 0 no border, 1 an etched border with the caption in its top edge (default).
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int style);
    // 0 transparent (default): the container behind shows through; 1 BackColor.
    int BackStyle() const { return backStyle_; }
    void SetBackStyle(int style);
    void SetForeColor(unsigned long color);

    void PaintBackground(HDC dc, const RECT& area) override;
    void ApplyDesign(const DesignProperties& props) override;

protected:
    void PaintDecorations(HDC dc) override;

private:
    std::string caption_;
    int borderStyle_ = 1;
    int backStyle_ = 0;
    unsigned long foreColor_ = 0x80000012;
};

class PictureBox : public SurfaceControl {
public:
    using SurfaceControl::SurfaceControl;
    const char* TypeName() const override { return "PictureBox"; }

    // Custom drawing over the picture and under the windowless controls (pixels).
    std::function<void(HDC)> OnPaint;

    const Bitmap& Picture() const { return picture_; }
    void SetPicture(const Bitmap& picture);
    // 0 none (default), 1 a sunken edge.
    void SetBorderStyle(int style) { borderStyle_ = style; }

    void PaintBackground(HDC dc, const RECT& area) override;
    void ApplyDesign(const DesignProperties& props) override;

protected:
    HWND MakeWindow(HWND parent) override;
    void PaintDecorations(HDC dc) override;

private:
    Bitmap picture_;
    int borderStyle_ = 0;
};

}  // namespace gf
