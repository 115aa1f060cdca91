#pragma once
// A list box, by default with a check mark beside each entry (Style 1). For such a
// list Selected(i) is entry i's check mark and ListIndex the highlighted entry. The
// user ticks with a click on the mark, a double click on the text or the space bar,
// which raises OnItemCheck(i) and then OnClick; a new highlight raises OnClick. Ticks
// set in code raise nothing; setting ListIndex raises OnClick when it changes.
#include <functional>
#include <string>
#include <vector>

#include "framework/ChildWindow.h"

namespace gf {

class ListBox : public ChildWindow {
public:
    using ChildWindow::ChildWindow;
    const char* TypeName() const override { return "ListBox"; }

    std::function<void()> OnClick;
    std::function<void(int)> OnItemCheck;

    void AddItem(const std::string& item, int index = -1);
    // Throws gf::Error 5 for an index outside the list.
    void RemoveItem(int index);
    void Clear();
    int ListCount() const { return static_cast<int>(items_.size()); }
    std::string List(int index) const;
    bool Selected(int index) const;
    void SetSelected(int index, bool ticked);
    int ListIndex() const { return listIndex_; }
    // -1 highlights nothing. Throws gf::Error 380 outside -1..ListCount-1.
    void SetListIndex(int index);
    // 0 a plain list, 1 check marks (default); before the form loads.
    void SetStyle(int style) { style_ = style; }
    // Width in pixels that the horizontal scroll bar lets the user reach.
    int HorizontalExtent() const;
    void SetHorizontalExtent(int pixels);

    // While one lives, the list's window does not draw (WM_SETREDRAW off); when the
    // last one ends the list draws once. A fill of thousands of entries then costs no
    // repaint and no scroll-bar update per entry.
    class DrawingHold {
    public:
        explicit DrawingHold(ListBox& list);
        ~DrawingHold();
        DrawingHold(const DrawingHold&) = delete;
        DrawingHold& operator=(const DrawingHold&) = delete;

    private:
        ListBox& list_;
    };

    void ApplyDesign(const DesignProperties& props) override;
    bool OnParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    HWND MakeWindow(HWND parent) override;
    void AfterCreate() override;

private:
    struct Item {
        std::string text;
        bool ticked = false;
    };
    static LRESULT CALLBACK InputProc(HWND, UINT, WPARAM, LPARAM);
    static WNDPROC listProc_;
    void Draw(const DRAWITEMSTRUCT& dis);
    void UserToggle(int index);
    void RefreshItem(int index);
    bool OnCheckMark(int x) const;

    std::vector<Item> items_;
    int listIndex_ = -1;
    int style_ = 1;
    int extent_ = 0;
    int drawnLeft_ = 0;
    bool quiet_ = false;  // a highlight change made here, not by the user
    int holds_ = 0;
    bool redrawOff_ = false;
};

}  // namespace gf
