// Filling the caption list with 5,000 captions (every tenth ticked in the settings
// store) on a shown window, until the list has drawn itself, against a bare owner-drawn
// list box that takes the same strings with its drawing held and draws once.
//   bench_captions.exe <work folder>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bosskey/CaptionList.h"
#include "bosskey/CaptionListBox.h"
#include "framework/Forms.h"
#include "framework/Text.h"

namespace {

constexpr int kCaptions = 5000;

double NowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return c.QuadPart * 1000.0 / f.QuadPart;
}

// Until the queue holds no paint: the list has drawn what the fill changed.
void Settle(HWND w) {
    UpdateWindow(w);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

const gf::DesignRow kPage[] = {{"ListBox", "List1", -1, "", 120, 120, 6000, 4500}};

class Page : public gf::Form {
public:
    Page() : gf::Form("frmBench") {
        SetCaption("Caption list bench");
        SetClientSize(6400, 4800);
        Build(kPage);
    }
    gf::ListBox& List1() { return Get<gf::ListBox>("List1"); }
};

LRESULT CALLBACK BareParent(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DRAWITEM) {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        if (dis->itemID != static_cast<UINT>(-1)) {
            char text[256];
            SendMessageA(dis->hwndItem, LB_GETTEXT, dis->itemID, reinterpret_cast<LPARAM>(text));
            FillRect(dis->hDC, &dis->rcItem, GetSysColorBrush(COLOR_WINDOW));
            DrawTextA(dis->hDC, text, -1, &dis->rcItem, DT_SINGLELINE | DT_NOPREFIX);
        }
        return TRUE;
    }
    return DefWindowProcA(h, msg, wp, lp);
}

double BareFill(const std::vector<std::string>& lines) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = BareParent;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "GfBenchBare";
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    RegisterClassA(&wc);
    HWND parent = CreateWindowA("GfBenchBare", "bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 440, 340, nullptr,
                                nullptr, wc.hInstance, nullptr);
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_OWNERDRAWFIXED |
                                    LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                8, 8, 400, 300, parent, nullptr, wc.hInstance, nullptr);
    Settle(parent);
    double t0 = NowMs();
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const auto& line : lines) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    Settle(parent);
    double ms = NowMs() - t0;
    DestroyWindow(parent);
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : ".";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::wstring path = gf::Widen(folder) + L"\\HWD.dat";
    std::vector<std::string> lines;
    std::string bytes;
    for (int i = 0; i < kCaptions; ++i) {
        lines.push_back("Window caption number " + std::to_string(i) + (i % 7 ? "" : " with a longer tail"));
        bytes += lines.back() + "\r\n";
        if (i % 10 == 0) bosskey::StoreTick(lines.back(), true);
    }
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);

    std::vector<double> bare, fills;
    Page page;
    page.Show();
    Settle(page.Hwnd());
    for (int round = 0; round < 3; ++round) {
        bare.push_back(BareFill(lines));
        double t0 = NowMs();
        bosskey::loadCheckWindows(page.List1(), "", path);
        Settle(page.Hwnd());
        fills.push_back(NowMs() - t0);
        std::printf("round %d: bare %.0f ms, caption list %.0f ms (%d entries)\n", round, bare.back(), fills.back(),
                    page.List1().ListCount());
    }
    std::sort(bare.begin(), bare.end());
    std::sort(fills.begin(), fills.end());
    double b = bare[1], c = fills[1];
    std::printf("bare owner-drawn list, drawing held: median %.0f ms\n", b);
    std::printf("caption list, %d captions, shown:   median %.0f ms (target < 1000 ms)\n", kCaptions, c);
    std::printf("ratio caption list / bare list = %.2f\n", b > 0 ? c / b : 0.0);
    return 0;
}
