#pragma once
// The one way this program writes and reads whole files.
//
// WriteFileSafely never leaves a half-written file where a good one was: the
// bytes go to a temporary file in the target's folder, every write, the
// flush to disk (fsync) and the close are checked, and only then is the
// temporary renamed over the target. A target that exists and is not a
// regular file (a device such as /dev/null, a FIFO) is written in place and
// never replaced. Any failure removes the temporary, leaves an existing file
// as it was and returns a message naming the path and the system's reason.
//
// ReadFileBounded reads a regular file (or standard input for "-") up to a
// limit, so that a directory, a FIFO without a writer, a device or a huge
// file is refused with a clear message instead of blocking or exhausting
// memory.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fileio {

// Projects are a few KiB; anything larger than this is not one.
inline constexpr std::size_t kProjectSizeLimit = 16u * 1024u * 1024u;

// Writes `bytes` to `path` as described above. Returns "" on success, else
// "cannot write PATH: REASON".
std::string WriteFileSafely(const std::string& path, std::string_view bytes);
std::string WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes);

// Which inputs ReadFileBounded accepts besides regular files.
enum class InputKind {
    RegularOnly,  // projects and sources: regular files (and "-")
    AnyStream,    // scripts: also FIFOs and character devices (process substitution)
};

// Reads the whole of `path` ("-": standard input) into `bytes`, refusing more
// than `limit` bytes. Returns "" on success, else "cannot read PATH: REASON".
std::string ReadFileBounded(const std::string& path, std::size_t limit, std::string& bytes,
                            InputKind kind = InputKind::RegularOnly);

// Whether `a` and `b` name the same existing file (same device and inode),
// or, when one does not exist yet, the same absolute path.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace fileio
