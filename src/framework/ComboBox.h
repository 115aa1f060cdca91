#pragma once
// A drop-down combo box: an editable text with a list to pick from (Style 0), or a
// drop-down list only (Style 2). OnClick is raised when an item is picked, by the user
// or by setting ListIndex; OnChange when the text changes, typed or set in code (and
// only when it differs). Setting Text selects nothing: the shown text is exactly it.
#include <functional>
#include <string>
#include <vector>

#include "framework/ChildWindow.h"

namespace gf {

class ComboBox : public ChildWindow {
public:
    using ChildWindow::ChildWindow;
    const char* TypeName() const override { return "ComboBox"; }

    std::function<void()> OnClick;
    std::function<void()> OnChange;

    // Appends, or inserts before index.
    void AddItem(const std::string& item, int index = -1);
    void RemoveItem(int index);
    // Empties the list and the text.
    void Clear();
    int ListCount() const { return static_cast<int>(items_.size()); }
    // "" for an index outside the list.
    std::string List(int index) const;
    int ListIndex() const { return listIndex_; }
    // -1 selects nothing and empties the text. Throws gf::Error 380 outside -1..ListCount-1.
    void SetListIndex(int index);
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);

    void ApplyDesign(const DesignProperties& props) override;
    bool OnParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    HWND MakeWindow(HWND parent) override;
    void AfterCreate() override;
    void ApplyGeometry() override;

private:
    std::string WindowText() const;

    std::vector<std::string> items_;
    std::string text_;
    int listIndex_ = -1;
    int style_ = 0;
    bool settingText_ = false;
};

}  // namespace gf
