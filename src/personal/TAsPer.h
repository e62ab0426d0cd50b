#pragma once

#include "PersonalWindows.h"
#include "store/Diary.h"

#include <QDialog>

#include <functional>
#include <memory>

class QComboBox;
class QLineEdit;
class QListWidget;
class QTabWidget;

namespace pulmora::controls {
class MessageLine;
class TDaButton;
class TDaNumber;
}  // namespace pulmora::controls

namespace pulmora::personal {

class DateBox;
class MedicationEntries;
struct MedicationBoxes;

// "Pulmora Personal Card": a person's details, peak-flow zones, triggers and current
// medication. Nothing is written until it is saved; cancelling leaves the diary as it was. The
// trigger list and help are opened through `windows`.
class TAsPer : public QDialog {
    Q_OBJECT
public:
    TAsPer(store::Diary& diary, PersonalWindows& windows, QWidget* parent = nullptr);
    ~TAsPer() override;

    // Fills the card for the person, or empties it for a new one.
    void SetUser(const std::optional<store::PersonId>& person);
    void setHeader(const QString& text);
    QString header() const;
    const std::optional<store::PersonId>& CardPerson() const { return cardPerson_; }
    // The person stored by the last save: identifier and nickname for the daily card.
    const std::optional<store::PersonRef>& saved() const { return saved_; }
    const MedicationEntries& medication() const { return *entries_; }
    bool isYellow(const QLineEdit* box) const;

    controls::MessageLine* PanHd;
    controls::TDaButton *BtnSave, *BtnCancel, *BtnHelp;
    QTabWidget* Pages;
    QLineEdit *FldLNam, *FldFNam, *FldOcup, *FldHlth, *FldWhoI, *FldBest;
    QComboBox *FldTitl, *FldGend;
    DateBox* FldDofB;
    controls::TDaNumber *FldZYel, *FldZRed;
    QListWidget* ListTrg;
    controls::TDaButton *BtnAddTrg, *BtnDelTrg;
    QListWidget* LsMed;
    QLineEdit *FldMedDes, *FldMedIns, *FldMedPre;
    QComboBox* FldMedType;
    DateBox* FldMedDate;
    controls::TDaButton *BtnAdd, *BtnDel, *BtnTSave, *BtnTCancel;

    // Whether anything on the card differs from what it was filled with.
    bool changed() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QWidget* personalPage();
    QWidget* peakFlowPage();
    QWidget* triggersPage();
    QWidget* medicationPage();
    DateBox* makeDateBox(QWidget* page);
    void ReqEntry(QLineEdit* box);
    bool ReqNick();
    bool nicknameTaken() const;
    void PopNick();
    void save();
    // The person's details as a save writes them.
    store::PersonDetails details() const;
    // Whether the boxes of the medication page hold nothing unconfirmed that the user wants kept.
    bool takeTypedMedication();
    // Whether the peak flows are whole numbers the record holds; the header says which is not.
    bool checkPeakFlows();
    static bool isPeakFlow(const QString& text);
    // A refusal on the header that goes as soon as `mended` answers true.
    void refuse(const QString& message, std::function<bool()> mended);
    void dropMendedRefusal();
    bool writeLists();
    void addTriggers();
    void rebuildMedicationList();
    void showBoxes(const MedicationBoxes& boxes);
    MedicationBoxes boxes() const;
    void retrieve();
    void addMedication();
    // Confirms the boxes into the entry being edited; answers the refusal, which the header
    // shows, or an empty text.
    QString confirmBoxes();
    void confirmMedication();
    void cancelMedication();
    void deleteMedication();
    void setYellow(QLineEdit* box, bool yellow);

    store::Diary& diary_;
    PersonalWindows& windows_;
    std::optional<store::PersonId> cardPerson_;
    std::optional<store::PersonRef> saved_;
    // The stored predicted peak flow, kept unchanged through a save.
    QString predicted_;
    std::unique_ptr<MedicationEntries> entries_;
    std::function<bool()> refusalMended_;
    struct CardState;
    CardState state() const;
    // What the card was filled with, and what the medication boxes showed when they were last
    // filled or confirmed.
    struct Tracking;
    std::unique_ptr<Tracking> tracking_;
    // Every control Tab stops at, in reading order.
    QList<QWidget*> tabOrder_;
};

}  // namespace pulmora::personal
