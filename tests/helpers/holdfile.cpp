// Holds a file open as another program would, until the quit event is signalled (or a
// minute passes): holdfile.exe <file> <ready event> <quit event> [shared|writer]. Without
// sharing, or with every sharing for reading ("shared", a viewer) or writing ("writer").
#include <windows.h>
#include <shellapi.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 4) return 2;
    const DWORD access = argc > 4 && !lstrcmpW(argv[4], L"writer") ? GENERIC_WRITE : GENERIC_READ;
    const DWORD share = argc > 4 ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE : 0;
    HANDLE file = CreateFileW(argv[1], access, share, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]), quit = OpenEventW(SYNCHRONIZE, FALSE, argv[3]);
    if (file == INVALID_HANDLE_VALUE || !ready || !quit) return 1;
    SetEvent(ready);
    WaitForSingleObject(quit, 60000);
    return 0;  // the handles close with the process
}
