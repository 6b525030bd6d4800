// The tape journal: what a process left behind when it was killed is found and read back whole,
// and a journal whose owner still runs is never taken from it.
#include "platform/tape_journal.h"
#include "temp_folder.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tavrol {
namespace {

using testing::TempFolder;

// Every orphan in `folder`, adopted at once.
std::vector<TapeJournal> adoptAll(const std::string& folder)
{
    std::vector<TapeJournal> adopted;
    TapeJournal::adoptOrphans(folder, [&adopted](TapeJournal journal) {
        adopted.push_back(std::move(journal));
        return true;
    });
    return adopted;
}

// The tape a journal holds, read back page by page.
TapePages pagesOf(const TapeJournal& journal)
{
    TapePages pages(1);
    const bool read = journal.read(
        [&pages](std::string_view line) { pages.back().emplace_back(line); }, [&pages] { pages.emplace_back(); });
    return read ? pages : TapePages {};
}

// A child writes a journal of its own, says so through `ready`, and waits to be killed.
[[noreturn]] void writeJournalAndWait(const std::string& folder, int ready)
{
    std::string error;
    TapeJournal journal = TapeJournal::start(folder, error);
    const bool written = journal.isOpen() && journal.appendLine(" 12   +") && journal.appendLine("")
        && journal.appendPageBreak() && journal.appendLine("-----All Cleared-----");
    const char said = written ? 'y' : 'n';
    (void)::write(ready, &said, 1);
    for (;;)
        ::pause();
}

TEST(TapeJournal, aKilledWritersTapeIsAdoptedWholeWhileALiveOwnersIsLeftAlone)
{
    TempFolder temp;
    ASSERT_FALSE(temp.path.empty());
    const std::string folder = temp.path + "/state/Tavrol32"; // made by the journal itself
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        writeJournalAndWait(folder, ready[1]);
    ::close(ready[1]);
    char said = 0;
    const bool started = ::read(ready[0], &said, 1) == 1 && said == 'y';
    ::close(ready[0]);

    const auto whileAlive = adoptAll(folder);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ASSERT_TRUE(started) << "the child could not write its journal";
    EXPECT_TRUE(whileAlive.empty()) << "a live owner's journal was taken";

    auto adopted = adoptAll(folder);
    ASSERT_EQ(adopted.size(), 1u);
    EXPECT_EQ(pagesOf(adopted[0]), (TapePages { { " 12   +", "" }, { "-----All Cleared-----" } }));
    const std::string path = adopted[0].path();
    EXPECT_TRUE(adoptAll(folder).empty()) << "adopted twice while this process holds it";

    // Let go without being handed over, the tape stays for the next start; handed over, it goes.
    adopted.clear();
    auto again = adoptAll(folder);
    ASSERT_EQ(again.size(), 1u);
    again[0].remove();
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(adoptAll(folder).empty());
}

// A damaged journal (a record of megabytes without a line end, none at the very end) reads in
// pieces no longer than the longest record; one that cannot be finished is set aside as a text
// file that no start adopts again.
TEST(TapeJournal, aDamagedJournalReadsInBoundedPiecesAndOnceSetAsideIsNeverAdoptedAgain)
{
    TempFolder temp;
    ASSERT_FALSE(temp.path.empty());
    const std::size_t longest = TapeJournal::kLongestRecord;
    const std::string huge(longest * 2 + 5, 'x');
    {
        std::ofstream out(temp.path + "/tape-1-00000001.journal", std::ios::binary);
        out << "first\n" << huge << "\n\f\nlast cut";
    }
    auto adopted = adoptAll(temp.path);
    ASSERT_EQ(adopted.size(), 1u);
    std::vector<std::size_t> sizes;
    int breaks = 0;
    std::string last;
    EXPECT_TRUE(adopted[0].read(
        [&](std::string_view line) {
            sizes.push_back(line.size());
            last = line;
        },
        [&] { ++breaks; }));
    EXPECT_EQ(sizes, (std::vector<std::size_t> { 5, longest, longest, 5, 8 }));
    EXPECT_EQ(breaks, 1);
    EXPECT_EQ(last, "last cut");

    const std::string aside = adopted[0].setAside();
    ASSERT_NE(aside, "");
    EXPECT_TRUE(aside.starts_with(temp.path + "/Tavrol32 tape ") && aside.ends_with(".txt")) << aside;
    EXPECT_EQ(std::filesystem::file_size(aside), 6 + huge.size() + 3 + 8);
    adopted.clear();
    EXPECT_TRUE(adoptAll(temp.path).empty());
    EXPECT_TRUE(std::filesystem::exists(aside));
}

} // namespace
} // namespace tavrol
