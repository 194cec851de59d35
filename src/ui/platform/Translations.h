#pragma once
// The interface's language: the first of the desktop's languages that is
// English or one the program carries a translation for. English is the
// source text, so it needs no file; a desktop that lists French before German
// gets German, one that lists English before German gets English. Qt's own
// texts (the standard buttons) follow the same language when Qt's translation
// is installed.

#include <QStringList>

class QCoreApplication;

namespace tarvex {

// "de" for a German interface, empty for English.
QString ChosenLanguage(const QStringList& uiLanguages, const QStringList& carried);

// The languages the program carries (the .qm files built into it).
QStringList CarriedLanguages();

// Loads the program's and Qt's translations for `uiLanguages` (normally
// QLocale::system().uiLanguages()) into `app`; returns the language chosen.
// Call once, before any window is made.
QString InstallTranslations(QCoreApplication& app, const QStringList& uiLanguages);

} // namespace tarvex
