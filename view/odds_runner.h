// Describes the six programmable keys with their odds: what a press would show from the main
// window as it stands. The odds are worked out on a thread pool, never on the event thread, which
// only starts the work, looks whether the window has changed, and applies what comes back.
//
// Every programmed key is worked out once the window has been painted, so that a screen reader
// has the odds without hovering; while the window is in use it is looked at every tenth of a
// second, and when it has changed each key is worked out afresh, the hovered or focused key
// first. Results are kept by window state and command, so a state seen before costs nothing. A
// key's description keeps its odds for a moment after a change and then says they are being
// worked out, until the new ones arrive. A programmed key's tooltip draws its odds as a chart.
#pragma once

#include "programs/key_code.h"
#include "programs/odds_figures.h"
#include "programs/odds_state.h"

#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <array>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace tavrol {
class frmTavrol;
}

namespace tavrol::qt {

class OddsTip;
class QtFormView;

class OddsRunner : public QObject {
public:
    // `form` and `view` must outlive the runner. The keys are described at once, their odds
    // once the view has painted.
    OddsRunner(frmTavrol& form, QtFormView& view);
    ~OddsRunner() override;

    // Whether every programmed key's description tells the odds of the window as it stands.
    bool settled() const;
    // Looks whether the window has changed, and follows it if it has.
    void followWindow();
    // The tooltip of a programmed key while one is up; null otherwise.
    const OddsTip* visibleTip() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What a key's description and tooltip tell, worked out beside the event loop.
    struct Told {
        std::string line;
        std::optional<OddsChart> chart;
    };
    // The odds of one command from one window state, while they are worked out: exact first,
    // then, when exact is out of reach, an estimate in parts.
    struct Working {
        std::string command;
        std::shared_ptr<const WindowState> start;
        unsigned long long id = 0; // a job of work since stopped and begun again hands back nothing
        std::stop_source stop;
        bool exactStarted = false;
        bool estimating = false;
        int nextPart = 0;
        std::vector<ShownOdds> parts;
    };
    struct Key {
        std::string caption;
        std::string command;
        bool programmed = false;
        bool plays = false;
        std::string wanted; // the odds it should tell: command and window state
        std::string toldFor; // the odds it tells now; "" while none
        std::string toldLine;
    };
    static constexpr int kKeys = kProgrammableKeys;
    static constexpr int kEstimateParts = 4;

    void keysLoaded();
    void refresh();
    void describe(int index);
    void dispatch();
    bool startNext(const std::string& wanted);
    Working* workingOn(const std::string& wanted, unsigned long long id);
    void exactDone(const std::string& wanted, unsigned long long id, std::optional<Told> told);
    void partDone(const std::string& wanted, unsigned long long id, ShownOdds part);
    void remember(const std::string& wanted, Told told);
    void showTip(int index, const QPoint& globalPos);
    void hideTip();
    void updateWatching();
    int keyOf(QObject* widget) const;

    frmTavrol& form_;
    QtFormView& view_;
    std::array<Key, kKeys> keys_ {};
    std::shared_ptr<const WindowState> window_; // the window as last looked at
    std::map<std::string, Told> known_;
    std::deque<std::string> knownOrder_; // the oldest is forgotten first
    std::map<std::string, Working> working_;
    int hovered_ = -1;
    int focused_ = -1;
    int tipKey_ = -1;
    bool painted_ = false;
    bool inGrace_ = false; // a description may still tell the window before its last change
    int running_ = 0;
    unsigned long long lastWork_ = 0;
    std::unique_ptr<OddsTip> tip_;
    QTimer watch_;
    QTimer grace_;
    QThreadPool pool_;
};

} // namespace tavrol::qt
