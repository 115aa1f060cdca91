#include "framework/CommonControls.h"

#include "framework/Libraries.h"

namespace gf::comctl {

namespace {
constexpr char kLibrary[] = "comctl32.dll";
}

bool InitCommonControls(DWORD classes) {
    using Fn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const Fn init = LibraryEntry<Fn>(kLibrary, "InitCommonControlsEx");
    INITCOMMONCONTROLSEX icc{sizeof icc, classes};
    return init && init(&icc);
}

BOOL SetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
    using Fn = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR);
    static const Fn set = LibraryEntry<Fn>(kLibrary, "SetWindowSubclass");
    return set ? set(hwnd, proc, id, data) : FALSE;
}

LRESULT DefSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    using Fn = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
    static const Fn def = LibraryEntry<Fn>(kLibrary, "DefSubclassProc");
    return def ? def(hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace gf::comctl
