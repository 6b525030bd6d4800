// Describes the six programmable keys with their odds, worked out beside the event loop: each
// key's replays run in parts on a thread pool, every part on a window of its own, and the event
// thread only merges what the parts hand back and sets the descriptions. The odds are worked
// out once the window has been painted, for every programmed key, so that a screen reader gets
// them without hovering; a hovered key goes first. They are kept until the key changes.
#pragma once

#include "programs/key_code.h"
#include "programs/odds_text.h"

#include <QObject>
#include <QThreadPool>
#include <array>
#include <string>

namespace tavrol {
class frmTavrol;
}

namespace tavrol::qt {

class QtFormView;

class OddsRunner : public QObject {
public:
    // `form` and `view` must outlive the runner. The keys are described at once, their odds
    // once the view has painted.
    OddsRunner(frmTavrol& form, QtFormView& view);
    ~OddsRunner() override;

    // Whether every programmed key's odds are in its description.
    bool settled() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Key {
        std::string caption;
        std::string command;
        bool programmed = false;
        bool pending = false; // its odds are being worked out
        unsigned generation = 0; // a part of an earlier generation is of a command since changed
        int nextPart = 0;
        int partsDone = 0;
        OddsTally tally;
    };
    static constexpr int kKeys = kProgrammableKeys;

    void keysLoaded();
    void describe(int key);
    void dispatch();
    int nextKey() const;
    void partDone(int key, unsigned generation, const OddsTally& part);

    frmTavrol& form_;
    QtFormView& view_;
    std::array<Key, kKeys> keys_ {};
    int hovered_ = -1;
    bool painted_ = false;
    int running_ = 0;
    QThreadPool pool_;
};

} // namespace tavrol::qt
