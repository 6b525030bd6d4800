// The programmable keys' descriptions in the window: the odds arrive from beside the event loop,
// a hovered key's first, and follow the keys when they change.
#include "main_window_fixture.h"
#include "programs/odds.h"
#include "view/odds_runner.h"

#include <QEnterEvent>
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
    static std::string odds(const char* command) { return oddsLine(keyOdds(command)); }
};

TEST_F(OddsInTheWindow, keysAreDescribedAtOnceAndTheirOddsArriveHoveredKeyFirst)
{
    program(0, "Fireball,3x+2=");
    program(1, "Add,2+3=");
    program(3, "Program,1x");
    program(5, "Many,3x");
    form.Form_Load();
    OddsRunner runner(form, view);
    EXPECT_EQ(description(0), "Fireball\n3 d6 + 2 =\nWorking out the odds...");
    EXPECT_EQ(description(2), "Not programmed");
    EXPECT_EQ(description(3), "Program\nOpens the programming window");
    EXPECT_EQ(key(0)->toolTip().toStdString(), description(0));

    SettledOrder settled({ key(0), key(1), key(2), key(3), key(4), key(5) });
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(key(5), &enter);
    showWindow();
    settle(runner);
    EXPECT_EQ(description(0), "Fireball\n3 d6 + 2 =\n" + odds("3x+2="));
    EXPECT_EQ(description(1), "Add\n2 + 3 =\nShows 5");
    EXPECT_EQ(description(5), "Many\n3 d6\n" + odds("3x"));
    // Every part of the hovered key is handed out before any of the others.
    ASSERT_EQ(settled.order.size(), 3u);
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
    EXPECT_EQ(description(0), "Heal\n2 d6\nWorking out the odds...");
    EXPECT_EQ(description(1), "Sum\n2 + 3 =\nShows 5");
    settle(runner);
    EXPECT_EQ(description(0), "Heal\n2 d6\n" + odds("2x"));
    EXPECT_EQ(description(2), "Later\n1 d6\n" + odds("1x"));

    program(2, "Unprog,0");
    form.LoadCustom();
    EXPECT_TRUE(runner.settled());
    EXPECT_EQ(description(2), "Not programmed");
}

} // namespace
} // namespace tavrol::qt::testing
