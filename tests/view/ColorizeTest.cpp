// The colouring scan on the texts that break naive scanners.

#include <gtest/gtest.h>

#include <string>

#include "view/Colorize.h"

using colorize::Scan;
using colorize::Span;
using colorize::SpanKind;

namespace {

constexpr auto C = SpanKind::Comment;
constexpr auto L = SpanKind::Literal;

// The coloured pieces of `text`, as (kind, text) pairs, for readable failures.
std::vector<std::pair<SpanKind, std::string>> Pieces(const std::string& text, bool assembly) {
    std::vector<std::pair<SpanKind, std::string>> out;
    for (const Span& s : Scan(text, assembly))
        out.emplace_back(s.Kind, text.substr(s.Start, s.Length));
    return out;
}

using P = std::vector<std::pair<SpanKind, std::string>>;

TEST(Colorize, CommentMarkersDependOnTheMode) {
    const std::string text = "    mov  A, #1   // not asm\r\nx = 1; // c\r\n";
    // Assembly: "//" is ordinary, ";" opens a comment up to and including LF.
    EXPECT_EQ(Pieces(text, true), (P{{C, "; // c\r\n"}}));
    // C: ";" is ordinary.
    EXPECT_EQ(Pieces(text, false), (P{{C, "// not asm\r\n"}, {C, "// c\r\n"}}));
    EXPECT_TRUE(Pieces("a / b /* x", true).empty());
}

TEST(Colorize, BlockCommentsInCOnly) {
    EXPECT_EQ(Pieces("a /* b * c */ d", false), (P{{C, "/* b * c */"}}));
    // The "*" of the opener does not close it: "/*/" stays open.
    EXPECT_EQ(Pieces("/*/ x */y", false), (P{{C, "/*/ x */"}}));
    // A lone "/" is ordinary, also right before a quote.
    EXPECT_EQ(Pieces("a/\"s\"", false), (P{{L, "\"s\""}}));
}

TEST(Colorize, StringsHaveNoEscapes) {
    // The quote after the backslash ends the string; the rest opens a new one.
    EXPECT_EQ(Pieces("x = \"a\\\" b\";", false), (P{{L, "\"a\\\""}, {L, "\";"}}));
    // Comment markers inside literals are not comments.
    EXPECT_EQ(Pieces("\"// no\" ';' x", true), (P{{L, "\"// no\""}, {L, "';'"}}));
}

TEST(Colorize, BackslashQuoteCharacterLiteralIsOneLiteral) {
    EXPECT_EQ(Pieces("c = '\\''; d", false), (P{{L, "'\\''"}}));
    // A backslash before a quote that is not followed by a quote ends it.
    EXPECT_EQ(Pieces("'\\' 'x'", false), (P{{L, "'\\'"}, {L, "'x'"}}));
    EXPECT_EQ(Pieces("'a' 'b'", false), (P{{L, "'a'"}, {L, "'b'"}}));
}

TEST(Colorize, WhatIsOpenAtTheEndRunsToTheEnd) {
    EXPECT_EQ(Pieces("x \"open", false), (P{{L, "\"open"}}));
    EXPECT_EQ(Pieces("x 'o", true), (P{{L, "'o"}}));
    EXPECT_EQ(Pieces("x // open", false), (P{{C, "// open"}}));
    EXPECT_EQ(Pieces("x /* open\r\n more", false), (P{{C, "/* open\r\n more"}}));
    EXPECT_EQ(Pieces("x ; open", true), (P{{C, "; open"}}));
    // A "/" as the last character opens nothing; ";" as the last does.
    EXPECT_TRUE(Pieces("x /", false).empty());
    EXPECT_TRUE(Pieces("", true).empty());
    EXPECT_EQ(Pieces("x ;", true), (P{{C, ";"}}));
}

TEST(Colorize, BackslashTwoBeforeLfContinuesALineComment) {
    // With CR LF the backslash sits two before the LF: the comment goes on.
    EXPECT_EQ(Pieces("// a \\\r\nb\r\nc", false), (P{{C, "// a \\\r\nb\r\n"}}));
    // A backslash right before a bare LF is one position too late.
    EXPECT_EQ(Pieces("// a \\\nb", false), (P{{C, "// a \\\n"}}));
    EXPECT_EQ(Pieces("; a \\\r\nb\r\nc", true), (P{{C, "; a \\\r\nb\r\n"}}));
}

TEST(Colorize, AssemblySkipsTheCharacterAfterTheSemicolon) {
    // The LF right after ";" is skipped, so the comment takes the next line too.
    EXPECT_EQ(Pieces(";\nabc\nd", true), (P{{C, ";\nabc\n"}}));
    // A quote right after ";" cannot open a literal.
    EXPECT_EQ(Pieces(";\"x\r\ny", true), (P{{C, ";\"x\r\n"}}));
}

// Positions: Pieces cuts each span out of the text by its start and length,
// so every case above checks them too.

}  // namespace
