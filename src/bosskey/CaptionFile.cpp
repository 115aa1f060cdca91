#include "bosskey/CaptionFile.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "cleaning/FileHelpers.h"
#include "framework/App.h"
#include "framework/Handles.h"

namespace bosskey {

namespace {

using gf::FileHandle;

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

std::optional<std::string> ReadAll(const std::wstring& path) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return std::nullopt;
    std::string text;
    char buffer[4096];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) return std::nullopt;
        if (read == 0) break;
        text.append(buffer, read);
    }
    return text;
}

// A file saved by an editor as UTF-8 may start with this mark; it belongs to no caption.
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

struct CaptionText {
    bool marked = false;
    std::vector<std::string> lines;
};

std::optional<CaptionText> ReadCaptionText(const std::wstring& path) {
    auto text = ReadAll(path);
    if (!text) return std::nullopt;
    CaptionText file;
    file.marked = text->starts_with(kUtf8Mark);
    if (file.marked) text->erase(0, kUtf8Mark.size());
    file.lines = SplitLines(*text);
    return file;
}

// Whether what the file holds so far ends inside a line, so that a caption appended now
// would join it. A file of nothing but the mark has no line to join.
bool EndsMidLine(HANDLE file) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart == 0) return false;
    const LONGLONG tail = std::min<LONGLONG>(size.QuadPart, kUtf8Mark.size());
    LARGE_INTEGER from{};
    from.QuadPart = size.QuadPart - tail;
    char last[4] = {};
    DWORD read = 0;
    if (!SetFilePointerEx(file, from, nullptr, FILE_BEGIN) ||
        !ReadFile(file, last, static_cast<DWORD>(tail), &read, nullptr) || read != tail)
        return false;
    if (size.QuadPart == tail && std::string_view(last, read) == kUtf8Mark) return false;
    return last[read - 1] != '\r' && last[read - 1] != '\n';
}

// The temporary file in the same folder as path, so that replacing is one rename.
std::wstring TempPathBeside(const std::wstring& path) {
    auto slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? kCaptionTempName : path.substr(0, slash + 1) + kCaptionTempName;
}

// Removes the temporary file this module itself just wrote, through the guarded helper.
void DeleteOwnTempFile(const std::wstring& path) { ModCleaning::DeleteFileIfExists(path); }

bool WriteTempAndReplace(const std::wstring& path, const std::string& bytes) {
    const std::wstring temp = TempPathBeside(path);
    {
        FileHandle out(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!out.Valid()) return false;
        bool ok = WriteAll(out.Get(), bytes) && FlushFileBuffers(out.Get());
        ok = out.Close() && ok;
        if (!ok) {
            DeleteOwnTempFile(temp);
            return false;
        }
    }
    if (!MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteOwnTempFile(temp);
        return false;
    }
    return true;
}

}  // namespace

std::wstring CaptionFilePath(const std::wstring& folder) { return folder + L"\\" + kCaptionFileName; }

std::wstring CaptionFilePath() { return CaptionFilePath(gf::App::PathW()); }

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

std::optional<std::vector<std::string>> ReadCaptionFile(const std::wstring& path) {
    auto file = ReadCaptionText(path);
    if (!file) return std::nullopt;
    return std::move(file->lines);
}

bool AppendCaption(const std::wstring& path, const std::string& caption) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    std::string bytes = caption + "\r\n";
    if (EndsMidLine(file.Get())) bytes.insert(0, "\r\n");
    LARGE_INTEGER zero{};
    if (!SetFilePointerEx(file.Get(), zero, nullptr, FILE_END)) return false;
    bool ok = WriteAll(file.Get(), bytes);
    return file.Close() && ok;
}

bool RemoveCaptionLine(const std::wstring& path, int index, const std::string& text) {
    auto file = ReadCaptionText(path);
    if (!file) return false;
    const std::vector<std::string>& lines = file->lines;
    int drop = -1;
    if (index >= 0 && index < static_cast<int>(lines.size()) && lines[index] == text) {
        drop = index;
    } else {
        auto found = std::find(lines.begin(), lines.end(), text);
        if (found != lines.end()) drop = static_cast<int>(found - lines.begin());
    }
    if (drop < 0) return false;
    // The mark stays, so an editor still reads the file as it saved it.
    std::string bytes(file->marked ? kUtf8Mark : "");
    for (size_t i = 0; i < lines.size(); ++i)
        if (static_cast<int>(i) != drop) bytes += lines[i] + "\r\n";
    return WriteTempAndReplace(path, bytes);
}

}  // namespace bosskey
