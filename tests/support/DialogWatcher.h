#pragma once
// Answers this process's message boxes from a second thread, as a user would, while
// the test's thread sits in the box's modal loop, and records what each one showed.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

struct SeenDialog {
    std::string title, text;  // text: the box's static texts, joined
    std::vector<int> buttons;  // ids of its buttons (IDOK, IDYES, ...), ascending
    int defaultButton = 0;     // the one Enter presses
    HICON icon = nullptr;
};

class DialogWatcher {
public:
    // Each box that appears is answered with the next button id.
    explicit DialogWatcher(std::vector<int> answers) : answers_(answers.begin(), answers.end()) {}
    ~DialogWatcher() { stop_ = true, thread_.join(); }
    DialogWatcher(const DialogWatcher&) = delete;
    std::vector<SeenDialog> Seen() {
        std::lock_guard lock(mutex_);
        return seen_;
    }

private:
    static std::string Get(HWND h, bool className = false) {
        char buffer[1024] = {};
        className ? GetClassNameA(h, buffer, sizeof buffer) : GetWindowTextA(h, buffer, sizeof buffer);
        return buffer;
    }
    static BOOL CALLBACK AddChild(HWND child, LPARAM lp) {
        auto& d = *reinterpret_cast<SeenDialog*>(lp);
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        const std::string kind = IsWindowVisible(child) ? Get(child, true) : "";
        const bool button = !lstrcmpiA(kind.c_str(), "Button"), label = !lstrcmpiA(kind.c_str(), "Static");
        if (button && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) d.defaultButton = GetDlgCtrlID(child);
        if (button) d.buttons.push_back(GetDlgCtrlID(child));
        if (label && (style & SS_TYPEMASK) == SS_ICON)
            d.icon = d.icon ? d.icon : reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        else if (label)
            d.text += Get(child);
        return TRUE;
    }
    static BOOL CALLBACK AddMine(HWND h, LPARAM lp) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid == GetCurrentProcessId() && IsWindowVisible(h) && Get(h, true) == "#32770")
            reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
        return TRUE;
    }
    void Look() {
        std::vector<HWND> dialogs;
        EnumWindows(AddMine, reinterpret_cast<LPARAM>(&dialogs));
        std::lock_guard lock(mutex_);
        std::erase_if(answered_, [](HWND h) { return !IsWindow(h); });  // handles get reused
        for (HWND h : dialogs) {
            if (answers_.empty() || std::find(answered_.begin(), answered_.end(), h) != answered_.end()) continue;
            SeenDialog& d = seen_.emplace_back(SeenDialog{Get(h)});
            EnumChildWindows(h, AddChild, reinterpret_cast<LPARAM>(&d));
            std::sort(d.buttons.begin(), d.buttons.end());
            answered_.push_back(h);
            const int id = answers_.front();
            answers_.pop_front();
            PostMessageA(h, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(h, id)));
        }
    }

    std::deque<int> answers_;
    std::vector<SeenDialog> seen_;
    std::vector<HWND> answered_;
    std::mutex mutex_;
    std::atomic<bool> stop_{false};
    std::thread thread_{[this] {
        for (; !stop_; Sleep(15)) Look();
    }};
};

}  // namespace testing_support
