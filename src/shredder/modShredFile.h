#pragma once
// Shredding one file: its bytes are overwritten in place with random characters of a
// fixed one-byte alphabet, block by block, flushed to the disk, and only then is the
// file deleted. A file that cannot be overwritten completely is left where it is.
// Paths are wide text, used exactly as given: no character is best-fitted to the ANSI
// code page and no trailing space or dot is trimmed.
#include <cstddef>
#include <cstdint>
#include <string>

namespace shredder {

// 64 consecutive ASCII characters, one byte each in every ANSI code page: six random
// bits are one character by a single addition.
inline constexpr char kShredAlphabet[] =
    "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmno";
inline constexpr std::size_t kShredAlphabetLength = sizeof(kShredAlphabet) - 1;

// Bytes per write. Measured under Wine on the build machine's disk, 256 KiB to 16 MiB
// blocks write equally fast; 1 MiB keeps the buffer small.
inline constexpr std::size_t kShredBlockSize = 1 << 20;
// The disk is told to write out what is written so far at every such step, on a thread
// of its own while later blocks are being written: flushing only at the end left the
// disk idle during the writes (2 GiB took 1.8 s against 1.2 s when flushed as it goes).
inline constexpr std::uint64_t kShredFlushStep = 32ull << 20;
// The calling thread's message loop turns at least this often while the file is being
// written, flushed and deleted on other threads; the progress moves as often.
inline constexpr unsigned kShredTurnMs = 50;

// Where the shredding reports how far it is (the progress window implements it). Both
// are called on the thread that called ShredFile, from its message-loop turns.
class ShredProgress {
public:
    virtual ~ShredProgress() = default;
    // Once the file is open: its length in bytes (0 for an empty file).
    virtual void Start(std::uint64_t totalBytes) = 0;
    // Every kShredTurnMs or so: the bytes overwritten so far. The last call reports the
    // whole length once it is flushed, while the file still exists with its name and
    // length.
    virtual void Advance(std::uint64_t doneBytes) = 0;
};

struct ShredOutcome {
    bool shredded = false;     // overwritten, flushed and deleted, its name gone
    bool overwritten = false;  // every byte overwritten and flushed (even if not deleted)
    std::string reason;        // why not, in words for the user; empty when shredded
};

// n characters drawn from the alphabet; the generator is seeded from the system timer
// at each call.
std::string RandomString(std::size_t n);

// Why a path is refused before anything is opened (empty text: it may be tried). Only
// a full path with a drive letter or a \\server\share prefix is taken; device
// namespaces, relative paths, "." and ".." parts, characters no file name may hold
// and a device name (CON, nul.txt, ...) as the file's name are refused.
std::string CheckShredPath(const std::wstring& path);

// The path checks, then what the path names now: an existing file that is neither a
// folder nor a link and has no other name (hard link), reached under its own name: the
// folder's entry that the name stands for (the same name in other letter cases, or its
// 8.3 short name, leads to the name the folder stores), opened and found to be the file
// the system names by the folder's name and that stored name, letter for letter, so a
// link that looks like a plain file is refused. ShredFile checks again on the file it
// opens.
std::string CheckShredTarget(const std::wstring& path);

// Overwrites and deletes the file, on other threads while this one's message loop
// turns (see kShredTurnMs). A read-only file has that attribute cleared first (and set
// again if the file stays). Nothing is deleted unless every byte was written and every
// flush succeeded; a file whose name is still there once deleted (another program
// holds it open) is not reported shredded.
ShredOutcome ShredFile(const std::wstring& path, ShredProgress* progress = nullptr);

}  // namespace shredder
