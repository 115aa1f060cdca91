#include "shredder/modShredFile.h"

#include <emmintrin.h>
#include <process.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "cleaning/FileSystem.h"
#include "cleaning/GuardedPath.h"
#include "framework/Handles.h"
#include "framework/Runtime.h"

namespace shredder {

static_assert(kShredAlphabetLength == 64, "six random bits pick one character");
static_assert(kShredAlphabet[63] == kShredAlphabet[0] + 63, "the characters follow each other");

namespace {

using gf::FileHandle;
using gf::KernelHandle;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

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

const char kLinkRefused[] = "This is a link; the shredder does not follow links.";
const char kNotItsOwnName[] =
    "This name leads to another file, through a link; the shredder takes only a file's own name and does not "
    "follow links.";
const char kMoreThanOneName[] =
    "This file has more than one name (hard links): overwriting it would destroy its content under its other "
    "names too. The shredder takes only a file that has a single name.";
const char kNameInManyCases[] =
    "Several files in this folder have this name in different letter cases; name the file exactly as the folder "
    "shows it.";
const char kNameStays[] =
    "Its content is overwritten and it is marked for deletion, but its name is still there: another program has "
    "the file open (the name goes when that program closes it), or the folder does not let it be removed.";

bool SameText(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

bool HasDriveLetter(std::wstring_view p) {
    return p.size() >= 3 && ((p[0] >= L'A' && p[0] <= L'Z') || (p[0] >= L'a' && p[0] <= L'z')) &&
           p[1] == L':' && p[2] == L'\\';
}

// \\server\share\... with both parts present; \\?\ and \\.\ are device namespaces.
bool IsUncPath(std::wstring_view p) {
    if (p.size() < 5 || p[0] != L'\\' || p[1] != L'\\') return false;
    if (p[2] == L'?' || p[2] == L'.' || p[2] == L'\\') return false;
    auto share = p.find(L'\\', 2);
    return share != std::wstring_view::npos && share + 1 < p.size() && p[share + 1] != L'\\';
}

// Names that ordinary paths take for devices, whatever extension follows: CON, PRN,
// AUX, NUL, COM1 to COM9, LPT1 to LPT9 (also with a superscript digit), CONIN$, CONOUT$.
bool IsDeviceName(std::wstring_view name) {
    std::wstring_view stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ') stem.remove_suffix(1);
    for (std::wstring_view device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (SameText(stem, device)) return true;
    if (stem.size() != 4 || !(SameText(stem.substr(0, 3), L"COM") || SameText(stem.substr(0, 3), L"LPT")))
        return false;
    return (stem[3] >= L'1' && stem[3] <= L'9') || stem[3] == L'\u00B9' || stem[3] == L'\u00B2' ||
           stem[3] == L'\u00B3';
}

// Clears read-only for the overwrite, through the file's own handle (never by name: a
// link's target must not change); sets it again unless told the file is gone.
class ReadOnlyLift {
public:
    explicit ReadOnlyLift(HANDLE file) : file_(file) {
        FILE_BASIC_INFO info{};
        if (!GetFileInformationByHandleEx(file, FileBasicInfo, &info, sizeof info) ||
            !(info.FileAttributes & FILE_ATTRIBUTE_READONLY))
            return;
        attributes_ = info.FileAttributes;
        lifted_ = Set(attributes_ & ~FILE_ATTRIBUTE_READONLY);
    }
    ~ReadOnlyLift() {
        if (lifted_ && restore_) Set(attributes_);
    }
    void Keep() { restore_ = false; }

private:
    bool Set(DWORD attributes) const {
        FILE_BASIC_INFO info{};  // zero times: left as they are
        info.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
        return SetFileInformationByHandle(file_, FileBasicInfo, &info, sizeof info) != FALSE;
    }

    HANDLE file_;
    DWORD attributes_ = 0;
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
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return kLinkRefused;
    if (info.nNumberOfLinks > 1) return kMoreThanOneName;
    return {};
}

// A name without the spaces and dots it ends in, as ordinary paths read it.
std::wstring_view Trimmed(std::wstring_view name) {
    return name.substr(0, name.find_last_not_of(L" .") + 1);
}

// One entry of a folder's listing: its name, its 8.3 short name (empty when the name is
// one already) and its identity on the volume.
struct Listed {
    std::wstring name, shortName;
    LONGLONG id = 0;
};

// Every entry of the open folder; false with the system's error when it cannot be read.
bool ListFolder(HANDLE folder, std::vector<Listed>& entries, DWORD& error) {
    std::vector<BYTE> buffer(64 * 1024);
    for (auto kind = FileIdBothDirectoryRestartInfo;
         GetFileInformationByHandleEx(folder, kind, buffer.data(), static_cast<DWORD>(buffer.size()));
         kind = FileIdBothDirectoryInfo) {
        for (std::size_t at = 0;;) {
            const auto* e = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(buffer.data() + at);
            entries.push_back({std::wstring(e->FileName, e->FileNameLength / sizeof(wchar_t)),
                               std::wstring(e->ShortName, e->ShortNameLength / sizeof(wchar_t)), e->FileId.QuadPart});
            if (!e->NextEntryOffset) break;
            at += e->NextEntryOffset;
        }
    }
    error = GetLastError();
    return error == ERROR_NO_MORE_FILES;
}

// The entry that the typed name stands for, under the name the folder stores: the very
// name, or else the one entry whose name, or 8.3 short name, differs from it in letter
// case alone (more than one such entry, on a disk that tells cases apart, is refused).
std::string FindStored(const std::vector<Listed>& entries, std::wstring_view typed, const Listed*& found) {
    found = nullptr;
    int alike = 0;
    for (const Listed& e : entries) {
        if (e.name == typed) {
            found = &e;
            return {};
        }
        if (SameText(e.name, typed) || (!e.shortName.empty() && SameText(e.shortName, typed))) {
            found = &e;
            ++alike;
        }
    }
    if (alike > 1) return kNameInManyCases;
    return found ? std::string() : OpenFailure(ERROR_FILE_NOT_FOUND);
}

// Whether another entry of the folder, named as the file but for the spaces and dots
// it ends in, is the very file the handle holds (that twin itself, or a link to it).
bool ReachedThroughATwin(const std::vector<Listed>& entries, const Listed& named, HANDLE file) {
    BY_HANDLE_FILE_INFORMATION mine;
    if (!GetFileInformationByHandle(file, &mine)) return true;
    const LONGLONG id = static_cast<LONGLONG>((ULONGLONG(mine.nFileIndexHigh) << 32) | mine.nFileIndexLow);
    return std::any_of(entries.begin(), entries.end(), [&](const Listed& e) {
        return e.id == id && !SameText(e.name, named.name) && SameText(Trimmed(e.name), Trimmed(named.name));
    });
}

// Opens the file the path names, under the name its folder stores (found in the folder's
// listing, so a name typed in other letter cases or as the short name leads to the
// file's own name), by its \\?\ form so that no character or trailing space or dot is
// reinterpreted; then makes sure the handle is that very file: the system's name for it
// is its folder's name and that stored name, letter for letter. Under Wine a Unix link
// to a file opens as its target and fails here, before anything is written, also when
// the target differs from it in letter case alone.
std::string OpenExactly(const guarded::Path& path, DWORD access, DWORD share, FileHandle& out) {
    FileHandle folder(CreateFileW(path.Parent().Long().c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, kShareAll,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder) return OpenFailure(GetLastError());
    std::vector<Listed> entries;
    if (DWORD error = 0; !ListFolder(folder.Get(), entries, error))
        return "The folder's contents could not be read: " + SystemMessage(error);
    const Listed* stored = nullptr;
    if (std::string why = FindStored(entries, path.parts.back(), stored); !why.empty()) return why;
    guarded::Path exact = path;
    exact.parts.back() = stored->name;
    FileHandle file(CreateFileW(exact.Long().c_str(), access, share, nullptr, OPEN_EXISTING,
                                FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return OpenFailure(GetLastError());
    if (std::string why = CheckOpenedFile(file.Get()); !why.empty()) return why;
    std::wstring within = filesys::FinalPathOf(folder.Get());
    if (within.empty() || within.back() != L'\\') within += L'\\';
    const std::wstring& name = stored->name;
    const std::wstring final = filesys::FinalPathOf(file.Get());
    // Wine names an open file without the spaces and dots its name ends in: such a name
    // passes when no twin of it in the folder is the file opened.
    if (final != within + name && (Trimmed(name) == name || final != within.append(Trimmed(name)) ||
                                   ReachedThroughATwin(entries, *stored, file.Get())))
        return kNotItsOwnName;
    out = std::move(file);
    return {};
}

unsigned __stdcall RunFunction(void* function) {
    (*static_cast<const std::function<void()>*>(function))();
    return 0;
}

KernelHandle StartThread(const std::function<void()>& function) {
    return KernelHandle(reinterpret_cast<HANDLE>(
        _beginthreadex(nullptr, 0, RunFunction, const_cast<std::function<void()>*>(&function), 0, nullptr)));
}

// Runs the work on a thread of its own while this thread's message loop turns, whenever
// a message comes and at least every kShredTurnMs; each turn ends with tick().
void RunWhileTurning(const std::function<void()>& work, const std::function<void()>& tick) {
    KernelHandle thread = StartThread(work);
    if (!thread) {  // no thread to spare: the work runs here and the window waits
        work();
        return;
    }
    for (;;) {
        HANDLE h = thread.Get();
        DWORD woke = MsgWaitForMultipleObjects(1, &h, FALSE, kShredTurnMs, QS_ALLINPUT);
        gf::DoEvents();
        tick();
        if (woke == WAIT_OBJECT_0) return;
        if (woke == WAIT_FAILED) break;
    }
    WaitForSingleObject(thread.Get(), INFINITE);
}

// Flushes the file on a thread of its own whenever asked, so that the disk writes out
// what is written while the next blocks are being written. A failed flush counts as
// much as the last one: the system may report a lost write to one flush only.
class BackgroundFlush {
public:
    explicit BackgroundFlush(HANDLE file) : file_(file), wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
        if (wake_) thread_ = StartThread(run_);
    }
    ~BackgroundFlush() { Stop(); }
    BackgroundFlush(const BackgroundFlush&) = delete;
    BackgroundFlush& operator=(const BackgroundFlush&) = delete;
    // Without a thread of its own nothing happens: the last flush covers everything.
    void Request() const {
        if (thread_) SetEvent(wake_.Get());
    }
    // The error of the first flush that failed so far; 0 while none has.
    DWORD Failure() const { return failure_; }
    // Ends the thread (a flush under way finishes first); then Failure().
    DWORD Stop() {
        if (thread_) {
            stop_ = true;
            SetEvent(wake_.Get());
            WaitForSingleObject(thread_.Get(), INFINITE);
            thread_.Close();
        }
        return failure_;
    }

private:
    HANDLE file_;
    std::atomic<bool> stop_{false};
    std::atomic<DWORD> failure_{0};
    KernelHandle wake_;
    const std::function<void()> run_ = [this] {
        while (WaitForSingleObject(wake_.Get(), INFINITE) == WAIT_OBJECT_0 && !stop_) {
            if (FlushFileBuffers(file_)) continue;
            DWORD code = GetLastError(), none = 0;
            failure_.compare_exchange_strong(none, code ? code : ERROR_WRITE_FAULT);
        }
    };
    KernelHandle thread_;
};

std::string HowFar(std::uint64_t done, std::uint64_t length) {
    return std::to_string(done) + " of " + std::to_string(length) + " bytes";
}

// Every byte from the start, in blocks, then flushed; done counts the bytes written.
// False with the reason, saying how far it got, when a write or any flush fails.
bool Overwrite(HANDLE h, std::uint64_t length, std::atomic<std::uint64_t>& done, std::string& reason) {
    std::string block(static_cast<std::size_t>(std::min<std::uint64_t>(length, kShredBlockSize)), '\0');
    Random random;
    BackgroundFlush flush(h);
    for (std::uint64_t position = 0; position < length && !flush.Failure();) {
        DWORD chunk = static_cast<DWORD>(std::min<std::uint64_t>(length - position, block.size()));
        random.Fill(block.data(), chunk);
        DWORD written = 0;
        if (!WriteFile(h, block.data(), chunk, &written, nullptr) || written != chunk) {
            DWORD code = GetLastError();
            reason = "Writing over the file failed after " + HowFar(position + written, length) + ": " +
                     (written != chunk && code == ERROR_SUCCESS ? "the disk took less than was written."
                                                               : SystemMessage(code));
            return false;
        }
        if (position / kShredFlushStep != (position + chunk) / kShredFlushStep) flush.Request();
        position += chunk;
        done = position;
    }
    DWORD failure = flush.Stop();
    if (!failure && !FlushFileBuffers(h)) failure = GetLastError();
    if (failure) {
        reason = "Flushing the new content to the disk failed after " + HowFar(done, length) +
                 " were written: " + SystemMessage(failure);
        return false;
    }
    return true;
}

// Whether anything still answers to the name once the file's handles are closed: the
// deletion waits for every handle, also another program's that only reads the file's
// attributes, and a folder may refuse it; a pending deletion opens as "access denied".
bool NameRemains(const guarded::Path& path) {
    if (GetFileAttributesW(path.Long().c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    const DWORD code = GetLastError();
    return code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND;
}

// Marks the open file for deletion, so the very file that was overwritten goes when
// its handles close, whatever the path names by then.
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

std::string CheckShredPath(const std::wstring& path) {
    if (path.empty()) return "No file was named.";
    if (path.rfind(L"\\\\?\\", 0) == 0 || path.rfind(L"\\\\.\\", 0) == 0) return "Device paths are not shredded.";
    for (std::size_t i = 0; i < path.size(); ++i) {
        wchar_t c = path[i];
        if (c < 32 || std::wstring_view(L"\"<>|*?").find(c) != std::wstring_view::npos || (c == L':' && i != 1))
            return "The path holds characters that no file name may hold.";
    }
    if (!HasDriveLetter(path) && !IsUncPath(path))
        return "The path is not a full path with a drive letter or a network share.";
    if (path.back() == L'\\') return "This is a folder, not a file.";
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = std::min(path.find(L'\\', start), path.size());
        std::wstring_view part(path.data() + start, end - start);
        if (part == L"." || part == L"..") return "The path holds \".\" or \"..\" parts.";
        start = end + 1;
    }
    // The cleaning's deletion guard has the last word on every path we delete under.
    std::optional<guarded::Path> parsed = guarded::Parse(std::wstring_view(path));
    if (!parsed || parsed->IsRoot()) return "The path is not a plain full path to a file.";
    if (IsDeviceName(parsed->parts.back())) return "The name is that of a device (CON, NUL, COM1, ...), not of a file.";
    return {};
}

std::string CheckShredTarget(const std::wstring& path) {
    if (std::string why = CheckShredPath(path); !why.empty()) return why;
    FileHandle file;
    return OpenExactly(*guarded::Parse(std::wstring_view(path)), FILE_READ_ATTRIBUTES, kShareAll, file);
}

ShredOutcome ShredFile(const std::wstring& text, ShredProgress* progress) {
    if (std::string why = CheckShredPath(text); !why.empty()) return Refused(why);
    const guarded::Path path = *guarded::Parse(std::wstring_view(text));
    // Held to the end: the read-only attribute goes back through it if the file stays.
    FileHandle attributes;
    if (std::string why = OpenExactly(path, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, kShareAll, attributes);
        !why.empty())
        return Refused(why);
    ReadOnlyLift readOnly(attributes.Get());
    // Others may read meanwhile, but nobody writes to it or deletes it under us. A reader
    // that holds it keeps its name after the deletion: that is checked at the end.
    FileHandle file;
    if (std::string why = OpenExactly(path, GENERIC_WRITE | DELETE, FILE_SHARE_READ, file); !why.empty())
        return Refused(why);

    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size)) return Refused(SystemMessage(GetLastError()));
    const std::uint64_t length = static_cast<std::uint64_t>(size.QuadPart);
    if (progress) progress->Start(length);

    // The progress moves by time, not by block: a turn of the loop per block would cost
    // more than the disk.
    std::atomic<std::uint64_t> done{0};
    DWORD shown = GetTickCount();
    auto tick = [&] {
        if (!progress || GetTickCount() - shown < kShredTurnMs) return;
        shown = GetTickCount();
        progress->Advance(done);
    };
    ShredOutcome outcome;
    bool overwritten = false;
    RunWhileTurning([&] { overwritten = Overwrite(file.Get(), length, done, outcome.reason); }, tick);
    if (!overwritten) {
        outcome.reason += " The file was left in place.";
        return outcome;
    }
    outcome.overwritten = true;
    if (progress) progress->Advance(length);

    if (!DeleteOnClose(file.Get())) {
        outcome.reason = "The file was overwritten but could not be deleted: " + SystemMessage(GetLastError());
        return outcome;
    }
    readOnly.Keep();
    // Removing a large file takes a while too; the window stays alive meanwhile.
    RunWhileTurning([&] { file.Close(); attributes.Close(); }, [] {});
    if (NameRemains(path)) {
        outcome.reason = kNameStays;
        return outcome;
    }
    outcome.shredded = true;
    return outcome;
}

}  // namespace shredder
