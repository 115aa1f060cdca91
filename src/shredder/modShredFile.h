#pragma once
// Shredding one file: its bytes are overwritten in place with random characters of a
// fixed one-byte alphabet, block by block, flushed to the disk, and only then is the
// file deleted. A file that cannot be overwritten completely is left where it is.
#include <cstddef>
#include <cstdint>
#include <string>

namespace shredder {

// 64 consecutive ASCII characters, one byte each in every ANSI code page: six random
// bits are one character by a single addition.
inline constexpr char kShredAlphabet[] =
    "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmno";
inline constexpr std::size_t kShredAlphabetLength = sizeof(kShredAlphabet) - 1;

// Bytes written per step; the message loop runs and the progress moves once per block.
inline constexpr std::size_t kShredBlockSize = 1 << 20;

// Where the shredding reports how far it is (the progress window implements it).
class ShredProgress {
public:
    virtual ~ShredProgress() = default;
    // Once the file is open: its length in bytes (0 for an empty file).
    virtual void Start(std::uint64_t totalBytes) = 0;
    // After each block: the bytes overwritten so far. The last call reports the whole
    // length, while the file still exists with its name and length.
    virtual void Advance(std::uint64_t doneBytes) = 0;
};

struct ShredOutcome {
    bool shredded = false;     // overwritten, flushed and deleted
    bool overwritten = false;  // every byte overwritten and flushed (even if not deleted)
    std::string reason;        // why not, in words for the user; empty when shredded
};

// n characters drawn from the alphabet; the generator is seeded from the system timer
// at each call.
std::string RandomString(std::size_t n);

// Why a path is refused before anything is opened (empty text: it may be tried). Only
// a full path with a drive letter or a \\server\share prefix is taken; device
// namespaces, relative paths, "." and ".." parts and characters no file name may hold
// are refused.
std::string CheckShredPath(const std::string& path);

// The path checks, then what the path names now: an existing file that is neither a
// folder nor a link. ShredFile checks again on the file it opens.
std::string CheckShredTarget(const std::string& path);

// Overwrites and deletes the file. The message loop runs once before each block. A
// read-only file has that attribute cleared first (and set again if the file stays).
// Nothing is deleted unless every byte was written and flushed to the disk.
ShredOutcome ShredFile(const std::string& path, ShredProgress* progress = nullptr);

}  // namespace shredder
