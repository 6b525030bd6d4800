// Both windows are of fixed size: whoever draws their frame, the desktop or the window itself (on
// Wayland), they offer no maximize key and cannot be resized, and the title bar a window draws
// itself shows the whole title above a client area that keeps its own layout.
#include "main_window_fixture.h"
#include "view/model_style.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <algorithm>
#include <string>
#include <vector>

namespace tavrol::qt::testing {
namespace {

struct FrameRow {
    const char* window;
    QtFormView::Kind kind;
    WindowFrame frame;
    std::vector<std::string> keys; // the title bar's own keys, right to left; none from the desktop
};

TitleBar* titleBarOf(const QWidget& window)
{
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (auto* bar = dynamic_cast<TitleBar*>(child))
            return bar;
    return nullptr;
}

std::vector<std::string> titleBarKeys(const QWidget& window)
{
    std::vector<std::string> keys;
    if (const TitleBar* bar = titleBarOf(window))
        for (const auto* key : bar->findChildren<const QAbstractButton*>())
            keys.push_back(key->accessibleName().toStdString());
    return keys;
}

// The fixture's own view is left alone: each case draws the models in a view of its own.
using WindowFrames = MainWindowView;

TEST_F(WindowFrames, fixedWindowsOfferNoMaximizeWhoeverDrawsTheFrame)
{
    frmCustom& custom = form.loadCustomWindow();
    const FrameRow rows[] = {
        { "main", QtFormView::Kind::Main, WindowFrame::Desktop, {} },
        { "programming", QtFormView::Kind::Dialog, WindowFrame::Desktop, {} },
        { "main", QtFormView::Kind::Main, WindowFrame::Own, { "Close", "Minimize" } },
        { "programming", QtFormView::Kind::Dialog, WindowFrame::Own, { "Close" } },
    };
    for (const FrameRow& row : rows) {
        SCOPED_TRACE(std::string(row.window) + (row.frame == WindowFrame::Own ? ", own frame" : ", desktop's frame"));
        Form& model = row.kind == QtFormView::Kind::Main ? static_cast<Form&>(form) : custom;
        QtFormView drawn(model, row.kind, nullptr, row.frame);
        drawn.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&drawn));
        const Qt::WindowFlags flags = drawn.windowFlags();
        EXPECT_EQ(drawn.windowType(), row.kind == QtFormView::Kind::Main ? Qt::Window : Qt::Dialog);
        EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
        EXPECT_EQ(bool(flags & Qt::FramelessWindowHint), row.frame == WindowFrame::Own);
        if (row.frame == WindowFrame::Desktop) {
            EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
            EXPECT_EQ(bool(flags & Qt::WindowMinimizeButtonHint), row.kind == QtFormView::Kind::Main);
        }
        EXPECT_EQ(titleBarKeys(drawn), row.keys);

        // The client area keeps its size and layout, below the title bar the window draws itself.
        const int barHeight = row.frame == WindowFrame::Own ? TitleBar::kHeight : 0;
        const QRect client = toPixels(model.clientTwips());
        EXPECT_EQ(drawn.minimumSize(), drawn.maximumSize());
        EXPECT_EQ(drawn.size(), client.size() + QSize(0, barHeight));
        for (const auto& control : model.controls()) {
            if (const QWidget* shown = drawn.widgetFor(*control); shown && !control->holder()) {
                EXPECT_EQ(shown->geometry(), toPixels(control->rect()).translated(0, barHeight)) << control->key();
            }
        }
    }
}

// The close key closes the window as the desktop's would; the title is drawn whole.
TEST_F(WindowFrames, ownTitleBarClosesTheWindowAndShowsTheWholeTitle)
{
    QtFormView own(form, QtFormView::Kind::Main, nullptr, WindowFrame::Own);
    own.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&own));
    TitleBar* bar = titleBarOf(own);
    ASSERT_NE(bar, nullptr);
    form.setCaption("Tavrol32 Beta 1");
    const QImage drawn = bar->grab().toImage();
    // The letters (the tests' windows have no icon) run as wide as the whole title and end clear
    // of the keys.
    const int keysLeft = bar->childrenRect().left();
    const QColor background = bar->palette().color(QPalette::Window);
    int firstInk = keysLeft;
    int lastInk = 0;
    for (int x = 0; x < keysLeft; ++x)
        for (int y = 2; y < drawn.height() - 2; ++y)
            if (drawn.pixelColor(x, y) != background) {
                firstInk = std::min(firstInk, x);
                lastInk = x;
            }
    QFont bold = bar->font();
    bold.setBold(true);
    EXPECT_LT(lastInk, keysLeft - 2);
    EXPECT_GE(lastInk - firstInk + 3, QFontMetrics(bold).horizontalAdvance(QStringLiteral("Tavrol32 Beta 1")));

    QAbstractButton* close = nullptr;
    for (auto* key : bar->findChildren<QAbstractButton*>())
        if (key->accessibleName() == QStringLiteral("Close"))
            close = key;
    ASSERT_NE(close, nullptr);
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(own.isVisible());
}

} // namespace
} // namespace tavrol::qt::testing
