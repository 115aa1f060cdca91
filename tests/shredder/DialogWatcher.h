#pragma once
// Answers this process's message boxes from a second thread, as a user would, and
// records what each one said. Header-only: test executables are one source file each.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace shredder_tests {

struct SeenDialog {
    std::string title, text;
    int defaultButton = 0;  // the button drawn as the default, which Enter presses
    bool hasYes = false, hasNo = false, hasOk = false, hasIcon = false;
};

class DialogWatcher {
public:
    // Each dialog that appears is answered with the next button id (IDYES, IDNO, IDOK).
    explicit DialogWatcher(std::vector<int> answers);
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    std::vector<SeenDialog> Seen();
    // Titles of this process's visible top-level windows seen while watching.
    std::vector<std::string> WindowsSeen();

private:
    void Run();
    void Look();

    std::deque<int> answers_;
    std::vector<SeenDialog> seen_;
    std::vector<std::string> windows_;
    std::vector<HWND> answered_;
    std::mutex mutex_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

namespace detail {

inline std::string Text(HWND h) {
    char buffer[1024] = {};
    GetWindowTextA(h, buffer, sizeof buffer);
    return buffer;
}

inline std::string ClassOf(HWND h) {
    char name[64] = {};
    GetClassNameA(h, name, sizeof name);
    return name;
}

inline SeenDialog Describe(HWND dialog) {
    SeenDialog d;
    d.title = Text(dialog);
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM lp) -> BOOL {
            auto& d = *reinterpret_cast<SeenDialog*>(lp);
            if (ClassOf(child) != "Static" || !IsWindowVisible(child)) return TRUE;
            LONG style = GetWindowLongA(child, GWL_STYLE);
            if ((style & SS_TYPEMASK) == SS_ICON) {
                if (SendMessageA(child, STM_GETICON, 0, 0)) d.hasIcon = true;  // an empty slot is no icon
            }
            else if (!Text(child).empty()) d.text += Text(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&d));
    d.hasYes = GetDlgItem(dialog, IDYES) != nullptr;
    d.hasNo = GetDlgItem(dialog, IDNO) != nullptr;
    d.hasOk = GetDlgItem(dialog, IDOK) != nullptr;
    for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
        HWND button = GetDlgItem(dialog, id);
        if (button && (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            d.defaultButton = id;
    }
    return d;
}

}  // namespace detail

inline DialogWatcher::DialogWatcher(std::vector<int> answers)
    : answers_(answers.begin(), answers.end()), thread_([this] { Run(); }) {}

inline DialogWatcher::~DialogWatcher() {
    stop_ = true;
    thread_.join();
}

inline std::vector<SeenDialog> DialogWatcher::Seen() {
    std::lock_guard lock(mutex_);
    return seen_;
}

inline std::vector<std::string> DialogWatcher::WindowsSeen() {
    std::lock_guard lock(mutex_);
    return windows_;
}

inline void DialogWatcher::Run() {
    while (!stop_) {
        Look();
        Sleep(15);
    }
}

inline void DialogWatcher::Look() {
    std::vector<HWND> mine;
    EnumWindows(
        [](HWND h, LPARAM lp) -> BOOL {
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid == GetCurrentProcessId() && IsWindowVisible(h))
                reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&mine));
    std::lock_guard lock(mutex_);
    std::erase_if(answered_, [](HWND h) { return !IsWindow(h); });  // handles get reused
    for (HWND h : mine) {
        std::string title = detail::Text(h);
        if (std::find(windows_.begin(), windows_.end(), title) == windows_.end())
            windows_.push_back(title);
        if (detail::ClassOf(h) != "#32770" || answers_.empty()) continue;
        if (std::find(answered_.begin(), answered_.end(), h) != answered_.end()) continue;
        seen_.push_back(detail::Describe(h));
        answered_.push_back(h);
        int id = answers_.front();
        answers_.pop_front();
        PostMessageA(h, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(h, id)));
    }
}

}  // namespace shredder_tests
