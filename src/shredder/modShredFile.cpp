#include "shredder/modShredFile.h"

#include <emmintrin.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <string_view>

#include "cleaning/GuardedPath.h"
#include "framework/Handles.h"
#include "framework/Runtime.h"

namespace shredder {

static_assert(kShredAlphabetLength == 64, "six random bits pick one character");
static_assert(kShredAlphabet[63] == kShredAlphabet[0] + 63, "the characters follow each other");

namespace {

using gf::FileHandle;

// Random alphabet characters, 32 at a time: four xorshift128+ generators, two side by
// side in each of two SSE2 registers (two independent chains keep the processor busy),
// each byte's upper six bits picking a character. Fast enough that the disk, not the
// drawing, sets the pace; plenty for bytes that only have to bury the old ones.
class Random {
public:
    Random() {
        static std::atomic<std::uint64_t> calls{0};
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        // Seeded from the timer; two calls within one timer tick must still differ.
        std::uint64_t seed = static_cast<std::uint64_t>(now.QuadPart) ^
                             (++calls * 0xD1B54A32D192ED03ull) ^
                             (static_cast<std::uint64_t>(GetCurrentProcessId()) << 32);
        for (Lanes& lanes : lanes_) {
            lanes.s0 = _mm_set_epi64x(SplitMix(seed), SplitMix(seed));
            lanes.s1 = _mm_set_epi64x(SplitMix(seed), SplitMix(seed));
        }
    }

    void Fill(char* out, std::size_t n) {
        for (; n >= 32; out += 32, n -= 32) {
            __m128i a = Next(lanes_[0]), b = Next(lanes_[1]);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out), ToAlphabet(a));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16), ToAlphabet(b));
        }
        for (; n > 0; out += 16, n -= std::min<std::size_t>(n, 16)) {
            alignas(16) char tail[16];
            _mm_store_si128(reinterpret_cast<__m128i*>(tail), ToAlphabet(Next(lanes_[0])));
            std::memcpy(out, tail, std::min<std::size_t>(n, 16));
        }
    }

private:
    struct Lanes {
        __m128i s0, s1;
    };

    static long long SplitMix(std::uint64_t& state) {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<long long>(z ^ (z >> 31));
    }

    static __m128i Next(Lanes& g) {
        __m128i x = g.s0;
        const __m128i y = g.s1;
        g.s0 = y;
        x = _mm_xor_si128(x, _mm_slli_epi64(x, 23));
        g.s1 = _mm_xor_si128(_mm_xor_si128(x, y),
                             _mm_xor_si128(_mm_srli_epi64(x, 17), _mm_srli_epi64(y, 26)));
        return _mm_add_epi64(g.s1, y);
    }

    // Six bits per byte, moved onto the 64 characters that follow "0".
    static __m128i ToAlphabet(__m128i bits) {
        const __m128i v = _mm_and_si128(_mm_srli_epi16(bits, 2), _mm_set1_epi8(0x3F));
        return _mm_add_epi8(v, _mm_set1_epi8(kShredAlphabet[0]));
    }

    Lanes lanes_[2];
};

std::string SystemMessage(DWORD code) {
    char* text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = n && text ? std::string(text, n) : std::string();
    if (text) LocalFree(text);
    while (!message.empty() && std::isspace(static_cast<unsigned char>(message.back())))
        message.pop_back();
    if (message.empty()) message = "Windows error " + std::to_string(code) + ".";
    return message;
}

std::string OpenFailure(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
        return "There is no file at this path.";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "The file is in use by another program. Close it and try again.";
    case ERROR_ACCESS_DENIED:
        return "Access to the file was denied.";
    default:
        return SystemMessage(code);
    }
}

bool HasDriveLetter(const std::string& p) {
    return p.size() >= 3 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':' &&
           p[2] == '\\';
}

// \\server\share\... with both parts present; \\?\ and \\.\ are device namespaces.
bool IsUncPath(const std::string& p) {
    if (p.size() < 5 || p[0] != '\\' || p[1] != '\\') return false;
    if (p[2] == '?' || p[2] == '.' || p[2] == '\\') return false;
    auto share = p.find('\\', 2);
    return share != std::string::npos && share + 1 < p.size() && p[share + 1] != '\\';
}

// Clears read-only for the overwrite; sets it again unless told the file is gone.
class ReadOnlyLift {
public:
    explicit ReadOnlyLift(const std::string& path) : path_(path) {
        attributes_ = GetFileAttributesA(path.c_str());
        if (attributes_ != INVALID_FILE_ATTRIBUTES && (attributes_ & FILE_ATTRIBUTE_READONLY)) {
            DWORD rest = attributes_ & ~FILE_ATTRIBUTE_READONLY;
            lifted_ = SetFileAttributesA(path.c_str(), rest ? rest : FILE_ATTRIBUTE_NORMAL) != FALSE;
        }
    }
    ~ReadOnlyLift() {
        if (lifted_ && restore_) SetFileAttributesA(path_.c_str(), attributes_);
    }
    void Keep() { restore_ = false; }

private:
    std::string path_;
    DWORD attributes_ = INVALID_FILE_ATTRIBUTES;
    bool lifted_ = false;
    bool restore_ = true;
};

