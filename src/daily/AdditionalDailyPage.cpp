#include "AdditionalDailyPage.h"

#include "controls/GlyphButton.h"
#include "controls/TDaButton.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QTableWidget>

namespace pulmora::daily {
namespace {

constexpr int kMaxTimesUsed = 20;
enum Column { Used, Medication };

}  // namespace

AdditionalDailyPage::AdditionalDailyPage(QWidget* parent) : QWidget(parent) {
    ListTrg = new QListWidget(this);
    ListTrg->setObjectName("ListTrg");
    ListTrg->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListTrg->setAccessibleName("Triggers met today");
    connect(ListTrg, &QListWidget::itemChanged, this, [this] { emit triggerTicked(); });

    MedGrd = new QTableWidget(0, 2, this);
    MedGrd->setObjectName("MedGrd");
    MedGrd->setHorizontalHeaderLabels({"Used:", "Medication:"});
    MedGrd->verticalHeader()->hide();
    MedGrd->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MedGrd->setSelectionMode(QAbstractItemView::SingleSelection);
    MedGrd->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MedGrd->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab moves on to the next control; the arrow keys move between the cells.
    MedGrd->setTabKeyNavigation(false);
    MedGrd->setAccessibleName("Medication taken today; + and - change the count");
    MedGrd->viewport()->installEventFilter(this);
    MedGrd->installEventFilter(this);

    BtnAddTrg = controls::glyphButton(this, controls::glyphs::Kind::Add, "Add New Trigger", {26, 26});
    BtnAddTrg->setObjectName("BtnAddTrg");
    connect(BtnAddTrg, &controls::TDaButton::clicked, this, &AdditionalDailyPage::addTriggerClicked);
    BtnAddMed = controls::glyphButton(this, controls::glyphs::Kind::Add, "Add All Current Medication", {26, 26});
    BtnAddMed->setObjectName("BtnAddMed");
    connect(BtnAddMed, &controls::TDaButton::clicked, this, &AdditionalDailyPage::addMedicationClicked);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->addWidget(new QLabel("Triggers:", this), 0, 0);
    grid->addWidget(BtnAddTrg, 0, 1, Qt::AlignRight);
    grid->addWidget(ListTrg, 1, 0, 1, 2);
    grid->addWidget(new QLabel("Medication:", this), 0, 2);
    grid->addWidget(BtnAddMed, 0, 3, Qt::AlignRight);
    grid->addWidget(MedGrd, 1, 2, 1, 2);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(2, 3);
    FillMedGrid();
}

QList<QWidget*> AdditionalDailyPage::tabOrder() const { return {BtnAddTrg, ListTrg, BtnAddMed, MedGrd}; }

// ---- triggers --------------------------------------------------------------------------------

void AdditionalDailyPage::showTriggers(const std::vector<store::TriggerLine>& lines) {
    const QSignalBlocker quiet(ListTrg);
    ListTrg->clear();
    for (const auto& line : lines) {
        auto* item = new QListWidgetItem(line.name, ListTrg);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(line.ticked ? Qt::Checked : Qt::Unchecked);
        item->setSizeHint(QSize(0, ListTrg->fontMetrics().height() + 2));
        // A long name is cut at the list's edge; it can always be read whole.
        item->setToolTip(line.name.trimmed());
    }
}

std::vector<store::TriggerLine> AdditionalDailyPage::triggers() const {
    std::vector<store::TriggerLine> lines;
    lines.reserve(size_t(ListTrg->count()));
    for (int i = 0; i < ListTrg->count(); ++i)
        lines.push_back({ListTrg->item(i)->text(), ListTrg->item(i)->checkState() == Qt::Checked});
    return lines;
}

QStringList AdditionalDailyPage::tickedTriggers() const {
    QStringList names;
    for (const auto& line : triggers())
        if (line.ticked) names << line.name;
    return names;
}

void AdditionalDailyPage::TickTrigger(const QString& name) {
    auto lines = triggers();
    const auto same = [&](const store::TriggerLine& l) { return l.name.trimmed() == name.trimmed(); };
    if (std::none_of(lines.begin(), lines.end(), same)) lines.push_back({name.trimmed(), false});
    for (auto& line : lines)
        if (same(line)) line.ticked = true;
    showTriggers(lines);
}

// ---- medication ------------------------------------------------------------------------------

int AdditionalDailyPage::filledRows() const {
    return int(std::count_if(rows_.rows.begin(), rows_.rows.end(), [](const auto& r) { return !r.isFree(); }));
}

void AdditionalDailyPage::showMedication(const store::DayMedication& medication) {
    rows_ = medication;
    FillMedGrid();
}

void AdditionalDailyPage::FillMedGrid() {
    const QFontMetrics metrics(MedGrd->font());
    MedGrd->setRowCount(std::max(1, filledRows()));
    MedGrd->clearContents();
    for (int r = 0; r < MedGrd->rowCount(); ++r) MedGrd->setRowHeight(r, metrics.height() + 4);
    MedGrd->setColumnWidth(Used, metrics.horizontalAdvance("Used:W"));
    fitMedicationColumn();
    int r = 0;
    for (const auto& row : rows_.rows) {
        if (row.isFree()) continue;
        const QString shown = (row.name + " (" + row.category + ")").left(32);
        MedGrd->setItem(r, Used, new QTableWidgetItem(QString::number(row.timesUsed)));
        MedGrd->setItem(r, Medication, new QTableWidgetItem(shown));
        ++r;
    }
}

// The grid has its real width only once its page has been shown, so the column follows every
// change of the grid's width rather than the width it had when the day loaded.
void AdditionalDailyPage::fitMedicationColumn() {
    MedGrd->setColumnWidth(Medication, std::max(0, MedGrd->viewport()->width() - MedGrd->columnWidth(Used) - 6));
}

const store::DayMedRow* AdditionalDailyPage::shownRow(int line) const {
    for (const auto& row : rows_.rows) {
        if (row.isFree()) continue;
        if (line-- == 0) return &row;
    }
    return nullptr;
}

void AdditionalDailyPage::countDose(int line, int step) {
    const store::DayMedRow* shown = line < 0 ? nullptr : shownRow(line);
    if (!shown) return;
    const QString medId = shown->medId;
    QString category;
    for (auto& r : rows_.rows) {
        if (r.medId != medId) continue;
        r.timesUsed = std::clamp(r.timesUsed + step, 0, kMaxTimesUsed);
        category = r.category;
    }
    int sum = 0;
    for (const auto& r : rows_.rows)
        if (!r.isFree() && r.category == category) sum += r.timesUsed;
    FillMedGrid();
    MedGrd->setCurrentCell(line, Used);
    emit doseCounted(category, sum);
}

bool AdditionalDailyPage::copyDose(const QString& category, int count) {
    const int rowsOfCategory = category == store::kReliever ? rows_.relieverRows : rows_.preventerRows;
    if (rowsOfCategory != 1) return false;
    for (auto& r : rows_.rows)
        if (!r.isFree() && r.category == category) r.timesUsed = std::min(count, kMaxTimesUsed);
    FillMedGrid();
    return true;
}

// The count changes on the cell under the pointer when the button is released (or on the
// current cell with + and -), and only on a "Used:" cell of a filled row.
bool AdditionalDailyPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MedGrd->viewport() && event->type() == QEvent::Resize) fitMedicationColumn();
    if (watched == MedGrd->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QModelIndex cell = MedGrd->indexAt(mouse->position().toPoint());
        const int step = mouse->button() == Qt::LeftButton ? 1 : mouse->button() == Qt::RightButton ? -1 : 0;
        if (cell.isValid() && cell.column() == Used && step != 0) countDose(cell.row(), step);
    } else if (watched == MedGrd && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int step = key == Qt::Key_Plus ? 1 : key == Qt::Key_Minus ? -1 : 0;
        if (step != 0) {
            countDose(MedGrd->currentRow(), step);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace pulmora::daily
