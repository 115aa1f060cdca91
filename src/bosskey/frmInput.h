#pragma once
// The caption dialog: a small borderless window in which the user types a window
// caption for the boss key and adds it to the caption file. Modeless: the main window
// and the hot keys stay usable while it is open. It is created once and afterwards
// only hidden and shown again; its text and drag state persist meanwhile. Its two
// buttons are "KivoXPButton" rows: the program registers that type (with each
// instance's saved properties) before the dialog is made.
#include <functional>
#include <span>
#include <string>

#include "bosskey/CaptionFile.h"
#include "framework/Form.h"
#include "framework/TextBox.h"

namespace bosskey {

inline constexpr const char* kInvalidCaptionMessage = "Please Enter a Valid Window Caption";
// The help message of the "?" picture: three lines joined by CR LF.
std::string CaptionHelpText();

// The dialog's design: every control with its place (twips), caption and properties.
std::span<const gf::DesignRow> frmInputDesign();

class frmInput : public gf::Form {
public:
    explicit frmInput(std::wstring captionFile = CaptionFilePath());

    // Called with each caption written to the file; the main window reloads its list
    // with it (loadCheckWindows(List1, caption)) so that it comes back ticked.
    std::function<void(const std::string&)> OnCaptionAdded;

    gf::TextBox& Text1() const { return Get<gf::TextBox>("Text1"); }
    bool Dragging() const { return dragging_ != 0; }

    // The handlers of the buttons and the help picture.
    void cmdAdd_Click();
    void cmdCancel_Click();
    void Image1_Click();

protected:
    void Form_Load() override;
    void Form_MouseDown(int button, int shift, double x, double y) override;
    void Form_MouseMove(int button, int shift, double x, double y) override;
    void Form_MouseUp(int button, int shift, double x, double y) override;

private:
    std::wstring captionFile_;
    short startX_ = 0, startY_ = 0;
    short dragging_ = 0;
};

}  // namespace bosskey
