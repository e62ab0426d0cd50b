#pragma once

#include "store/Diary.h"

#include <QPoint>
#include <QWidget>

#include <optional>
#include <span>

class QLabel;
class QTabWidget;

namespace pulmora::controls {
class TDaButton;
class TDaPanel;
}  // namespace pulmora::controls

namespace pulmora::daily {

class AdditionalDailyPage;
class BasicDailyPage;
class DailyCommands;
class DailyWindows;
class DayCalendar;

// The daily card, the program's main window: one day of one person's diary. A day is loaded
// when it is chosen on the calendar, changes are tracked as they are made, and they are saved
// with the save button, before another day is shown and when the window closes. The other
// windows it needs are opened through `windows`.
class TAsDly : public QWidget {
    Q_OBJECT
public:
    TAsDly(store::Diary& diary, DailyWindows& windows, QWidget* parent = nullptr);

    const QString& CurrentPerson() const { return currentPerson_; }
    const QString& CurrentDate() const { return currentDate_; }
    bool RecChanged() const { return recChanged_; }

    // Shows the person on the name banner and repaints the calendar for them; none is "New".
    void selectPerson(const std::optional<store::PersonRef>& person);
    // Selects the calendar's day: writes a pending change to the day being left, then loads the new one.
    void CalDateChange();
    void LoadDay();
    void ClearCard();
    // Writes the day with its triggers and medication. On failure the info line says why and the
    // changes stay pending.
    bool SaveDay();
    void RecUpdate();
    void ShowSummary();
    void setInfo(const QString& text);
    QString info() const;
    // Names on the info line, after the given sentences (what went wrong before the diary
    // opened), the record files that could not be opened, and why the diary is open for reading
    // only if it is. Entry stays off while the person or day file is missing or the diary is
    // open for reading only, so nothing is typed that cannot be saved.
    void showFileProblems(const QStringList& notices = {});
    // What showFileProblems shows, "ERROR: " and the sentences; empty when there is nothing wrong.
    QString problemsText(const QStringList& notices = {}) const;
    // Marks the card as holding changes not yet written.
    void markChanged();
    // Drops the pending changes without writing them (the day itself is gone, or reloaded next).
    void forgetChanges() { recChanged_ = false; }
    // Drops the pending changes and shows the day as stored.
    void cancelChanges();
    void showPendingButtons(bool shown);
    DailyCommands& commands() { return *commands_; }

    DayCalendar* Cal;
    controls::TDaPanel* SelAsName;
    controls::TDaButton *BtnPer, *BtnRep, *BtnSheet, *BtnMenu;
    controls::TDaButton *BackYear, *BackMonth, *ForwardMonth, *ForwardYear;
    controls::TDaButton* PanDate;
    QLabel* Report;
    QTabWidget* Tabs;
    BasicDailyPage* Basic;
    AdditionalDailyPage* Additional;
    QLabel* PanInfo;
    controls::TDaButton *BtnSave, *BtnCancel, *BtnHelp;

signals:
    // The window is closing and its day is saved: the store closes and the settings are written.
    void closing();
    // A person was deleted: the store starts again on the remaining people.
    void restartRequested();
    // The menu asks for the diary's backups, to restore one.
    void restoreRequested();
    // The menu asks to export the person's diary to a CSV file.
    void exportRequested(const QString& person, const QString& nickname);
    // The information line shows a new message.
    void infoChanged(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Writes the day with the given lists.
    bool saveDay(const QStringList& triggers, std::span<const store::DayMedRow> medication);
    // Writes the pending day before the window closes and answers whether it may close. A list
    // whose file could not be opened cannot be written: the user is told what would be lost and
    // chooses to leave without it, the rest of the day written, or to stay.
    bool saveBeforeClosing();
    // "DlyTrig.dat could not be opened (why)", and what of the day cannot be saved because of it.
    QString fileProblemText(const store::FileProblem& problem) const;
    void TrapUpdate();
    void TrapUpdate2(QWidget* sender);
    bool refuseWithoutPerson();
    bool entryAllowed() const;
    void layOut();
    void connectControls(DailyWindows& windows);

    store::Diary& diary_;
    DailyWindows& windows_;
    QString currentPerson_;
    QString currentDate_;
    bool recChanged_ = false;
    store::CompareRecord comparison_;
    DailyCommands* commands_;
};

}  // namespace pulmora::daily
