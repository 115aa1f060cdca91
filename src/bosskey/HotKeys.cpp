#include "bosskey/HotKeys.h"

#include <cerrno>
#include <cstdlib>
#include <exception>
#include <map>

#include "bosskey/HideWindows.h"
#include "framework/App.h"
#include "framework/Runtime.h"
#include "framework/Settings.h"

namespace bosskey {

namespace {

constexpr const char* kSection = "ProgramSettings";

// A whole number written in decimal, spaces around it allowed; a name typed into a
// hot-key box that is not in its table still works when it is a plain code.
std::optional<long> ParseWholeNumber(const std::string& text) {
    auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    auto last = text.find_last_not_of(' ');
    std::string digits = text.substr(first, last - first + 1);
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(digits.c_str(), &end, 10);
    if (errno != 0 || end == digits.c_str() || *end != '\0') return std::nullopt;
    return value;
}

std::optional<long> LookUp(const NameTable& table, const std::string& name) {
    if (auto v = table.Find(name)) return v;
    return ParseWholeNumber(name);
}

// The replaced procedure and the host of each subclassed window. Everything runs on
// the user-interface thread, so a plain map is enough.
struct Subclass {
    WNDPROC previous = nullptr;
    HotKeyHost* host = nullptr;
};

std::map<HWND, Subclass>& Subclassed() {
    static std::map<HWND, Subclass> windows;
    return windows;
}

void RunCaptionWalk(HotKeyHost& host, void (*action)(const std::string&)) {
    const int count = host.CaptionCount();
    for (int i = 0; i < count; ++i) {
        try {
            if (host.CaptionTicked(i)) action(host.CaptionText(i));
        } catch (const std::exception&) {
            // One failing entry does not stop the others.
        }
    }
}

}  // namespace

void NameTable::Add(const std::string& name, long value) {
    if (!Find(name)) entries_.emplace_back(name, value);
}

std::optional<long> NameTable::Find(const std::string& name) const {
    for (const auto& [key, value] : entries_)
        if (lstrcmpiA(key.c_str(), name.c_str()) == 0) return value;
    return std::nullopt;
}

NameTable& colModifiers() {
    static NameTable table;
    return table;
}

NameTable& colKeys() {
    static NameTable table;
    return table;
}

void BuildHotKeyTables() {
    NameTable& modifiers = colModifiers();
    modifiers.Clear();
    modifiers.Add("Ctrl", MOD_CONTROL);
    modifiers.Add("Shift", MOD_SHIFT);
    modifiers.Add("Alt", MOD_ALT);
    NameTable& keys = colKeys();
    keys.Clear();
    for (int n = 1; n <= 12; ++n) {
        std::string name = "F";
        name += std::to_string(n);
        keys.Add(name, VK_F1 - 1 + n);
    }
    keys.Add("Space", VK_SPACE);
}

std::optional<long> GetModifierCode(const std::string& name) { return LookUp(colModifiers(), name); }

std::optional<long> GetKeyCode(const std::string& name) { return LookUp(colKeys(), name); }

std::string ModifierSettingKey(int row) { return "cntrlFirst" + std::to_string(row); }

std::string KeySettingKey(int row) { return "cntrlSecond" + std::to_string(row); }

HotKeyChoices ReadStoredHotKeys() {
    const gf::SettingsSection stored(gf::App::EXEName(), kSection);  // opened once for the six
    HotKeyChoices choices;
    for (int i = 0; i < 3; ++i) {
        choices[i].modifier = stored.Get(ModifierSettingKey(i), "Ctrl");
        choices[i].key = stored.Get(KeySettingKey(i), "F1");
    }
    return choices;
}

HotKeyResults RefreshHotKeys(HWND hwnd, const HotKeyChoices& choices) {
    for (int id = 0; id < 3; ++id) UnregisterHotKey(hwnd, id);
    HotKeyResults results;
    std::pair<long, long> codes[3];
    for (int id = 0; id < 3; ++id) {
        HotKeyResult& row = results[id];
        row.choice = choices[id];
        auto modifier = GetModifierCode(choices[id].modifier);
        auto key = GetKeyCode(choices[id].key);
        if (!modifier || !key) continue;
        codes[id] = {*modifier, *key};
        // A key without Alt, Ctrl, Shift or the Windows key would fire at every plain
        // press of it in any program: a clean must never be a single key stroke away.
        if (!(*modifier & (MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN))) {
            row.state = HotKeyState::NoModifier;
        } else if (RegisterHotKey(hwnd, id, static_cast<UINT>(*modifier), static_cast<UINT>(*key))) {
            row.state = HotKeyState::Registered;
        } else {
            // Refused: taken by an earlier row of this pass, or by another program.
            row.state = HotKeyState::Taken;
            for (int earlier = 0; earlier < id; ++earlier)
                if (results[earlier].state == HotKeyState::Registered && codes[earlier] == codes[id]) {
                    row.state = HotKeyState::SameAsRow;
                    row.sameAs = earlier;
                    break;
                }
        }
    }
    return results;
}

HotKeyResults StartHotKeys(HWND hwnd, const HotKeyChoices& choices, HotKeyHost& host) {
    HotKeyResults results = RefreshHotKeys(hwnd, choices);
    auto& windows = Subclassed();
    if (auto it = windows.find(hwnd); it != windows.end()) {
        // Subclassing twice would make the kept procedure point at WindowProc itself.
        it->second.host = &host;
        return results;
    }
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc)));
    if (previous) windows[hwnd] = Subclass{previous, &host};
    return results;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& windows = Subclassed();
    auto it = windows.find(hwnd);
    if (it == windows.end()) return DefWindowProcA(hwnd, msg, wParam, lParam);
    const Subclass sub = it->second;
    if (msg == WM_HOTKEY) {
        try {
            HandleHotKey(static_cast<unsigned char>(wParam & 0xFF), *sub.host);
        } catch (...) {
            // Nothing may cross back into Windows.
        }
        return 1;
    }
    LRESULT result = CallWindowProcA(sub.previous, hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) windows.erase(hwnd);
    return result;
}

void HandleHotKey(unsigned char id, HotKeyHost& host) {
    gf::DoEvents();
    if (id == 0) {
        try {
            host.Clean();
        } catch (const std::exception&) {
            // A clean that fails ends here; the hot key stays usable.
        }
    } else if (id == 1) {
        RunCaptionWalk(host, [](const std::string& c) { HideWindowsByCaption(c); });
    } else {
        RunCaptionWalk(host, [](const std::string& c) { ShowWindowsByCaption(c); });
    }
}

}  // namespace bosskey
