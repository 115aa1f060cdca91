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
    explicit DialogWatcher(std::vector<int> answers)
        : answers_(answers.begin(), answers.end()), thread_([this] {
              while (!stop_) {
                  Look();
                  Sleep(15);
              }
          }) {}
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

    static BOOL CALLBACK AddStatic(HWND child, LPARAM lp) {
        auto& d = *reinterpret_cast<SeenDialog*>(lp);
        if (!IsClass(child, "Static") || !IsWindowVisible(child)) return TRUE;
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            d.hasIcon = d.hasIcon || SendMessageA(child, STM_GETICON, 0, 0);  // an empty slot is no icon
        else
            d.text += Text(child);
        return TRUE;
    }

    static SeenDialog Describe(HWND dialog) {
        SeenDialog d;
        d.title = Text(dialog);
        EnumChildWindows(dialog, AddStatic, reinterpret_cast<LPARAM>(&d));
        d.hasYes = GetDlgItem(dialog, IDYES) != nullptr;
        d.hasNo = GetDlgItem(dialog, IDNO) != nullptr;
        d.hasOk = GetDlgItem(dialog, IDOK) != nullptr;
        for (int id : {IDOK, IDYES, IDNO}) {
            HWND button = GetDlgItem(dialog, id);
            if (button && (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                d.defaultButton = id;
        }
        return d;
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
            if (answers_.empty() || std::find(answered_.begin(), answered_.end(), h) != answered_.end())
                continue;
            seen_.push_back(Describe(h));
            answered_.push_back(h);
            int id = answers_.front();
            answers_.pop_front();
            PostMessageA(h, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(h, id)));
        }
    }

    std::deque<int> answers_;
    std::vector<SeenDialog> seen_;
    std::vector<HWND> answered_;
    std::mutex mutex_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace shredder_tests
