#include "view/odds_runner.h"

#include "programs/odds.h"
#include "programs/odds_text.h"
#include "shell/frmTavrol.h"
#include "view/odds_tip.h"
#include "view/qt_form_view.h"

#include <QEvent>
#include <QHelpEvent>
#include <QThread>
#include <QWidget>
#include <algorithm>

namespace tavrol::qt {
namespace {

// How often the window is looked at while it is in use: a change shows in the odds this soon.
constexpr int kWatchMs = 100;
// How long a description keeps the odds of the window before its last change, while the new ones
// are worked out: most arrive well within it, so the text does not flicker at every key.
constexpr int kGraceMs = 250;
// Odds kept for window states and commands seen before.
constexpr std::size_t kKnownMost = 48;

std::string wantedOdds(const std::string& command, const WindowState& window)
{
    return command + '\x1f' + stateKey(window, readsDiceList(command));
}

} // namespace

OddsRunner::OddsRunner(frmTavrol& form, QtFormView& view)
    : form_(form)
    , view_(view)
    , window_(std::make_shared<const WindowState>(captureState(form)))
{
    // One job a core: more would only share the cores, and a hovered key waits at most for the
    // jobs already running, each of which stops as soon as the window moves on.
    pool_.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    for (int i = 0; i < kKeys; ++i)
        if (QWidget* widget = view_.widgetFor(*form_.btnCustom[programmableKey(i)]))
            widget->installEventFilter(this);
    view_.installEventFilter(this);
    watch_.setInterval(kWatchMs);
    watch_.setTimerType(Qt::CoarseTimer);
    connect(&watch_, &QTimer::timeout, this, [this] { followWindow(); });
    grace_.setSingleShot(true);
    grace_.setInterval(kGraceMs);
    connect(&grace_, &QTimer::timeout, this, [this] {
        inGrace_ = false;
        for (int i = 0; i < kKeys; ++i)
            describe(i);
    });
    form_.onCustomLoaded = [this] { keysLoaded(); };
    keysLoaded();
}

OddsRunner::~OddsRunner()
{
    form_.onCustomLoaded = nullptr;
    for (auto& [wanted, working] : working_)
        working.stop.request_stop();
    pool_.clear();
    pool_.waitForDone(); // a job still running hands its result to this runner
}

bool OddsRunner::settled() const
{
    return std::all_of(keys_.begin(), keys_.end(), [](const Key& key) { return key.toldFor == key.wanted; });
}

const OddsTip* OddsRunner::visibleTip() const
{
    return tip_ && tip_->isVisible() ? tip_.get() : nullptr;
}

void OddsRunner::followWindow()
{
    WindowState now = captureState(form_);
    if (now == *window_)
        return;
    window_ = std::make_shared<const WindowState>(std::move(now));
    inGrace_ = true;
    grace_.start();
    refresh();
}

void OddsRunner::keysLoaded()
{
    for (int i = 0; i < kKeys; ++i) {
        const CommandButton& button = *form_.btnCustom[programmableKey(i)];
        Key& key = keys_[static_cast<std::size_t>(i)];
        if (button.tag() != key.command)
            key.toldFor.clear(); // odds of another command are no odds of this one
        key.caption = button.caption();
        key.command = button.tag();
        key.programmed = button.enabled();
        key.plays = !isProgramKey(key.caption);
    }
    refresh();
}

void OddsRunner::refresh()
{
    for (Key& key : keys_) {
        key.wanted = key.programmed && key.plays ? wantedOdds(key.command, *window_) : std::string();
        if (key.wanted.empty() || known_.count(key.wanted) || working_.count(key.wanted))
            continue;
        Working& working = working_[key.wanted];
        working.command = key.command;
        working.start = window_;
        working.id = ++lastWork_;
    }
    // Work no key wants any more stops.
    for (auto it = working_.begin(); it != working_.end();) {
        const bool wanted
            = std::any_of(keys_.begin(), keys_.end(), [&it](const Key& key) { return key.wanted == it->first; });
        if (!wanted)
            it->second.stop.request_stop();
        it = wanted ? std::next(it) : working_.erase(it);
    }
    for (int i = 0; i < kKeys; ++i)
        describe(i);
    dispatch();
}

void OddsRunner::describe(int index)
{
    Key& key = keys_[static_cast<std::size_t>(index)];
    CommandButton& button = *form_.btnCustom[programmableKey(index)];
    const auto known = known_.find(key.wanted);
    if (known != known_.end()) {
        key.toldFor = key.wanted;
        key.toldLine = known->second.line;
    } else if (!inGrace_ || key.toldFor.empty()) {
        key.toldFor.clear();
        key.toldLine = kOddsPending;
    }
    // Unprogrammed keys are disabled, but a pointer or a screen reader still finds them.
    const std::string text = !key.programmed
        ? std::string(kNotProgrammed)
        : programmedKeyDescription(key.caption, key.command, key.plays ? key.toldLine : "");
    if (text != button.description())
        button.setDescription(text);
    if (tipKey_ == index && tip_) {
        const bool current = known != known_.end();
        tip_->setContent(QString::fromStdString(text), current ? known->second.chart : std::nullopt);
    }
}

void OddsRunner::dispatch()
{
    if (!painted_)
        return;
    std::vector<int> order;
    for (const int first : { hovered_, focused_ })
        if (first >= 0)
            order.push_back(first);
    for (int i = 0; i < kKeys; ++i)
        order.push_back(i);
    for (const int i : order)
        while (running_ < pool_.maxThreadCount() && startNext(keys_[static_cast<std::size_t>(i)].wanted))
            continue;
}

// Starts the next job of the odds `wanted`; false when none is left to start.
bool OddsRunner::startNext(const std::string& wanted)
{
    const auto it = working_.find(wanted);
    if (it == working_.end())
        return false;
    Working& working = it->second;
    const std::stop_token stop = working.stop.get_token();
    if (!working.exactStarted) {
        working.exactStarted = true;
        ++running_;
        pool_.start([this, wanted, id = working.id, stop, command = working.command, start = working.start] {
            std::optional<Told> told;
            if (const auto odds = exactOdds(*start, command, stop))
                told = Told { oddsLine(*odds), chartOf(*odds, OddsChartView::kMostBars) };
            QMetaObject::invokeMethod(
                this, [this, wanted, id, told = std::move(told)] { exactDone(wanted, id, told); },
                Qt::QueuedConnection);
        });
        return true;
    }
    if (!working.estimating || working.nextPart >= kEstimateParts)
        return false;
    ++working.nextPart;
    ++running_;
    pool_.start([this, wanted, id = working.id, stop, command = working.command, start = working.start] {
        auto part = estimatedOdds(*start, command, kEstimatePresses / kEstimateParts, stop);
        QMetaObject::invokeMethod(
            this, [this, wanted, id, part = std::move(part)] { partDone(wanted, id, part.value_or(ShownOdds())); },
            Qt::QueuedConnection);
    });
    return true;
}

OddsRunner::Working* OddsRunner::workingOn(const std::string& wanted, unsigned long long id)
{
    const auto it = working_.find(wanted);
    return it != working_.end() && it->second.id == id ? &it->second : nullptr;
}

void OddsRunner::exactDone(const std::string& wanted, unsigned long long id, std::optional<Told> told)
{
    --running_;
    if (Working* working = workingOn(wanted, id)) {
        if (told)
            remember(wanted, std::move(*told));
        else
            working->estimating = true; // out of exact reach: estimate it
    }
    dispatch();
}

void OddsRunner::partDone(const std::string& wanted, unsigned long long id, ShownOdds part)
{
    --running_;
    if (Working* working = workingOn(wanted, id)) {
        working->parts.push_back(std::move(part));
        if (working->parts.size() == kEstimateParts) {
            const ShownOdds odds = ShownOdds::joined(working->parts);
            remember(wanted, Told { oddsLine(odds), chartOf(odds, OddsChartView::kMostBars) });
        }
    }
    dispatch();
}

void OddsRunner::remember(const std::string& wanted, Told told)
{
    working_.erase(wanted);
    known_[wanted] = std::move(told);
    knownOrder_.push_back(wanted);
    if (knownOrder_.size() > kKnownMost) {
        known_.erase(knownOrder_.front());
        knownOrder_.pop_front();
    }
    for (int i = 0; i < kKeys; ++i)
        if (keys_[static_cast<std::size_t>(i)].wanted == wanted)
            describe(i);
}

void OddsRunner::showTip(int index, const QPoint& globalPos)
{
    if (!tip_)
        tip_ = std::make_unique<OddsTip>();
    tipKey_ = index;
    describe(index);
    tip_->showAt(globalPos);
}

void OddsRunner::hideTip()
{
    tipKey_ = -1;
    if (tip_)
        tip_->hide();
}

void OddsRunner::updateWatching()
{
    const bool inUse = view_.isActiveWindow() || hovered_ >= 0 || focused_ >= 0;
    if (inUse && painted_ && !watch_.isActive())
        watch_.start();
    else if (!inUse)
        watch_.stop();
}

int OddsRunner::keyOf(QObject* widget) const
{
    for (int i = 0; i < kKeys; ++i)
        if (widget == view_.widgetFor(*form_.btnCustom[programmableKey(i)]))
            return i;
    return -1;
}

bool OddsRunner::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == &view_) {
        // Start-up ends with the first paint; the work begins after it, not before.
        if (type == QEvent::Paint && !painted_) {
            painted_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    followWindow();
                    dispatch();
                    updateWatching();
                },
                Qt::QueuedConnection);
        }
        if (type == QEvent::WindowActivate || type == QEvent::WindowDeactivate || type == QEvent::Hide) {
            if (type != QEvent::WindowActivate)
                hideTip();
            updateWatching();
        }
        return false;
    }
    const int index = keyOf(watched);
    if (index < 0)
        return false;
    if (type == QEvent::ToolTip) {
        showTip(index, static_cast<QHelpEvent*>(event)->globalPos());
        return true;
    }
    if (type == QEvent::Enter || type == QEvent::FocusIn) {
        (type == QEvent::Enter ? hovered_ : focused_) = index;
        followWindow();
        dispatch();
    } else if ((type == QEvent::Leave && hovered_ == index) || (type == QEvent::FocusOut && focused_ == index)) {
        (type == QEvent::Leave ? hovered_ : focused_) = -1;
    }
    if (type == QEvent::Leave || type == QEvent::MouseButtonPress || type == QEvent::Wheel || type == QEvent::Hide)
        hideTip();
    updateWatching();
    return false;
}

} // namespace tavrol::qt
