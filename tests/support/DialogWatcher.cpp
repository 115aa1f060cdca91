#include "DialogWatcher.h"

#include <algorithm>

namespace testing_support {

namespace {

std::string Text(HWND h) {
    char buffer[1024] = {};
    GetWindowTextA(h, buffer, sizeof buffer);
    return buffer;
}

bool IsClass(HWND h, const char* name) {
    char buffer[64] = {};
    GetClassNameA(h, buffer, sizeof buffer);
    return lstrcmpiA(buffer, name) == 0;
}

BOOL CALLBACK AddChild(HWND child, LPARAM lp) {
    auto& d = *reinterpret_cast<SeenDialog*>(lp);
    if (!IsWindowVisible(child)) return TRUE;
    if (IsClass(child, "Button")) {
        d.buttons.push_back(GetDlgCtrlID(child));
        if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) d.defaultButton = GetDlgCtrlID(child);
    } else if (IsClass(child, "Static")) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            d.icon = d.icon ? d.icon : reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        else
            d.text += Text(child);
    }
    return TRUE;
}

BOOL CALLBACK AddMine(HWND h, LPARAM lp) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(h) && IsClass(h, "#32770"))
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
    return TRUE;
}

}  // namespace

DialogWatcher::DialogWatcher(std::vector<int> answers)
    : answers_(answers.begin(), answers.end()), thread_([this] {
          while (!stop_) {
              Look();
              Sleep(15);
          }
      }) {}

DialogWatcher::~DialogWatcher() {
    stop_ = true;
    thread_.join();
}

std::vector<SeenDialog> DialogWatcher::Seen() {
    std::lock_guard lock(mutex_);
    return seen_;
}

void DialogWatcher::Look() {
    std::vector<HWND> dialogs;
    EnumWindows(AddMine, reinterpret_cast<LPARAM>(&dialogs));
    std::lock_guard lock(mutex_);
    std::erase_if(answered_, [](HWND h) { return !IsWindow(h); });  // handles get reused
    for (HWND h : dialogs) {
        if (answers_.empty() || std::find(answered_.begin(), answered_.end(), h) != answered_.end()) continue;
        SeenDialog d;
        d.title = Text(h);
        EnumChildWindows(h, AddChild, reinterpret_cast<LPARAM>(&d));
        std::sort(d.buttons.begin(), d.buttons.end());
        seen_.push_back(d);
        answered_.push_back(h);
        int id = answers_.front();
        answers_.pop_front();
        PostMessageA(h, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(h, id)));
    }
}

}  // namespace testing_support
