#include "framework/Libraries.h"

namespace gf {

FARPROC LibraryEntry(const char* library, const char* name) {
    HMODULE module = LoadLibraryA(library);  // the loaded one when it is already there
    return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace gf
