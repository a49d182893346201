#include "model/TextDiff.h"

#include <algorithm>

namespace textdiff {

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end + 1 - start));
        start = end + 1;
    }
    return lines;
}

namespace {

using LineList = std::vector<std::string_view>;

// Shortest edit script of a[a0, a1) into b[b0, b1), appended to `out`;
// false when it needs more than kMaxEdits steps.
bool Myers(const LineList& a, std::size_t a0, std::size_t a1, const LineList& b, std::size_t b0,
           std::size_t b1, std::vector<Edit>& out) {
    const long n = static_cast<long>(a1 - a0), m = static_cast<long>(b1 - b0);
    const long maxD = std::min<long>(n + m, static_cast<long>(kMaxEdits));
    const long offset = maxD + 1;
    std::vector<long> v(static_cast<std::size_t>(2 * maxD + 3), 0);
    // trace[d] holds v[-d-1 .. d+1] as it was when step d began.
    std::vector<std::vector<long>> trace;
    long found = -1;
    for (long d = 0; d <= maxD && found < 0; ++d) {
        trace.emplace_back(v.begin() + (offset - d - 1), v.begin() + (offset + d + 2));
        for (long k = -d; k <= d; k += 2) {
            long x = (k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1]))
                         ? v[offset + k + 1]
                         : v[offset + k - 1] + 1;
            long y = x - k;
            while (x < n && y < m && a[a0 + x] == b[b0 + y])
                ++x, ++y;
            v[offset + k] = x;
            if (x >= n && y >= m) {
                found = d;
                break;
            }
        }
    }
    if (found < 0) return false;

    std::vector<Edit> reversed;
    long x = n, y = m;
    for (long d = found; d > 0; --d) {
        const std::vector<long>& t = trace[static_cast<std::size_t>(d)];
        auto at = [&](long k) { return t[static_cast<std::size_t>(k + d + 1)]; };
        const long k = x - y;
        const long prevK = (k == -d || (k != d && at(k - 1) < at(k + 1))) ? k + 1 : k - 1;
        const long prevX = at(prevK), prevY = prevX - prevK;
        while (x > prevX && y > prevY) {
            --x, --y;
            reversed.push_back({Op::Same, a0 + x, b0 + y});
        }
        if (x == prevX)
            reversed.push_back({Op::Added, a0 + x, b0 + prevY});
        else
            reversed.push_back({Op::Removed, a0 + prevX, b0 + y});
        x = prevX;
        y = prevY;
    }
    while (x > 0 && y > 0) {
        --x, --y;
        reversed.push_back({Op::Same, a0 + x, b0 + y});
    }
    out.insert(out.end(), reversed.rbegin(), reversed.rend());
    return true;
}

std::string Range(std::size_t start, std::size_t count) {
    // An empty range names the line before it.
    std::string s = std::to_string(count == 0 ? start : start + 1);
    if (count != 1) s += "," + std::to_string(count);
    return s;
}

void AddLine(std::string& out, char mark, std::string_view line) {
    out += mark;
    out.append(line);
    if (line.empty() || line.back() != '\n') out += "\n\\ No newline at end of file\n";
}

}  // namespace

std::vector<Edit> Diff(const LineList& a, const LineList& b, LineEnds ends) {
    if (ends == LineEnds::Ignore) {
        // The edit script works on indices, so it holds for the lines as
        // they are.
        auto bare = [](const LineList& lines) {
            LineList out;
            out.reserve(lines.size());
            for (std::string_view line : lines) {
                if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
                if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
                out.push_back(line);
            }
            return out;
        };
        return Diff(bare(a), bare(b));
    }
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;

    std::vector<Edit> edits;
    for (std::size_t i = 0; i < head; ++i)
        edits.push_back({Op::Same, i, i});
    const std::size_t a1 = a.size() - tail, b1 = b.size() - tail;
    if (!Myers(a, head, a1, b, head, b1, edits)) {
        for (std::size_t i = head; i < a1; ++i)
            edits.push_back({Op::Removed, i, head});
        for (std::size_t j = head; j < b1; ++j)
            edits.push_back({Op::Added, a1, j});
    }
    for (std::size_t i = 0; i < tail; ++i)
        edits.push_back({Op::Same, a1 + i, b1 + i});
    return edits;
}

std::string Unified(std::string_view textA, std::string_view textB, const std::string& labelA,
                    const std::string& labelB, std::size_t context, LineEnds ends) {
    if (textA == textB) return {};
    const LineList a = Lines(textA), b = Lines(textB);
    const std::vector<Edit> edits = Diff(a, b, ends);
    if (std::all_of(edits.begin(), edits.end(), [](const Edit& e) { return e.Kind == Op::Same; }))
        return {};

    std::string out = "--- " + labelA + "\n+++ " + labelB + "\n";
    std::size_t i = 0;
    while (i < edits.size()) {
        // The next change, and the hunk around it up to where `context`
        // unchanged lines separate it from the change after.
        while (i < edits.size() && edits[i].Kind == Op::Same)
            ++i;
        if (i == edits.size()) break;
        const std::size_t first = i >= context ? i - context : 0;
        std::size_t last = i;  // one past the last change of the hunk
        std::size_t j = i;
        while (j < edits.size()) {
            if (edits[j].Kind != Op::Same) {
                last = ++j;
                continue;
            }
            std::size_t run = j;
            while (run < edits.size() && edits[run].Kind == Op::Same)
                ++run;
            if (run == edits.size() || run - j > 2 * context) break;
            j = run;
        }
        const std::size_t end = std::min(edits.size(), last + context);

        std::size_t countA = 0, countB = 0;
        for (std::size_t e = first; e < end; ++e) {
            if (edits[e].Kind != Op::Added) ++countA;
            if (edits[e].Kind != Op::Removed) ++countB;
        }
        out +=
            "@@ -" + Range(edits[first].A, countA) + " +" + Range(edits[first].B, countB) + " @@\n";
        for (std::size_t e = first; e < end; ++e) {
            switch (edits[e].Kind) {
                case Op::Same:
                    AddLine(out, ' ', a[edits[e].A]);
                    break;
                case Op::Removed:
                    AddLine(out, '-', a[edits[e].A]);
                    break;
                case Op::Added:
                    AddLine(out, '+', b[edits[e].B]);
                    break;
            }
        }
        i = end;
    }
    return out;
}

}  // namespace textdiff
