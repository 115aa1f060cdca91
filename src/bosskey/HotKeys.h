#pragma once
// The three system-wide hot keys of the boss key: 0 cleans, 1 hides and 2 shows the
// windows whose titles contain a ticked caption. They are registered on the main
// window, whose window procedure is replaced so that WM_HOTKEY reaches us; nothing
// here knows the main window itself, only a HotKeyHost that it hands in.
#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bosskey {

// A keyed table of names to whole numbers, in the order added. Names match without
// regard to letter case, as the keys of a keyed collection do.
class NameTable {
public:
    void Clear() { entries_.clear(); }
    // A name already present keeps its first value.
    void Add(const std::string& name, long value);
    std::optional<long> Find(const std::string& name) const;
    const std::vector<std::pair<std::string, long>>& Entries() const { return entries_; }

private:
    std::vector<std::pair<std::string, long>> entries_;
};

// Modifier names to hot-key modifier flags ("Ctrl" = 2, "Shift" = 4, "Alt" = 1) and
// key names to virtual-key codes ("F1".."F12" = 112..123, "Space" = 32).
NameTable& colModifiers();
NameTable& colKeys();
// Start-up builds both tables before the main window loads (and registers).
void BuildHotKeyTables();

// The code for a name: the table's value, else the name itself read as a whole
// number; nothing when it is neither (such a hot key stays unregistered).
std::optional<long> GetModifierCode(const std::string& name);
std::optional<long> GetKeyCode(const std::string& name);

// One hot-key row as the settings page shows it: modifier and key names.
struct HotKeyChoice {
    std::string modifier;
    std::string key;
};
using HotKeyChoices = std::array<HotKeyChoice, 3>;

// Settings keys of row i: "cntrlFirst<i>" (default "Ctrl"), "cntrlSecond<i>" ("F1").
std::string ModifierSettingKey(int row);
std::string KeySettingKey(int row);
// The stored choices of the three rows, from "ProgramSettings" of this program.
HotKeyChoices ReadStoredHotKeys();

// How registering one row went.
enum class HotKeyState {
    Registered,
    UnknownName,  // the modifier or the key is neither a name of its table nor a code
    NoModifier,   // the modifier holds none of Alt, Ctrl, Shift and the Windows key
    SameAsRow,    // an earlier row of the same pass holds the combination
    Taken,        // Windows refused it: another program holds it
};
struct HotKeyResult {
    HotKeyChoice choice;  // the names the row was registered from
    HotKeyState state = HotKeyState::UnknownName;
    int sameAs = -1;  // SameAsRow: the row that holds it
};
using HotKeyResults = std::array<HotKeyResult, 3>;

// Unregisters hot keys 0, 1 and 2 of hwnd, then registers each row that names a known
// modifier and key, the modifier holding at least one of Alt, Ctrl, Shift and the
// Windows key (a code typed as a number may hold none). A combination Windows already
// holds (another program's, or an earlier row's) stays unregistered; the other rows
// still register. Says how each row went.
HotKeyResults RefreshHotKeys(HWND hwnd, const HotKeyChoices& choices);

// What the hot keys act on: the main window's clean and its caption list.
class HotKeyHost {
public:
    virtual ~HotKeyHost() = default;
    virtual void Clean() = 0;
    virtual int CaptionCount() const = 0;
    virtual std::string CaptionText(int index) const = 0;
    virtual bool CaptionTicked(int index) const = 0;
};

// Registers as RefreshHotKeys does, then (once per window) replaces hwnd's window
// procedure with WindowProc, which hands WM_HOTKEY to HandleHotKey with host. The
// host must outlive the window. A second call for the same window only re-registers
// and takes the new host.
HotKeyResults StartHotKeys(HWND hwnd, const HotKeyChoices& choices, HotKeyHost& host);

// The replacement window procedure: WM_HOTKEY runs HandleHotKey and returns 1; every
// other message goes to the procedure it replaced, unchanged, and its result returns.
LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Lets the message loop run once, then: id 0 cleans, id 1 hides the windows of every
// ticked caption, any other id shows them. A failing step is passed over.
void HandleHotKey(unsigned char id, HotKeyHost& host);

}  // namespace bosskey
