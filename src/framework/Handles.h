#pragma once
// One family of owners for the kernel and registry handles the program opens, so that
// every handle is closed on every path (GDI objects have theirs in Gdi.h). Header only:
// the registry code, which depends on nothing else of ours, uses it too.
#include <windows.h>

#include <utility>

namespace gf {

// Owns one handle of a kind described by Traits: its invalid value and how to close it.
template <typename Traits>
class ScopedHandle {
public:
    using Handle = typename Traits::Handle;

    ScopedHandle() = default;
    explicit ScopedHandle(Handle h) : h_(h) {}
    ~ScopedHandle() { Close(); }
    ScopedHandle(ScopedHandle&& o) noexcept : h_(std::exchange(o.h_, Traits::Invalid())) {}
    ScopedHandle& operator=(ScopedHandle&& o) noexcept {
        if (this != &o) {
            Close();
            h_ = std::exchange(o.h_, Traits::Invalid());
        }
        return *this;
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    Handle Get() const { return h_; }
    bool Valid() const { return h_ != Traits::Invalid(); }
    explicit operator bool() const { return Valid(); }
    // For the calls that hand a new handle back through a pointer (RegOpenKeyEx, ...).
    Handle* Receive() {
        Close();
        return &h_;
    }
    Handle Release() { return std::exchange(h_, Traits::Invalid()); }
    void Reset(Handle h) {
        Close();
        h_ = h;
    }
    // Closes now; false when the close itself failed (a file's last write can fail here).
    bool Close() {
        if (!Valid()) return true;
        return Traits::Close(std::exchange(h_, Traits::Invalid()));
    }

private:
    Handle h_ = Traits::Invalid();
};

struct FileHandleTraits {  // CreateFile: INVALID_HANDLE_VALUE on failure
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Close(Handle h) { return CloseHandle(h) != FALSE; }
};

struct KernelHandleTraits {  // OpenProcess, CreateMutex, CreateEvent: null on failure
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static bool Close(Handle h) { return CloseHandle(h) != FALSE; }
};

struct FindHandleTraits {  // FindFirstFile
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Close(Handle h) { return FindClose(h) != FALSE; }
};

struct RegKeyTraits {  // RegOpenKeyEx, RegCreateKeyEx, RegConnectRegistry
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static bool Close(Handle h) { return RegCloseKey(h) == ERROR_SUCCESS; }
};

using FileHandle = ScopedHandle<FileHandleTraits>;
using KernelHandle = ScopedHandle<KernelHandleTraits>;
using FindHandle = ScopedHandle<FindHandleTraits>;
using RegKey = ScopedHandle<RegKeyTraits>;

}  // namespace gf
