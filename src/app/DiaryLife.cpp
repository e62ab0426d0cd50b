#include "DiaryLife.h"

#include "IniRecord.h"
#include "ProgramFiles.h"

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
    diary_.files.OpenDB(access_ == store::Access::ReadWrite ? prepareFiles(start.notices) : access_);
    start.firstPerson = diary_.persons.GetPerDly(store::Persons::Step::First);
    return start;
}

store::Backups DiaryLife::backups() const { return store::Backups(ProgDir(), {IniRecord::kFileName}); }

store::Access DiaryLife::prepareFiles(QStringList& notices) {
    store::Backups diaryBackups = backups();
    // Half of the files would be the backup's and half the replaced ones: such a diary is not
    // written to until the restore is finished.
    const store::Outcome<store::SetAsideRestore> finished = diaryBackups.finishRestore();
    if (!finished) {
        diary_.files.setReadOnlyReason("a restore from a backup could not be finished: " + finished.error());
        return store::Access::ReadOnly;
    }
    if (!finished.value.movedTo.isEmpty())
        notices << QStringLiteral("An unfinished restore from a backup was not used, as %1; the diary was kept as it "
                                  "was and the restore moved to %2.")
                       .arg(finished.value.found, QDir::toNativeSeparators(finished.value.movedTo));
    if (const store::Result backedUp = diaryBackups.backUpDaily(); !backedUp)
        notices << QStringLiteral("Today's backup of the diary could not be made (%1). The diary has opened as usual.")
                       .arg(backedUp.error());
    return store::Access::ReadWrite;
}

DiaryLife::Restore DiaryLife::RestoreBackup(const store::Backup& backup) {
    diary_.files.CloseDB();
    const store::Outcome<QString> restored = backups().restore(backup.name);
    Restore outcome{AsthmaStart(), restored.ok(), {}};
    const QString day = longDate(backup.date);
    if (!restored) {
        outcome.said = QStringLiteral("The diary could not be restored from the backup of %1 (%2).").arg(day, restored.error());
        return outcome;
    }
    // Named by their folders, the backup restored and the one that keeps the replaced diary
    // cannot be taken for each other, even when both are of the same day.
    const QString backupsFolder = QFileInfo(backups().folder()).fileName();
    const auto folderOf = [&](const QString& name) { return QDir::toNativeSeparators(backupsFolder + '/' + name); };
    outcome.said = QStringLiteral("Restored the backup of %1 (%2).").arg(day, folderOf(backup.name)) +
                   (restored.value.isEmpty()
                        ? QString()
                        : QStringLiteral(" The diary it replaced is kept in %1.").arg(folderOf(restored.value)));
    return outcome;
}

void DiaryLife::AsthmaClose() { diary_.files.CloseDB(); }

}  // namespace pulmora::app
