#pragma once
// The caption list on the main window's settings page (List1, a list box with check
// marks) and its buttons "Add" and "Remove". The main window owns the controls and
// calls these from its handlers; nothing here knows the main window.
#include <string>

#include "bosskey/CaptionFile.h"
#include "framework/Form.h"
#include "framework/ListBox.h"
#include "framework/Settings.h"

namespace bosskey {

class frmInput;

// Fills List1 from the caption file, in file order, ticking each entry whose stored tick
// is true or that equals newF (the caption just added). Without a file the list keeps
// what it shows. Called by every page-button click (newF "") and by the dialog's Add.
void loadCheckWindows(gf::ListBox& List1, const std::string& newF = "",
                      const std::wstring& captionFile = CaptionFilePath());

// Lets List1 scroll horizontally over its longest entry (most characters) and a space,
// measured in the font of form, the window that holds it. Once, as the window loads.
void SetListHScroll(gf::ListBox& lst, const gf::Form& form);

// The caption list's part of saving the options: every entry's tick under its caption
// ("True"/"False") in program, the "ProgramSettings" section that the save holds open.
// An empty entry has no key to store under (and is never ticked on loading).
void SaveCaptionTicks(const gf::ListBox& List1, const gf::SettingsSection& program);

// "Add" on the settings page: shows the caption dialog, without blocking.
void cmdAddMore_Click(frmInput& dialog);

// "Remove": drops the highlighted entry from the list and exactly its line from the
// file. With no entry highlighted it does nothing.
void cmdRemove_Click(gf::ListBox& List1, const std::wstring& captionFile = CaptionFilePath());

}  // namespace bosskey
