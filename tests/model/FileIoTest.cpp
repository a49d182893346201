#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "model/FileIo.h"
#include "support/Files.h"

namespace fs = std::filesystem;

namespace {

using testing_files::Slurp;
using testing_files::Spit;

class FileIo : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zv_fileio_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Everything in the folder but `keep`: a failed write leaves no temporary.
    int Others(const std::string& keep) const {
        int n = 0;
        for (const auto& e : fs::directory_iterator(dir_))
            if (e.path().filename() != keep) ++n;
        return n;
    }

    fs::path dir_;
};

TEST_F(FileIo, ReplacesAFileKeepingItsModeAndCreatesNewOnes) {
    const fs::path p = dir_ / "p.zvp";
    Spit(p, "old");
    ::chmod(p.c_str(), 0640);
    EXPECT_EQ(fileio::WriteFileSafely(p.string(), std::string("new bytes\r\n")), "");
    EXPECT_EQ(Slurp(p), "new bytes\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Others("p.zvp"), 0);

    // A link stays a link; the file it names gets the bytes.
    fs::create_symlink("p.zvp", dir_ / "link.zvp");
    EXPECT_EQ(fileio::WriteFileSafely((dir_ / "link.zvp").string(), std::string("via link")), "");
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.zvp"));
    EXPECT_EQ(Slurp(p), "via link");

    // Relative names are written beside the current directory's files.
    const fs::path cwd = fs::current_path();
    fs::current_path(dir_);
    EXPECT_EQ(fileio::WriteFileSafely("rel.c", std::string("x")), "");
    fs::current_path(cwd);
    EXPECT_EQ(Slurp(dir_ / "rel.c"), "x");
}

TEST_F(FileIo, FailuresNameThePathAndTheReasonAndKeepTheOldFile) {
    const std::string missing = (dir_ / "no" / "p.zvp").string();
    EXPECT_EQ(fileio::WriteFileSafely(missing, std::string("x")),
              "cannot write " + missing + ": No such file or directory");
    EXPECT_EQ(fileio::WriteFileSafely(dir_.string(), std::string("x")),
              "cannot write " + dir_.string() + ": it is a directory");
    EXPECT_EQ(fileio::WriteFileSafely("", std::string("x")), "cannot write: no file name given");
}

// /dev/full and a FIFO nobody reads, through every writer of the command
// line, are in CliTest; here the FIFO that has a reader.
TEST_F(FileIo, FifosAreWrittenInPlaceNeverReplaced) {
    const fs::path fifo = dir_ / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Nobody reads: an error at once, not a hang.
    EXPECT_EQ(fileio::WriteFileSafely(fifo.string(), std::string("x")),
              "cannot write " + fifo.string() + ": no process is reading the FIFO");
    // With a reader the bytes go through the FIFO.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(fileio::WriteFileSafely(fifo.string(), std::string("through")), "");
    char buffer[16] = {};
    EXPECT_EQ(::read(reader, buffer, sizeof buffer), 7);
    EXPECT_EQ(std::string(buffer), "through");
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(FileIo, ReadingIsBoundedAndRefusesWhatIsNoFile) {
    const fs::path p = dir_ / "p.zvp";
    Spit(p, std::string(100, 'a'));
    std::string bytes;
    EXPECT_EQ(fileio::ReadFileBounded(p.string(), 100, bytes), "");
    EXPECT_EQ(bytes.size(), 100u);
    EXPECT_EQ(fileio::ReadFileBounded(p.string(), 99, bytes),
              "cannot read " + p.string() + ": it is larger than 99 bytes");
    EXPECT_TRUE(bytes.empty());
    // Missing files, directories, devices, FIFOs and endless streams:
    // CliTest, through the commands that read projects and scripts.
}

TEST_F(FileIo, SameFileFollowsLinksAndNeedsBothToExist) {
    const fs::path p = dir_ / "p.zvp";
    Spit(p, "x");
    EXPECT_TRUE(fileio::SameFile(p.string(), (dir_ / "." / "p.zvp").string()));
    EXPECT_FALSE(fileio::SameFile(p.string(), (dir_ / "q.zvp").string()));
    EXPECT_FALSE(fileio::SameFile("-", "-"));
}

}  // namespace
