// The settings store on files, each test in a folder of its own: what is saved loads back
// exactly, hand edits survive a save, and no failure (a full disk, a read-only folder, a FIFO, a
// link, a stale lock, several savers at once) loses a key or leaves the program waiting.
#include "platform/settings_file.h"
#include "platform/settings_queue.h"
#include "programs/custom_entry.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <iterator>
#include <mutex>
#include <optional>
#include <set>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

namespace tavrol {
namespace {

namespace fs = std::filesystem;

const std::string kApp = "Tavrol32";
const std::string kSection = "custom";

std::optional<std::string> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::string& text)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::set<std::string> namesIn(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// A folder of the test's own, open to every user so a child running as nobody can look in.
class Folder {
public:
    Folder()
    {
        std::string pattern = (fs::temp_directory_path() / "tavrol32-settings-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        path = pattern;
        fs::permissions(path, fs::perms::all & ~fs::perms::others_write & ~fs::perms::group_write);
    }
    ~Folder()
    {
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(path, ignored))
            if (entry.is_directory(ignored) && !entry.is_symlink(ignored))
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path, ignored);
    }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

class StoreTest : public ::testing::Test {
protected:
    Folder config;
    FileSettingsStore store { config.path };

    std::string storePath() const { return config / "Tavrol32/Tavrol32.conf"; }
    std::string load(const std::string& key) { return store.get(kApp, kSection, key, "Unprog,0"); }
};

// --- Values and the file -----------------------------------------------------------------------

TEST_F(StoreTest, savedValuesLoadBackExactly)
{
    const std::vector<std::string> values = {
        "Fireball,3x+2=",
        "Roll,1,+1=",
        ",3+x",
        "Empty,",
        "Times,2\u00D73\u00F74\u00B1=",
        "Blanks,  1 2 ",
        "Long," + std::string(600, '7'),
        "Quote\"d,1",
        "Back\\slash,2",
        "Semi;colon,3",
        "Equals=in,4",
        "Hash#,5",
        "@Boss,3x+2=",
    };
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::string key = std::to_string(i % 6);
        ASSERT_TRUE(store.save(kApp, kSection, key, values[i])) << values[i] << ": " << store.problem();
        EXPECT_EQ(store.problem(), "");
        EXPECT_EQ(load(key), values[i]);
        FileSettingsStore fresh(config.path); // another run of the program reads the same
        EXPECT_EQ(fresh.get(kApp, kSection, key, ""), values[i]);
    }
}

TEST_F(StoreTest, storeIsTheConfFileAndASaveKeepsHandEdits)
{
    ASSERT_TRUE(store.save(kApp, kSection, "2", "Roll,3+x"));
    EXPECT_EQ(readFile(storePath()), "[custom]\n2=\"Roll,3+x\"\n");

    // A comment, a stray line and a hand-written value made the old store refuse to save.
    const std::string edited = "# my keys\n[custom]\n0=Roll, 3+x\nnot a setting\n2=Roll,3+x\n; end\n";
    writeFile(storePath(), edited);
    ASSERT_TRUE(store.save(kApp, kSection, "0", "Fire,1")) << store.problem();
    EXPECT_EQ(readFile(storePath()), "# my keys\n[custom]\n0=\"Fire,1\"\nnot a setting\n2=Roll,3+x\n; end\n");
    EXPECT_EQ(namesIn(config / "Tavrol32"), (std::set<std::string> { "Tavrol32.conf", "Tavrol32.conf.lock" }));
}

TEST_F(StoreTest, missingEntriesGiveTheDefault)
{
    EXPECT_EQ(load("0"), "Unprog,0");
    EXPECT_EQ(store.problem(), "");
    writeFile(storePath(), "[other]\n0=Nope,1\n");
    EXPECT_EQ(load("0"), "Unprog,0");
    EXPECT_EQ(store.problem(), "");
}

TEST_F(StoreTest, handEditedValuesLoadWithoutFailing)
{
    writeFile(storePath(), "[custom]\n0=Roll,3+x\n1=NoComma\n2=\"Bad\xff\xfe,1+1=\"\n3=Zeros,00\n4=\n5=a,b,c\n");
    const struct {
        const char* key;
        const char* caption;
        const char* command;
        bool programmed;
    } rows[] = { { "0", "Roll", "3+x", true }, { "1", "NoComma", "0", false }, { "3", "Zeros", "00", true },
        { "4", "", "0", false }, { "5", "a", "b,c", true } };
    for (const auto& row : rows) {
        const CustomEntry entry = parseCustomEntry(load(row.key));
        EXPECT_EQ(entry.caption, row.caption) << row.key;
        EXPECT_EQ(entry.command, row.command) << row.key;
        EXPECT_EQ(entry.programmed, row.programmed) << row.key;
    }
    const CustomEntry bad = parseCustomEntry(load("2"));
    EXPECT_EQ(bad.command, "1+1=");
    EXPECT_TRUE(bad.caption.starts_with("Bad"));
}

// --- Faults while saving -----------------------------------------------------------------------

struct Outcome {
    bool saved = false;
    std::string problem;
};

// Runs `save` in a child process (which may limit itself or drop its rights first) and hands
// back what it reported.
Outcome inChild(const std::function<Outcome()>& save)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return { false, "test: no pipe" };
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        const Outcome outcome = save();
        const std::string report = (outcome.saved ? "1" : "0") + outcome.problem;
        [[maybe_unused]] const ssize_t put = ::write(pipeEnds[1], report.data(), report.size());
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string report;
    char buffer[512];
    for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (report.empty())
        return { false, "test: the child reported nothing" };
    return { report[0] == '1', report.substr(1) };
}

