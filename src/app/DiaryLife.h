#pragma once

#include "ProgramFolders.h"
#include "files/OwnFiles.h"
#include "store/Backups.h"
#include "store/Diary.h"

#include <QStringList>

#include <optional>

namespace pulmora::app {

// The diary's life: which folder holds it, what a start does before a record file is opened for
// writing (finishing or setting aside a restore, the day's backup), opening and closing it, and
// putting a backup back. It knows no window: what it did comes back as values, and the program
// shows them on the daily card.
class DiaryLife {
public:
    // What a start did.
    struct Start {
        // Why no diary was opened, as a phrase that names the folder; empty when it opened.
        QString problem;
        std::optional<store::PersonRef> firstPerson;
        // What went wrong with the backups before the diary opened, as sentences for the card.
        QStringList notices;
        // What else the start did that the user must hear of, as sentences: a restore finished.
        QStringList said;

        bool opened() const { return problem.isEmpty(); }
    };
    // What a restore did: the start after it, and a sentence that says which backup was
    // restored and where the replaced diary is kept, or why the restore failed.
    struct Restore {
        Start start;
        bool restored = false;
        QString said;
    };

    // The program's folder is the executable's own unless one is given (tests do).
    explicit DiaryLife(store::Diary& diary, QString programFolder = {});

    // That folder, with a trailing '/'.
    QString programFolder() const;
    // The diary folder, where the record files, the settings file and the lock live.
    QString ProgDir() const { return diaryFolder_.path(); }
    // From the next start on the diary opens for reading only, for the reason given.
    void openReadOnly(const QString& reason);
    // Chooses the diary folder and sets ProgDir to it; answers whether the program's executable
    // is in its folder and the diary folder can be used.
    bool ChkFiles();
    // Opens the diary in ProgDir; also the restart after a person is deleted.
    Start AsthmaStart();
    void AsthmaClose();
    // The backups of the diary folder.
    store::Backups backups() const;
    // Closes the diary, replaces it by the backup and starts it again.
    Restore RestoreBackup(const store::Backup& backup);

private:
    // Why ChkFiles answers no, or nothing.
    QString filesProblem() const;
    // What a start does before any record file is opened for writing; answers how the diary
    // can be opened, and adds what went wrong with the backups to `notices`.
    store::Access prepareFiles(Start& start);
    // Packs the record files whose deleted records have piled up, once the day's backup is made
    // and before the card waits on the diary.
    void packMarkedFiles();
    // A backup folder's name as the card shows it: "backups/2024-01-01".
    QString backupFolderName(const QString& name) const;

    store::Diary& diary_;
    QString programFolder_;
    DiaryFolder diaryFolder_;
    store::Access access_ = store::Access::ReadWrite;
    // The settings file, the lock and the help pages of the diary folder, the program's own.
    files::OwnFiles ownFiles_;
};

}  // namespace pulmora::app
