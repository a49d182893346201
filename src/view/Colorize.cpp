#include "view/Colorize.h"

namespace colorize {

namespace {
enum class State { Normal, String, Character, LineComment, BlockComment };
}

std::vector<Span> Scan(std::string_view text, bool assembly) {
    std::vector<Span> spans;
    const std::size_t n = text.size();
    State state = State::Normal;
    std::size_t start = 0;
    auto emit = [&](std::size_t last, SpanKind kind) {
        spans.push_back({start, last - start + 1, kind});
        state = State::Normal;
    };
    auto next = [&](std::size_t i) { return i + 1 < n ? text[i + 1] : '\0'; };

    for (std::size_t i = 0; i < n; ++i) {
        const char c = text[i];
        switch (state) {
            case State::Normal:
                if (c == '"') {
                    start = i;
                    state = State::String;
                } else if (c == '\'') {
                    start = i;
                    state = State::Character;
                } else if (!assembly && c == '/' && i + 1 < n &&
                           (next(i) == '/' || next(i) == '*')) {
                    start = i;
                    state = next(i) == '/' ? State::LineComment : State::BlockComment;
                    ++i;  // the second character of the opener
                } else if (assembly && c == ';') {
                    start = i;
                    state = State::LineComment;
                    ++i;  // the character after ";" is not looked at
                }
                break;
            case State::String:
                if (c == '"') emit(i, SpanKind::Literal);
                break;
            case State::Character:
                if (c == '\'') {
                    const bool escaped = i > 0 && text[i - 1] == '\\' && next(i) == '\'';
                    if (!escaped) emit(i, SpanKind::Literal);
                }
                break;
            case State::LineComment:
                if (c == '\n') {
                    const bool continued = i >= 2 && text[i - 2] == '\\';
                    if (!continued) emit(i, SpanKind::Comment);
                }
                break;
            case State::BlockComment:
                if (c == '*' && i + 1 < n && next(i) == '/') {
                    ++i;
                    emit(i, SpanKind::Comment);
                }
                break;
        }
    }

    if (state != State::Normal && start < n) {
        const bool literal = state == State::String || state == State::Character;
        spans.push_back({start, n - start, literal ? SpanKind::Literal : SpanKind::Comment});
    }
    return spans;
}

}  // namespace colorize
