// Reading the program's own files: only regular ones, whole, from where the file stands, never
// waiting on a FIFO; and writes that go on until everything is written.
#include "platform/posix_file.h"

#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrol::posix {
namespace {

class PosixFile : public testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/tavrol32-posix-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + folder_ + "'").c_str()); }

    std::string path(const char* name) const { return folder_ + "/" + name; }
    int openFile(const char* name, const std::string& content) const
    {
        const int fd = ::open(path(name).c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
        EXPECT_GE(fd, 0);
        EXPECT_TRUE(writeAll(fd, content));
        ::lseek(fd, 0, SEEK_SET);
        return fd;
    }

    std::string folder_;
};

TEST_F(PosixFile, readsARegularFileWholeFromWhereItStandsUpToTheLimit)
{
    const struct {
        const char* behaviour;
        std::string content;
        off_t from;
        std::size_t largest;
        std::optional<std::string> read;
    } rows[] = {
        { "whole", "0=Roll,3x\n", 0, 100, "0=Roll,3x\n" },
        { "empty", "", 0, 100, "" },
        { "fromTheOffset", "0=Roll,3x\n", 2, 100, "Roll,3x\n" },
        { "exactlyTheLimit", "12345", 0, 5, "12345" },
        { "overTheLimit", "123456", 0, 5, std::nullopt },
        { "bigPastManyReads", std::string(300000, 'x'), 0, 1 << 20, std::string(300000, 'x') },
    };
    for (const auto& row : rows) {
        const int fd = openFile("file", row.content);
        ::lseek(fd, row.from, SEEK_SET);
        EXPECT_EQ(readRegular(fd, row.largest), row.read) << row.behaviour;
        ::close(fd);
    }
}

TEST_F(PosixFile, neverReadsAFifoOrAFolder)
{
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    // Nobody writes to it: a read would wait for ever, so reading must not start.
    const int fifo = ::open(path("fifo").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(fifo, 0);
    EXPECT_EQ(readRegular(fifo, 100), std::nullopt);
    ::close(fifo);

    const int folder = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    EXPECT_EQ(readRegular(folder, 100), std::nullopt);
    ::close(folder);
}

TEST_F(PosixFile, writeAllWritesEverythingOrSaysItFailed)
{
    const std::string content(1 << 20, 'z');
    const int fd = openFile("big", content);
    struct stat info { };
    ASSERT_EQ(::fstat(fd, &info), 0);
    EXPECT_EQ(info.st_size, static_cast<off_t>(content.size()));
    ::close(fd);

    const int readOnly = ::open(path("big").c_str(), O_RDONLY);
    EXPECT_FALSE(writeAll(readOnly, "more"));
    ::close(readOnly);
}

} // namespace
} // namespace tavrol::posix
