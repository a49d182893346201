// explore [--model MODEL]... [--steps N] [--seed S] [--out DIR] [--trace]
//
// Runs the randomized explorer on each model (all eight by default) for N
// actions from seed S. ZV_EXPLORE_STEPS and ZV_EXPLORE_SEED, when set, take
// the place of --steps and --seed (for long runs through CTest).
//
// While it runs, the current episode's script is kept in
// DIR/explore-MODEL-SEED.zvs. When a check fails or the program crashes, the
// seed and that file are named on stderr; `zorvant run` replays the file (its
// saves go to the current folder). After a clean run the file is removed.

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "devices/Models.h"
#include "explore/Explorer.h"
#include "host/Desktop.h"
#include "host/ScriptMain.h"

#if defined(__SANITIZE_ADDRESS__)
#define ZV_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZV_ASAN 1
#endif
#endif
#ifdef ZV_ASAN
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

// The episode's script, written line by line with write(2) so that it is
// complete on disk whatever kills the process.
class FileLog : public explore::Explorer::Log {
public:
    FileLog(const std::string& path, bool trace) : path_(path), trace_(trace) {
        fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    ~FileLog() override {
        if (fd_ >= 0) ::close(fd_);
    }
    bool Ok() const { return fd_ >= 0; }
    void NewEpisode(const std::string& header) override {
        if (fd_ < 0) return;
        if (::ftruncate(fd_, 0) != 0 || ::lseek(fd_, 0, SEEK_SET) != 0) return;
        Line(header);
    }
    void Line(const std::string& line) override {
        const std::string text = line + "\n";
        if (trace_) std::fputs(text.c_str(), stdout);
        std::size_t done = 0;
        while (fd_ >= 0 && done < text.size()) {
            const ssize_t n = ::write(fd_, text.data() + done, text.size() - done);
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
    }

private:
    std::string path_;
    bool trace_ = false;
    int fd_ = -1;
};

// What a crash prints: formatted before each model starts, written by the
// signal handler or the sanitizer's last words without allocating.
char g_crashNote[1024] = "";

void WriteCrashNote() {
    const std::size_t n = std::strlen(g_crashNote);
    if (n && ::write(2, g_crashNote, n) < 0) g_crashNote[0] = 0;
}

extern "C" void OnFatalSignal(int sig) {
    WriteCrashNote();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

long EnvNumber(const char* name, long fallback) {
    const char* v = std::getenv(name);
    if (!v || !*v) return fallback;
    char* end = nullptr;
    const long n = std::strtol(v, &end, 0);
    return end && !*end && n >= 0 ? n : fallback;
}

int Usage() {
    std::fputs("usage: explore [--model MODEL]... [--steps N] [--seed S] [--out DIR] [--trace]\n"
               "  --trace prints every script line as it runs.\n"
               "  ZV_EXPLORE_STEPS and ZV_EXPLORE_SEED replace --steps and --seed when set.\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> models;
    long steps = 1000;
    long seed = 1;
    std::string out = ".";
    bool trace = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--trace") {
            trace = true;
            continue;
        }
        if (i + 1 >= argc) return Usage();
        const std::string v = argv[++i];
        if (a == "--model") models.push_back(v);
        else if (a == "--steps") steps = std::strtol(v.c_str(), nullptr, 0);
        else if (a == "--seed") seed = std::strtol(v.c_str(), nullptr, 0);
        else if (a == "--out") out = v;
        else return Usage();
    }
    steps = EnvNumber("ZV_EXPLORE_STEPS", steps);
    seed = EnvNumber("ZV_EXPLORE_SEED", seed);
    if (models.empty())
        for (int m = 0; m < 8; ++m) models.push_back(models::NameOf(models::CodeOf(m)));
    for (const auto& m : models)
        if (!models::ModelFromName(m)) {
            std::fprintf(stderr, "explore: unknown model %s\n", m.c_str());
            return 2;
        }
    const std::string outDir = QDir(QString::fromLocal8Bit(out.c_str())).absolutePath().toStdString();

    host::PrepareHeadless();
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    host::SetApplicationIdentity();

    // The scripts' saves land in a scratch folder.
    QTemporaryDir scratch;
    if (!scratch.isValid() || !QDir::setCurrent(scratch.path())) {
        std::fputs("explore: cannot make a scratch folder\n", stderr);
        return 1;
    }
    for (int sig : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL}) std::signal(sig, OnFatalSignal);
#ifdef ZV_ASAN
    __sanitizer_set_death_callback(WriteCrashNote);
#endif

    int status = 0;
    for (const std::string& model : models) {
        const std::string replay = outDir + "/explore-" + model + "-" + std::to_string(seed) + ".zvs";
        std::snprintf(g_crashNote, sizeof g_crashNote,
                      "explore: %s, seed %ld: the program crashed; the episode's script is %s\n",
                      model.c_str(), seed, replay.c_str());
        FileLog log(replay, trace);
        if (!log.Ok()) {
            std::fprintf(stderr, "explore: cannot write %s\n", replay.c_str());
            return 1;
        }
        // Each model has its own stream of choices from the one seed.
        const auto number = static_cast<std::uint64_t>(*models::ModelFromName(model));
        explore::Explorer explorer(model, static_cast<std::uint64_t>(seed) * 8 + number, steps, log);
        std::ostringstream shown, errors;
        const int result = host::RunScriptSession("explore-" + model + ".zvs", explorer, shown, errors);
        if (result != 0 || !explorer.Problem().empty()) {
            std::fprintf(stderr,
                         "explore: %s, seed %ld: FAILED after %ld steps\n%s%s%s\n"
                         "  replay: zorvant run %s\n",
                         model.c_str(), seed, explorer.StepsDone(), errors.str().c_str(),
                         explorer.Problem().c_str(), explorer.Problem().empty() ? "" : "\n",
                         replay.c_str());
            status = 1;
        } else {
            std::printf("explore: %s, seed %ld: %ld steps, no failure\n", model.c_str(), seed,
                        explorer.StepsDone());
            std::remove(replay.c_str());
        }
        std::fflush(stdout);
    }
    g_crashNote[0] = 0;
    return status;
}
