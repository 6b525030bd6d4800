// Every text of both windows fits its control, in the faces the layout is made for and, where a
// machine lacks them, in the stand-in drawn in their place: ctest runs this a second time with a
// fontconfig file that offers DejaVu alone.
#include "main_window_fixture.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <string>

namespace tavrol::qt::testing {
namespace {

class FontsFit : public MainWindowView {
protected:
    void SetUp() override
    {
        if (!QFontDatabase::hasFamily(QStringLiteral("Liberation Sans"))
            && !QFontDatabase::hasFamily(QStringLiteral("DejaVu Sans Condensed")))
            GTEST_SKIP() << "neither the layout's faces nor DejaVu are installed";
    }

    // Each caption, option and title of `window` as drawn, against the room its control gives it.
    static void expectWhole(QtFormView& window)
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        for (const auto& control : window.form().controls()) {
            QWidget* shown = window.widgetFor(*control);
            SCOPED_TRACE(control->key());
            if (auto* key = dynamic_cast<ModelButton*>(shown)) {
                EXPECT_EQ(key->shownCaption(), key->text());
            } else if (auto* option = qobject_cast<QRadioButton*>(shown)) {
                QStyleOptionButton drawn;
                drawn.initFrom(option);
                drawn.text = option->text();
                const QRect room = option->style()->subElementRect(QStyle::SE_RadioButtonContents, &drawn, option);
                EXPECT_LE(option->fontMetrics().horizontalAdvance(option->text()), room.width());
                EXPECT_LE(option->fontMetrics().height(), option->height());
            } else if (auto* group = qobject_cast<QGroupBox*>(shown)) {
                EXPECT_LT(group->fontMetrics().horizontalAdvance(group->title()), group->width() - 8);
            }
        }
    }

    // The widest text a label shows, against its room.
    void expectFits(const char* label, const char* widest)
    {
        auto* shown = widget<QLabel>(label);
        ASSERT_NE(shown, nullptr);
        EXPECT_LE(shown->fontMetrics().horizontalAdvance(QString::fromUtf8(widest)), shown->contentsRect().width())
            << label << ": " << widest;
        EXPECT_LE(shown->fontMetrics().height(), shown->contentsRect().height()) << label;
    }
};

TEST_F(FontsFit, everyTextOfBothWindowsFitsItsControl)
{
    {
        SCOPED_TRACE("main window");
        expectWhole(view);
    }
    expectFits("Display", "-1234567890123.");
    expectFits("Display", "Tavrol 32");
    for (const char* message : { "==== Error ====", "Please Wait...", "Divide by Zero", "Not Defined" })
        expectFits("statuswatch", message);
    expectFits("Mem", "M");

    SCOPED_TRACE("programming window");
    QtFormView custom(form.loadCustomWindow());
    expectWhole(custom);
}

} // namespace
} // namespace tavrol::qt::testing
