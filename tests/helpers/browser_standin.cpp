// Stands in for a browser in the watcher's tests and benchmark: they copy it under a
// browser's executable name, start it and end it by its handle. Should a test die
// first, it ends by itself after two minutes.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Sleep(120000);
    return 0;
}
