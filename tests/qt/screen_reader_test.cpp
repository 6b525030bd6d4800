// What a screen reader finds in the main window beyond the names of its controls: a programmed
// key's whole caption however short the key draws it.
#include "dice/random_source.h"
#include "platform/qt/control_widgets.h"
#include "platform/qt/qt_form_view.h"
#include "platform/recording_ports.h"
#include "shell/frmTavrol.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace tavrol::qt::testing {
namespace {

class ScreenReader : public ::testing::Test {
protected:
    MemorySettings settings;
    RecordingPrinter printer;
    RecordingMessageBox messages;
    NullModalHost modal;
    ScriptedFaces random { { 4, 2, 6 } };
    frmTavrol form { FormPorts { settings, printer, messages, modal, random } };
    QtFormView view { form };

    void SetUp() override
    {
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    QAccessibleInterface* spoken(const char* key)
    {
        QWidget* shown = view.findChild<QWidget*>(QString::fromLatin1(key));
        EXPECT_NE(shown, nullptr) << key;
        return shown ? QAccessible::queryAccessibleInterface(shown) : nullptr;
    }
};

struct CaptionRow {
    const char* caption;
    bool fits;
};

TEST_F(ScreenReader, captionTooWideForItsKeyEndsInAnEllipsisAndIsSpokenWhole)
{
    auto* key = view.findChild<ModelButton*>(QStringLiteral("btnCustom(0)"));
    QAccessibleInterface* spokenKey = spoken("btnCustom(0)");
    ASSERT_TRUE(key && spokenKey);
    form.btnCustom[0]->setEnabled(true);
    // The columns the caption's letters take on the drawn key.
    const auto letters = [this, key](const char* caption) {
        form.btnCustom[0]->setCaption("");
        const QImage bare = key->grab().toImage();
        form.btnCustom[0]->setCaption(caption);
        const QImage drawn = key->grab().toImage();
        int first = drawn.width();
        int last = -1;
        for (int x = 0; x < drawn.width(); ++x)
            for (int y = 0; y < drawn.height(); ++y)
                if (drawn.pixelColor(x, y) != bare.pixelColor(x, y)) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return std::pair { first, last };
    };
    const CaptionRow table[] = { { "Lightning Bolt", false }, { "Axe", true }, { "Program", true } };
    for (const CaptionRow& row : table) {
        SCOPED_TRACE(row.caption);
        const auto [first, last] = letters(row.caption);
        EXPECT_GE(first, 2); // clear of the key's edges
        EXPECT_LE(last, key->width() - 3);
        const QString caption = QString::fromUtf8(row.caption);
        EXPECT_EQ(key->text(), caption);
        EXPECT_EQ(spokenKey->text(QAccessible::Name), caption);
        const QString drawn = key->shownCaption();
        if (row.fits) {
            EXPECT_EQ(drawn, caption);
            continue;
        }
        ASSERT_TRUE(drawn.endsWith(QChar(0x2026))) << drawn.toStdString();
        EXPECT_TRUE(caption.startsWith(drawn.chopped(1))) << drawn.toStdString(); // its beginning is kept
    }
}

} // namespace
} // namespace tavrol::qt::testing
