#pragma once

#include "ProgramFolders.h"
#include "store/Backups.h"
#include "store/Diary.h"

#include <QImage>
#include <QWidget>

namespace pulmora::daily {
class TAsDly;
}

namespace pulmora::app {

// The store window. It owns nothing of the diary itself but starts and stops it, and its face
// is the file-status monitor ("DB Monitor"): hidden, yet redrawn whenever the store reports a
// change so that it is right whenever it is shown.
class TAsDB : public QWidget {
    Q_OBJECT
public:
    explicit TAsDB(store::Diary& diary, QWidget* parent = nullptr);

    // The folder of the program; the executable's own folder unless one is given (tests do).
    void setProgramFolder(const QString& folder) { programFolder_ = folder; }
    // That folder, with a trailing '/'.
    QString programFolder() const;
    // The diary folder, where the record files, the settings file and the lock live.
    QString ProgDir() const { return diaryFolder_.path(); }
    // From the next start on the diary opens for reading only, for the reason given, which the
    // card shows.
    void openReadOnly(const QString& reason);
    // Chooses the diary folder and sets ProgDir to it; answers whether the program's executable
    // is in its folder and the diary folder can be used.
    bool ChkFiles();
    // Opens the diary in ProgDir and shows the first person's card for today; also the restart
    // after a person is deleted.
    void AsthmaStart(daily::TAsDly& card);
    void AsthmaClose();
    // The backups of the diary folder.
    store::Backups backups() const;
    // Closes the diary, replaces it by the backup and starts it again; the card's information
    // line tells how that went.
    void RestoreBackup(const store::Backup& backup, daily::TAsDly& card);
    // What the monitor shows: the status texts of the person and day files.
    struct MonitorState {
        QString personal;
        QString daily;
        bool drawn = false;  // first drawn once every file has opened
    };
    // Recomputes the status texts and redraws the monitor picture.
    void ShowFState();
    // The monitor also shows the card's latest message whole, however long it is.
    void showMessage(const QString& message);
    const QString& message() const { return message_; }
    const QImage& Image1() const { return image_; }
    const MonitorState& monitor() const { return monitor_; }
    // "File Not Open", or record number, position percentage and record count: "12:75%:16".
    static QString statusText(const store::TablePosition& position);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Why ChkFiles answers no, or nothing.
    QString filesProblem() const;
    void StartDiary(daily::TAsDly& card);
    // What a start does before any record file is opened for writing; answers how the diary
    // can be opened, and adds what went wrong with the backups to `notices`, for the card.
    store::Access prepareFiles(QStringList& notices);
    void draw();

    store::Diary& diary_;
    QString programFolder_;
    DiaryFolder diaryFolder_;
    store::Access access_ = store::Access::ReadWrite;
    // What the latest start found wrong with the backups, for the card.
    QStringList startNotices_;
    QString message_;
    QImage image_;
    MonitorState monitor_;
};

}  // namespace pulmora::app
