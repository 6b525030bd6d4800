// The tape journal: what a process left behind when it was killed is found and read back whole,
// and a journal whose owner still runs is never taken from it.
#include "platform/tape_journal.h"
#include "temp_folder.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace tavrol {
namespace {

using testing::TempFolder;

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

    const auto whileAlive = TapeJournal::adoptOrphans(folder);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ASSERT_TRUE(started) << "the child could not write its journal";
    EXPECT_TRUE(whileAlive.empty()) << "a live owner's journal was taken";

    auto adopted = TapeJournal::adoptOrphans(folder);
    ASSERT_EQ(adopted.size(), 1u);
    EXPECT_EQ(adopted[0].tape(), (TapePages { { " 12   +", "" }, { "-----All Cleared-----" } }));
    const std::string path = adopted[0].path();
    EXPECT_TRUE(TapeJournal::adoptOrphans(folder).empty()) << "adopted twice while this process holds it";

    // Let go without being handed over, the tape stays for the next start; handed over, it goes.
    adopted.clear();
    auto again = TapeJournal::adoptOrphans(folder);
    ASSERT_EQ(again.size(), 1u);
    again[0].remove();
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(TapeJournal::adoptOrphans(folder).empty());
}

} // namespace
} // namespace tavrol
