#include "view/odds_runner.h"

#include "programs/odds.h"
#include "shell/frmTavrol.h"
#include "view/qt_form_view.h"

#include <QCursor>
#include <QEvent>
#include <QThread>
#include <QToolTip>
#include <QWidget>
#include <algorithm>

namespace tavrol::qt {

OddsRunner::OddsRunner(frmTavrol& form, QtFormView& view)
    : form_(form)
    , view_(view)
{
    // One part a core: more would only share the cores, and a hovered key waits for at most
    // the parts already running.
    pool_.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    for (int i = 0; i < kKeys; ++i)
        if (QWidget* widget = view_.widgetFor(*form_.btnCustom[programmableKey(i)]))
            widget->installEventFilter(this);
    view_.installEventFilter(this);
    form_.onCustomLoaded = [this] { keysLoaded(); };
    keysLoaded();
}

OddsRunner::~OddsRunner()
{
    form_.onCustomLoaded = nullptr;
    pool_.clear();
    pool_.waitForDone(); // a part still running hands its result to this runner
}

bool OddsRunner::settled() const
{
    return std::none_of(keys_.begin(), keys_.end(), [](const Key& key) { return key.pending; });
}

bool OddsRunner::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &view_) {
        // Start-up ends with the first paint; the work begins after it, not before.
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            view_.removeEventFilter(this);
            QMetaObject::invokeMethod(
                this, [this] { dispatch(); }, Qt::QueuedConnection);
        }
        return false;
    }
    for (int i = 0; i < kKeys; ++i) {
        if (watched != view_.widgetFor(*form_.btnCustom[programmableKey(i)]))
            continue;
        if (event->type() == QEvent::Enter) {
            hovered_ = i;
            dispatch();
        } else if (event->type() == QEvent::Leave && hovered_ == i) {
            hovered_ = -1;
        }
    }
    return false;
}

void OddsRunner::keysLoaded()
{
    for (int i = 0; i < kKeys; ++i) {
        const CommandButton& button = *form_.btnCustom[programmableKey(i)];
        Key& key = keys_[static_cast<std::size_t>(i)];
        const bool commandChanged = key.generation == 0 || button.tag() != key.command
            || button.enabled() != key.programmed || isProgramKey(button.caption()) != isProgramKey(key.caption);
        key.caption = button.caption();
        if (commandChanged) {
            key.command = button.tag();
            key.programmed = button.enabled();
            key.pending = key.programmed && !isProgramKey(key.caption);
            ++key.generation;
            key.nextPart = 0;
            key.partsDone = 0;
            key.tally = OddsTally();
        }
        describe(i);
    }
    dispatch();
}

void OddsRunner::describe(int index)
{
    const Key& key = keys_[static_cast<std::size_t>(index)];
    CommandButton& button = *form_.btnCustom[programmableKey(index)];
    // Unprogrammed keys are disabled, but a pointer or a screen reader still finds them.
    const std::string text = !key.programmed
        ? std::string(kNotProgrammed)
        : programmedKeyDescription(key.caption, key.command, key.pending ? kOddsPending : oddsLine(key.tally));
    if (text == button.description())
        return;
    button.setDescription(text);
    // A tooltip already up says the odds are being worked out: it follows them.
    QWidget* widget = view_.widgetFor(button);
    if (widget && hovered_ == index && QToolTip::isVisible())
        QToolTip::showText(QCursor::pos(), widget->toolTip(), widget);
}

int OddsRunner::nextKey() const
{
    const auto waiting = [this](int i) {
        const Key& key = keys_[static_cast<std::size_t>(i)];
        return key.pending && key.nextPart < kOddsParts;
    };
    if (hovered_ >= 0 && waiting(hovered_))
        return hovered_;
    for (int i = 0; i < kKeys; ++i)
        if (waiting(i))
            return i;
    return -1;
}

void OddsRunner::dispatch()
{
    if (!painted_)
        return;
    while (running_ < pool_.maxThreadCount()) {
        const int index = nextKey();
        if (index < 0)
            return;
        Key& key = keys_[static_cast<std::size_t>(index)];
        const int part = key.nextPart++;
        ++running_;
        pool_.start([this, index, part, generation = key.generation, command = key.command] {
            const OddsTally tally = replayPart(command, part);
            QMetaObject::invokeMethod(
                this, [this, index, generation, tally] { partDone(index, generation, tally); }, Qt::QueuedConnection);
        });
    }
}

void OddsRunner::partDone(int index, unsigned generation, const OddsTally& part)
{
    --running_;
    Key& key = keys_[static_cast<std::size_t>(index)];
    if (key.generation == generation && key.pending) {
        key.tally.merge(part);
        ++key.partsDone;
        if (key.tally.fixed() || key.partsDone == kOddsParts) {
            key.pending = false;
            describe(index);
        }
    }
    dispatch();
}

} // namespace tavrol::qt
