#pragma once

#include "store/Values.h"

#include <QWidget>

class QListWidget;
class QTableWidget;

namespace pulmora::controls {
class TDaButton;
}

namespace pulmora::daily {

// The "Additional Daily" page: the check list of the day's triggers and the grid of the day's
// medication, whose "Used:" counts go up with a left click and down with a right click. Its
// controls carry their names as object names.
class AdditionalDailyPage : public QWidget {
    Q_OBJECT
public:
    explicit AdditionalDailyPage(QWidget* parent = nullptr);

    // The page's controls in reading order: each list after the button above it.
    QList<QWidget*> tabOrder() const;

    void showTriggers(const std::vector<store::TriggerLine>& lines);
    std::vector<store::TriggerLine> triggers() const;
    QStringList tickedTriggers() const;
    // Ticks the trigger, adding it when no line has that name.
    void TickTrigger(const QString& name);

    const store::DayMedication& DayMedRows() const { return rows_; }
    void showMedication(const store::DayMedication& medication);
    // Sets every row of the category to the count when it is the only such row; answers whether it did.
    bool copyDose(const QString& category, int count);
    // Rebuilds the grid from DayMedRows.
    void FillMedGrid();
    // Steps the "Used:" count of a grid line (0-based among the filled rows) by +1 or -1, within 0..20.
    void countDose(int line, int step);

signals:
    void triggerTicked();
    // The "+" above the triggers: triggers are to be picked from the common list.
    void addTriggerClicked();
    // The "+" above the medication: the person's current medication is to be added.
    void addMedicationClicked();
    // A count changed: the new sum of times used over the rows of that category.
    void doseCounted(const QString& category, int sum);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int filledRows() const;
    // The filled row shown on that line of the grid; null when none is.
    const store::DayMedRow* shownRow(int line) const;
    void fitMedicationColumn();

    store::DayMedication rows_;
    QListWidget* ListTrg;
    QTableWidget* MedGrd;
    controls::TDaButton* BtnAddTrg;
    controls::TDaButton* BtnAddMed;
};

}  // namespace pulmora::daily
