#pragma once
// The erase procedures: one call erases one item of the catalogue (Catalogue.h).
#include <functional>
#include <string>

#include "cleaning/Catalogue.h"

namespace ModCleaning {

// Sets the caption of the label that shows the status line. The main window hands in
// its lblCleanStatus through this; nothing here depends on the window's controls.
using StatusLabel = std::function<void(const std::string& caption)>;

// Each writes "Cleaning " & Tag into the status label, lets the message loop run once
// (gf::DoEvents), then carries out the steps of its group's item Index in order. An
// index without a row changes nothing more. An error ends the item: it is thrown to
// the caller (gf::Error, e.g. 11006 from the registry class, or another
// std::exception), which goes on with the next box. Missing files, folders and keys
// are not errors. A long step turns the message loop now and then; a stop asked for
// meanwhile (pacing::RequestStop) ends the item after the entry in hand.
void CleanInternet(short Index, const StatusLabel& lblStatus, const std::string& Tag);
void CleanWindows(short Index, const StatusLabel& lblStatus, const std::string& Tag);
void CleanSoftware(short Index, const StatusLabel& lblStatus, const std::string& Tag);

// The one of the three that belongs to the group.
void CleanItem(Group group, short Index, const StatusLabel& lblStatus, const std::string& Tag);

// Software item 4: the recent-clip keys MostRecentClips1 to 8 of every RealPlayer
// version key under HKCU "Software\RealNetworks\RealPlayer", then the normal files of
// %APPDATA%\Real\RealPlayer\History. Failures are ignored.
void CleanRealPlayer();

}  // namespace ModCleaning
