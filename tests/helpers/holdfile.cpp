// Holds a file open, as another program would:
//   holdfile.exe <file> <ready event> <quit event> [shared]
// Without sharing, so that no other process can write or delete it; "shared": for
// reading with every sharing, as a viewer or an indexer holds it. Signals the ready
// event once the file is open and lets go when the quit event is signalled (or after a
// minute), by ending: the handles close with the process.
#include <windows.h>
#include <shellapi.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 4) return 2;
    const DWORD share = argc > 4 && lstrcmpW(argv[4], L"shared") == 0
                            ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE
                            : 0;
    HANDLE file = CreateFileW(argv[1], GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
    HANDLE quit = OpenEventW(SYNCHRONIZE, FALSE, argv[3]);
    if (file == INVALID_HANDLE_VALUE || !ready || !quit) return 1;
    SetEvent(ready);
    WaitForSingleObject(quit, 60000);
    return 0;
}
