#include "view/qt_notices.h"

#include "platform/tape_journal.h"

#include <algorithm>
#include <iostream>
#include <utility>

namespace tavrol::qt {

Notices::Notices(MessageBox& boxes, std::string stateFolder)
    : boxes_(boxes)
    , stateFolder_(std::move(stateFolder))
{
}

void Notices::tell(std::string text)
{
    if (unattended_) {
        keep(text);
        return;
    }
    untold_.push_back(std::move(text));
    QMetaObject::invokeMethod(
        &context_, [this] { tellNow(); }, Qt::QueuedConnection);
}

void Notices::keep(const std::string& text)
{
    std::string plain = text;
    std::replace(plain.begin(), plain.end(), '\r', '\n');
    std::cerr << "tavrol32: " << plain << '\n';
    keepNotice(stateFolder_, text);
}

void Notices::tellNow()
{
    if (telling_)
        return; // a box is open: the loop that shows it goes on to the next
    telling_ = true;
    while (!untold_.empty()) {
        const std::string text = std::move(untold_.front());
        untold_.pop_front();
        if (unattended_) {
            keep(text);
            continue;
        }
        boxes_.information("Tavrol32", text);
        if (unattended_)
            keep(text); // the box was closed by the signal, perhaps unread
    }
    telling_ = false;
}

void Notices::setUnattended()
{
    unattended_ = true;
    if (telling_)
        return; // the open box's loop keeps what follows it
    for (; !untold_.empty(); untold_.pop_front())
        keep(untold_.front());
}

std::vector<std::string> Notices::takeKept()
{
    std::vector<std::string> once;
    for (std::string& text : takeNotices(stateFolder_))
        if (std::find(once.begin(), once.end(), text) == once.end())
            once.push_back(std::move(text));
    return once;
}

} // namespace tavrol::qt
