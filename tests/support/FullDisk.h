#pragma once
// Writing onto a full disk, two ways. Where the test may mount file systems
// (root in most CI sandboxes), FullDisk mounts a small tmpfs on a folder and
// fills it; everywhere else a file-size limit (RLIMIT_FSIZE, with SIGXFSZ
// ignored so that the write fails with EFBIG instead of killing the process)
// makes every write into a regular file fail the same way. ZV_TEST_NO_MOUNT=1
// in the environment takes the second way where the first would work.

#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace testing_disk {

// A small tmpfs mounted on `dir` (which must exist), unmounted on destruction.
class FullDisk {
public:
    explicit FullDisk(const std::filesystem::path& dir) : dir_(dir) {
        const char* noMount = std::getenv("ZV_TEST_NO_MOUNT");
        if (noMount && std::string(noMount) == "1") return;
        mounted_ = ::mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k,mode=0777") == 0;
    }
    ~FullDisk() {
        if (mounted_) ::umount2(dir_.c_str(), MNT_DETACH);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool Mounted() const { return mounted_; }

    // Takes every free byte with a filler file, written byte by byte so
    // that no part of the last page is left.
    void Fill() const {
        std::ofstream filler(dir_ / "filler", std::ios::binary);
        for (int i = 0; i < (1 << 20) && filler.put('x') && filler.flush(); ++i) {
        }
    }

private:
    std::filesystem::path dir_;
    bool mounted_ = false;
};

// Makes writes of this process into regular files fail beyond `bytes` while
// it lives (SIGXFSZ ignored meanwhile).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
        ApplyInChild(bytes);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        ::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // For a child between fork and exec: the limit and the ignored signal
    // stay with the program it runs.
    static void ApplyInChild(rlim_t bytes) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }

private:
    rlimit previous_{};
    sighandler_t previousHandler_ = SIG_DFL;
};

}  // namespace testing_disk
