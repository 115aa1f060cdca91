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
    ~DialogWatcher() {
        stop_ = true;
        thread_.join();
    }
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;
    std::vector<SeenDialog> Seen() {
        std::lock_guard lock(mutex_);
        return seen_;
    }

private:
    static std::string Text(HWND h) {
        char buffer[1024] = {};
        GetWindowTextA(h, buffer, sizeof buffer);
        return buffer;
    }
    static bool IsClass(HWND h, const char* name) {
        char buffer[64] = {};
        GetClassNameA(h, buffer, sizeof buffer);
        return lstrcmpiA(buffer, name) == 0;
    }
    static BOOL CALLBACK AddChild(HWND child, LPARAM lp) {
        auto& d = *reinterpret_cast<SeenDialog*>(lp);
        if (!IsWindowVisible(child)) return TRUE;
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if (IsClass(child, "Button")) {
            d.buttons.push_back(GetDlgCtrlID(child));
            if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) d.defaultButton = GetDlgCtrlID(child);
        } else if (IsClass(child, "Static") && (style & SS_TYPEMASK) == SS_ICON) {
            d.icon = d.icon ? d.icon : reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        } else if (IsClass(child, "Static")) {
            d.text += Text(child);
        }
        return TRUE;
    }
    static BOOL CALLBACK AddMine(HWND h, LPARAM lp) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid == GetCurrentProcessId() && IsWindowVisible(h) && IsClass(h, "#32770"))
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
            SeenDialog d;
            d.title = Text(h);
            EnumChildWindows(h, AddChild, reinterpret_cast<LPARAM>(&d));
            std::sort(d.buttons.begin(), d.buttons.end());
            seen_.push_back(d);
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
