// Any window model is drawn generically: group boxes hold their options, options and text boxes
// talk both ways, pictures load from the working folder or the built-in copies.
#include "platform/form.h"
#include "view/pictures.h"
#include "view/qt_form_view.h"

#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <vector>

namespace tavrol::qt::testing {
namespace {

class SampleForm : public Form {
public:
    SampleForm()
        : Form("frmSample", "Sample \u00F7", Rect { 150, 300, 3000, 1500 })
    {
        name = &add<TextBox>("txtName", Rect { 1800, 150, 1050, 300 }, Style {});
        heads = &add<OptionButton>("optSide", 0, Rect { 150, 300, 900, 300 }, Style {}, "Heads");
        tails = &add<OptionButton>("optSide", 1, Rect { 150, 600, 900, 300 }, Style {}, "Tails");
        // The group box comes after the options it holds.
        auto& sides = add<GroupBox>("fraSides", Rect { 150, 150, 1500, 1050 }, Style {}, "Sides");
        heads->setHolder(&sides);
        tails->setHolder(&sides);
        picture = &add<PictureToggle>("picTape", Rect { 1800, 600, 300, 300 }, Style {});
        name->setTabOrder(0);
        tails->setTabOrder(1);
        heads->setTabOrder(2);
        heads->setValue(true);
        heads->onClick = [this] { clicks.push_back("heads"); };
        tails->onClick = [this] { clicks.push_back("tails"); };
        picture->onClick = [this] { clicks.push_back("picture"); };
    }
    TextBox* name;
    OptionButton* heads;
    OptionButton* tails;
    PictureToggle* picture;
    std::vector<std::string> clicks;
};

class SampleFormView : public ::testing::Test {
protected:
    SampleForm form;
    QtFormView view { form };

    template <class W> W* widget(const char* key)
    {
        W* found = view.findChild<W*>(QString::fromLatin1(key));
        EXPECT_NE(found, nullptr) << key;
        return found;
    }
};

TEST_F(SampleFormView, groupBoxHoldsItsOptionsAtTheirOwnPlaces)
{
    auto* group = widget<QGroupBox>("fraSides");
    auto* tails = widget<QRadioButton>("optSide(1)");
    ASSERT_TRUE(group && tails);
    EXPECT_EQ(group->title(), QStringLiteral("Sides"));
    EXPECT_EQ(tails->parentWidget(), group);
    EXPECT_EQ(tails->geometry(), QRect(10, 40, 60, 20));
    EXPECT_FALSE(tails->isHidden());
    EXPECT_EQ(view.geometry(), QRect(10, 20, 200, 100));
    EXPECT_EQ(view.windowTitle(), QString::fromUtf8("Sample \u00F7"));
}

TEST_F(SampleFormView, clickedOptionBecomesTheOnlyChosenOne)
{
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    auto* heads = widget<QRadioButton>("optSide(0)");
    auto* tails = widget<QRadioButton>("optSide(1)");
    ASSERT_TRUE(heads && tails);
    EXPECT_TRUE(heads->isChecked());

    QTest::mouseClick(tails, Qt::LeftButton, {}, QPoint(8, 10));
    EXPECT_TRUE(form.tails->value());
    EXPECT_FALSE(form.heads->value());
    EXPECT_TRUE(tails->isChecked());
    EXPECT_FALSE(heads->isChecked());

    QTest::mouseClick(tails, Qt::LeftButton, {}, QPoint(8, 10)); // a chosen option stays chosen
    EXPECT_TRUE(form.tails->value());
    EXPECT_TRUE(tails->isChecked());
    EXPECT_EQ(form.clicks, (std::vector<std::string> { "tails", "tails" }));

    form.heads->setValue(true);
    form.tails->setValue(false);
    EXPECT_TRUE(heads->isChecked());
    EXPECT_FALSE(tails->isChecked());
}

TEST_F(SampleFormView, typingReachesTheModelAndModelTextReachesTheBox)
{
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    auto* edit = widget<QLineEdit>("txtName");
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("Ork"));
    EXPECT_EQ(form.name->text(), "Ork");
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(form.name->text(), "Or");
    EXPECT_EQ(edit->cursorPosition(), 2); // our own text coming back does not move the caret