ShredOutcome Refused(std::string reason) {
    ShredOutcome outcome;
    outcome.reason = std::move(reason);
    return outcome;
}

// What the opened handle is: only a plain file on a disk is shredded.
std::string CheckOpenedFile(HANDLE h) {
    if (GetFileType(h) != FILE_TYPE_DISK) return "This is a device, not a file on a disk.";
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(h, &info)) return SystemMessage(GetLastError());
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return "This is a folder, not a file.";
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return "This is a link; the shredder does not follow links.";
    return {};
}

// Every byte from the start, in blocks; false with the reason when a write fails.
bool Overwrite(HANDLE h, std::uint64_t length, ShredProgress* progress, std::string& reason) {
    std::string block(static_cast<std::size_t>(std::min<std::uint64_t>(length, kShredBlockSize)), '\0');
    Random random;
    std::uint64_t done = 0;
    while (done < length) {
        gf::DoEvents();
        DWORD chunk = static_cast<DWORD>(std::min<std::uint64_t>(length - done, block.size()));
        random.Fill(block.data(), chunk);
        DWORD written = 0;
        if (!WriteFile(h, block.data(), chunk, &written, nullptr) || written != chunk) {
            DWORD code = GetLastError();
            reason = "Writing over the file failed after " + std::to_string(done + written) + " of " +
                     std::to_string(length) + " bytes: " +
                     (written != chunk && code == ERROR_SUCCESS ? "the disk took less than was written."
                                                               : SystemMessage(code));
            return false;
        }
        done += chunk;
        if (progress) progress->Advance(done);
    }
    return true;
}

// Marks the open file for deletion, so the very file that was overwritten goes when
// the handle closes, whatever the path names by then.
bool DeleteOnClose(HANDLE h) {
    FILE_DISPOSITION_INFO info{};
    info.DeleteFile = TRUE;
    return SetFileInformationByHandle(h, FileDispositionInfo, &info, sizeof info) != FALSE;
}

}  // namespace

std::string RandomString(std::size_t n) {
    std::string text(n, '\0');
    Random().Fill(text.data(), n);
    return text;
}

std::string CheckShredPath(const std::string& path) {
    if (path.empty()) return "No file was named.";
    if (path.rfind("\\\\?\\", 0) == 0 || path.rfind("\\\\.\\", 0) == 0)
        return "Device paths are not shredded.";
    for (std::size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (c < 32 || std::string_view("\"<>|*?").find(static_cast<char>(c)) != std::string_view::npos ||
            (c == ':' && i != 1))
            return "The path holds characters that no file name may hold.";
    }
    if (!HasDriveLetter(path) && !IsUncPath(path))
        return "The path is not a full path with a drive letter or a network share.";
    if (path.back() == '\\') return "This is a folder, not a file.";
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = std::min(path.find('\\', start), path.size());
        std::string_view part(path.data() + start, end - start);
        if (part == "." || part == "..") return "The path holds \".\" or \"..\" parts.";
        start = end + 1;
    }
    // The cleaning's deletion guard has the last word on every path we delete under.
    if (!guarded::Parse(std::string_view(path))) return "The path is not a plain full path to a file.";
    return {};
}

std::string CheckShredTarget(const std::string& path) {
    if (std::string why = CheckShredPath(path); !why.empty()) return why;
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return OpenFailure(GetLastError());
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return "This is a folder, not a file.";
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return "This is a link; the shredder does not follow links.";
    return {};
}

ShredOutcome ShredFile(const std::string& path, ShredProgress* progress) {
    if (std::string why = CheckShredTarget(path); !why.empty()) return Refused(why);

    ReadOnlyLift readOnly(path);
    // Others may read meanwhile, but nobody writes to it or deletes it under us.
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN,
                                nullptr));
    if (!file.Valid()) return Refused(OpenFailure(GetLastError()));
    if (std::string why = CheckOpenedFile(file.Get()); !why.empty()) return Refused(why);

    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size)) return Refused(SystemMessage(GetLastError()));
    std::uint64_t length = static_cast<std::uint64_t>(size.QuadPart);
    if (progress) progress->Start(length);

    ShredOutcome outcome;
    if (!Overwrite(file.Get(), length, progress, outcome.reason)) {
        outcome.reason += " The file was left in place.";
        return outcome;
    }
    if (!FlushFileBuffers(file.Get())) {
        outcome.reason = "The new content could not be flushed to the disk: " +
                         SystemMessage(GetLastError()) + " The file was left in place.";
        return outcome;
    }
    outcome.overwritten = true;

    bool marked = DeleteOnClose(file.Get());
    file.Close();
    if (!marked && !DeleteFileA(path.c_str())) {
        outcome.reason = "The file was overwritten but could not be deleted: " +
                         SystemMessage(GetLastError());
        return outcome;
    }
    readOnly.Keep();
    outcome.shredded = true;
    return outcome;
}

}  // namespace shredder