// A write that fails half way (here a file-size limit, as a full disk would) leaves the store as
// it was, byte for byte, and no half-written file beside it.
TEST_F(StoreTest, failedWriteLeavesTheStoreByteForByte)
{
    const std::string before = "[custom]\n0=Fireball,3x+2=\n2=Sword,1e+3=\n5=Heal,2f=\n";
    writeFile(storePath(), before);
    const Outcome outcome = inChild([this] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit { 64, 64 }; // more than the lock file, less than the new store
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const bool saved = store.save(kApp, kSection, "1", "Arrow," + std::string(100, '1'));
        return Outcome { saved, store.problem() };
    });
    EXPECT_FALSE(outcome.saved);
    EXPECT_NE(outcome.problem.find("File too large"), std::string::npos) << outcome.problem;
    EXPECT_EQ(readFile(storePath()), before);
    EXPECT_EQ(namesIn(config / "Tavrol32"), (std::set<std::string> { "Tavrol32.conf", "Tavrol32.conf.lock" }));
}

// Saves killed half way (here by a file-size limit whose signal is left to kill) leave their new
// copies beside the store; the next save removes them all, and nothing else: not a backup the
// user named alike, not a link, not a folder.
TEST_F(StoreTest, copiesLeftByKilledSavesGoWithTheNextSave)
{
    writeFile(storePath(), "[custom]\n0=Kept,1\n" + std::string(4096, '#') + "\n");
    for (int kill = 0; kill < 3; ++kill) {
        inChild([this] {
            const rlimit limit { 1024, 1024 };
            ::setrlimit(RLIMIT_FSIZE, &limit);
            return Outcome { store.save(kApp, kSection, "1", "Lost,1"), "" };
        });
    }
    const std::set<std::string> usersOwn = { "Tavrol32.conf.backup", "Tavrol32.conf.202405", "Tavrol32.conf.Backup",
        "Tavrol32.conf.aB3x", "Tavrol32.conf.lock" };
    for (const std::string& name : usersOwn)
        writeFile(config / ("Tavrol32/" + name), "mine");
    fs::create_directory(config / "Tavrol32/Tavrol32.conf.Dir9aZ");
    fs::create_symlink(config / "Tavrol32/Tavrol32.conf.backup", config / "Tavrol32/Tavrol32.conf.Lnk9aZ");
    ASSERT_GE(namesIn(config / "Tavrol32").size(), usersOwn.size() + 4) << "no save left a copy";

    ASSERT_TRUE(store.save(kApp, kSection, "2", "New,2")) << store.problem();
    std::set<std::string> expected = usersOwn;
    expected.insert({ "Tavrol32.conf", "Tavrol32.conf.Dir9aZ", "Tavrol32.conf.Lnk9aZ" });
    EXPECT_EQ(namesIn(config / "Tavrol32"), expected);
    EXPECT_EQ(load("0"), "Kept,1");
}

// Values read together come from one read of the store: a save by another program between them
// changes none of them, and a read after them sees it.
TEST_F(StoreTest, valuesReadTogetherComeFromOneRead)
{
    writeFile(storePath(), "[custom]\n0=Old,0\n1=Old,1\n");
    {
        const SettingsSnapshot once(store);
        EXPECT_EQ(load("0"), "Old,0");
        writeFile(storePath(), "[custom]\n0=New,0\n1=New,1\n");
        EXPECT_EQ(load("1"), "Old,1");
    }
    EXPECT_EQ(load("1"), "New,1");
}

