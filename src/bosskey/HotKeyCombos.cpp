#include "bosskey/HotKeyCombos.h"

#include <string>

namespace bosskey {

namespace {

// A row whose box is missing is passed over rather than ending the whole step.
template <typename F>
void ForRow(const ComboArray& boxes, int i, F&& f) {
    if (boxes.Exists(i)) f(boxes(i));
}

std::string TextOf(const ComboArray& boxes, int i) { return boxes.Exists(i) ? boxes(i).Text() : std::string(); }

}  // namespace

void FillHotKeyCombos(const ComboArray& cntrlFirst, const ComboArray& cntrlSecond) {
    const HotKeyChoices stored = ReadStoredHotKeys();
    for (int i = 0; i < 3; ++i) {
        ForRow(cntrlFirst, i, [&](gf::ComboBox& box) { box.SetText(stored[i].modifier); });
        ForRow(cntrlSecond, i, [&](gf::ComboBox& box) { box.SetText(stored[i].key); });
    }
    for (const char* modifier : {"Ctrl", "Alt", "Shift"})
        for (int i = 0; i < 3; ++i) ForRow(cntrlFirst, i, [&](gf::ComboBox& box) { box.AddItem(modifier); });
    for (int i = 0; i < 3; ++i) ForRow(cntrlSecond, i, [](gf::ComboBox& box) { box.AddItem("Space"); });
    for (int n = 1; n <= 12; ++n) {
        std::string key = "F";
        key += std::to_string(n);
        for (int i = 0; i < 3; ++i) ForRow(cntrlSecond, i, [&](gf::ComboBox& box) { box.AddItem(key); });
    }
}

HotKeyChoices ChoicesFromCombos(const ComboArray& cntrlFirst, const ComboArray& cntrlSecond) {
    HotKeyChoices choices;
    for (int i = 0; i < 3; ++i) choices[i] = {TextOf(cntrlFirst, i), TextOf(cntrlSecond, i)};
    return choices;
}

HotKeyResults StartHotKeys(HWND mainWindow, const ComboArray& cntrlFirst, const ComboArray& cntrlSecond,
                           HotKeyHost& host) {
    return StartHotKeys(mainWindow, ChoicesFromCombos(cntrlFirst, cntrlSecond), host);
}

HotKeyResults RefreshHotKeys(HWND mainWindow, const ComboArray& cntrlFirst, const ComboArray& cntrlSecond) {
    return RefreshHotKeys(mainWindow, ChoicesFromCombos(cntrlFirst, cntrlSecond));
}

}  // namespace bosskey
