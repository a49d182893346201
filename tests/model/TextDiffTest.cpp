#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/TextDiff.h"

namespace {

TEST(TextDiff, UnifiedHunksWithContextAndLineEnds) {
    EXPECT_EQ(textdiff::Unified("a\r\nb\r\n", "a\r\nb\r\n", "x", "y"), "");

    std::string a, b;
    for (int i = 1; i <= 12; ++i) {
        a += "line " + std::to_string(i) + "\r\n";
        b += (i == 2 ? "LINE 2" : "line " + std::to_string(i)) + "\r\n";
        if (i == 11) b += "new\r\n";
    }
    EXPECT_EQ(textdiff::Unified(a, b, "init.c", "p.zvp (generated)"),
              "--- init.c\n+++ p.zvp (generated)\n"
              "@@ -1,5 +1,5 @@\n line 1\r\n-line 2\r\n+LINE 2\r\n line 3\r\n line 4\r\n line 5\r\n"
              "@@ -9,4 +9,5 @@\n line 9\r\n line 10\r\n line 11\r\n+new\r\n line 12\r\n");

    // CR LF turned into LF differs; a missing last line end is marked.
    EXPECT_EQ(textdiff::Unified("a\r\n", "a\n", "x", "y"), "--- x\n+++ y\n@@ -1 +1 @@\n-a\r\n+a\n");
    EXPECT_EQ(textdiff::Unified("a\n", "a\nb", "x", "y"),
              "--- x\n+++ y\n@@ -1 +1,2 @@\n a\n+b\n\\ No newline at end of file\n");
    // Leaving line ends out: equal texts give nothing, a real change shows
    // its lines as each text has them.
    const auto ignore = textdiff::LineEnds::Ignore;
    EXPECT_EQ(textdiff::Unified("a\r\nb\r\n", "a\nb", "x", "y", 3, ignore), "");
    EXPECT_EQ(textdiff::Unified("a\nb\nc\n", "a\r\nB\r\nc\r\n", "x", "y", 3, ignore),
              "--- x\n+++ y\n@@ -1,3 +1,3 @@\n a\n-b\n+B\r\n c\n");
    // An empty side names the line before the change.
    EXPECT_EQ(textdiff::Unified("", "a\n", "x", "y"), "--- x\n+++ y\n@@ -0,0 +1 @@\n+a\n");
}

// Applies an edit script to `a`; it must give `b`.
std::vector<std::string_view> Apply(const std::vector<std::string_view>& a,
                                    const std::vector<std::string_view>& b,
                                    const std::vector<textdiff::Edit>& edits,
                                    std::size_t& changes) {
    std::vector<std::string_view> out;
    std::size_t nextA = 0;
    changes = 0;
    for (const auto& e : edits) {
        if (e.Kind == textdiff::Op::Added) {
            out.push_back(b[e.B]);
            ++changes;
            continue;
        }
        EXPECT_EQ(e.A, nextA);
        ++nextA;
        if (e.Kind == textdiff::Op::Same)
            out.push_back(a[e.A]);
        else
            ++changes;
    }
    EXPECT_EQ(nextA, a.size());
    return out;
}

std::size_t Lcs(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b) {
    std::vector<std::vector<std::size_t>> t(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = a.size(); i-- > 0;)
        for (std::size_t j = b.size(); j-- > 0;)
            t[i][j] = a[i] == b[j] ? t[i + 1][j + 1] + 1 : std::max(t[i + 1][j], t[i][j + 1]);
    return t[0][0];
}

TEST(TextDiff, EditScriptsRebuildTheSecondTextWithTheFewestChanges) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::string ta, tb;
        const int na = static_cast<int>(random() % 12), nb = static_cast<int>(random() % 12);
        for (int i = 0; i < na; ++i)
            ta += std::string(1, static_cast<char>('a' + random() % 3)) + "\n";
        for (int i = 0; i < nb; ++i)
            tb += std::string(1, static_cast<char>('a' + random() % 3)) + "\n";
        const auto a = textdiff::Lines(ta), b = textdiff::Lines(tb);
        std::size_t changes = 0;
        EXPECT_EQ(Apply(a, b, textdiff::Diff(a, b), changes), b) << ta << "|" << tb;
        EXPECT_EQ(changes, a.size() + b.size() - 2 * Lcs(a, b)) << ta << "|" << tb;
    }
}

TEST(TextDiff, BeyondTheEditLimitTheMiddleIsReplacedWhole) {
    std::string ta = "head\n", tb = "head\n";
    for (std::size_t i = 0; i < textdiff::kMaxEdits; ++i) {
        ta += "a" + std::to_string(i) + "\n";
        tb += "b" + std::to_string(i) + "\n";
    }
    ta += "tail\n";
    tb += "tail\n";
    const auto a = textdiff::Lines(ta), b = textdiff::Lines(tb);
    std::size_t changes = 0;
    EXPECT_EQ(Apply(a, b, textdiff::Diff(a, b), changes), b);
    EXPECT_EQ(changes, 2 * textdiff::kMaxEdits);
}

}  // namespace
