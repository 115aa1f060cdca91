#include "app/Startup.h"

#include <windows.h>

namespace app {

int Main(const std::string& commandLine) {
    (void)commandLine;
    return 0;
}

}  // namespace app
