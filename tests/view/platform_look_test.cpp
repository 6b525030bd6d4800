// The window as the platform's theme and style draw it. Text on a colour the layout fixes reads
// on it whatever the theme: the dice list's and the help's light grey and the display's grey
// under the memory indicator take dark text on a dark theme, where the theme's light text would
// vanish; a light theme's own text is kept. What the layout leaves to the platform follows the
// theme whole, the printer picture leaves no square of its own around the printer, and the keys
// show their whole captions whatever the style's margins.
#include "main_window_fixture.h"
#include "view/model_style.h"
#include "view/pictures.h"

#include <QApplication>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleOption>
#include <algorithm>

namespace tavrol::qt::testing {
namespace {

QPalette darkTheme()
{
    QPalette dark;
    for (const auto& [role, colour] :
        { std::pair { QPalette::Window, QColor(53, 53, 53) }, std::pair { QPalette::WindowText, QColor(238, 238, 236) },
            std::pair { QPalette::Base, QColor(45, 45, 45) }, std::pair { QPalette::Text, QColor(238, 238, 236) },
            std::pair { QPalette::Button, QColor(60, 60, 60) },
            std::pair { QPalette::ButtonText, QColor(238, 238, 236) } })
        dark.setColor(role, colour);
    return dark;
}

// The ink farthest in contrast from the background the list is drawn on.
double inkContrast(const QImage& drawn, const QColor& background)
{
    double most = 1;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            most = std::max(most, contrastRatio(drawn.pixelColor(x, y), background));
    return most;
}

// The fixture's own view was built in the test program's theme; each case builds its own.
using ThemeColours = MainWindowView;

TEST_F(ThemeColours, textOnAFixedColourReadsOnItInALightAndADarkTheme)
{
    const QPalette light = QApplication::palette();
    for (const bool darkened : { false, true }) {
        SCOPED_TRACE(darkened ? "dark theme" : "light theme");
        QApplication::setPalette(darkened ? darkTheme() : light);
        const QPalette theme = QApplication::palette();
        QtFormView main(form);
        QtFormView help(form.loadCustomWindow());
        const auto palette = [](QtFormView& window, const char* key) {
            return window.findChild<QWidget*>(QString::fromLatin1(key))->palette();
        };
        const QColor lightGrey(192, 192, 192);
        const QColor displayGrey(128, 128, 128);
        const struct {
            const char* control;
            QPalette shown;
            QPalette::ColorRole text;
            QColor background;
        } rows[] = {
            { "dice list", palette(main, "DiceBox"), QPalette::Text, lightGrey },
            { "help", palette(help, "txtProgram"), QPalette::Text, lightGrey },
            { "memory indicator over the display", palette(main, "Mem"), QPalette::WindowText, displayGrey },
        };
        for (const auto& row : rows) {
            SCOPED_TRACE(row.control);
            const QColor text = row.shown.color(row.text);
            EXPECT_GE(contrastRatio(text, row.background), 4.5);
            if (!darkened) {
                EXPECT_EQ(text, theme.color(row.text)); // the theme's own, where it reads
            }
        }
        const QPalette display = palette(main, "Display");
        EXPECT_EQ(display.color(QPalette::WindowText), QColor(0, 192, 0)); // what the layout fixes stays
        EXPECT_EQ(display.color(QPalette::Window), displayGrey);
        // The digit keys take the theme's window colour, and the text that goes with it.
        const QPalette digit = palette(main, "btnDigit(5)");
        EXPECT_EQ(digit.color(QPalette::Button), theme.color(QPalette::Base));
        EXPECT_EQ(digit.color(QPalette::ButtonText), theme.color(QPalette::Text));

        // As drawn: the dice are ink that reads on the grey.
        form.DiceBox.setText(" 4\r\n 6\r\n");
        auto* list = dynamic_cast<ModelListView*>(main.widgetFor(form.DiceBox));
        ASSERT_NE(list, nullptr);
        QCoreApplication::processEvents();
        EXPECT_GE(inkContrast(list->viewport()->grab().toImage(), lightGrey), 4.5);
    }
    QApplication::setPalette(light);
}

TEST(PrinterPicture, leavesTheKeysOwnBackgroundAroundIt)
{
    for (const char* name : { "printon.bmp", "printoff.bmp" }) {
        SCOPED_TRACE(name);
        const QImage picture = builtInPicture(QString::fromLatin1(name)).toImage();
        EXPECT_EQ(picture.pixelColor(0, 0).alpha(), 0);
        EXPECT_EQ(picture.pixelColor(picture.width() - 1, 0).alpha(), 0);
    }
}

// A style whose margins leave a narrow key less room than the key has, as Adwaita's do.
class WideMargins : public QProxyStyle {
public:
    QRect subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const override
    {
        if (element == SE_PushButtonContents)
            return option->rect.adjusted(12, 4, -12, -4);
        return QProxyStyle::subElementRect(element, option, widget);
    }
};

TEST_F(MainWindowView, keysShowTheirWholeCaptionsWhateverTheStylesMargins)
{
    WideMargins style;
    for (const char* name : { "btnMemory(0)", "btnMemory(1)", "btnDice(12)", "btnCustom(6)" }) {
        auto* key = widget<ModelButton>(name);
        ASSERT_NE(key, nullptr);
        key->setStyle(&style);
        EXPECT_EQ(key->shownCaption(), key->text()) << name;
        key->setStyle(nullptr);
    }
}

} // namespace
} // namespace tavrol::qt::testing
