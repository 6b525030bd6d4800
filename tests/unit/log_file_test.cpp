// The log file: records read back as written, a crash's torn line and a killed writer lose
// nothing else, the bound moves the oldest on once, and what is not a log is set aside.
#include "platform/log_file.h"
#include "temp_folder.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace tavrol {
namespace {

using testing::TempFolder;
using Records = std::vector<std::vector<std::string>>;

const std::vector<std::string> kHeader = { "time", "keys", "result" };

std::string contentsOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

struct Read {
    Records records;
    LogFile::Contents contents;
};

Read readAll(LogFile& file)
{
    Read read;
    read.contents = file.read([&read](std::vector<std::string>& fields) {
        read.records.push_back(fields);
        return true;
    });
    return read;
}

std::vector<std::string> entry(int n)
{
    return { "t" + std::to_string(n), "3 d6, \"quoted\"", std::to_string(n) };
}

TEST(LogFile, recordsGoUnderTheHeaderOneLineEachAndReadBackAsWritten)
{
    TempFolder temp;
    LogFile file(temp.path + "/state/Tavrol32", "log", kHeader); // the folders are made
    ASSERT_TRUE(file.append(entry(1))) << file.error();
    ASSERT_TRUE(file.append(entry(2)));
    EXPECT_EQ(contentsOf(file.path()),
        "time,keys,result\r\nt1,\"3 d6, \"\"quoted\"\"\",1\r\nt2,\"3 d6, \"\"quoted\"\"\",2\r\n");
    LogFile again(temp.path + "/state/Tavrol32", "log", kHeader);
    EXPECT_EQ(readAll(again).records, (Records { entry(1), entry(2) }));
}

TEST(LogFile, aLineTornByACrashIsNotReadAndTheNextRecordStandsOnItsOwn)
{
    TempFolder temp;
    LogFile file(temp.path, "log", kHeader);
    writeFile(file.path(), "time,keys,result\r\nt1,a,1\r\nt2,\"b, c");
    EXPECT_EQ(readAll(file).records, (Records { { "t1", "a", "1" } }));
    ASSERT_TRUE(file.append(entry(3)));
    const Read read = readAll(file);
    EXPECT_EQ(read.records, (Records { { "t1", "a", "1" }, entry(3) }));
    EXPECT_EQ(read.contents.unreadable, 1u); // the torn line, left where it was
}

TEST(LogFile, aKilledWriterLeavesOnlyWholeRecords)
{
    TempFolder temp;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        LogFile file(temp.path, "log", kHeader);
        for (int n = 0;; ++n)
            file.append({ "t", std::string(static_cast<std::size_t>(n % 5000), 'x'), std::to_string(n) });
    }
    ::usleep(200'000);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    LogFile file(temp.path, "log", kHeader);
    const Read read = readAll(file);
    EXPECT_GT(read.records.size(), 10u);
    EXPECT_EQ(read.contents.unreadable, 0u);
    for (std::size_t n = 0; n < read.records.size(); ++n)
        ASSERT_EQ(read.records[n][2], std::to_string(n)) << "a record is missing or out of order";
}

TEST(LogFile, pastTheBoundTheRecordsMoveToTheOlderFileOnce)
{
    TempFolder temp;
    LogFile first(temp.path, "log", kHeader, 3);
    for (int n = 1; n <= 3; ++n)
        ASSERT_TRUE(first.append(entry(n)));
    LogFile second(temp.path, "log", kHeader, 3);
    readAll(second);
    ASSERT_TRUE(first.append(entry(4))); // the fourth moves the three on
    LogFile older(temp.path, "log.1", kHeader);
    EXPECT_EQ(readAll(older).records, (Records { entry(1), entry(2), entry(3) }));
    // The other program counted three too, but its file was moved on under it: it does not move
    // the new one on again, over the older file.
    ASSERT_TRUE(second.append(entry(5)));
    EXPECT_EQ(readAll(older).records.size(), 3u);
    EXPECT_EQ(readAll(first).records, (Records { entry(4), entry(5) }));
}

TEST(LogFile, aFileThatIsNoSuchLogIsSetAsideWhole)
{
    TempFolder temp;
    LogFile file(temp.path, "log", kHeader);
    writeFile(file.path(), "name,score\r\nAnna,12\r\n");
    const Read read = readAll(file);
    EXPECT_TRUE(read.records.empty());
    ASSERT_EQ(read.contents.setAside, temp.path + "/log.unreadable.csv");
    EXPECT_EQ(contentsOf(read.contents.setAside), "name,score\r\nAnna,12\r\n");
    ASSERT_TRUE(file.append(entry(1)));
    EXPECT_EQ(readAll(file).records, (Records { entry(1) }));
}

TEST(LogFile, aRecordThatCannotBeWrittenSaysWhy)
{
    TempFolder temp;
    LogFile file(temp.path, "log", kHeader);
    std::filesystem::create_directory(file.path()); // something else has the log's name
    EXPECT_FALSE(file.append(entry(1)));
    EXPECT_NE(file.error().find(file.path()), std::string::npos) << file.error();
}

TEST(LogFile, clearingRemovesTheRecordsAndLeavesTheOlderFile)
{
    TempFolder temp;
    LogFile file(temp.path, "log", kHeader, 1);
    ASSERT_TRUE(file.append(entry(1)));
    ASSERT_TRUE(file.append(entry(2))); // entry 1 moves on
    ASSERT_TRUE(file.clear());
    EXPECT_FALSE(std::filesystem::exists(file.path()));
    EXPECT_TRUE(std::filesystem::exists(file.olderPath()));
    ASSERT_TRUE(file.append(entry(3)));
    EXPECT_EQ(readAll(file).records, (Records { entry(3) }));
}

} // namespace
} // namespace tavrol
