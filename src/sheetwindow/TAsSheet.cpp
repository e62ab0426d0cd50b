#include "TAsSheet.h"

#include "SizePreview.h"
#include "sheet/SheetFont.h"

#include "controls/AccessibleControls.h"
#include "controls/GlyphButton.h"
#include "controls/MessageLine.h"
#include "controls/TDaButton.h"
#include "printer/Printer.h"
#include "store/Clock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>

namespace pulmora::sheet {
namespace {

namespace glyphs = controls::glyphs;

const QColor kPurple(128, 0, 128);

output::PrintOutcome printWithDialog(const output::PrintJob& job, QWidget& window) {
    QPrinter printer(QPrinter::HighResolution);
    return output::printWithDialog(printer, job, &window);
}

QLabel* caption(QWidget* parent, const QString& text, const QRect& place) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(place);
    return label;
}

}  // namespace

TAsSheet::TAsSheet(store::Diary& diary, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), diary_(diary), printing_(printWithDialog) {
    setWindowTitle("Manual Recording Sheets");
    setModal(true);
    setFont(sheetFont(8));
    setFixedSize(410, 212);
    setAutoFillBackground(true);
    QPalette purple = palette();
    purple.setColor(QPalette::Window, kPurple);
    purple.setColor(QPalette::WindowText, Qt::white);
    setPalette(purple);

    PanHd = new QLabel(" Select Printing Options", this);
    controls::markAsMessageLine(*PanHd);
    QFont bold = font();
    bold.setBold(true);
    PanHd->setFont(bold);
    PanHd->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanHd->setGeometry(4, 4, 334, 30);
    BtnPrint = controls::glyphButton(this, glyphs::Kind::Print, "Print the Sheets", {32, 30});
    BtnPrint->move(340, 4);
    BtnCancel = controls::glyphButton(this, glyphs::Kind::Cancel, "Close", {32, 30});
    BtnCancel->move(374, 4);

    ListAsthmatics = new QListWidget(this);
    ListAsthmatics->setGeometry(4, 40, 128, 168);
    ListAsthmatics->setAccessibleName("Persons to print");

    caption(this, "Recording Period:", {138, 40, 132, 16});
    FldPeriod = new QComboBox(this);
    FldPeriod->addItems({"One Week", "Two Weeks"});
    FldPeriod->setGeometry(138, 56, 132, 24);
    caption(this, "Starting Date:", {138, 86, 132, 16});
    FldStart = new QDateEdit(this);
    FldStart->setCalendarPopup(true);
    FldStart->setDisplayFormat("dd/MM/yyyy");
    FldStart->setGeometry(138, 102, 132, 24);
    caption(this, "Sheet Options:", {138, 132, 132, 16});
    FldOptions = new QComboBox(this);
    FldOptions->addItems({"All Together", "Trig/Med Seperate"});
    FldOptions->setGeometry(138, 148, 132, 24);
    // Each list and box is known by its caption, not by what it holds.
    controls::nameChoiceList(*FldPeriod, "Recording Period");
    FldStart->setAccessibleName("Starting Date");
    controls::nameChoiceList(*FldOptions, "Sheet Options");
    ChkMan = new QCheckBox("Auto. Print Page", this);
    ChkMan->setGeometry(138, 182, 132, 22);

    auto* lowered = new QFrame(this);
    lowered->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lowered->setLineWidth(2);
    lowered->setGeometry(276, 40, SizePreview::kSize.width() + 4, SizePreview::kSize.height() + 4);
    DocSize = new SizePreview(lowered);
    DocSize->move(2, 2);

    connect(BtnPrint, &controls::TDaButton::clicked, this, [this] { ControlBlock(BtnPrint); });
    connect(BtnCancel, &controls::TDaButton::clicked, this, [this] { ControlBlock(BtnCancel); });
    // Followed however it changes: a click, a key or an assistive tool's action.
    connect(ChkMan, &QCheckBox::toggled, this, [this] { ControlBlock(ChkMan); });
}

void TAsSheet::Open(const std::optional<store::PersonId>& person) {
    FldStart->setDate(store::clock::today());
    FldPeriod->setCurrentIndex(0);
    FldOptions->setCurrentIndex(0);
    ChkMan->setChecked(true);
    DocSize->setAutomatic(true);
    ListAsthmatics->clear();
    for (const store::PersonRef& listed : sheetEntries(diary_.persons)) {
        auto* entry = new QListWidgetItem(listed.nickname, ListAsthmatics);
        entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
        entry->setCheckState(listed.id == person ? Qt::Checked : Qt::Unchecked);
    }
}

QStringList TAsSheet::tickedNames() const {
    QStringList names;
    for (int i = 0; i < ListAsthmatics->count(); ++i)
        if (ListAsthmatics->item(i)->checkState() == Qt::Checked) names << ListAsthmatics->item(i)->text();
    return names;
}

SheetOptions TAsSheet::options() const {
    SheetOptions options;
    options.first = FldStart->date();
    options.days = FldPeriod->currentIndex() == 1 ? 14 : 7;
    options.separateLists = FldOptions->currentIndex() == 1;
    options.size = DocSize->choice();
    return options;
}

void TAsSheet::ControlBlock(QObject* sender) {
    if (sender == ChkMan) DocSize->setAutomatic(ChkMan->isChecked());
    if (sender == BtnCancel) reject();
    if (sender == BtnPrint) print();
}

void TAsSheet::print() {
    std::vector<SheetPerson> persons;
    for (const QString& name : tickedNames()) persons.push_back(GetAsthmatic(diary_.persons, name));
    if (persons.empty()) {
        accept();
        return;
    }
    const output::PrintOutcome outcome = printing_(sheetJob(persons, options()), *this);
    switch (outcome.status()) {
    case output::PrintOutcome::Status::Printed: accept(); break;
    case output::PrintOutcome::Status::Cancelled: break;
    case output::PrintOutcome::Status::Failed: PanHd->setText("ERROR: " + outcome.error()); break;
    }
}

}  // namespace pulmora::sheet
