#include "host/ScriptSyntax.h"

namespace script {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool Split(const std::string& line, std::vector<std::string>& words, std::string& error) {
    words.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (IsBlank(c)) {
            ++i;
        } else if (c == '#' && !(i + 1 < line.size() && IsDigit(line[i + 1]))) {
            break;  // a comment; "#2" is an entry index
        } else if (c == '"') {
            std::string word;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char d = line[i++];
                if (d == '"') {
                    closed = true;
                    break;
                }
                if (d != '\\') {
                    word += d;
                    continue;
                }
                if (i >= line.size()) break;
                const char e = line[i++];
                if (e == 'n') word += '\n';
                else if (e == '"') word += '"';
                else if (e == '\\') word += '\\';
                else {
                    error = std::string("unknown escape \\") + e;
                    return false;
                }
            }
            if (!closed) {
                error = "unterminated quote";
                return false;
            }
            words.push_back(word);
        } else {
            std::size_t j = i;
            while (j < line.size() && !IsBlank(line[j])) ++j;
            words.push_back(line.substr(i, j - i));
            i = j;
        }
    }
    return true;
}

std::string Quote(const std::string& word) {
    bool bare = !word.empty() && word[0] != '"' && !(word[0] == '#' && !(word.size() > 1 && IsDigit(word[1])));
    for (char c : word)
        if (IsBlank(c) || c == '\n' || c == '"' || c == '\\') bare = false;
    if (bare) return word;
    std::string out = "\"";
    for (char c : word) {
        if (c == '\n') out += "\\n";
        else if (c == '"') out += "\\\"";
        else if (c == '\\') out += "\\\\";
        else out += c;
    }
    return out + "\"";
}

std::string Join(const std::vector<std::string>& words) {
    std::string line;
    for (const auto& w : words) {
        if (!line.empty()) line += ' ';
        line += Quote(w);
    }
    return line;
}

}  // namespace script
