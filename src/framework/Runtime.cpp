#include "framework/Runtime.h"

#include "framework/App.h"
#include "framework/Text.h"

namespace gf {

void DoEvents() {
    MSG msg;
    // Taken wide, so that a typed letter the code page lacks reaches a wide text box as
    // itself; an ANSI window still gets its messages converted.
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

int MsgBox(const std::string& prompt, UINT buttons, const std::string& title) {
    std::string caption = title.empty() ? App::Title() : title;
    return MessageBoxA(GetActiveWindow(), prompt.c_str(), caption.c_str(), buttons);
}

int MsgBox(const std::wstring& prompt, UINT buttons, const std::string& title) {
    std::string caption = title.empty() ? App::Title() : title;
    return MessageBoxW(GetActiveWindow(), prompt.c_str(), Widen(caption).c_str(), buttons);
}

}  // namespace gf
