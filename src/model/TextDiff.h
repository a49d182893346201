#pragma once
// Line differences between two texts, as `diff -u` shows them.
//
// Lines keep their terminators, so a file whose CR LF line ends became LF
// differs on every line, as it does byte for byte, unless the comparison is
// told to leave line ends out. The edit script is a
// shortest one (Myers' algorithm) for up to kMaxEdits changed lines in the
// part between the common head and tail; beyond that the whole middle is
// shown as removed and added.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace textdiff {

inline constexpr std::size_t kMaxEdits = 2000;

// The lines of `text`, each with its "\n" (the last one may lack it).
std::vector<std::string_view> Lines(std::string_view text);

enum class Op { Same, Removed, Added };

// How two lines are compared: byte for byte, or without their line ends (a
// final LF, CR LF or none), so that "a\r\n", "a\n" and "a" are equal.
enum class LineEnds { Compare, Ignore };

struct Edit {
    Op Kind;
    std::size_t A;  // index of the line in the first text (for Added: where it goes)
    std::size_t B;  // index of the line in the second text (for Removed: where it was)
};

// The edit script turning `a` into `b`, in order.
std::vector<Edit> Diff(const std::vector<std::string_view>& a,
                       const std::vector<std::string_view>& b,
                       LineEnds ends = LineEnds::Compare);

// A unified diff with `context` lines around each change, headed by
// "--- labelA" and "+++ labelB"; empty when the texts are equal (as `ends`
// compares them). Lines are shown as they are in their text.
std::string Unified(std::string_view a, std::string_view b, const std::string& labelA,
                    const std::string& labelB, std::size_t context = 3,
                    LineEnds ends = LineEnds::Compare);

}  // namespace textdiff