// As root, the child gives up its rights first, for root writes anywhere.
void becomeNobody()
{
    if (::geteuid() != 0)
        return;
    if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
        ::_exit(1);
}

TEST_F(StoreTest, readOnlyFolderOrFileIsReportedAndKept)
{
    const std::string before = "[custom]\n0=Kept,1\n";
    const struct {
        const char* behaviour;
        fs::perms folder;
        fs::perms file;
    } rows[] = {
        { "readOnlyFolder",
            fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read },
        { "readOnlyFileInWritableFolder", fs::perms::all, fs::perms::owner_read | fs::perms::others_read },
    };
    for (const auto& row : rows) {
        writeFile(storePath(), before);
        writeFile(storePath() + ".lock", ""); // the nobody child could not create it
        fs::permissions(storePath() + ".lock", fs::perms::all);
        fs::permissions(storePath(), row.file);
        fs::permissions(config / "Tavrol32", row.folder);
        const Outcome outcome = inChild([this] {
            becomeNobody();
            const bool saved = store.save(kApp, kSection, "0", "Lost,1");
            return Outcome { saved, store.problem() };
        });
        fs::permissions(config / "Tavrol32", fs::perms::owner_all);
        fs::permissions(storePath(), fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_FALSE(outcome.saved) << row.behaviour;
        EXPECT_NE(outcome.problem, "") << row.behaviour;
        EXPECT_EQ(readFile(storePath()), before) << row.behaviour;
        EXPECT_EQ(namesIn(config / "Tavrol32"), (std::set<std::string> { "Tavrol32.conf", "Tavrol32.conf.lock" }))
            << row.behaviour;
    }
}

TEST(Store, folderThatCannotBeCreatedSaysSoAndPretendsNothing)
{
    FileSettingsStore store("/proc/tavrol32-nowhere"); // not even root can make folders here
    EXPECT_FALSE(store.save(kApp, kSection, "1", "Lost,1"));
    EXPECT_NE(store.problem().find("/proc/tavrol32-nowhere"), std::string::npos) << store.problem();
    EXPECT_EQ(store.get(kApp, kSection, "1", "Unprog,0"), "Unprog,0");
}

// --- Links -------------------------------------------------------------------------------------

TEST_F(StoreTest, linkToARegularFileStaysALinkWhoseFileIsReplaced)
{
    Folder elsewhere;
    writeFile(elsewhere / "keys.conf", "[custom]\n0=Kept,1\n");
    fs::create_directories(config / "Tavrol32");
    fs::create_symlink(elsewhere / "keys.conf", storePath());
    ASSERT_TRUE(store.save(kApp, kSection, "1", "New,2")) << store.problem();
    EXPECT_TRUE(fs::is_symlink(storePath()));
    EXPECT_EQ(readFile(elsewhere / "keys.conf"), "[custom]\n0=Kept,1\n1=\"New,2\"\n");
    EXPECT_EQ(namesIn(elsewhere.path), std::set<std::string> { "keys.conf" });
}

TEST_F(StoreTest, linkToNothingIsRefusedAndLeftAsItIs)
{
    Folder elsewhere;
    fs::create_directories(config / "Tavrol32");
    fs::create_symlink(elsewhere / "gone.conf", storePath());
    EXPECT_EQ(load("0"), "Unprog,0");
    EXPECT_EQ(store.problem(), ""); // nothing stored yet is no fault
    EXPECT_FALSE(store.save(kApp, kSection, "0", "Lost,1"));
    EXPECT_NE(store.problem().find("does not exist"), std::string::npos) << store.problem();
    EXPECT_TRUE(fs::is_symlink(storePath()));
    EXPECT_TRUE(namesIn(elsewhere.path).empty());
}

// --- Nothing ever waits (these run under a ctest timeout) --------------------------------------

struct Identity {
    fs::file_type type;
    ino_t inode;
    bool operator==(const Identity&) const = default;
};

Identity identity(const std::string& path)
{
    struct stat status { };
    ::lstat(path.c_str(), &status);
    return { fs::symlink_status(path).type(), status.st_ino };
}

// A FIFO, a folder, or a link to one where the store should be: the keys read as nothing with a
// problem, at once, and a save is refused without touching either end.
void expectNeverReadNorReplaced(
    FileSettingsStore& store, const std::string& storePath, const std::string& outside, const char* behaviour)
{
    const Identity storeBefore = identity(storePath);
    const Identity outsideBefore = identity(outside);
    const auto outsideNames = namesIn(fs::path(outside).parent_path());
    EXPECT_EQ(store.get(kApp, kSection, "0", "Unprog,0"), "Unprog,0") << behaviour;
    EXPECT_NE(store.problem(), "") << behaviour;
    EXPECT_FALSE(store.save(kApp, kSection, "0", "Lost,1")) << behaviour;
    EXPECT_NE(store.problem(), "") << behaviour;
    EXPECT_EQ(identity(storePath), storeBefore) << behaviour;
    EXPECT_EQ(identity(outside), outsideBefore) << behaviour;
    EXPECT_EQ(namesIn(fs::path(outside).parent_path()), outsideNames) << behaviour;
}

using NeverWaits = StoreTest;

TEST_F(NeverWaits, fifoOrFolderOrLinkToOneIsNeverReadNorReplaced)
{
    Folder elsewhere;
    ASSERT_EQ(::mkfifo((elsewhere / "fifo").c_str(), 0600), 0);
    fs::create_directory(elsewhere / "folder");
    const struct {
        const char* behaviour;
        std::function<void(const std::string&)> make; // puts it at the store's path
        std::string outside; // what must not change
    } rows[] = {
        { "fifo", [](const std::string& at) { ::mkfifo(at.c_str(), 0600); }, storePath() },
        { "folder", [](const std::string& at) { fs::create_directory(at); }, storePath() },
        { "linkToFifo", [&](const std::string& at) { fs::create_symlink(elsewhere / "fifo", at); },
            elsewhere / "fifo" },
        { "linkToFolder", [&](const std::string& at) { fs::create_directory_symlink(elsewhere / "folder", at); },
            elsewhere / "folder" },
    };
    for (const auto& row : rows) {
        fs::remove_all(config / "Tavrol32");
        fs::create_directories(config / "Tavrol32");
        writeFile(storePath() + ".lock", ""); // the one file a save may add to the folder
        row.make(storePath());
        expectNeverReadNorReplaced(store, storePath(), row.outside, row.behaviour);
    }
}

TEST_F(NeverWaits, linkToADeviceIsNeverReplaced)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "making a device node takes root";
    Folder elsewhere;
    ASSERT_EQ(::mknod((elsewhere / "null").c_str(), S_IFCHR | 0600, makedev(1, 3)), 0); // as /dev/null
    fs::create_directories(config / "Tavrol32");
    fs::create_symlink(elsewhere / "null", storePath());
    expectNeverReadNorReplaced(store, storePath(), elsewhere / "null", "linkToDevice");
    EXPECT_TRUE(fs::is_character_file(elsewhere / "null"));
}

