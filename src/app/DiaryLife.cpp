#include "DiaryLife.h"

#include "IniRecord.h"
#include "programfiles/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace pulmora::app {
namespace {

#ifdef Q_OS_WIN
const char kExecutable[] = "pulmora.exe";
#else
const char kExecutable[] = "pulmora";
#endif

QString longDate(const QDate& date) { return QLocale(QLocale::English).toString(date, "d MMMM yyyy"); }

}  // namespace

DiaryLife::DiaryLife(store::Diary& diary, QString programFolder)
    : diary_(diary), programFolder_(std::move(programFolder)) {}

QString DiaryLife::programFolder() const {
    const QString folder = programFolder_.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder_;
    return QDir(folder).absolutePath() + QLatin1Char('/');
}

void DiaryLife::openReadOnly(const QString& reason) {
    access_ = store::Access::ReadOnly;
    diary_.files.setReadOnlyReason(reason);
}

bool DiaryLife::ChkFiles() {
    diaryFolder_ = DiaryFolder::choose(programFolder());
    ownFiles_ = ProgDir().isEmpty() ? files::OwnFiles() : program_files::claimIn(ProgDir());
    return filesProblem().isEmpty();
}

QString DiaryLife::filesProblem() const {
    const QString program = programFolder();
    if (!QFileInfo::exists(program + kExecutable))
        return QStringLiteral("The program folder %1 does not hold the program").arg(QDir::toNativeSeparators(program));
    return diaryFolder_.problem();
}

DiaryLife::Start DiaryLife::AsthmaStart() {
    diary_.files.CloseDB();
    Start start;
    if (!ChkFiles()) {
        start.problem = filesProblem();
        return start;
    }
    diary_.files.setFolder(ProgDir());
    diary_.files.OpenDB(access_ == store::Access::ReadWrite ? prepareFiles(start) : access_);
    packMarkedFiles();
    for (const store::FileProblem& file : diary_.files.unwritableFiles())
        start.notices << QStringLiteral(
                             "%1 can be read but not written (%2): it is shown, and nothing in it can be "
                             "changed.")
                             .arg(file.fileName, file.reason);
    start.firstPerson = diary_.persons.GetPerDly(store::Persons::Step::First);
    return start;
}

store::Backups DiaryLife::backups() const { return store::Backups(ProgDir(), {IniRecord::kFileName}); }

QString DiaryLife::backupFolderName(const QString& name) const {
    return QDir::toNativeSeparators(QFileInfo(backups().folder()).fileName() + '/' + name);
}

store::Access DiaryLife::prepareFiles(Start& start) {
    store::Backups diaryBackups = backups();
    // Half of the files would be the backup's and half the replaced ones: such a diary is not
    // written to until the restore is finished.
    const store::Outcome<store::UnfinishedRestore> finished = diaryBackups.finishRestore();
    if (!finished) {
        diary_.files.setReadOnlyReason("a restore from a backup could not be finished: " + finished.error());
        return store::Access::ReadOnly;
    }
    if (!finished.value.movedTo.isEmpty())
        start.notices << QStringLiteral(
                             "An unfinished restore from a backup was not used, as %1; the diary was kept "
                             "as it was and the restore moved to %2.")
                             .arg(finished.value.found, QDir::toNativeSeparators(finished.value.movedTo));
    if (finished.value.finished) {
        // The diary the user finds is not the one they last saw: they hear why.
        const QString from = finished.value.restored.isEmpty()
                                 ? QStringLiteral("a backup")
                                 : QStringLiteral("the backup %1").arg(backupFolderName(finished.value.restored));
        start.said << QStringLiteral("A restore from %1 that was cut short has been finished.").arg(from);
        if (!finished.value.kept.isEmpty())
            start.said
                << QStringLiteral("The diary it replaced is kept in %1.").arg(backupFolderName(finished.value.kept));
    }
    const store::Outcome<store::SetAside> backedUp = diaryBackups.backUpDaily();
    if (!backedUp.value.movedTo.isEmpty())
        start.notices << QStringLiteral("Today's backup was not whole, as %1; it was moved to %2 and made again.")
                             .arg(backedUp.value.found, QDir::toNativeSeparators(backedUp.value.movedTo));
    if (!backedUp)
        start.notices << QStringLiteral(
                             "Today's backup of the diary could not be made (%1). The diary has opened as usual.")
                             .arg(backedUp.error());
    return store::Access::ReadWrite;
}

void DiaryLife::packMarkedFiles() {
    if (diary_.files.readOnly()) return;
    // A pack that fails has left its file whole and read the same, marks and all, and the next
    // start tries again: the card has nothing to tell the user and nothing to ask of them.
    // Whatever stops it (a full disk, say) fails the day's backup too, and that the card does say.
    for (const store::FileProblem& file : diary_.files.packMarked())
        qWarning("%s was not packed (%s); it is kept as it was", qPrintable(file.fileName), qPrintable(file.reason));
}

DiaryLife::Restore DiaryLife::RestoreBackup(const store::Backup& backup) {
    diary_.files.CloseDB();
    const store::Outcome<QString> restored = backups().restore(backup.name);
    Restore outcome{AsthmaStart(), restored.ok(), {}};
    const QString day = longDate(backup.date);
    // A restore that failed after it was committed is finished by the start that follows it, and
    // that start says so: the diary has been replaced, whatever step failed the first time.
    if (!restored && !outcome.start.said.isEmpty()) {
        outcome.restored = true;
        outcome.said = outcome.start.said.join(' ');
        return outcome;
    }
    if (!restored) {
        outcome.said =
            QStringLiteral("The diary could not be restored from the backup of %1 (%2).").arg(day, restored.error());
        return outcome;
    }
    // Named by their folders, the backup restored and the one that keeps the replaced diary
    // cannot be taken for each other, even when both are of the same day.
    outcome.said =
        QStringLiteral("Restored the backup of %1 (%2).").arg(day, backupFolderName(backup.name)) +
        (restored.value.isEmpty()
             ? QString()
             : QStringLiteral(" The diary it replaced is kept in %1.").arg(backupFolderName(restored.value)));
    return outcome;
}

void DiaryLife::AsthmaClose() { diary_.files.CloseDB(); }

}  // namespace pulmora::app
