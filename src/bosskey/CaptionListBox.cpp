#include "bosskey/CaptionListBox.h"

#include <cmath>

#include "bosskey/CaptionList.h"
#include "bosskey/frmInput.h"
#include "framework/Control.h"

namespace bosskey {

void loadCheckWindows(gf::ListBox& List1, const std::string& newF, const std::wstring& captionFile) {
    auto entries = LoadCaptionEntries(captionFile, newF);
    if (!entries) return;
    gf::ListBox::DrawingHold hold(List1);
    List1.Clear();
    for (int i = 0; i < static_cast<int>(entries->size()); ++i) {
        const CaptionEntry& entry = (*entries)[static_cast<size_t>(i)];
        List1.AddItem(entry.text);
        if (entry.ticked) List1.SetSelected(i, true);
    }
}

void SetListHScroll(gf::ListBox& lst, const gf::Form& form) {
    std::string longest;
    for (int i = 0; i < lst.ListCount(); ++i)
        if (lst.List(i).size() > longest.size()) longest = lst.List(i);
    const long twips = std::lround(form.TextWidth(longest + " "));
    const long perPixel = std::max(1L, std::lround(gf::Screen::TwipsPerPixelX()));
    lst.SetHorizontalExtent(static_cast<int>(twips / perPixel));
}

void SaveCaptionTicks(const gf::ListBox& List1, const gf::SettingsSection& program) {
    for (int i = 0; i < List1.ListCount(); ++i)
        if (!List1.List(i).empty()) program.Save(List1.List(i), List1.Selected(i) ? "True" : "False");
}

void cmdAddMore_Click(frmInput& dialog) { dialog.Show(); }

void cmdRemove_Click(gf::ListBox& List1, const std::wstring& captionFile) {
    const int idx = List1.ListIndex();
    if (idx < 0 || idx >= List1.ListCount()) return;
    // The entry goes from the list even when the file no longer holds its line.
    RemoveCaptionLine(captionFile, idx, List1.List(idx));
    List1.RemoveItem(idx);
}

}  // namespace bosskey
