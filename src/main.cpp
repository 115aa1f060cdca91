#include <windows.h>

#include "app/modMain.h"

// The command line as Windows keeps it: the ANSI one would carry a file name with
// characters outside the code page best-fitted to another name.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const wchar_t* line = GetCommandLineW();
    return modMain::Main(modMain::CommandLineArguments(line ? line : L""));
}
