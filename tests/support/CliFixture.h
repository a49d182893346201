// Runs the built zorvant as build scripts and CI jobs do: no display, output
// through pipes, each test in a scratch directory of its own.
#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/Files.h"
#include "support/FullDisk.h"

namespace testing_cli {

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string out, err;
    std::string FirstErrLine() const { return err.substr(0, err.find('\n')); }
    std::string FirstOutLine() const { return out.substr(0, out.find('\n')); }
};

using testing_files::Slurp;
using testing_files::Spit;

class CliFixture : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / ("zv_cli_" + std::to_string(::getpid()) + "_" +
                                            info->test_suite_name() + "_" + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    // Runs zorvant without a display, standard input from `input` (or
    // /dev/null); with `limit`, every write into a regular file beyond that
    // many bytes fails (RLIMIT_FSIZE, SIGXFSZ ignored). Output comes back
    // through pipes, which no limit touches.
    Result Spawn(const std::vector<std::string>& args, const std::string& input = "/dev/null",
                 std::optional<rlim_t> limit = std::nullopt,
                 const std::vector<std::string>& env = {}) const {
        int out[2], err[2];
        if (::pipe(out) != 0 || ::pipe(err) != 0) return {};
        const pid_t pid = ::fork();
        if (pid == 0) {
            const int in = ::open(input.c_str(), O_RDONLY);
            ::dup2(in, 0);
            ::dup2(out[1], 1);
            ::dup2(err[1], 2);
            for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
                ::unsetenv(name);
            for (const std::string& e : env)
                ::putenv(const_cast<char*>(e.c_str()));
            if (limit) testing_disk::FileSizeLimit::ApplyInChild(*limit);
            std::vector<char*> argv{const_cast<char*>(ZORVANT_EXE)};
            for (const std::string& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(ZORVANT_EXE, argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        ::close(err[1]);
        Result r;
        pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
        std::string* sinks[2] = {&r.out, &r.err};
        int open = 2;
        while (open > 0 && ::poll(fds, 2, 60000) > 0) {
            for (int i = 0; i < 2; ++i) {
                if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
                char buffer[4096];
                const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
                if (n > 0) {
                    sinks[i]->append(buffer, static_cast<std::size_t>(n));
                } else {
                    ::close(fds[i].fd);
                    fds[i].fd = -1;
                    --open;
                }
            }
        }
        int raw = 0;
        ::waitpid(pid, &raw, 0);
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        return r;
    }

    // Spawn with the words of `line`: '' is an empty word, <FILE the input.
    Result Run(const std::string& line) const {
        std::istringstream words(line);
        std::vector<std::string> args;
        std::string input = "/dev/null";
        for (std::string w; words >> w;) {
            if (w[0] == '<')
                input = w.substr(1);
            else
                args.push_back(w == "''" ? std::string() : w);
        }
        return Spawn(args, input);
    }

    // Runs `git ARGS` through the shell in dir_/repo (made on first use), with
    // a configuration and an author of its own; returns the exit status.
    int Git(const std::string& args) const {
        fs::create_directories(dir_ / "repo");
        return std::system(("cd " + (dir_ / "repo").string() + " && HOME=" + dir_.string() +
                            " GIT_CONFIG_NOSYSTEM=1 git -c core.pager=cat -c user.name=Tester "
                            "-c user.email=tester@example.com " + args)
                               .c_str());
    }

    fs::path dir_;
};

}  // namespace testing_cli
