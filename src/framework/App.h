#pragma once
// What the program knows of itself: its folder, executable name and title, and whether
// another instance of the same executable already runs.
#include <string>

namespace gf {

class App {
public:
    // Folder of the executable, without a trailing "\" (a drive root keeps it).
    static std::string Path();
    // File name of the executable without its extension.
    static std::string EXEName();
    // The folder, letter for letter: for paths the program writes or deletes by, since
    // the ANSI forms turn letters the code page lacks into look-alikes.
    static std::wstring PathW();
    // The executable's full path as Windows reports it, extension included: the one
    // name that starts this very file whatever dots its name holds.
    static std::wstring FileW();
    // The title; the executable's name unless set.
    static std::string Title();
    static void SetTitle(const std::string& title);
    // True when another process of this executable name was started before this one
    // and still runs. Decided once, on the first call.
    static bool PrevInstance();
};

}  // namespace gf
