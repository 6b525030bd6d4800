#include "platform/qt/qsettings_store.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

namespace tavrol::qt {
namespace {

// The application names its own store, so the native format gives the ".conf" file under the
// user's configuration folder. A fresh object per call starts with a clean status.
QString path(const std::string& section, const std::string& key)
{
    return QString::fromStdString(section + "/" + key);
}

QSettings::Status lastStatus(QSettings& settings)
{
    settings.sync();
    return settings.status();
}

} // namespace

std::string QSettingsStore::get(
    const std::string& app, const std::string& section, const std::string& key, const std::string& fallback)
{
    QSettings settings(
        QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(app), QString::fromStdString(app));
    const QVariant value = settings.value(path(section, key));
    if (!value.isValid())
        return fallback;
    // An unquoted value with commas, left by a hand edit, reads as a list: join it back.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(',').toStdString();
    return value.toString().toStdString();
}

bool QSettingsStore::save(
    const std::string& app, const std::string& section, const std::string& key, const std::string& value)
{
    QSettings settings(
        QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(app), QString::fromStdString(app));
    const QString where = path(section, key);
    const QVariant before = settings.value(where);
    settings.setValue(where, QString::fromStdString(value));
    if (lastStatus(settings) == QSettings::NoError)
        return true;
    // Qt keeps the unwritten value in memory and would read it back as if stored: put back what
    // the file holds, so the keys show the truth.
    if (before.isValid())
        settings.setValue(where, before);
    else
        settings.remove(where);
    return false;
}

} // namespace tavrol::qt
