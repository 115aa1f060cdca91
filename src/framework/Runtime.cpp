#include "framework/Runtime.h"

#include "framework/App.h"

namespace gf {

void DoEvents() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

int MsgBox(const std::string& prompt, UINT buttons, const std::string& title) {
    std::string caption = title.empty() ? App::Title() : title;
    return MessageBoxA(GetActiveWindow(), prompt.c_str(), caption.c_str(), buttons);
}

int MsgBox(const std::wstring& prompt, UINT buttons, const std::string& title) {
    std::string caption = title.empty() ? App::Title() : title;
    std::wstring wide(caption.size(), L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, caption.data(), static_cast<int>(caption.size()),
                                                             wide.data(), static_cast<int>(wide.size()))));
    return MessageBoxW(GetActiveWindow(), prompt.c_str(), wide.c_str(), buttons);
}

}  // namespace gf
