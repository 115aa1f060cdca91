#pragma once
// Answers this process's message boxes from a second thread, as a user would, while
// the test's thread sits in the box's modal loop, and records what each one showed.
#include <windows.h>

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
    explicit DialogWatcher(std::vector<int> answers);
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;
    std::vector<SeenDialog> Seen();

private:
    void Look();
    std::deque<int> answers_;
    std::vector<SeenDialog> seen_;
    std::vector<HWND> answered_;
    std::mutex mutex_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace testing_support