    form.name->setText("Goblin");
    EXPECT_EQ(edit->text(), QStringLiteral("Goblin"));
    form.name->append(" \u00D7 3");
    EXPECT_EQ(edit->text(), QString::fromUtf8("Goblin \u00D7 3"));
}

TEST_F(SampleFormView, tabOrderFollowsTheModel)
{
    QWidget* name = widget<QLineEdit>("txtName");
    QWidget* tails = widget<QRadioButton>("optSide(1)");
    QWidget* heads = widget<QRadioButton>("optSide(0)");
    ASSERT_TRUE(name && tails && heads);
    EXPECT_EQ(name->nextInFocusChain(), tails);
    EXPECT_EQ(tails->nextInFocusChain(), heads);
}

TEST_F(SampleFormView, clickOnPictureReachesTheModel)
{
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QTest::mouseClick(widget<QLabel>("picTape"), Qt::LeftButton, {}, QPoint(5, 5));
    form.picture->setEnabled(false);
    QTest::mouseClick(widget<QLabel>("picTape"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(form.clicks, (std::vector<std::string> { "picture" }));
}

struct PictureRow {
    const char* name;
    const char* fileInFolder; // written as a 3 x 2 bitmap into the working folder; "" for none
    const char* picture;
    std::optional<QSize> shownSize; // none: nothing is shown
    bool fifo = false; // the file is a FIFO with no writer instead: reading it would never end
};

TEST_F(SampleFormView, picturesComeFromTheWorkingFolderThenTheBuiltInCopies)
{
    const QSize builtIn(kTogglePictureSize, kTogglePictureSize);
    const PictureRow table[] = {
        { "no picture named: tape off", "", "", builtIn },
        { "built-in tape on", "", "printon.bmp", builtIn },
        { "built-in name in another case and folder", "", "C:\\TAVROL\\PRINTOFF.BMP", builtIn },
        { "file in the working folder first", "printon.bmp", "printon.bmp", QSize(3, 2) },
        { "any picture file", "dragon.bmp", "dragon.bmp", QSize(3, 2) },
        { "missing picture shows nothing", "", "nosuch.bmp", std::nullopt },
        { "a FIFO is never read: the built-in copy", "printon.bmp", "printon.bmp", builtIn, true },
    };
    const QString before = QDir::currentPath();
    auto* shown = widget<QLabel>("picTape");
    ASSERT_NE(shown, nullptr);
    for (const PictureRow& row : table) {
        SCOPED_TRACE(row.name);
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(QDir::setCurrent(folder.path()));
        if (row.fifo) {
            ASSERT_EQ(::mkfifo(QFile::encodeName(folder.filePath(QString::fromLatin1(row.fileInFolder))), 0600), 0);
        } else if (*row.fileInFolder) {
            QImage small(3, 2, QImage::Format_RGB32);
            small.fill(Qt::blue);
            ASSERT_TRUE(small.save(folder.filePath(QString::fromLatin1(row.fileInFolder)), "BMP"));
        }
        form.picture->setPicture("placeholder-between-rows");
        form.picture->setPicture(row.picture);
        const QPixmap pixmap = shown->pixmap();
        if (row.shownSize)
            EXPECT_EQ(pixmap.size(), *row.shownSize);
        else
            EXPECT_TRUE(pixmap.isNull());
        ASSERT_TRUE(QDir::setCurrent(before));
    }
}

TEST(BuiltInPictures, tapeOnAndOffLookDifferent)
{
    const QImage on = builtInPicture(QStringLiteral("printon.bmp")).toImage();
    const QImage off = builtInPicture(QStringLiteral("printoff.bmp")).toImage();
    ASSERT_FALSE(on.isNull());
    ASSERT_FALSE(off.isNull());
    EXPECT_NE(on, off);
    EXPECT_TRUE(builtInPicture(QStringLiteral("other.bmp")).isNull());
    EXPECT_FALSE(applicationIcon().pixmap(32, 32).isNull());
}

} // namespace
} // namespace tavrol::qt::testing
