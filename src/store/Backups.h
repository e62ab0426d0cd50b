#pragma once

#include "Result.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

namespace pulmora::store {

// A backup of the diary: a folder under "backups" in the diary folder with copies of the record
// files and the settings file as they were at one moment, when no copy of the program had them
// open for writing.
struct Backup {
    QString name;  // the folder's name: the day it was made, "YYYY-MM-DD", and for a backup of
                   // the files a restore replaced "-before-restore" and a number after the second
    QDate date;
    bool beforeRestore = false;
    int daysRecorded = -1;  // day records in its "Daily.dat"; -1 when that cannot be read
    // Why it cannot be restored, as a phrase: "DlyTrig.dat is missing from it"; empty when it
    // holds every record file, each whole by its header and size.
    QString incomplete;
};

// A folder under the backups folder that a start would not use and moved aside, untouched.
struct SetAside {
    QString found;    // what was wrong with it, as a phrase: "Daily.dat is missing from it"
    QString movedTo;  // the path it was moved to; empty when nothing was moved
};

// What a start did with a restore that a stop had cut short: set it aside, or finished it.
struct UnfinishedRestore : SetAside {
    bool finished = false;
    QString restored;  // the backup it put back, when the restore said; empty when it did not
    QString kept;      // the backup that keeps the files it replaced; empty when there was none
};

// The diary's backups: one a day, made on start, rotated, and restored on request.
//
// Each change is made so that a stop at any moment leaves a diary that is either all as it was
// or all as wanted: a backup is written into a folder of its own and only then renamed to its
// name, and a restore first writes the backup's files into a staging folder whose rename commits
// the restore; its files are then put in place one by one, and a start that finds the committed
// folder puts them in place again before any record file is opened. The staging folder's last
// file, written before the commit, fingerprints every file of it, so a start puts in place only
// what the restore wrote, whole.
class Backups {
public:
    // `otherFiles`: the names of the files beside the record files that belong to the diary and
    // are backed up with them (the settings file).
    Backups(const QString& diaryFolder, const QStringList& otherFiles);

    // The folder that holds the backups of the diary in `diaryFolder`, without a trailing separator.
    static QString folderIn(const QString& diaryFolder);
    // The folder that holds the backups, without a trailing separator.
    QString folder() const;

    // For the start, before any record file is opened for writing: removes what replacements
    // stopped part-way left in the diary folder, and finishes a restore that a stop cut short,
    // so the diary is never opened half replaced. The live files are kept first as a backup of
    // their own unless the restore kept them. A committed restore that is not as the restore
    // wrote it, or lacks a record file, is not used: it is moved aside under the backups folder,
    // where nothing lists it, and the diary is left as it is.
    Outcome<UnfinishedRestore> finishRestore();
    // Also for the start: makes today's backup unless there is a complete one, then removes the
    // backups the rotation no longer keeps. A diary folder without record files has nothing to
    // back up. A backup that fails removes what it wrote; a folder with today's name that is
    // not a complete backup is moved aside first, as a damaged restore is, and answered. What
    // was moved aside is removed once fourteen daily backups are newer than its day.
    Outcome<SetAside> backUpDaily();

    // Every backup, newest first, each with the days it holds.
    std::vector<Backup> list() const;

    // Replaces the diary's files by those of the backup; the store must have closed them.
    // A backup that lacks a record file, or whose record files cannot all be read, is refused
    // before anything changes. The
    // current files are kept first as a backup of their own, whose name is the answer (empty
    // when the diary folder held no record file).
    Outcome<QString> restore(const QString& name);

    static constexpr int kDailyKept = 14;
    // Which of the daily backups made on the given days the rotation keeps: the 14 newest, and
    // the first of each month of the last year. Newest first.
    static std::vector<QDate> rotationKeeps(std::vector<QDate> made, const QDate& today);

private:
    std::vector<Backup> backups() const;
    // The diary's files as they stand or would stand in the folder, always in the same order:
    // the record files (under any letter case found there), then the other files.
    QStringList filesIn(const QString& folder) const;
    Result copyDiary(const QString& from, const QString& into) const;
    Result makeBackup(const QString& name) const;
    Result rotate(const QDate& today) const;
    Result install() const;
    Result removeLeftovers() const;
    // Removes the folders set aside before the oldest of the daily backups kept.
    Result clearSetAside(const std::vector<QDate>& keptDaily) const;
    Result removeFolder(const QString& path) const;
    // A name under the backups folder not yet taken: `base`, or `base` with "-2", "-3", ...
    QString freeName(const QString& base) const;
    // What a backup folder lacks to be one: empty when it holds every record file and each
    // can be read.
    static QString unreadable(const QString& folder);
    // The first record file the folder lacks, as a phrase; empty when it has them all.
    static QString missingRecordFile(const QString& folder);
    // The same judged quickly, by the record files' headers and sizes: whether a backup was
    // written whole. Each start asks it of today's backup.
    static QString incomplete(const QString& folder);
    // One line a file of filesIn: its fingerprint and name, or "-" and the name when it is not there.
    Outcome<QByteArray> fingerprints(const QString& folder) const;
    // Why the committed restore is not as the restore wrote it or not a whole diary; empty
    // when it is. Fills in which backup it restores and which keeps the replaced files.
    QString stagedProblem(const QString& ready, UnfinishedRestore& restore, bool& keptRecorded) const;

    QString diaryFolder_;
    QStringList otherFiles_;
};

}  // namespace pulmora::store
