#include "platform/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace tarvex {

namespace {
const QString kFolder = QStringLiteral(":/i18n");
const QString kPrefix = QStringLiteral("tarvex_");
} // namespace

QString ChosenLanguage(const QStringList& uiLanguages, const QStringList& carried)
{
    for (const QString& tag : uiLanguages) {
        // "de-DE", "de_AT", "de" alike: the language is what comes before the region.
        const QString language = tag.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
        if (language == QLatin1String("en"))
            return {};
        if (carried.contains(language))
            return language;
    }
    return {};
}

QStringList CarriedLanguages()
{
    QStringList out;
    for (const QString& file : QDir(kFolder).entryList({kPrefix + QStringLiteral("*.qm")}, QDir::Files))
        out << file.mid(kPrefix.size()).chopped(3);
    return out;
}

QString InstallTranslations(QCoreApplication& app, const QStringList& uiLanguages)
{
    const QString language = ChosenLanguage(uiLanguages, CarriedLanguages());
    if (language.isEmpty())
        return {};
    auto* own = new QTranslator(&app);
    if (!own->load(kPrefix + language, kFolder)) {
        delete own;
        return {};
    }
    QCoreApplication::installTranslator(own);
    // Qt's standard buttons and dialogs; without the package they stay English.
    auto* qt = new QTranslator(&app);
    if (qt->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return language;
}

} // namespace tarvex
