// The settings file's text against QSettings itself, which wrote every store before this one and
// may still read it: a value the program writes is the very line QSettings writes for that string,
// and each reads what the other wrote as the same text.
#include "platform/ini_text.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavrol::ini {
namespace {

// Valid UTF-8 only: QSettings holds text as UTF-16, so it cannot carry invalid bytes either way.
const std::vector<std::string>& trickyValues()
{
    static const std::vector<std::string> values = {
        "Fireball,3x+2=",
        "plain",
        "",
        " lead",
        "trail ",
        "  ",
        "\tlead tab",
        "trail tab\t",
        "a;b",
        "a=b",
        "a#b",
        "Roll, 3+x",
        "quo\"te",
        "\"",
        "back\\slash",
        "x\\",
        "e\\x41",
        "@at",
        "@@two",
        "@String(x)",
        "@ByteArray(Roll,1)",
        "a@b",
        "caf\xC3\xA9 \xC3\x97\xC3\xB7\xC2\xB1",
        "\xE2\x98\xBA smile \xF0\x9F\x98\x80",
        "\xC2\xA0nbsp\xC2\x85",
        "bell\a bs\b ff\f nl\n cr\r tab\t vt\v",
        "x\x1f"
        "aab",
        "\x01"
        "F\x02",
        "a\x1b[0m",
        "del\x7f",
        std::string("nul\0"
                    "12",
            6),
        std::string("@lead\0", 6),
        std::string(" sp\0,", 5),
        "[custom]",
        "Long," + std::string(600, '7'),
    };
    return values;
}

class QSettingsCompat : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString file() const { return folder.filePath("Tavrol32.conf"); }

    void SetUp() override { ASSERT_TRUE(folder.isValid()); }
    std::string fileText() const
    {
        QFile in(file());
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        return in.readAll().toStdString();
    }
    void setFileText(const std::string& text) const
    {
        QFile out(file());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(text.data(), static_cast<qint64>(text.size()));
    }
};

TEST_F(QSettingsCompat, weWriteWhatQSettingsWritesAndItReadsItBack)
{
    for (const std::string& value : trickyValues()) {
        const QString expected = QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
        QFile::remove(file());
        {
            QSettings qt(file(), QSettings::IniFormat);
            qt.setValue("custom/0", expected);
        }
        const std::string qtText = fileText();
        const std::string ours = withValue("", "custom", "0", value);
        EXPECT_EQ(ours, qtText) << "for " << value;

        setFileText(ours);
        QSettings qt(file(), QSettings::IniFormat);
        EXPECT_EQ(qt.value("custom/0").toString(), expected) << "for " << value;
        EXPECT_EQ(qt.status(), QSettings::NoError);
    }
}

// Among several keys and other sections, as QSettings lays a whole file out.
TEST_F(QSettingsCompat, weReadWhatQSettingsWrote)
{
    const auto& values = trickyValues();
    {
        QSettings qt(file(), QSettings::IniFormat);
        qt.setValue("other/0", "not this");
        for (std::size_t i = 0; i < values.size(); ++i)
            qt.setValue(QString("custom/%1").arg(i),
                QString::fromUtf8(values[i].data(), static_cast<qsizetype>(values[i].size())));
    }
    const std::string text = fileText();
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(read(text, "custom", std::to_string(i)), values[i]) << "key " << i;
}

// Hand-written values in quotes, each closing its quotes on its own line, read as QSettings reads
// them: blanks, comments, parts joined with commas, escapes and the '@' forms.
TEST_F(QSettingsCompat, quotedHandEditsReadAsQSettingsReadsThem)
{
    const std::vector<std::string> raws = {
        "\"a\" b",
        "\"Roll\", 3+x",
        "  \"x\" ,  \"y\"  , z  ",
        "\"a;b\" ; a note",
        "\"a\"\t,\t\"b\"\t",
        "\"\\x41\\102\\q\\t|\"",
        "\"@ByteArray(Roll,1)\"",
        "\"@@x\", @@y",
        "\"@String(a)\",\"b\"",
        "\"smile \\xd83d\\xde00\"",
        "\"\" , \"\"",
        "\"trail\\\\\"",
        "\"a\\\" b\" c ; d",
    };
    for (const std::string& raw : raws) {
        setFileText("[custom]\n0=" + raw + "\n");
        QSettings qt(file(), QSettings::IniFormat);
        const QVariant value = qt.value("custom/0");
        const bool list = value.typeId() == QMetaType::QStringList || value.typeId() == QMetaType::QVariantList;
        const QString expected = list ? value.toStringList().join(',') : value.toString();
        EXPECT_EQ(decodeValue(raw), expected.toStdString()) << "for " << raw;
    }
}

} // namespace
} // namespace tavrol::ini
