#pragma once
// Helpers shared by the tests: scratch registry keys, scratch folders inside the
// sandbox, pumping messages, reading pixels.
#include <windows.h>

#include <string>

namespace testing_support {

// A registry key under HKCU\Software\GlimmerfoldTests\<unique>, removed with its tree
// when it goes out of scope.
class ScratchKey {
public:
    explicit ScratchKey(HKEY root = HKEY_CURRENT_USER);
    ~ScratchKey();
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;
    const std::string& Path() const { return path_; }
    HKEY Root() const { return root_; }

private:
    HKEY root_;
    std::string path_;
};

// A folder of its own below the test executable's folder (inside the sandbox's D:),
// removed with its contents at the end.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// A name unique within this run (process id, tick count and a counter).
std::string UniqueName(const std::string& stem);

// The build folder as Windows sees it ("D:\"), from the sandbox's drive mapping.
std::string BuildDrive();

void WriteFileText(const std::string& path, const std::string& text);
std::string ReadFileText(const std::string& path);
bool PathExists(const std::string& path);

// Runs the message loop for about ms milliseconds.
void PumpFor(DWORD ms);
// Runs the message loop until pred() is true or ms pass; returns pred().
template <typename Pred>
bool PumpUntil(Pred pred, DWORD ms = 5000) {
    DWORD start = GetTickCount();
    while (!pred()) {
        if (GetTickCount() - start > ms) return pred();
        PumpFor(10);
    }
    return true;
}

// The colour of one pixel of the screen, as the X server shows it.
COLORREF ScreenPixel(int x, int y);

}  // namespace testing_support
