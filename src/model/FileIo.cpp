#include "model/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace fileio {
namespace {

std::string Reason(int error) {
    return std::strerror(error);
}

std::string WriteFailure(const std::string& path, const std::string& reason) {
    return "cannot write " + path + ": " + reason;
}

std::string ReadFailure(const std::string& path, const std::string& reason) {
    return "cannot read " + (path == "-" ? std::string("standard input") : path) + ": " + reason;
}

// Writes everything or fails with the system's error in `error`.
bool WriteAll(int fd, const char* data, std::size_t size, int& error) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        if (n == 0) {
            error = ENOSPC;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

const char* KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a regular file";
}

// A device, FIFO or the like: written where it is, never replaced by a file.
std::string WriteInPlace(const std::string& path, const struct stat& st, std::string_view bytes) {
    // Non-blocking open, so a FIFO nobody reads is an error instead of a hang.
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENXIO && S_ISFIFO(st.st_mode))
            return WriteFailure(path, "no process is reading the FIFO");
        return WriteFailure(path, Reason(error));
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    int error = 0;
    const bool written = WriteAll(fd, bytes.data(), bytes.size(), error);
    if (::close(fd) != 0 && written) error = errno;
    if (!written || error != 0) return WriteFailure(path, Reason(error));
    return {};
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

std::string WriteFileSafely(const std::string& path, std::string_view bytes) {
    if (path.empty()) return "cannot write: no file name given";

    // A symbolic link keeps pointing where it did: the file it names is replaced.
    std::string target = path;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    bool exists = false;
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return WriteFailure(path, "it is a directory");
        if (!S_ISREG(st.st_mode)) return WriteInPlace(path, st, bytes);
        exists = true;
    }

    const std::size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? "."
                            : slash == 0               ? "/"
                                                       : target.substr(0, slash);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temp = (dir == "/" ? std::string() : dir) + "/." + base + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return WriteFailure(path, Reason(errno));

    int error = 0;
    bool ok =
        ::fchmod(fd, exists ? (st.st_mode & 07777) : NewFileMode()) == 0 || (error = errno, false);
    // The replacement keeps the owner of the file it replaces where it may.
    if (ok && exists && (st.st_uid != ::geteuid() || st.st_gid != ::getegid()))
        (void)!::fchown(fd, st.st_uid, st.st_gid);
    ok = ok && WriteAll(fd, bytes.data(), bytes.size(), error);
    if (ok && ::fsync(fd) != 0) {
        error = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        error = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return WriteFailure(path, Reason(error));
    }
    // The rename itself reaches the disk with the folder.
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return {};
}

std::string WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes) {
    return WriteFileSafely(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string ReadFileBounded(const std::string& path, std::size_t limit, std::string& bytes,
                            InputKind kind) {
    bytes.clear();
    if (path.empty()) return "cannot read: no file name given";
    const bool standardInput = path == "-";
    // Non-blocking open, so a FIFO without a writer does not hang the open.
    const int fd =
        standardInput ? 0 : ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return ReadFailure(path, Reason(errno));
    auto finish = [&](const std::string& error) {
        if (!standardInput) ::close(fd);
        if (!error.empty()) bytes.clear();
        return error;
    };

    struct stat st {};
    if (::fstat(fd, &st) != 0) return finish(ReadFailure(path, Reason(errno)));
    if (!standardInput) {
        const bool stream = S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode);
        if (S_ISDIR(st.st_mode) ||
            (!S_ISREG(st.st_mode) && !(kind == InputKind::AnyStream && stream)))
            return finish(ReadFailure(
                path, std::string("it is ") + KindOf(st.st_mode) + ", not a regular file"));
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    const std::string tooLarge =
        ReadFailure(path, "it is larger than " + std::to_string(limit) + " bytes");
    if (S_ISREG(st.st_mode) && static_cast<std::uint64_t>(st.st_size) > limit)
        return finish(tooLarge);

    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return finish(ReadFailure(path, Reason(errno)));
        }
        if (n == 0) break;
        if (bytes.size() + static_cast<std::size_t>(n) > limit) return finish(tooLarge);
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return finish({});
}

bool SameFile(const std::string& a, const std::string& b) {
    if (a == "-" || b == "-") return false;
    struct stat sa {
    }, sb{};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace fileio
