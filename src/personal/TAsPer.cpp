#include "TAsPer.h"

#include "DateBox.h"
#include "MedicationEntries.h"
#include "StorableText.h"
#include "controls/AccessibleControls.h"
#include "controls/GlyphButton.h"
#include "controls/MessageLine.h"
#include "controls/TDaButton.h"
#include "controls/TDaNumber.h"
#include "store/Clock.h"
#include "store/Names.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>
#include <array>
#include <optional>

namespace pulmora::personal {
namespace {

using controls::TDaButton;
namespace glyphs = controls::glyphs;

const QColor kYellow(255, 255, 0);

TDaButton* button(QWidget* parent, glyphs::Kind kind, const QString& hint) {
    return controls::glyphButton(parent, kind, hint, {30, 30});
}

// A text put in a box shows from its start, where a long one says what it is.
void showText(QLineEdit* box, const QString& text) {
    box->setText(text);
    box->setCursorPosition(0);
}

}  // namespace

// Everything a save would write, and the medication boxes: the card holds a change while this
// differs from what it was filled with.
struct TAsPer::CardState {
    store::PersonDetails details;
    QString birthDateText;
    QStringList triggers;
    std::array<store::PersonMedRow, MedicationEntries::kEntries> medication;
    MedicationBoxes boxes;
    bool operator==(const CardState&) const = default;
};

struct TAsPer::Tracking {
    MedicationBoxes shownBoxes;
    std::optional<CardState> filled;
};

TAsPer::TAsPer(store::Diary& diary, PersonalWindows& windows, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint), diary_(diary), windows_(windows),
      entries_(std::make_unique<MedicationEntries>()), tracking_(std::make_unique<Tracking>()) {
    setWindowTitle("Pulmora Personal Card");
    PanHd = new controls::MessageLine(QString(), this);
    PanHd->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    BtnSave = button(this, glyphs::Kind::Save, "Save Personal Changes");
    BtnCancel = button(this, glyphs::Kind::Cancel, "Cancel Changes");
    BtnHelp = button(this, glyphs::Kind::Help, "Help");
    Pages = new QTabWidget(this);
    Pages->setAccessibleName("Personal card");
    controls::setAccessibleRole(*Pages, QAccessible::Pane);
    Pages->addTab(personalPage(), "Personal");
    Pages->addTab(peakFlowPage(), "Peak Flow");
    Pages->addTab(triggersPage(), "Triggers");
    Pages->addTab(medicationPage(), "Medication");

    auto* head = new QHBoxLayout;
    head->addWidget(PanHd, 1);
    for (auto* b : {BtnSave, BtnCancel, BtnHelp}) head->addWidget(b);
    auto* column = new QVBoxLayout(this);
    column->addLayout(head);
    column->addWidget(Pages);
    resize(460, 400);

    // Tab and Enter follow the card's reading order: the header buttons, the page tabs, then
    // each page's boxes from the top, and round to the header (see focusNextPrevChild).
    tabOrder_ = {BtnSave,   BtnCancel,     BtnHelp,          Pages->tabBar(), FldLNam, FldFNam,   FldTitl,
                 FldGend,   FldDofB->edit, FldOcup,          FldHlth,         FldWhoI, FldBest,   FldZYel,
                 FldZRed,   ListTrg,       BtnAddTrg,        BtnDelTrg,       LsMed,   FldMedDes, FldMedType,
                 FldMedIns, FldMedPre,     FldMedDate->edit, BtnAdd,          BtnDel,  BtnTSave,  BtnTCancel};

    connect(BtnSave, &TDaButton::clicked, this, &TAsPer::save);
    connect(BtnCancel, &TDaButton::clicked, this, &QDialog::reject);
    const auto help = [this] {
        static const QStringList topics = {"PersonalPage", "PeakFlowPage", "TriggersPage", "MedicationPage"};
        windows_.showHelp(topics[Pages->currentIndex()]);
    };
    connect(BtnHelp, &TDaButton::clicked, this, help);
    connect(new QShortcut(Qt::Key_F1, this), &QShortcut::activated, this, help);
    // Enter moves on to the next box rather than closing the card.
    for (auto* box : findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(box) || qobject_cast<QComboBox*>(box)) box->installEventFilter(this);
}

QWidget* TAsPer::personalPage() {
    auto* page = new QWidget;
    auto textBox = [&](int length) {
        auto* box = new QLineEdit(page);
        box->setMaxLength(length);
        refuseUnstorableText(box, [this](const QString& m) { setHeader(m); });
        return box;
    };
    FldLNam = textBox(30);
    FldFNam = textBox(30);
    FldOcup = textBox(30);
    FldHlth = textBox(30);
    FldWhoI = textBox(30);
    FldTitl = new QComboBox(page);
    FldTitl->addItems(store::kTitles);
    FldGend = new QComboBox(page);
    FldGend->addItems({"Female", "Male"});
    FldDofB = makeDateBox(page);
    // Most people entered are grown-ups: the calendar opens thirty years back.
    FldDofB->setPopupStart(store::clock::today().addYears(-30));
    auto* form = new QFormLayout(page);
    form->addRow("Surname:", FldLNam);
    form->addRow("Christian Name:", FldFNam);
    form->addRow("Title:", FldTitl);
    form->addRow("Gender:", FldGend);
    form->addRow("Date of Birth:", FldDofB);
    form->addRow("Occupation:", FldOcup);
    form->addRow("Health Number:", FldHlth);
    form->addRow("My Nickname (Unique):", FldWhoI);
    // A list is known by what it chooses, a date box by its label, as a sighted user reads them.
    controls::nameChoiceList(*FldTitl, "Title");
    controls::nameChoiceList(*FldGend, "Gender");
    FldDofB->setAccessibleLabel("Date of Birth");
    for (QLineEdit* box : {FldLNam, FldFNam, FldWhoI, FldOcup, FldHlth})
        connect(box, &QLineEdit::textChanged, this, [this, box] {
            ReqEntry(box);
            dropMendedRefusal();
        });
    connect(FldFNam, &QLineEdit::editingFinished, this, &TAsPer::PopNick);
    connect(FldHlth, &QLineEdit::editingFinished, this, &TAsPer::PopNick);
    // A stored title the list does not offer stands as an extra last item while it is chosen.
    connect(FldTitl, &QComboBox::currentIndexChanged, this, [this](int index) {
        const int extra = int(store::kTitles.size());
        if (FldTitl->count() > extra && index != extra) FldTitl->removeItem(extra);
    });
    connect(FldTitl, &QComboBox::currentTextChanged, this, [this](const QString& title) {
        if (title == "Miss" || title == "Mrs") FldGend->setCurrentText("Female");
        if (title == "Mr" || title == "Sir") FldGend->setCurrentText("Male");
    });
    return page;
}

QWidget* TAsPer::peakFlowPage() {
    auto* page = new QWidget;
    FldBest = new QLineEdit(page);
    FldBest->setMaxLength(4);
    connect(FldBest, &QLineEdit::textChanged, this, [this] {
        if (isYellow(FldBest) && isPeakFlow(FldBest->text())) setYellow(FldBest, false);
        dropMendedRefusal();
    });
    FldZYel = new controls::TDaNumber(page);
    FldZYel->setMaxValue(80);
    FldZYel->setMinValue(60);
    FldZRed = new controls::TDaNumber(page);
    FldZRed->setMaxValue(60);
    FldZRed->setMinValue(40);
    for (auto* zone : {FldZYel, FldZRed}) {
        zone->setFixedSize(50, 28);
        zone->setBtnFrame(true);
    }
    FldZYel->setAccessibleName("Yellow zone limit");
    FldZRed->setAccessibleName("Red zone limit");
    auto* grid = new QGridLayout(page);
    auto* bestLabel = new QLabel("Personal best peak flow:", page);
    bestLabel->setBuddy(FldBest);
    grid->addWidget(bestLabel, 0, 0);
    grid->addWidget(FldBest, 0, 1);
    grid->addWidget(new QLabel("litres/minute", page), 0, 2);
    auto* note = new QLabel("nb. This figure will be adjusted should you exceed this value within the program", page);
    note->setWordWrap(true);
    grid->addWidget(note, 1, 0, 1, 3);
    grid->addWidget(new QLabel("Report Zones based on Peak Best:", page), 2, 0, 1, 3);
    auto zoneRow = [&](int row, const QColor& colour, QWidget* limit, const QString& text, const QString& meaning) {
        auto* mark = new QLabel(page);
        mark->setFixedSize(16, 16);
        mark->setAutoFillBackground(true);
        QPalette p = mark->palette();
        p.setColor(QPalette::Window, colour);
        mark->setPalette(p);
        grid->addWidget(mark, row, 0, Qt::AlignRight);
        auto* line = new QHBoxLayout;
        if (limit) line->addWidget(limit);
        line->addWidget(new QLabel(text, page));
        line->addStretch();
        grid->addLayout(line, row, 1);
        grid->addWidget(new QLabel(meaning, page), row, 2);
    };
    zoneRow(3, QColor(0, 255, 0), nullptr, "100% & less than", "Under control");
    zoneRow(4, QColor(255, 255, 0), FldZYel, "% & less than", "Caution");
    zoneRow(5, QColor(255, 0, 0), FldZRed, "% & less than", "Severe");
    grid->setRowStretch(6, 1);
    return page;
}

QWidget* TAsPer::triggersPage() {
    auto* page = new QWidget;
    ListTrg = new QListWidget(page);
    ListTrg->setAccessibleName("Personal triggers");
    BtnAddTrg = button(page, glyphs::Kind::Add, "Add New Trigger from List");
    BtnDelTrg = button(page, glyphs::Kind::Delete, "Remove Selected Trigger");
    auto* grid = new QGridLayout(page);
    grid->addWidget(ListTrg, 0, 0, 3, 1);
    grid->addWidget(BtnAddTrg, 0, 1);
    grid->addWidget(BtnDelTrg, 1, 1);
    connect(BtnAddTrg, &TDaButton::clicked, this, &TAsPer::addTriggers);
    connect(BtnDelTrg, &TDaButton::clicked, this, [this] { delete ListTrg->currentItem(); });
    return page;
}

QWidget* TAsPer::medicationPage() {
    auto* page = new QWidget;
    LsMed = new QListWidget(page);
    LsMed->setAccessibleName("Medication in use");
    auto textBox = [&](int length) {
        auto* box = new QLineEdit(page);
        box->setMaxLength(length);
        refuseUnstorableText(box, [this](const QString& m) { setHeader(m); });
        connect(box, &QLineEdit::textEdited, this, [this] { entries_->boxChanged(); });
        return box;
    };
    FldMedDes = textBox(20);
    FldMedIns = textBox(30);
    FldMedPre = textBox(20);
    FldMedType = new QComboBox(page);
    FldMedType->addItems(store::kCategories);
    FldMedDate = makeDateBox(page);
    connect(FldMedType, &QComboBox::activated, this, [this] { entries_->boxChanged(); });
    connect(FldMedDate, &DateBox::edited, this, [this] { entries_->boxChanged(); });
    BtnAdd = button(page, glyphs::Kind::Add, "Add New Medication");
    BtnDel = button(page, glyphs::Kind::Delete, "Delete Selected Medication");
    BtnTSave = button(page, glyphs::Kind::Save, "Confirm Change");
    BtnTCancel = button(page, glyphs::Kind::Cancel, "Cancel Change");
    auto* form = new QFormLayout;
    form->addRow("Name/Description:", FldMedDes);
    form->addRow("Category:", FldMedType);
    form->addRow("Instructions on Use:", FldMedIns);
    form->addRow("Prescribed by:", FldMedPre);
    form->addRow("Date:", FldMedDate);
    controls::nameChoiceList(*FldMedType, "Category");
    FldMedDate->setAccessibleLabel("Date");
    auto* buttons = new QHBoxLayout;
    for (auto* b : {BtnAdd, BtnDel, BtnTSave, BtnTCancel}) buttons->addWidget(b);
    buttons->addStretch();
    auto* grid = new QGridLayout(page);
    grid->addWidget(LsMed, 0, 0, 2, 1);
    grid->addLayout(form, 0, 1);
    grid->addLayout(buttons, 1, 1);
    grid->setColumnStretch(1, 2);
    connect(LsMed, &QListWidget::itemClicked, this, &TAsPer::retrieve);
    connect(BtnAdd, &TDaButton::clicked, this, &TAsPer::addMedication);
    connect(BtnDel, &TDaButton::clicked, this, &TAsPer::deleteMedication);
    connect(BtnTSave, &TDaButton::clicked, this, &TAsPer::confirmMedication);
    connect(BtnTCancel, &TDaButton::clicked, this, &TAsPer::cancelMedication);
    return page;
}

// A date box whose refusal shows on the header and goes once the date is put right.
DateBox* TAsPer::makeDateBox(QWidget* page) {
    auto* box = new DateBox(page);
    connect(box, &DateBox::refused, this, [this, box](const QString& message) {
        setYellow(box->edit, true);
        refuse(message, [box] { return box->isAcceptable(); });
    });
    connect(box, &DateBox::edited, this, [this, box] {
        if (isYellow(box->edit) && box->isAcceptable()) setYellow(box->edit, false);
        dropMendedRefusal();
    });
    return box;
}

// ---- filling ---------------------------------------------------------------------------------

void TAsPer::SetUser(const std::optional<store::PersonId>& person) {
    Pages->setCurrentIndex(0);
    FldLNam->setFocus();
    cardPerson_ = person;
    // Nothing is chosen until the user or the stored person chooses it; nothing chosen stores "".
    FldTitl->setCurrentIndex(-1);
    FldGend->setCurrentIndex(-1);
    FldZYel->setNoValue(80);
    FldZRed->setNoValue(50);
    const auto card = person ? diary_.persons.GetPerCrd(*person) : std::nullopt;
    if (card) {
        showText(FldWhoI, card->nickname);
        showText(FldLNam, card->surname);
        showText(FldFNam, card->firstName);
        showText(FldOcup, card->occupation);
        showText(FldHlth, card->healthNumber);
        showText(FldBest, card->best);
        predicted_ = card->predicted;
        // A gender never chosen stays unchosen, so saving the card again does not invent one;
        // a stored text the list does not hold shows as its first item.
        if (!card->gender.isEmpty()) FldGend->setCurrentIndex(std::max(FldGend->findText(card->gender), 0));
        FldDofB->setDate(card->birthDate);  // an empty or invalid stored date stays "no date"
        // A title the list does not offer is shown as an extra item while it is chosen.
        if (!card->title.isEmpty() && FldTitl->findText(card->title) < 0) FldTitl->addItem(card->title);
        if (!card->title.isEmpty()) FldTitl->setCurrentText(card->title);
        FldZYel->setNoValue(card->zoneYellow);
        FldZRed->setNoValue(card->zoneRed);
    }
    for (QLineEdit* box : {FldLNam, FldFNam, FldWhoI, FldOcup, FldHlth}) ReqEntry(box);
    ListTrg->clear();
    if (person) ListTrg->addItems(diary_.persons.ListPerTrg(*person));
    entries_->load(person ? diary_.persons.ListMed(*person) : std::vector<store::PersonMedRow>());
    rebuildMedicationList();
    if (LsMed->count() == 0) {
        addMedication();
    } else {
        LsMed->setCurrentRow(0);
        retrieve();
    }
    tracking_->filled = state();
}

TAsPer::CardState TAsPer::state() const {
    CardState now{details(), FldDofB->text(), {}, entries_->entries(), boxes()};
    for (int i = 0; i < ListTrg->count(); ++i) now.triggers << ListTrg->item(i)->text();
    return now;
}

bool TAsPer::changed() const { return tracking_->filled && state() != *tracking_->filled; }

// The window manager's close button cannot be taken off the card: with changes it asks, as the
// daily card does when it closes, rather than dropping them.
void TAsPer::closeEvent(QCloseEvent* event) {
    if (!changed()) {
        QDialog::closeEvent(event);
        return;
    }
    controls::Question question;
    question.text = QStringLiteral(
        "The personal card holds changes that are not saved. Save them, leave without "
        "saving, or stay on the card?");
    question.answers = {QStringLiteral("Save"), QStringLiteral("Leave Without Saving"), QStringLiteral("Stay")};
    question.escapeAnswer = 2;
    const auto answer = windows_.ask(*this, question);
    const int choice = answer.opened ? answer.choice : question.escapeAnswer;
    if (choice == 1) {
        QDialog::closeEvent(event);
        return;
    }
    if (choice == 0) save();
    // A save that was refused keeps the card open with the reason on its header.
    if (isVisible())
        event->ignore();
    else
        event->accept();
}

void TAsPer::setHeader(const QString& text) {
    PanHd->setText(text);
    refusalMended_ = nullptr;
}

void TAsPer::refuse(const QString& message, std::function<bool()> mended) {
    setHeader(message);
    refusalMended_ = std::move(mended);
}

void TAsPer::dropMendedRefusal() {
    if (refusalMended_ && refusalMended_()) setHeader(QString());
}

QString TAsPer::header() const { return PanHd->text(); }

// ---- checks ----------------------------------------------------------------------------------

void TAsPer::setYellow(QLineEdit* box, bool yellow) {
    QPalette p = box->palette();
    p.setColor(QPalette::Base, yellow ? kYellow : palette().color(QPalette::Base));
    p.setColor(QPalette::Text, yellow ? QColor(Qt::black) : palette().color(QPalette::Text));
    box->setPalette(p);
    box->setProperty("yellow", yellow);
}

bool TAsPer::isYellow(const QLineEdit* box) const { return box->property("yellow").toBool(); }

void TAsPer::ReqEntry(QLineEdit* box) {
    const QString text = box->text().trimmed();
    bool yellow = text.size() < 2;
    if (box == FldWhoI && store::upper(text) == QLatin1String("NEW")) yellow = true;
    setYellow(box, yellow);
}

TAsPer::~TAsPer() = default;

bool TAsPer::nicknameTaken() const { return diary_.persons.ChkPerNick(cardPerson_, FldWhoI->text().trimmed()); }

bool TAsPer::ReqNick() {
    const QString nickname = FldWhoI->text().trimmed();
    // "New" stands for no person at all, so it can never be a nickname.
    setYellow(FldWhoI, nicknameTaken() || nickname.size() < 2 || store::upper(nickname) == QLatin1String("NEW"));
    return !isYellow(FldWhoI);
}

void TAsPer::PopNick() {
    if (FldWhoI->text().trimmed().isEmpty()) FldWhoI->setText(FldFNam->text().trimmed());
}

// Empty counts as 0; anything else must be plain digits that fit the three-digit field.
bool TAsPer::isPeakFlow(const QString& typed) {
    const QString text = typed.trimmed();
    bool number = false;
    const int value = text.toInt(&number);
    return text.isEmpty() || (number && text.front().isDigit() && value <= 999);
}

// The predicted peak flow is not shown and cannot be changed here: it is written back as it was
// read, and refused, as the store would refuse it, when it is no peak flow.
bool TAsPer::checkPeakFlows() {
    const auto refusal = [](const QString& name) {
        return QStringLiteral("ADJUST: The %1 must be a whole number from 0 to 999").arg(name);
    };
    const bool best = isPeakFlow(FldBest->text());
    setYellow(FldBest, !best);
    if (!best) {
        refuse(refusal("personal best peak flow"), [this] { return isPeakFlow(FldBest->text()); });
        return false;
    }
    if (!isPeakFlow(predicted_)) {
        refuse(refusal("predicted peak flow"), [] { return false; });
        return false;
    }
    return true;
}

// ---- saving ----------------------------------------------------------------------------------

void TAsPer::save() {
    ReqNick();
    const auto outstanding = [this] { return isYellow(FldLNam) || isYellow(FldFNam) || isYellow(FldWhoI); };
    if (outstanding()) {
        QString message = QStringLiteral("Still Outstanding Require Yellow Boxes!");
        if (nicknameTaken())
            message +=
                QStringLiteral(" The nickname \"%1\" is taken by another person.").arg(FldWhoI->text().trimmed());
        refuse(message, [outstanding] { return !outstanding(); });
        return;
    }
    if (!checkPeakFlows()) return;
    if (!FldDofB->check()) return;
    if (!takeTypedMedication()) return;
    const auto added = diary_.persons.AddPer(cardPerson_, details());
    if (!added) {
        setHeader("ERROR: " + added.error());
        return;
    }
    saved_ = added.value;
    cardPerson_ = saved_->id;
    if (!writeLists()) return;
    accept();
}

store::PersonDetails TAsPer::details() const {
    store::PersonDetails d;
    d.nickname = FldWhoI->text().trimmed();
    d.surname = FldLNam->text().trimmed();
    d.firstName = FldFNam->text().trimmed();
    d.gender = FldGend->currentText();
    d.birthDate = FldDofB->date().isValid() ? FldDofB->date() : QDate();
    d.title = FldTitl->currentText();
    d.occupation = FldOcup->text().trimmed();
    d.healthNumber = FldHlth->text().trimmed();
    d.zoneYellow = QString::number(FldZYel->NoValue());
    d.zoneRed = QString::number(FldZRed->NoValue());
    d.best = FldBest->text().trimmed();
    d.predicted = predicted_.trimmed();
    return d;
}

// A medication typed in the boxes but not confirmed is part of what the user means to save, as a
// reading being typed is part of the day: complete, it is taken as if confirmed; otherwise the
// user chooses between saving without it and staying to put it right.
bool TAsPer::takeTypedMedication() {
    if (boxes() == tracking_->shownBoxes) return true;
    const QString refusal = confirmBoxes();
    if (refusal.isEmpty()) return true;
    controls::Question question;
    question.text = QStringLiteral(
                        "The medication typed on the Medication page cannot be taken as it is (%1). Save "
                        "the card without it, or stay and put it right?")
                        .arg(refusal);
    question.answers = {QStringLiteral("Save Without It"), QStringLiteral("Stay")};
    question.defaultAnswer = question.escapeAnswer = 1;
    const auto answer = windows_.ask(*this, question);
    if (answer.opened && answer.choice == 0) return true;
    Pages->setCurrentIndex(3);
    return false;
}

bool TAsPer::writeLists() {
    QStringList triggers;
    for (int i = 0; i < ListTrg->count(); ++i) triggers << ListTrg->item(i)->text();
    const store::Result r = diary_.persons.savePersonLists(*cardPerson_, triggers, entries_->entries());
    if (!r) setHeader("ERROR: The person was saved, their lists not completely: " + r.error());
    return r.ok();
}

// ---- triggers --------------------------------------------------------------------------------

void TAsPer::addTriggers() {
    const auto picked = windows_.pickTriggersForPerson(*this, BtnAddTrg->mapToGlobal(QPoint(0, 0)));
    if (!picked.opened) setHeader("ERROR: Could not open Trigger List");
    if (!picked.choice) return;
    for (const QString& name : *picked.choice) {
        bool listed = false;
        for (int i = 0; i < ListTrg->count(); ++i)
            listed = listed || ListTrg->item(i)->text().trimmed() == name.trimmed();
        if (!listed) ListTrg->addItem(name.trimmed());
    }
}

// ---- medication ------------------------------------------------------------------------------

void TAsPer::rebuildMedicationList() {
    LsMed->clear();
    LsMed->addItems(entries_->names());
}

MedicationBoxes TAsPer::boxes() const {
    return {FldMedDes->text(), FldMedType->currentIndex() < 0 ? QString() : FldMedType->currentText(),
            FldMedIns->text(), FldMedPre->text(), FldMedDate->date()};
}

void TAsPer::showBoxes(const MedicationBoxes& b) {
    showText(FldMedDes, b.name);
    if (const int i = int(store::kCategories.indexOf(b.category)); i >= 0 || b.category.isEmpty())
        FldMedType->setCurrentIndex(i);
    showText(FldMedIns, b.instructions);
    showText(FldMedPre, b.prescribedBy);
    FldMedDate->setDate(b.date.isValid() ? b.date : store::clock::today());
    tracking_->shownBoxes = boxes();
}

void TAsPer::retrieve() {
    const auto* item = LsMed->currentItem();
    const auto found = item ? entries_->retrieve(item->text()) : std::nullopt;
    if (!found) {
        setHeader("ERROR: Could Not Retrieve Medication");
        return;
    }
    showBoxes(*found);
    setHeader("RETRIEVED: " + found->name);
}

void TAsPer::addMedication() {
    if (!entries_->add()) {
        // The boxes stay as they are, bound to no entry: confirming them adds nothing and
        // replaces none of the ten.
        setHeader(kLimitMessage);
        return;
    }
    showBoxes({});
    FldMedDes->setFocus();
}

QString TAsPer::confirmBoxes() {
    if (!FldMedDate->check()) return header();  // the date box put its refusal there
    if (const QString refusal = entries_->confirm(boxes()); !refusal.isEmpty()) {
        setHeader(refusal);
        return refusal;
    }
    rebuildMedicationList();
    tracking_->shownBoxes = boxes();
    return {};
}

void TAsPer::confirmMedication() { confirmBoxes(); }

void TAsPer::cancelMedication() {
    entries_->cancel();
    showBoxes({});
}

void TAsPer::deleteMedication() {
    const auto* item = LsMed->currentItem();
    if (!item || !entries_->remove(item->text())) {
        setHeader("ERROR: Could not delete record");
        return;
    }
    rebuildMedicationList();
}

// The order is kept here rather than in the toolkit's focus chain: set through the page control,
// whose pages hold the boxes, that chain took the first boxes of a page out of the order and
// left the last leading back to the tabs instead of the header.
bool TAsPer::focusNextPrevChild(bool next) {
    const qsizetype at = tabOrder_.indexOf(focusWidget());
    if (at < 0) return QDialog::focusNextPrevChild(next);
    const qsizetype count = tabOrder_.size();
    for (qsizetype step = 1; step < count; ++step) {
        QWidget* candidate = tabOrder_[(at + (next ? step : count - step)) % count];
        if (candidate->isVisibleTo(this) && candidate->isEnabled() && (candidate->focusPolicy() & Qt::TabFocus)) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return QDialog::focusNextPrevChild(next);
}

bool TAsPer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace pulmora::personal
