#include "settings/AppSettings.h"

#include "files/OpenSave.h"

#include <QSettings>

namespace tarvex {

namespace {

QString fieldKey(const QString& name)
{
    return QStringLiteral("fields/") + name;
}

} // namespace

WindowState WindowState::load(QSettings& settings, const QStringList& fieldNames)
{
    WindowState state;
    state.geometry = settings.value(QStringLiteral("window/geometry")).toByteArray();
    state.recentFiles = settings.value(QStringLiteral("recentFiles")).toStringList().mid(0, kRecentFiles);
    for (const QString& name : fieldNames) {
        const QVariant kept = settings.value(fieldKey(name));
        if (kept.isValid() && !kept.toString().isEmpty())
            state.fields.insert(name, kept.toString());
    }
    return state;
}

void WindowState::save(QSettings& settings) const
{
    settings.setValue(QStringLiteral("window/geometry"), geometry);
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        settings.setValue(fieldKey(it.key()), it.value());
}

void WindowState::saveRecentFiles(QSettings& settings) const
{
    settings.setValue(QStringLiteral("recentFiles"), recentFiles);
}

AppSettings AppSettings::load(QSettings& settings, const QStringList& fieldNames)
{
    return {CaptureSettings::load(settings), GeometrySettings::load(settings), LibrarySettings::load(settings),
            ShopSettings::load(settings), WindowState::load(settings, fieldNames)};
}

void AppSettings::saveEdited(QSettings& settings) const
{
    capture.save(settings);
    geometry.save(settings);
    library.save(settings);
    shop.save(settings);
}

} // namespace tarvex
