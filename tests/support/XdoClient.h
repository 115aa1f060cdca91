#pragma once
// Asks the X display driver outside Wine (tests/helpers/xdo_driver.sh, started as the
// CTest fixture "xdo") to act on the display: focus a window, press keys, list the
// visible windows of a title. A test using it names GF_XDO_DRIVER in its source (that
// makes CTest start the driver) and GF_EXCLUSIVE_DISPLAY (focus and keys are shared).
// While waiting for an answer the caller's messages are pumped, so that its windows
// take the focus and the keys.
#include <windows.h>

#include <string>

namespace testing_support {

struct XdoAnswer {
    bool answered = false;  // false: no driver answered in time
    int code = -1;          // xdotool's exit code
    std::string output;     // its output, CRs removed
};

XdoAnswer Xdo(const std::string& verb, const std::string& argument, DWORD timeoutMs = 30000);

// Keyboard focus on the first visible window of that title; true when it took.
bool XdoFocus(const std::string& title);
// Presses keys such as "ctrl+F1".
bool XdoKey(const std::string& keys);
// How many visible X windows carry that title.
int XdoVisibleCount(const std::string& title);

}  // namespace testing_support
