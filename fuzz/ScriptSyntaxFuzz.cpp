// Any script text must split line by line into words or a clean error, and
// the words of a line, quoted again, must split back into the same words.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/ScriptSyntax.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;

        std::vector<std::string> words, again;
        std::string error;
        if (!script::Split(line, words, error)) {
            if (error.empty()) std::abort();
            continue;
        }
        const std::string joined = script::Join(words);
        if (joined.find('\n') != std::string::npos) std::abort();
        if (!script::Split(joined, again, error) || again != words) std::abort();
    }
    return 0;
}
