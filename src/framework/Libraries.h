#pragma once
// System libraries bound on first use rather than at start: every library the program
// links is loaded before it runs a line, and under Wine loading comctl32 (which the main
// window needs only for its hidden pages and the clean run) is a large share of a start.
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
