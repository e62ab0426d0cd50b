#pragma once

#include "store/Diary.h"

#include <QDate>
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

// The name banner's caption while no person is chosen.
inline const QString kNoPersonCaption = QStringLiteral("New");

class AdditionalDailyPage;
class BasicDailyPage;
class DailyCommands;
class DailyWindows;
class DayCalendar;

// The daily card, the program's main window: one day of one person's diary. A day is loaded
// when it is chosen on the calendar, changes are tracked as they are made, and they are saved
// with the save button, before another day is shown and when the window closes. The other
// windows it needs are opened through `windows`. Its controls are its own: others use the
// operations below.
class TAsDly : public QWidget {
    Q_OBJECT
public:
    TAsDly(store::Diary& diary, DailyWindows& windows, QWidget* parent = nullptr);

    // The selected person's identifier, none when no person is chosen.
    std::optional<store::PersonId> CurrentPerson() const;
    const std::optional<store::PersonRef>& selectedPerson() const { return person_; }
    const QDate& CurrentDate() const { return currentDate_; }
    QDate selectedDate() const;
    bool RecChanged() const { return recChanged_; }

    // Shows the person on the name banner and repaints the calendar for them; none is "New".
    void selectPerson(const std::optional<store::PersonRef>& person);
    // Shows the person's day: the person selected and the day loaded, once, whatever was shown.
    void showDay(const std::optional<store::PersonRef>& person, const QDate& date);
    // Selects the day on the calendar, as a click on it does: a pending change of the day being
    // left is written first, and the day shown is not loaded again when it is the same.
    void showDate(const QDate& date);
    // Selects the calendar's day: writes a pending change to the day being left, then loads the new one.
    void CalDateChange();
    // Loads the day; answers whether it has a record.
    bool LoadDay();
    void ClearCard();
    // Writes the day with its triggers and medication. On failure the info line says why and the
    // changes stay pending.
    bool SaveDay();
    // The save button: the day is written, or without a person the personal card opens instead.
    // Answers whether the day was written; when it was not, the info line says why and the
    // changes stay pending, with the person and day they were made on.
    bool RecUpdate();
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
    // Ticks the day's triggers of those names, adding any the list does not hold, and marks the
    // day changed.
    void tickTriggers(const QStringList& names);
    // Marks the card as holding changes not yet written.
    void markChanged();
    // Drops the pending changes without writing them (the day itself is gone, or reloaded next).
    void forgetChanges() { recChanged_ = false; }
    // Drops the pending changes and shows the day as stored.
    void cancelChanges();
    void showPendingButtons(bool shown);

    // Where the windows the card asks for are placed: screen points at its controls.
    enum class Anchor {
        PersonButton,  // the top right corner of the personal card button: the personal card, deletions
        SheetButton,   // the top right corner of the record sheet button
        MenuButton,    // the top left corner of the menu button: the trigger list
        Calendar,      // just above and left of the calendar: the about window
        Menu,          // below the header buttons, from the personal card button: the menu
    };
    QPoint anchor(Anchor at) const;
    // The help topic of the page in front.
    QString helpTopic() const;

signals:
    // The window is closing and its day is saved: the store closes and the settings are written.
    void closing();
    // A person was deleted: the store starts again on the remaining people.
    void restartRequested();
    // The menu asks for the diary's backups, to restore one.
    void restoreRequested();
    // The menu asks to export the person's diary to a CSV file.
    void exportRequested(const store::PersonRef& person);
    // The information line shows a new message.
    void infoChanged(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Writes the day with the given lists.
    bool saveDay(const QStringList& triggers, std::span<const store::DayMedRow> medication);
    // Whether the save may raise the person's best to the day's higher reading; asks the user.
    store::Days::RaiseBest raiseBest(const store::DayValues& day);
    // Writes the pending day before the window closes and answers whether it may close. A list
    // whose file could not be opened cannot be written: the user is told what would be lost and
    // chooses to leave without it, the rest of the day written, or to stay.
    bool saveBeforeClosing();
    // "DlyTrig.dat could not be opened (why)", and what of the day cannot be saved because of it.
    QString fileProblemText(const store::FileProblem& problem) const;
    void TrapUpdate();
    // A dose typed or counted on the basic page; `category` is empty for a peak flow.
    void TrapUpdate2(const QString& category, int count);
    bool refuseWithoutPerson();
    bool entryAllowed() const;
    void layOut();
    void connectControls(DailyWindows& windows);

    store::Diary& diary_;
    DailyWindows& windows_;
    std::optional<store::PersonRef> person_;
    QDate currentDate_;
    bool recChanged_ = false;
    // The day's higher reading as loaded or last saved.
    int heldReading_ = 0;
    store::CompareRecord comparison_;
    DailyCommands* commands_;

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
};

}  // namespace pulmora::daily
