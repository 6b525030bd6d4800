// The QSettings store in a folder of the test's own: what is saved loads back exactly, a file
// edited by hand loads without failing, a store that cannot be written says so, and several
// Tavrol32s saving at once lose nothing.
#include "platform/qt/qsettings_store.h"
#include "programs/custom_entry.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavrol::qt {
namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QSettingsStore store;

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    }
    QString configFile() const { return folder.filePath("Tavrol32/Tavrol32.conf"); }
    void writeConfig(const QByteArray& text) const
    {
        QDir().mkpath(folder.filePath("Tavrol32"));
        QFile file(configFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    std::string load(const char* key) { return store.get("Tavrol32", "custom", key, "Unprog,0"); }
};

TEST_F(SettingsStoreTest, savedValuesLoadBackExactly)
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
    };
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::string key = std::to_string(i % 6);
        ASSERT_TRUE(store.save("Tavrol32", "custom", key, values[i])) << values[i];
        EXPECT_EQ(load(key.c_str()), values[i]);
        QSettingsStore fresh; // another run of the program reads the same
        EXPECT_EQ(fresh.get("Tavrol32", "custom", key, ""), values[i]);
    }
}

TEST_F(SettingsStoreTest, storeIsTheUsersConfFileWithCustomSection)
{
    ASSERT_TRUE(store.save("Tavrol32", "custom", "2", "Roll,3+x"));
    QFile file(configFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("[custom]"));
    EXPECT_TRUE(text.contains("2="));
}

TEST_F(SettingsStoreTest, missingEntriesGiveTheDefault)
{
    EXPECT_EQ(load("0"), "Unprog,0");
    writeConfig("[other]\n0=Nope,1\n");
    EXPECT_EQ(load("0"), "Unprog,0");
}

TEST_F(SettingsStoreTest, handEditedValuesLoadWithoutFailing)
{
    writeConfig("[custom]\n0=Roll,3+x\n1=NoComma\n2=\"Bad\xff\xfe,1+1=\"\n3=Zeros,00\n4=\n5=a,b,c\n");
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

TEST_F(SettingsStoreTest, storeThatCannotBeWrittenSaysSoAndPretendsNothing)
{
    qputenv("XDG_CONFIG_HOME", "/proc/tavrol32-nowhere"); // not even root can make folders here
    EXPECT_FALSE(store.save("Tavrol32", "custom", "1", "Lost,1"));
    EXPECT_EQ(load("1"), "Unprog,0");
}

// Six Tavrol32s save six different keys at the same moment; every one is stored.
TEST_F(SettingsStoreTest, concurrentWritersLoseNothing)
{
    for (int round = 0; round < 3; ++round) {
        std::vector<QProcess*> runs;
        for (int key = 0; key < 6; ++key) {
            auto* run = new QProcess;
            const QString caption = QString("K%1r%2").arg(key).arg(round);
            run->start(TAVROL_PLAY,
                { "Program", QString("BtnAssignedTo(%1)").arg(key), "TxtButtonCaption=" + caption, "btnProgram" });
            runs.push_back(run);
        }
        for (QProcess* run : runs) {
            EXPECT_TRUE(run->waitForFinished(30000));
            EXPECT_EQ(run->exitCode(), 0) << run->readAllStandardError().toStdString();
            delete run;
        }
        QSettingsStore fresh;
        for (int key = 0; key < 6; ++key)
            EXPECT_EQ(fresh.get("Tavrol32", "custom", std::to_string(key), ""),
                "K" + std::to_string(key) + "r" + std::to_string(round) + ",")
                << "round " << round;
    }
}

} // namespace
} // namespace tavrol::qt
