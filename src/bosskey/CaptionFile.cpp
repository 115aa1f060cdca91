#include "bosskey/CaptionFile.h"

#include <windows.h>

#include <algorithm>

#include "cleaning/FileHelpers.h"
#include "framework/App.h"

namespace bosskey {

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() {
        if (valid()) CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    // Closes now and reports whether the close succeeded.
    bool Close() {
        bool ok = CloseHandle(h_) != FALSE;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

bool WriteAll(HANDLE h, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        if (!WriteFile(h, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

std::optional<std::string> ReadAll(const std::string& path) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return std::nullopt;
    std::string text;
    char buffer[4096];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) return std::nullopt;
        if (read == 0) break;
        text.append(buffer, read);
    }
    return text;
}

// The temporary file in the same folder as path, so that replacing is one rename.
std::string TempPathBeside(const std::string& path) {
    auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? kCaptionTempName : path.substr(0, slash + 1) + kCaptionTempName;
}

// Removes the temporary file this module itself just wrote, through the guarded helper.
void DeleteOwnTempFile(const std::string& path) { ModCleaning::DeleteFileIfExists(path); }

bool WriteTempAndReplace(const std::string& path, const std::string& bytes) {
    const std::string temp = TempPathBeside(path);
    {
        FileHandle out(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!out.valid()) return false;
        bool ok = WriteAll(out.get(), bytes) && FlushFileBuffers(out.get());
        ok = out.Close() && ok;
        if (!ok) {
            DeleteOwnTempFile(temp);
            return false;
        }
    }
    if (!MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteOwnTempFile(temp);
        return false;
    }
    return true;
}

}  // namespace

std::string CaptionFilePath(const std::string& folder) { return folder + "\\" + kCaptionFileName; }

std::string CaptionFilePath() { return CaptionFilePath(gf::App::Path()); }

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

std::optional<std::vector<std::string>> ReadCaptionFile(const std::string& path) {
    auto text = ReadAll(path);
    if (!text) return std::nullopt;
    return SplitLines(*text);
}

bool AppendCaption(const std::string& path, const std::string& caption) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    std::string bytes = caption + "\r\n";
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0) {
        LARGE_INTEGER last{};
        last.QuadPart = size.QuadPart - 1;
        char c = 0;
        DWORD read = 0;
        if (SetFilePointerEx(file.get(), last, nullptr, FILE_BEGIN) &&
            ReadFile(file.get(), &c, 1, &read, nullptr) && read == 1 && c != '\r' && c != '\n')
            bytes.insert(0, "\r\n");
    }
    LARGE_INTEGER zero{};
    if (!SetFilePointerEx(file.get(), zero, nullptr, FILE_END)) return false;
    bool ok = WriteAll(file.get(), bytes);
    return file.Close() && ok;
}

bool RemoveCaptionLine(const std::string& path, int index, const std::string& text) {
    auto lines = ReadCaptionFile(path);
    if (!lines) return false;
    int drop = -1;
    if (index >= 0 && index < static_cast<int>(lines->size()) && (*lines)[index] == text) {
        drop = index;
    } else {
        for (size_t i = 0; i < lines->size(); ++i)
            if ((*lines)[i] == text) {
                drop = static_cast<int>(i);
                break;
            }
    }
    if (drop < 0) return false;
    std::string bytes;
    for (size_t i = 0; i < lines->size(); ++i)
        if (static_cast<int>(i) != drop) bytes += (*lines)[i] + "\r\n";
    return WriteTempAndReplace(path, bytes);
}

}  // namespace bosskey
