#pragma once
// System libraries bound on first use rather than at start: every library the program
// links is loaded before it runs a line, and under Wine loading comctl32, or oleaut32
// with what it pulls in, is a large share of a start that never calls them.
#include <windows.h>

namespace gf {

// The entry point `name` of `library`, which is loaded on the first call and then kept
// for the life of the program, as a linked library is; nullptr when either is missing.
FARPROC LibraryEntry(const char* library, const char* name);

template <typename F>
F LibraryEntry(const char* library, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(LibraryEntry(library, name)));
}

}  // namespace gf
