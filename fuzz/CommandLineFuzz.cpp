// Any command line (one word per input line) must end with exit status 0, 1
// or 2: no crash, no hang, no other status. The words run in a scratch folder
// holding a few projects and a generated source; '/' is taken out of every
// word, so whatever a command writes stays in that folder, which is put back
// before each run. Standard input and output are /dev/null; the desktop
// library is absent here, so the desktop program and `run` end with an error.

#include <dirent.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "devices/Q7R2xDoc.h"
#include "host/cli/Cli.h"

namespace {

struct Seed {
    std::string name, bytes;
};
std::vector<Seed> g_seeds;
char g_scratch[] = "/tmp/zv-cli-fuzz-XXXXXX";

std::string Bytes(const std::vector<std::uint8_t>& v) { return {v.begin(), v.end()}; }

void EmptyScratch() {
    if (DIR* dir = ::opendir(g_scratch)) {
        while (const dirent* e = ::readdir(dir)) {
            const std::string name = e->d_name;
            if (name != "." && name != "..") std::remove((std::string(g_scratch) + "/" + name).c_str());
        }
        ::closedir(dir);
    }
}

void PutBackScratch() {
    EmptyScratch();
    for (const Seed& s : g_seeds) {
        std::ofstream out(s.name, std::ios::binary);
        if (!out.write(s.bytes.data(), static_cast<std::streamsize>(s.bytes.size()))) std::abort();
    }
}

void RemoveScratch() {
    EmptyScratch();
    ::rmdir(g_scratch);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Corpus and artifact paths given to the fuzzer must be absolute.
    if (!::mkdtemp(g_scratch) || ::chdir(g_scratch) != 0) std::abort();
    std::atexit(RemoveScratch);
    if (!std::freopen("/dev/null", "r", stdin) || !std::freopen("/dev/null", "w", stdout)) std::abort();
    auto a = NewProject(0);
    auto b = NewProject(6);
    b->DeviceData.CodeFormat = 1;
    g_seeds = {{"a.zvp", Bytes(a->SaveProject())},
               {"b.zvp", Bytes(b->SaveProject())},
               {"a.c", a->GenerateSource()},
               {"bad.zvp", "not a project"}};
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> words = {"zorvant"};
    std::string word;
    for (std::size_t i = 0; i <= size && words.size() < 24; ++i) {
        if (i == size || data[i] == '\n') {
            words.push_back(word);
            word.clear();
        } else if (data[i] != '/' && data[i] != 0) {
            word += static_cast<char>(data[i]);
        }
    }
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    PutBackScratch();
    const int status = cli::Main(static_cast<int>(words.size()), argv.data());
    if (status < 0 || status > 2) std::abort();
    return 0;
}
