#pragma once
// The colouring scan of the code window: one left-to-right pass over the
// generated text that finds the comments and the string and character
// literals. Positions are byte offsets into the text as generated (CR LF
// line ends included); the view maps them onto its own positions.

#include <cstddef>
#include <string_view>
#include <vector>

namespace colorize {

enum class SpanKind { Comment, Literal };

struct Span {
    std::size_t Start = 0;
    std::size_t Length = 0;
    SpanKind Kind = SpanKind::Comment;

    bool operator==(const Span&) const = default;
};

// C mode: "//" line comments and "/*" block comments. Assembly mode: ";"
// line comments, "/" is ordinary. Both: "..." and '...' literals (no escapes
// in strings; in a character literal a quote with a backslash before it and a
// quote after it does not end it). A line comment whose LF has a backslash two
// characters before it (before the CR) continues on the next line. Whatever
// is still open at the end is coloured up to the end.
std::vector<Span> Scan(std::string_view text, bool assembly);

}  // namespace colorize
