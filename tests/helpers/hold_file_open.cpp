// Holds a file open without sharing, as another program would, until told to let go.
// Usage: hold_file_open <path> <ready event> <release event>
#include <windows.h>

int main(int argc, char** argv) {
    if (argc < 4) return 1;
    HANDLE file = CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 2;
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[3]);
    if (!ready || !release) return 3;
    SetEvent(ready);
    WaitForSingleObject(release, 60000);  // never outlive a stuck test for long
    CloseHandle(file);
    return 0;
}
