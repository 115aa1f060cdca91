#pragma once
// The caption list on the main window's settings page (List1, a list box with check
// marks) and its buttons "Add" and "Remove". The main window owns the controls and
// calls these from its handlers; nothing here knows the main window.
#include <functional>
#include <string>

#include "bosskey/CaptionFile.h"
#include "bosskey/HotKeys.h"
#include "framework/Form.h"
#include "framework/ListBox.h"

namespace bosskey {

class frmInput;

// Fills List1 from the caption file, in file order, ticking each entry whose stored tick
// is true or that equals newF (the caption just added). Without a file the list keeps
// what it shows. Called by every page-button click (newF "") and by the dialog's Add.
void loadCheckWindows(gf::ListBox& List1, const std::string& newF = "",
                      const std::string& captionFile = CaptionFilePath());

// Lets List1 scroll horizontally over its longest entry (most characters) and a space,
// measured in the font of form, the window that holds it. Once, as the window loads.
void SetListHScroll(gf::ListBox& lst, const gf::Form& form);

// Stores every entry's tick under its caption ("True"/"False"): the caption list's part
// of saving the options.
void SaveCaptionTicks(const gf::ListBox& List1);

// "Add" on the settings page: shows the caption dialog, without blocking.
void cmdAddMore_Click(frmInput& dialog);

// "Remove": drops the highlighted entry from the list and exactly its line from the
// file. With no entry highlighted it does nothing.
void cmdRemove_Click(gf::ListBox& List1, const std::string& captionFile = CaptionFilePath());

// A tick, untick or pick in the list stores the options (ticks included) and registers
// the hot keys again: saveProgramSettings is the main window's save.
void List1_Click(const std::function<void()>& saveProgramSettings);

// The hot keys' view of the main window: its clean and List1's entries and ticks.
class ListHotKeyHost : public HotKeyHost {
public:
    ListHotKeyHost(gf::ListBox& list, std::function<void()> clean)
        : list_(list), clean_(std::move(clean)) {}
    void Clean() override {
        if (clean_) clean_();
    }
    int CaptionCount() const override { return list_.ListCount(); }
    std::string CaptionText(int index) const override { return list_.List(index); }
    bool CaptionTicked(int index) const override { return list_.Selected(index); }

private:
    gf::ListBox& list_;
    std::function<void()> clean_;
};

}  // namespace bosskey
