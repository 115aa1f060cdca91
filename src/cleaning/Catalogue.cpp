#include "cleaning/Catalogue.h"

namespace ModCleaning {
namespace {

using B = Base;
using K = StepKind;

// Internet group.
constexpr Step kIeUrls[] = {{K::Key, B::None, "Software\\Microsoft\\Internet Explorer\\TypedURLs"}};
constexpr Step kIeCache[] = {{K::Entries, B::CacheFolder, "\\*"}};
constexpr Step kIeCookies[] = {{K::Entries, B::CookiesFolder, "\\*"}};
constexpr Step kIeAutoComplete[] = {{K::ClearProtectedStorage}};
constexpr Step kNsUrls[] = {
    {K::Files, B::ProgramFiles, "\\Netscape\\Users\\default\\prefs.js"},
    {K::Files, B::ProgramFiles, "\\Netscape\\Users\\default\\netscape.hst"},
    {K::Files, B::FirefoxProfile, "\\history.dat"},
};
constexpr Step kNsCache[] = {
    {K::Entries, B::ProgramFiles, "\\Netscape\\Users\\default\\cache\\"},
    {K::Entries, B::FirefoxProfile, "\\Cache\\"},
};
constexpr Step kNsCookies[] = {{K::Files, B::FirefoxProfile, "\\cookies.txt"}};
constexpr Step kNsAutoComplete[] = {{K::Files, B::FirefoxProfile, "\\formhistory.dat"}};
constexpr Step kOperaUrls[] = {
    {K::Files, B::AppDataFolder, "\\Opera\\Opera\\profile\\opera.dir"},
    {K::Files, B::AppDataFolder, "\\Opera\\Opera\\profile\\vlink4.dat"},
    {K::Files, B::AppDataFolder, "\\Opera\\Opera\\profile\\global.dat"},
    {K::Files, B::AppDataFolder, "\\Opera\\Opera\\profile\\sessions\\autosave.win"},
};
constexpr Step kOperaCache[] = {{K::Entries, B::AppDataFolder, "\\Opera\\Opera\\profile\\cache4\\"}};
constexpr Step kOperaCookies[] = {{K::Files, B::AppDataFolder, "\\Opera\\Opera\\profile\\cookies4.dat"}};
constexpr Step kOperaDownloads[] = {
    {K::Files, B::AppDataFolder, "\\Opera\\Opera\\profile\\download.dat"}};
constexpr Step kAolUrls[] = {
    {K::Files, B::AolPath, "organize\\*.ARL"},
    {K::Files, B::AolPath, "organize\\*.AUT"},
};
constexpr Step kAolCache[] = {{K::Files, B::AolPath, "organize\\CACHE\\*.*"}};
constexpr Step kAimLogins[] = {
    {K::ClassKey, B::None,
     "Software\\America Online\\AOL Instant Messenger (TM)\\CurrentVersion\\Users"}};
constexpr Step kTrillian[] = {{K::Entries, B::ProgramFiles, "\\Trillian\\users\\default\\logs\\"}};
constexpr Step kMsn[] = {{K::EmptyReceivedFiles}};
constexpr Step kGoogle[] = {{K::ClassKey, B::None, "Software\\Google\\NavClient\\1.1\\History"}};
constexpr Step kYahoo[] = {{K::ClassKey, B::None, "Software\\Yahoo\\Companion\\SearchHistory"}};

constexpr Item kInternet[] = {
    {0, "Entered URL's", "Internet Explorer Entered URL's", kIeUrls},
    {1, "Cache", "Internet Explorer Cache", kIeCache},
    {2, "Cookies", "Internet Explorer Cookies", kIeCookies},
    {3, "AutoComplete", "Internet Explorer AutoComplete", kIeAutoComplete},
    {4, "Entered URL's", "NetScape/FireFox Entered URL's", kNsUrls},
    {5, "Cache", "NetScape/FireFox Cache", kNsCache},
    {6, "Cookies", "NetScape/FireFox Cookies", kNsCookies},
    {7, "AutoComplete", "NetScape/FireFox AutoComplete", kNsAutoComplete},
    {8, "Entered URL's", "Opera Entered URL's", kOperaUrls},
    {9, "Cache", "Opera Cache", kOperaCache},
    {10, "Cookies", "Opera Cookies", kOperaCookies},
    {11, "Downloads", "Opera Download List", kOperaDownloads},
    {12, "Entered URL", "AOL Entered URL's", kAolUrls},
    {13, "Cache folder", "AOL cache", kAolCache},
    {14, "AIM Logins", "AIM Download files", kAimLogins},
    {15, "Trillian Chat Logs", "Trillian Chat Logs", kTrillian},
    {16, "MSN Chat Logs", "MSN Chat Logs", kMsn},
    {17, "Google Search", "Google Entered Search Words", kGoogle},
    {18, "Yahoo Search", "Yahoo Entered Search Words", kYahoo},
};

// Software group.
constexpr Step kWinZipFile[] = {{K::ClassKey, B::None, "Software\\Nico Mak Computing\\Winzip\\filemenu"}};
constexpr Step kWinZipExtract[] = {{K::ClassKey, B::None, "Software\\Nico Mak Computing\\Winzip\\extract"}};
constexpr Step kWmpRecent[] = {
    {K::ClassKey, B::None, "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList"},
    {K::ClassKey, B::None, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StreamMRU"},
};
constexpr Step kWmpPlaylist[] = {{K::Entries, B::AppDataFolder, "\\Microsoft\\Media Player\\"}};
constexpr Step kRealPlayer[] = {{K::CleanRealPlayer}};
constexpr Step kWinAmp[] = {{K::Files, B::ProgramFiles, "\\Winamp\\Winamp.m3u"}};
constexpr Step kQuickTime[] = {
    {K::Key, B::None, "SOFTWARE\\Apple Computer, Inc.\\QuickTime\\Recent Movies", Root::HKLM}};
constexpr Step kPaint[] = {
    {K::ClassKey, B::None,
     "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List"}};
constexpr Step kClipboard[] = {{K::ClearClipboard}};
constexpr Step kOffice[] = {
    {K::Entries, B::AppDataFolder, "\\Microsoft\\Office\\Recent\\"},
    {K::Files, B::AppDataFolder, "\\Microsoft\\Office\\Recent\\index.dat"},
    {K::ClassKey, B::None, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs"},
};
constexpr Step kWinRar[] = {
    {K::ClassKey, B::None, "Software\\WinRAR\\ArchHistory"},
    {K::ClassKey, B::None, "Software\\WinRAR\\DialogEditHistory\\ExtraPath"},
};
constexpr Step kWordPad[] = {
    {K::ClassKey, B::None,
     "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List\\"}};

constexpr Item kSoftware[] = {
    {0, "Recent files in File Menu", "WinZip Recent Files in File Menu", kWinZipFile},
    {1, "Recent files in Extract Menu", "WinZip files in Extract Menu", kWinZipExtract},
    {2, "Recent files", "WIndows Media Recent Files", kWmpRecent},
    {3, "Playlist", "Windows Media Playlist", kWmpPlaylist},
    {4, "Recent Clips", "RealPlayer Recent Clips", kRealPlayer},
    {5, "Recent files", "WinAmp Recent Files", kWinAmp},
    {6, "Recent Movies", "QuickTime recent Movies", kQuickTime},
    {7, "Recent files", "Paint Recent Files", kPaint},
    {8, "Empty contents", "Clipboard Contents", kClipboard},
    // The README says this item changes nothing: it shows its status line only.
    {9, "Optimize Startup", "Optimizing Adobe Acrobat Start Up", {}},
    {10, "Recent files", "MS Office Recent Files", kOffice},
    {11, "Recent Files", "WinRAR Recent Files", kWinRar},
    {12, "Recent files", "Word Pad Recent Files", kWordPad},
};

// Windows group.
constexpr Step kRecentDocs[] = {
    {K::ClearRecentDocs},
    {K::Key, B::None, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\LastVisitedMRU"},
    {K::Entries, B::RecentFolder, "\\*"},
};
constexpr Step kRunMru[] = {
    {K::ClassKey, B::None, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU"}};
constexpr Step kTemp[] = {{K::Entries, B::TempFolder, ""}};
constexpr Step kSearch[] = {
    {K::ClassKey, B::None,
     "Software\\Microsoft\\Internet Explorer\\Explorer Bars\\"
     "{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}\\FilesNamedMRU"}};
constexpr Step kRecycle[] = {{K::EmptyRecycleBin}};

constexpr Item kWindows[] = {
    {0, "Recent Documents", "Windows Recent Documents", kRecentDocs},
    {1, "Run in Start Menu", "Windows Run in Start Menu", kRunMru},
    {2, "Windows Temp Folder", "Windows Temp Folder", kTemp},
    {3, "Search (History of files and folders)", "Windows Search History", kSearch},
    {4, "Recycle Bin", "Windows Recycle Bin", kRecycle},
};

}  // namespace

std::span<const Item> Items(Group group) {
    switch (group) {
        case Group::Internet: return kInternet;
        case Group::Software: return kSoftware;
        case Group::Windows: return kWindows;
    }
    return {};
}

const Item* FindItem(Group group, short index) {
    auto items = Items(group);
    if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return nullptr;
    return &items[static_cast<std::size_t>(index)];
}

const char* ArrayName(Group group) {
    switch (group) {
        case Group::Internet: return "chkInternet";
        case Group::Software: return "chkSoftware";
        case Group::Windows: return "chkWindows";
    }
    return "";
}

}  // namespace ModCleaning
