#include "view/qt_settings_store.h"

#include "programs/custom_entry.h"

#include <QCoreApplication>

namespace tavrol::qt {

QtSettingsStore::QtSettingsStore(std::string folder, Notices& notices)
    : notices_(notices)
    , queued_(
          std::move(folder),
          [this](std::function<void()> call) {
              QMetaObject::invokeMethod(&context_, std::move(call), Qt::QueuedConnection);
          },
          [this](const std::string& problem) { settled(problem); })
{
}

void QtSettingsStore::settled(const std::string& problem)
{
    if (!problem.empty())
        notices_.tell(keyNotSavedMessage(problem));
    if (onSettled)
        onSettled();
}

void QtSettingsStore::finish()
{
    onSettled = nullptr;
    queued_.flush();
    QCoreApplication::sendPostedEvents(&context_, QEvent::MetaCall);
}

} // namespace tavrol::qt
