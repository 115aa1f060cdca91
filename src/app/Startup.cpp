#include "app/Startup.h"

#include <windows.h>

#include "shredder/ShredCommand.h"

namespace app {

int Main(const std::string& commandLine) {
    if (!commandLine.empty()) {
        shredder::RunShredCommand(commandLine);
        return 0;
    }
    return 0;
}

}  // namespace app
