#include "platform/QtFileDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace tarvex {

namespace {

// Qt takes the patterns from the last parentheses of a name filter.
QString qtNameFilter(const FileFilterEntry& e)
{
    QString patterns = e.pattern;
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (e.description.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')')))
        return e.description;
    return e.description + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

// "txt" for "*.txt"; empty for anything broader.
QString suffixOf(const QString& pattern)
{
    if (pattern.startsWith(QLatin1String("*.")) && !pattern.contains(QLatin1Char(';'))
        && !pattern.mid(2).contains(QLatin1Char('*')))
        return pattern.mid(2);
    return {};
}

} // namespace

bool QtFileDialog::show(QWidget* owner, bool save)
{
    setChosen(QString());
    errorText_.clear();

    QFileDialog dialog(owner, save ? QCoreApplication::translate("FileDialog", "Save As") : QCoreApplication::translate("FileDialog", "Open"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);

    const QList<FileFilterEntry> entries = ParseFileFilter(Filter);
    QStringList nameFilters;
    for (const FileFilterEntry& e : entries)
        nameFilters << qtNameFilter(e);
    if (!nameFilters.isEmpty())
        dialog.setNameFilters(nameFilters);
    dialog.setDefaultSuffix(DefaultExt);
    // A name typed while "*.txt" is chosen becomes a text file, not a data file.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& chosen) {
        const qsizetype i = nameFilters.indexOf(chosen);
        const QString suffix = i >= 0 ? suffixOf(entries[i].pattern) : QString();
        dialog.setDefaultSuffix(suffix.isEmpty() ? DefaultExt : suffix);
    });

    const QString folder = !InitDir.isEmpty() ? InitDir : lastFolder_;
    if (!folder.isEmpty())
        dialog.setDirectory(folder);

    if (dialog.exec() != QDialog::Accepted)
        return true;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return true;
    const QString path = QDir::toNativeSeparators(files.first());
    setChosen(path);
    lastFolder_ = QFileInfo(path).absolutePath();
    return true;
}

} // namespace tarvex
