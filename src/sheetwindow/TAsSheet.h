#pragma once

#include "sheet/SheetJob.h"

#include "output/Printing.h"
#include "store/Diary.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QListWidget;

namespace pulmora::controls {
class TDaButton;
}

namespace pulmora::sheet {

class SizePreview;

// "Manual Recording Sheets": prints blank diary sheets for the ticked persons, for a week or a
// fortnight from the starting date, to be filled in by hand and typed in later.
class TAsSheet : public QDialog {
    Q_OBJECT
public:
    // Prints a job and says how it went. The window's own lets the user choose a printer or a
    // PDF file in the platform's print dialog.
    using Printing = std::function<output::PrintOutcome(const output::PrintJob&, QWidget& window)>;

    explicit TAsSheet(store::Diary& diary, QWidget* parent = nullptr);

    // Lists everyone and ticks the person of that identifier, the one the daily card shows.
    void Open(const std::optional<store::PersonId>& person);
    void setPrinting(Printing printing) { printing_ = std::move(printing); }

    // The ticked entries' names, in list order.
    QStringList tickedNames() const;
    SheetOptions options() const;

    QLabel* PanHd;
    controls::TDaButton *BtnPrint, *BtnCancel;
    QListWidget* ListAsthmatics;
    QComboBox* FldPeriod;
    QDateEdit* FldStart;
    QComboBox* FldOptions;
    QCheckBox* ChkMan;
    SizePreview* DocSize;

private:
    void ControlBlock(QObject* sender);
    void print();

    store::Diary& diary_;
    Printing printing_;
};

}  // namespace pulmora::sheet
