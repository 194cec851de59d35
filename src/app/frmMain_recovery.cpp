// The recovery copy of the unsaved tables: written while they change, offered
// back after a run that did not end cleanly, removed when nothing is unsaved.
#include "frmMain.h"
#include "PolarWorkspace.h"
#include "ProfileWorkspace.h"
#include "files/SafeWrite.h"
#include "platform/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QStatusBar>
#include <QTimer>

namespace tarvex {

namespace {

Result<RecoveryCopy, RecoveryDamage> readRecoveryCopy(const QString& path)
{
    QFile file(path);
    // A copy that cannot even be opened is met like a damaged one.
    if (!file.open(QIODevice::ReadOnly))
        return Failure(RecoveryDamage::NotWhole, file.errorString());
    return DecodeRecovery(file.readAll());
}

// Moves a copy that cannot be read out of the way of the next one, for a
// later look: the name it now has.
Result<QString> setAside(const QString& path)
{
    QString aside = path + QStringLiteral(".damaged");
    for (int n = 2; QFile::exists(aside) && n < 100; ++n)
        aside = path + QStringLiteral(".damaged-%1").arg(n);
    QFile file(path);
    if (!file.rename(aside))
        return Failure(file.errorString());
    return aside;
}

} // namespace

void frmMain::offerRecovery()
{
    const QString path = platform_.recoveryFile;
    if (path.isEmpty() || recoveryTimer_)
        return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    // A second program running beside the first must neither offer the
    // first one's live copy nor write over it.
    recoveryLock_ = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    recoveryLock_->setStaleLockTime(0);
    if (!recoveryLock_->tryLock()) {
        recoveryLock_.reset();
        statusBar()->showMessage(
            tr("Another Tarvex RS232 keeps the recovery copy; this window's tables have none."), 10000);
        return;
    }
    if (QFile::exists(path)) {
        const Result<RecoveryCopy, RecoveryDamage> copy = readRecoveryCopy(path);
        if (copy) {
            offerBack(path, *copy);
        } else if (copy.kind() == RecoveryDamage::Empty) {
            // Nothing was unsaved when it was written: nothing to keep.
            QFile::remove(path);
        } else if (const Result<QString> aside = setAside(path)) {
            MsgBox(tr("A recovery copy of unsaved tables was found, but it cannot be read: %1. It was kept as %2.")
                       .arg(copy.message(), QDir::toNativeSeparators(*aside)),
                   MsgButtons::Ok, kAppTitle);
        } else {
            // What cannot be read may still hold a day's readings: no new
            // copy may take its place.
            MsgBox(tr("A recovery copy of unsaved tables was found in %1, but it cannot be read: %2. It could not be "
                      "moved aside (%3), so it was left where it is, and this window keeps no recovery copy of its own.")
                       .arg(QDir::toNativeSeparators(path), copy.message(), aside.message()),
                   MsgButtons::Ok, kAppTitle);
            recoveryLock_.reset();
            return;
        }
    }
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setInterval(1000);
    connect(recoveryTimer_, &QTimer::timeout, this, &frmMain::keepRecoveryCopy);
    recoveryTimer_->start();
    keepRecoveryCopy();
}

void frmMain::offerBack(const QString& path, const RecoveryCopy& copy)
{
    const QString when = QLocale().toString(copy.savedAt.toLocalTime(), QLocale::ShortFormat);
    switch (MsgBox(tr("Restore the unsaved tables from %1?").arg(when), MsgButtons::YesNo, kAppTitle)) {
    case MsgResult::Yes:
        if (copy.polar)
            polar().restore(*copy.polar);
        if (copy.profile)
            profile_->restore(*copy.profile);
        SSTab1->setCurrentIndex(copy.profile ? 0 : 1);
        break;
    case MsgResult::No:
        // A copy that stays is only offered once more.
        QFile::remove(path);
        break;
    default: {
        // Not answered: kept aside, so the next copy cannot replace it.
        const QString aside = QFileInfo(path).absolutePath() + QStringLiteral("/recovery-")
            + copy.savedAt.toString(QStringLiteral("yyyyMMdd-HHmmss")) + QStringLiteral(".json");
        if (QFile::rename(path, aside))
            statusBar()->showMessage(tr("The unsaved tables were kept in %1").arg(aside), 10000);
        break;
    }
    }
}

void frmMain::keepRecoveryCopy()
{
    if (!recoveryLock_)
        return;
    RecoveryCopy copy;
    if (profile_->isModified())
        copy.profile = profile_->recoveryCopy();
    if (polar_ && polar_->isModified())
        copy.polar = polar_->recoveryCopy();
    if (!copy.profile && !copy.polar) {
        removeRecoveryCopy();
        return;
    }
    if (copy.profile == recoveryKept_.profile && copy.polar == recoveryKept_.polar)
        return;
    copy.savedAt = QDateTime::currentDateTimeUtc();
    if (const Result<> written = WriteFileSafely(platform_.recoveryFile, EncodeRecovery(copy)))
        recoveryKept_ = copy;
    else
        statusBar()->showMessage(tr("The recovery copy cannot be written: %1").arg(written.message()), 5000);
}

void frmMain::removeRecoveryCopy()
{
    if (!recoveryLock_)
        return;
    // A copy that cannot be removed holds nothing newer than the tables; at
    // worst it is offered once more.
    if (recoveryKept_.profile || recoveryKept_.polar || QFile::exists(platform_.recoveryFile))
        QFile::remove(platform_.recoveryFile);
    recoveryKept_ = {};
}

void frmMain::endRecovery()
{
    if (recoveryTimer_)
        recoveryTimer_->stop();
    removeRecoveryCopy();
    recoveryLock_.reset();
}

} // namespace tarvex
