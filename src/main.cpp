#include <windows.h>

#include <string>

#include "app/Startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmdLine, int) {
    return app::Main(cmdLine ? std::string(cmdLine) : std::string());
}
