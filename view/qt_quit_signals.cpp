#include "view/qt_quit_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace tavrol::qt {
namespace {

constexpr std::array kQuitSignals { SIGTERM, SIGHUP, SIGINT };
// Where the handler writes; one QuitSignals at a time.
int writeEnd = -1;
std::array<struct sigaction, kQuitSignals.size()> previous {};

extern "C" void onQuitSignal(int signal)
{
    const int saved = errno;
    const auto number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &number, 1);
    errno = saved;
}

void restoreHandlers()
{
    for (std::size_t i = 0; i < kQuitSignals.size(); ++i)
        ::sigaction(kQuitSignals[i], &previous[i], nullptr);
}

} // namespace

QuitSignals::QuitSignals(std::function<void(int)> beforeQuit)
    : beforeQuit_(std::move(beforeQuit))
{
    if (writeEnd >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, pair_) != 0)
        return; // the signals keep their default: the journal still holds the tape
    writeEnd = pair_[1];
    notifier_ = std::make_unique<QSocketNotifier>(pair_[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] { arrived(); });
    struct sigaction action { };
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kQuitSignals.size(); ++i)
        ::sigaction(kQuitSignals[i], &action, &previous[i]);
}

QuitSignals::~QuitSignals()
{
    if (pair_[0] < 0)
        return;
    if (received_ == 0)
        restoreHandlers();
    notifier_.reset();
    writeEnd = -1;
    ::close(pair_[0]);
    ::close(pair_[1]);
}

void QuitSignals::arrived()
{
    unsigned char number = 0;
    unsigned char more = 0;
    if (::read(pair_[0], &number, 1) != 1)
        return;
    while (::read(pair_[0], &more, 1) == 1) { }
    if (received_ != 0)
        return;
    received_ = number;
    // A second signal ends the program at once, as the user or the system then asks; the journal
    // keeps the tape for the next start.
    restoreHandlers();
    if (beforeQuit_)
        beforeQuit_(received_);
    // Ends the nested loops as well. The status is the shell's for a death by that signal.
    QCoreApplication::exit(128 + received_);
}

} // namespace tavrol::qt
