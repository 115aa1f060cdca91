// Holds a file open without sharing it, so that no other process can write or delete it:
//   holdfile.exe <file> <ready event> <quit event>
// Signals the ready event once the file is open and lets go when the quit event is
// signalled (or after a minute), by ending: the handles close with the process.
#include <windows.h>
#include <shellapi.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 4) return 2;
    HANDLE file = CreateFileW(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
    HANDLE quit = OpenEventW(SYNCHRONIZE, FALSE, argv[3]);
    if (file == INVALID_HANDLE_VALUE || !ready || !quit) return 1;
    SetEvent(ready);
    WaitForSingleObject(quit, 60000);
    return 0;
}