// An empty lock file left by a crash: the lock dies with its holder, so the save goes through.
TEST_F(NeverWaits, staleEmptyLockFileHoldsNobodyUp)
{
    writeFile(storePath() + ".lock", "");
    ASSERT_TRUE(store.save(kApp, kSection, "3", "Stale,1")) << store.problem();
    EXPECT_EQ(load("3"), "Stale,1");
}

TEST_F(NeverWaits, lockHeldElsewhereIsWaitedForABoundedTime)
{
    const std::string before = "[custom]\n0=Kept,1\n";
    writeFile(storePath(), before);
    const int held = ::open((storePath() + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    FileSettingsStore impatient(config.path, std::chrono::milliseconds(50));
    EXPECT_FALSE(impatient.save(kApp, kSection, "0", "Lost,1"));
    EXPECT_NE(impatient.problem().find("locked"), std::string::npos) << impatient.problem();
    EXPECT_EQ(readFile(storePath()), before);
    ::close(held);
    EXPECT_TRUE(impatient.save(kApp, kSection, "0", "Now,1")) << impatient.problem();
}

// What a queued store hands back to the event thread, delivered when the test says.
struct Posted {
    std::mutex mutex;
    std::vector<std::function<void()>> calls;
    std::vector<std::string> problems; // one for each save that is over, in order

    QueuedSettingsStore::Post post()
    {
        return [this](std::function<void()> call) {
            const std::lock_guard lock(mutex);
            calls.push_back(std::move(call));
        };
    }
    QueuedSettingsStore::Settled settled()
    {
        return [this](const std::string& problem) { problems.push_back(problem); };
    }
    void deliver()
    {
        const std::lock_guard lock(mutex);
        for (auto& call : std::exchange(calls, {}))
            call();
    }
};

// Another program holds the store's lock: a save from the window returns at once (it would hang
// this test for the hour it may wait otherwise), reads see the value at once, and the values land
// in the order they were saved once the lock is free. One that waits too long is told, and the
// store and the reads are as before it.
TEST_F(NeverWaits, queuedSavesNeverWaitOnTheLockAndLandInOrder)
{
    writeFile(storePath(), "[custom]\n0=Old,0\n");
    const int held = ::open((storePath() + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    Posted posted;
    {
        QueuedSettingsStore impatient(config.path, posted.post(), posted.settled(), std::chrono::milliseconds(50));
        EXPECT_TRUE(impatient.save(kApp, kSection, "0", "Lost,1"));
        impatient.flush();
        posted.deliver();
        ASSERT_EQ(posted.problems.size(), 1u);
        EXPECT_NE(posted.problems[0].find("locked"), std::string::npos) << posted.problems[0];
        EXPECT_EQ(impatient.get(kApp, kSection, "0", "Unprog,0"), "Old,0");
    }
    posted.problems.clear();
    QueuedSettingsStore queued(config.path, posted.post(), posted.settled(), std::chrono::hours(1));
    for (const char* value : { "First,1", "Second,2" })
        EXPECT_TRUE(queued.save(kApp, kSection, "0", value));
    EXPECT_TRUE(queued.save(kApp, kSection, "1", "Other,1"));
    EXPECT_EQ(queued.get(kApp, kSection, "0", "Unprog,0"), "Second,2");
    EXPECT_EQ(queued.get(kApp, kSection, "1", "Unprog,0"), "Other,1");
    EXPECT_EQ(readFile(storePath()), "[custom]\n0=Old,0\n");
    ::close(held);
    queued.flush();
    posted.deliver();
    EXPECT_EQ(posted.problems, (std::vector<std::string> { "", "", "" }));
    FileSettingsStore fresh(config.path);
    EXPECT_EQ(fresh.get(kApp, kSection, "0", ""), "Second,2");
    EXPECT_EQ(fresh.get(kApp, kSection, "1", ""), "Other,1");
}

// --- Several Tavrol32s at once -----------------------------------------------------------------

pid_t startPlay(const std::string& config, const std::vector<std::string>& tokens)
{
    std::vector<std::string> environment = { "XDG_CONFIG_HOME=" + config, "HOME=" + config };
    for (char** variable = environ; *variable; ++variable) {
        const std::string_view entry(*variable);
        if (!entry.starts_with("XDG_CONFIG_HOME=") && !entry.starts_with("HOME="))
            environment.emplace_back(entry);
    }
    std::vector<std::string> arguments = { TAVROL_PLAY };
    arguments.insert(arguments.end(), tokens.begin(), tokens.end());
    const auto pointers = [](std::vector<std::string>& strings) {
        std::vector<char*> list;
        for (auto& s : strings)
            list.push_back(s.data());
        list.push_back(nullptr);
        return list;
    };
    auto argv = pointers(arguments);
    auto envp = pointers(environment);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, TAVROL_PLAY, &actions, nullptr, argv.data(), envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Six Tavrol32s save six different keys at the same moment; every one is stored.
TEST_F(StoreTest, concurrentWritersLoseNothing)
{
    for (int round = 0; round < 3; ++round) {
        std::vector<pid_t> runs;
        for (int key = 0; key < 6; ++key) {
            const std::string caption = "K" + std::to_string(key) + "r" + std::to_string(round);
            runs.push_back(startPlay(config.path,
                { "Program", "BtnAssignedTo(" + std::to_string(key) + ")", "TxtButtonCaption=" + caption,
                    "btnProgram" }));
            ASSERT_GT(runs.back(), 0);
        }
        for (const pid_t run : runs) {
            int status = 0;
            ASSERT_EQ(::waitpid(run, &status, 0), run);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
        }
        FileSettingsStore fresh(config.path);
        for (int key = 0; key < 6; ++key)
            EXPECT_EQ(fresh.get(kApp, kSection, std::to_string(key), ""),
                "K" + std::to_string(key) + "r" + std::to_string(round) + ",")
                << "round " << round;
    }
}

} // namespace
} // namespace tavrol
