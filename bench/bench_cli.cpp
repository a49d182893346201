// How long the command takes as a build step: `zorvant generate` against a
// bare process (/bin/true) and against the desktop library's start (`zorvant
// run` of an empty script), each a whole fork, exec and wait. The command
// loads no Qt, so generate should stay a small multiple of the bare process.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// A project and a script in a folder of their own, removed at exit.
struct ScratchDir {
    fs::path Dir = fs::temp_directory_path() / ("zv_bench_cli_" + std::to_string(::getpid()));
    ScratchDir() {
        fs::create_directories(Dir);
        const std::string cmd =
            std::string(ZORVANT_EXE) + " new Q7R20 --force -o " + (Dir / "p.zvp").string();
        if (std::system(cmd.c_str()) != 0) std::abort();
        std::ofstream(Dir / "empty.zvs") << "new Q7R20\n";
    }
    ~ScratchDir() { fs::remove_all(Dir); }
};

const fs::path& Scratch() {
    static const ScratchDir scratch;
    return scratch.Dir;
}

void Spawn(benchmark::State& state, std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        if (::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("cannot start the process");
            break;
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the process failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}

void BM_BareProcess(benchmark::State& state) {
    Spawn(state, {"/bin/true"});
}
BENCHMARK(BM_BareProcess)->Unit(benchmark::kMillisecond);

void BM_Generate(benchmark::State& state) {
    Spawn(state, {ZORVANT_EXE, "generate", (Scratch() / "p.zvp").string(), "-o", "/dev/null"});
}
BENCHMARK(BM_Generate)->Unit(benchmark::kMillisecond);

// The desktop side for comparison: Qt, the module and a main window, off-screen.
void BM_RunEmptyScript(benchmark::State& state) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    Spawn(state, {ZORVANT_EXE, "run", (Scratch() / "empty.zvs").string()});
}
BENCHMARK(BM_RunEmptyScript)->Unit(benchmark::kMillisecond);

}  // namespace
