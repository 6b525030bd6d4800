// The programmable keys' descriptions in the window: the odds arrive from beside the event loop,
// a hovered key's first, follow the keys when they change and the window while a key is hovered,
// and the tooltip draws them.
#include "main_window_fixture.h"
#include "programs/odds.h"
#include "programs/odds_text.h"
#include "view/odds_runner.h"
#include "view/odds_tip.h"

#include <QEnterEvent>
#include <QHelpEvent>
#include <string>
#include <vector>

namespace tavrol::qt::testing {
namespace {

// The keys whose tooltips changed to their final text, in the order they did.
class SettledOrder : public QObject {
public:
    explicit SettledOrder(std::vector<QWidget*> keys)
        : keys_(std::move(keys))
    {
        for (QWidget* key : keys_)
            key->installEventFilter(this);
    }
    std::vector<int> order;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ToolTipChange) {
            const auto* key = static_cast<QWidget*>(watched);
            if (!key->toolTip().endsWith(QString::fromUtf8(kOddsPending.data(), kOddsPending.size())))
                for (std::size_t i = 0; i < keys_.size(); ++i)
                    if (keys_[i] == key)
                        order.push_back(static_cast<int>(i));
        }
        return false;
    }

private:
    std::vector<QWidget*> keys_;
};

class OddsInTheWindow : public MainWindowView {
protected:
    void program(int key, const std::string& value)
    {
        settings.values[{ "Tavrol32", "custom", std::to_string(key) }] = value;
    }
    std::string description(int key) const { return form.btnCustom[tavrol::programmableKey(key)]->description(); }
    QWidget* key(int index) { return view.widgetFor(*form.btnCustom[tavrol::programmableKey(index)]); }
    void settle(const OddsRunner& runner)
    {
        ASSERT_TRUE(QTest::qWaitFor([&runner] { return runner.settled(); }, 120000));
    }
    void hover(int index)
    {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(key(index), &enter);
    }
    // What the key's description should say from the window as it stands.
    std::string expected(const char* caption, const char* command)
    {
        return programmedKeyDescription(caption, command, oddsLine(*keyOdds(captureState(form), command)));
    }
};

TEST_F(OddsInTheWindow, keysAreDescribedAtOnceAndTheirOddsArriveHoveredKeyFirst)
{
    // Two keys that take a while, ahead of the hovered one in the window's order.
    program(0, "Huge,1000x");
    program(1, "Huger,999x");
    program(3, "Program,1x");
    program(4, "Fireball,3x+2=");
    program(5, "Many,3x");
    form.Form_Load();
    OddsRunner runner(form, view);
    EXPECT_EQ(description(4), "Fireball\n3d6 + 2\nWorking out the odds...");
    EXPECT_EQ(description(2), "Not programmed");
    EXPECT_EQ(description(3), "Program\nOpens the programming window");
    EXPECT_EQ(key(4)->toolTip().toStdString(), description(4));

    SettledOrder settled({ key(0), key(1), key(2), key(3), key(4), key(5) });
    hover(5);
    showWindow();
    settle(runner);
    EXPECT_EQ(description(4), expected("Fireball", "3x+2="));
    EXPECT_EQ(description(5), "Many\n3d6\nAverage 10.5; 90% of rolls 6 to 15; possible 3 to 18");
    // The hovered key's work starts first: it does not wait for the long ones.
    ASSERT_EQ(settled.order.size(), 4u);
    EXPECT_EQ(settled.order.front(), 5);
}

TEST_F(OddsInTheWindow, oddsFollowAChangedCommandAndKeepThroughAChangedCaption)
{
    program(0, "Fireball,3x+2=");
    program(1, "Add,2+3=");
    form.Form_Load();
    OddsRunner runner(form, view);
    showWindow();
    settle(runner);

    program(0, "Heal,2x");
    program(1, "Sum,2+3=");
    program(2, "Later,1x");
    form.LoadCustom(); // as after the programming window closes
    EXPECT_EQ(description(0), "Heal\n2d6\nWorking out the odds...");
    EXPECT_EQ(description(1), "Sum\n2 + 3\nShows 5");
    settle(runner);
    EXPECT_EQ(description(0), expected("Heal", "2x"));
    EXPECT_EQ(description(2), expected("Later", "1x"));

    program(2, "Unprog,0");
    form.LoadCustom();
    EXPECT_TRUE(runner.settled());
    EXPECT_EQ(description(2), "Not programmed");
}

TEST_F(OddsInTheWindow, aHoveredKeyFollowsTheWindowAndItsTooltipDrawsTheOdds)
{
    program(0, "Fireball,8x");
    program(1, "Add,2+3=");
    form.Form_Load();
    form.pauser.tick();
    OddsRunner runner(form, view);
    showWindow();
    settle(runner);
    EXPECT_EQ(description(0), "Fireball\n8d6\nAverage 28; 90% of rolls 20 to 36; possible 8 to 48");

    hover(0);
    form.btnDigit[digitKey(5)]->click(); // typed while the pointer rests on the key: 8 d6 becomes 58
    ASSERT_TRUE(QTest::qWaitFor([this] { return description(0).find("Average 203;") != std::string::npos; }, 5000));
    EXPECT_EQ(description(0), "Fireball\n8d6\nAverage 203; 90% of rolls 182 to 224; possible 58 to 348");

    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), key(0)->mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(key(0), &help);
    const OddsTip* tip = runner.visibleTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->text().toStdString(), description(0));
    ASSERT_TRUE(tip->chartView().chart());
    EXPECT_EQ(tip->chartView().chart()->low, 182);
    EXPECT_LE(tip->chartView().width(), 300); // a small chart beside the text
    EXPECT_LE(tip->chartView().height(), 120);

    // A key that always shows the same has nothing to draw.
    QCoreApplication::sendEvent(key(1), &help);
    ASSERT_NE(runner.visibleTip(), nullptr);
    EXPECT_FALSE(runner.visibleTip()->chartView().chart());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(key(1), &leave);
    EXPECT_EQ(runner.visibleTip(), nullptr);
}

} // namespace
} // namespace tavrol::qt::testing
