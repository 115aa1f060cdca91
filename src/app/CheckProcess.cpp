#include "app/CheckProcess.h"

#include <windows.h>
#include <winternl.h>

#include <algorithm>

#include "framework/Handles.h"
#include "framework/Runtime.h"
#include "framework/Text.h"

namespace app {

namespace {

constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

// Compared in ANSI without best-fit letters: a look-alike character must not turn into
// a letter of the name looked for.
std::string ComparedName(const std::string& path) { return process::LastPathPart(process::TrimUpper(path)); }

// The opened process's executable, read from the kernel's record of its image: this
// works for a process of the other bitness and for one whose memory may not be read.
std::string ExecutableName(HANDLE process) {
    std::wstring path(32768, L'\0');
    DWORD n = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process, 0, path.data(), &n)) return {};
    return ComparedName(gf::Narrow(std::wstring_view(path.data(), n)));
}

// The list names every process; the decision rests, as for any process inspected,
// on opening it (another user's is skipped) and reading its own executable's path.
bool OpensAs(unsigned long pid, const std::string& target) {
    gf::KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    return process && ExecutableName(process.Get()) == target;
}

}  // namespace

namespace process {

std::string TrimUpper(const std::string& text) {
    auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    auto last = text.find_last_not_of(' ');
    std::string out = text.substr(first, last - first + 1);
    CharUpperBuffA(out.data(), static_cast<DWORD>(out.size()));
    return out;
}

std::string LastPathPart(const std::string& path) {
    auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<Running> RunningProcesses() {
    // Each request is costly (under Wine it reads several files per process), and the
    // watcher asks every 900 ms, so ask once with the size that sufficed last time.
    static ULONG lastBytes = 16 * 1024;
    ULONG bytes = lastBytes;
    std::vector<ULONGLONG> buffer;  // the entries hold 64-bit fields
    NTSTATUS status = kInfoLengthMismatch;
    for (int i = 0; i < 16 && status == kInfoLengthMismatch; ++i) {
        gf::DoEvents();
        buffer.assign(bytes / sizeof(ULONGLONG) + 1, 0);
        ULONG needed = 0;
        status = NtQuerySystemInformation(SystemProcessInformation, buffer.data(), bytes, &needed);
        // Processes may start before the next request: leave room for some.
        if (status == kInfoLengthMismatch) bytes = std::max(bytes * 2, needed + needed / 4);
    }
    if (!NT_SUCCESS(status)) return {};
    lastBytes = bytes;
    std::vector<Running> out;
    const auto* base = reinterpret_cast<const BYTE*>(buffer.data());
    for (ULONG offset = 0; offset + sizeof(SYSTEM_PROCESS_INFORMATION) <= bytes;) {
        const auto* info = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(base + offset);
        // A process without threads has ended; only a handle someone holds keeps it listed.
        if (info->NumberOfThreads > 0) {
            out.push_back({static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(info->UniqueProcessId)),
                           ComparedName(gf::Narrow(std::wstring_view(info->ImageName.Buffer, info->ImageName.Length / sizeof(wchar_t))))});
        }
        if (info->NextEntryOffset == 0) break;
        offset += info->NextEntryOffset;
    }
    return out;
}

std::vector<bool> FindRunning(const std::vector<std::string>& names) {
    std::vector<std::string> targets;
    for (const auto& name : names) targets.push_back(TrimUpper(name));
    std::vector<bool> found(names.size(), false);
    if (std::all_of(targets.begin(), targets.end(), [](const std::string& t) { return t.empty(); })) return found;
    for (const Running& p : RunningProcesses()) {
        for (size_t i = 0; i < targets.size(); ++i)
            if (!found[i] && !targets[i].empty() && p.exeName == targets[i] && OpensAs(p.pid, targets[i]))
                found[i] = true;
    }
    return found;
}

}  // namespace process

bool IsProcessRunning(std::string exeName) { return process::FindRunning({exeName})[0]; }

}  // namespace app
