#include "TAsDly.h"

#include "AdditionalDailyPage.h"
#include "BasicDailyPage.h"
#include "DailyCommands.h"
#include "DailyWindows.h"
#include "DayCalendar.h"
#include "SummaryPicture.h"
#include "controls/AccessibleControls.h"
#include "controls/GlyphButton.h"
#include "controls/MessageLine.h"
#include "controls/Painting.h"
#include "controls/TDaButton.h"
#include "controls/TDaPanel.h"
#include "pictures/Pictures.h"
#include "store/Clock.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLocale>
#include <QShortcut>
#include <QTabWidget>

#include <algorithm>

namespace pulmora::daily {
namespace {

using controls::TDaButton;
namespace glyphs = controls::glyphs;

const QString kForwardDate = QStringLiteral("You are not allowed to record forward date information!");
const QSize kReportSize = controls::pictures::kSplashSize;
const QSize kCardSize(524, 429);
constexpr int kInfoHeight = 33;  // two lines of the card's font

// The card's controls stand where they were placed for its own font, a sans-serif face 12 pixels
// high (9 points on an ordinary screen), so a larger desktop font cuts none of its texts short:
// the card keeps this one whatever the desktop's.
QFont cardFont() {
    QFont font;
    font.setFamilies({QStringLiteral("sans-serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    return font;
}

// The card's controls are named as the card knows them, so that tests can find them.
template <class Control>
Control* named(Control* control, const char* name) {
    control->setObjectName(QLatin1String(name));
    return control;
}

TDaButton* imageButton(QWidget* parent, const char* name, glyphs::Kind kind, const QString& hint,
                       const QRect& geometry) {
    TDaButton* b = named(controls::glyphButton(parent, kind, hint, geometry.size()), name);
    b->move(geometry.topLeft());
    return b;
}

QString longDate(const QDate& date, const QString& pattern) {
    return QLocale(QLocale::English).toString(date, pattern);
}

// The list of the day kept in the file, as the user knows it.
QString listIn(store::TableId file) {
    if (file == store::TableId::DlyTrig) return QStringLiteral("the day's triggers");
    if (file == store::TableId::DlyMed) return QStringLiteral("the day's medication");
    return {};
}

}  // namespace

TAsDly::TAsDly(store::Diary& diary, DailyWindows& windows, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      diary_(diary), windows_(windows) {
    controls::setAccessibleRole(*this, QAccessible::Window);
    setWindowTitle("Pulmora");
    setFont(cardFont());
    setFixedSize(kCardSize);
    layOut();
    connectControls(windows);
    currentDate_ = Cal->selectedDate();
    selectPerson(std::nullopt);
    ClearCard();
    showPendingButtons(false);
    Report->setPixmap(QPixmap::fromImage(controls::pictures::splash(kReportSize, devicePixelRatioF())));
}

void TAsDly::layOut() {
    SelAsName = named(new controls::TDaPanel(this), "SelAsName");
    SelAsName->setGeometry(4, 4, 60, 26);
    SelAsName->setToolTip("Next person");
    BtnPer = imageButton(this, "BtnPer", glyphs::Kind::Person, "Personal Card", {352, 2, 40, 30});
    // The banner widens to the name but stops short of the header buttons.
    SelAsName->setMaximumWidth(BtnPer->x() - 6 - SelAsName->x());
    BtnRep = imageButton(this, "BtnRep", glyphs::Kind::Report, "Reports", {394, 2, 40, 30});
    BtnSheet = imageButton(this, "BtnSheet", glyphs::Kind::Sheet, "Record Sheet", {436, 2, 40, 30});
    BtnMenu = imageButton(this, "BtnMenu", glyphs::Kind::Menu, "Menu", {478, 2, 42, 30});

    BackYear = imageButton(this, "BackYear", glyphs::Kind::PreviousYear, "Back a Calendar Year", {4, 36, 24, 24});
    BackMonth = imageButton(this, "BackMonth", glyphs::Kind::Previous, "Back a Calendar Month", {28, 36, 24, 24});
    PanDate = named(new TDaButton(this), "PanDate");
    PanDate->setGeometry(52, 36, 136, 24);
    PanDate->setToolTip("Click on this for Today");
    PanDate->setAccessibleName("Click on this for Today");
    ForwardMonth = imageButton(this, "ForwardMonth", glyphs::Kind::Next, "Forward a Calendar Month", {188, 36, 24, 24});
    ForwardYear =
        imageButton(this, "ForwardYear", glyphs::Kind::NextYear, "Forward a Calendar Year", {212, 36, 24, 24});
    Cal = named(new DayCalendar(this), "Cal");
    Cal->setAccessibleName("Calendar");
    Cal->setGeometry(4, 62, 232, 160);

    Report = named(new QLabel(this), "Report");
    Report->setAccessibleName("The day beside the previous recorded day");
    Report->setGeometry(QRect(QPoint(244, 36), kReportSize));

    Tabs = named(new QTabWidget(this), "Tabs");
    Tabs->setAccessibleName("The day's entries");
    controls::setAccessibleRole(*Tabs, QAccessible::Pane);
    Tabs->setGeometry(4, 226, 516, 166);
    Basic = named(new BasicDailyPage(Tabs), "Basic");
    Additional = named(new AdditionalDailyPage(Tabs), "Additional");
    Tabs->addTab(Basic, "Basic Daily ");
    Tabs->addTab(Additional, "Additional Daily");

    PanInfo = named(new QLabel(this), "PanInfo");
    controls::markAsMessageLine(*PanInfo);
    PanInfo->setGeometry(4, 394, 400, kInfoHeight);
    PanInfo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanInfo->setWordWrap(true);
    BtnSave = imageButton(this, "BtnSave", glyphs::Kind::Save, "Save", {410, 396, 34, 30});
    BtnCancel = imageButton(this, "BtnCancel", glyphs::Kind::Cancel, "Cancel Changes", {446, 396, 34, 30});
    BtnHelp = imageButton(this, "BtnHelp", glyphs::Kind::Help, "Help", {484, 396, 34, 30});

    // Tab follows the card's reading order: the header, the date bar and calendar, the page in
    // front, then the bottom buttons.
    QList<QWidget*> order = {SelAsName, BtnPer,  BtnRep,       BtnSheet,    BtnMenu, BackYear,
                             BackMonth, PanDate, ForwardMonth, ForwardYear, Cal,     Tabs};
    order << Basic->tabOrder() << Additional->tabOrder() << QList<QWidget*>{BtnSave, BtnCancel, BtnHelp};
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void TAsDly::connectControls(DailyWindows& windows) {
    using Command = DailyCommands::Command;
    commands_ = new DailyCommands(*this, diary_, windows);
    const std::pair<TDaButton*, Command> buttons[] = {{BackYear, Command::BackYear},
                                                      {BackMonth, Command::BackMonth},
                                                      {ForwardMonth, Command::ForwardMonth},
                                                      {ForwardYear, Command::ForwardYear},
                                                      {PanDate, Command::Today},
                                                      {BtnCancel, Command::CancelChanges},
                                                      {BtnPer, Command::PersonalCard},
                                                      {BtnRep, Command::ReportCard},
                                                      {BtnSheet, Command::RecordSheet},
                                                      {BtnMenu, Command::Menu}};
    for (const auto& [button, command] : buttons)
        connect(button, &TDaButton::clicked, this, [this, pressed = command] { commands_->TrapBtns(pressed); });
    connect(BtnHelp, &TDaButton::clicked, this, [this] { commands_->help(helpTopic()); });
    connect(new QShortcut(Qt::Key_F1, this), &QShortcut::activated, this, [this] { commands_->help(helpTopic()); });
    connect(SelAsName, &controls::TDaPanel::clicked, this, [this] { commands_->TrapBtns(Command::NextPerson); });
    connect(Additional, &AdditionalDailyPage::addTriggerClicked, this,
            [this] { commands_->InternalActions(Command::AddTrigger); });
    Cal->setRatingSource([this](const QDate& date) { return person_ ? diary_.days.ChkDly(person_->id, date) : -1; });
    connect(Cal, &QCalendarWidget::selectionChanged, this, &TAsDly::CalDateChange);

    connect(Basic, &BasicDailyPage::switchClicked, this, [this] { TrapUpdate(); });
    connect(Basic, &BasicDailyPage::entryReleased, this, &TAsDly::TrapUpdate2);
    connect(Additional, &AdditionalDailyPage::triggerTicked, this, [this] { TrapUpdate(); });
    connect(Additional, &AdditionalDailyPage::doseCounted, this, [this](const QString& category, int sum) {
        if (refuseWithoutPerson()) return;
        Basic->setDoseCount(category, sum);
        markChanged();
    });
    connect(Additional, &AdditionalDailyPage::addMedicationClicked, this, [this] {
        // Rows added with a count of 0 are not stored, so this is no change to save.
        if (person_) Additional->showMedication(diary_.days.AddNewDlyMed(person_->id, Additional->DayMedRows()));
    });
    // A save that fails has said why on the info line; there is nothing more to do here.
    connect(BtnSave, &TDaButton::clicked, this, [this] { RecUpdate(); });
    auto* save = new QShortcut(QKeySequence::Save, this);
    connect(save, &QShortcut::activated, this, [this] {
        if (recChanged_) RecUpdate();
    });
}

std::optional<store::PersonId> TAsDly::CurrentPerson() const {
    return person_ ? std::optional(person_->id) : std::nullopt;
}

QDate TAsDly::selectedDate() const { return Cal->selectedDate(); }

QPoint TAsDly::anchor(Anchor at) const {
    switch (at) {
    case Anchor::PersonButton: return BtnPer->mapToGlobal(QPoint(BtnPer->width(), 0));
    case Anchor::SheetButton: return BtnSheet->mapToGlobal(QPoint(BtnSheet->width(), 0));
    case Anchor::MenuButton: return BtnMenu->mapToGlobal(QPoint(0, 0));
    case Anchor::Calendar: return Cal->mapToGlobal(QPoint(-1, -1));
    case Anchor::Menu: return mapToGlobal(QPoint(BtnPer->x(), BtnPer->geometry().bottom() + 2));
    }
    return {};
}

QString TAsDly::helpTopic() const {
    return Tabs->currentWidget() == Basic ? QStringLiteral("BasicDailyCard") : QStringLiteral("AdditionalDailyCard");
}

// ---- selection -------------------------------------------------------------------------------

void TAsDly::selectPerson(const std::optional<store::PersonRef>& person) {
    person_ = person;
    SelAsName->setCaption(person ? person->nickname : kNoPersonCaption);
    Cal->repaintCells();
}

void TAsDly::showDay(const std::optional<store::PersonRef>& person, const QDate& date) {
    {
        // The load below is the one for the day; the calendar's own report would load it twice.
        const QSignalBlocker quiet(Cal);
        Cal->setSelectedDate(date);
    }
    selectPerson(person);
    CalDateChange();
}

void TAsDly::showDate(const QDate& date) { Cal->setSelectedDate(date); }

bool TAsDly::entryAllowed() const {
    return !diary_.files.readOnly() && diary_.files.has(store::TableId::Personal) &&
           diary_.files.has(store::TableId::Daily);
}

void TAsDly::CalDateChange() {
    const QDate date = Cal->selectedDate();
    // The day being left keeps its pending changes; if they cannot be written the card stays on it.
    if (recChanged_ && date != currentDate_ && !SaveDay()) {
        const QSignalBlocker quiet(Cal);
        Cal->setSelectedDate(currentDate_);
        return;
    }
    PanDate->setCaption(longDate(date, "MMMM yyyy"));
    Tabs->setEnabled(entryAllowed());
    showPendingButtons(false);
    currentDate_ = date;
    const bool recorded = LoadDay();
    comparison_ = person_ ? diary_.reports.GetRepDly(person_->id, currentDate_) : store::CompareRecord();
    if (recorded)
        ShowSummary();
    else
        Report->setPixmap(QPixmap::fromImage(controls::pictures::splash(kReportSize, devicePixelRatioF())));
    if (date > store::clock::today()) {
        Tabs->setCurrentIndex(0);
        showPendingButtons(false);
        Tabs->setEnabled(false);
        setInfo(kForwardDate);
    } else if (!diary_.files.has(store::TableId::DlyTrig) || !diary_.files.has(store::TableId::DlyMed)) {
        // Said before anything is entered that could not be kept.
        showFileProblems();
    }
    if (!entryAllowed()) showFileProblems();
}

void TAsDly::ClearCard() {
    Basic->clear();
    Additional->showMedication({});
}

bool TAsDly::LoadDay() {
    ClearCard();
    const store::DayCard day = person_ ? diary_.days.GetDly(person_->id, currentDate_) : store::DayCard();
    Basic->showValues(day.values);
    heldReading_ = std::max(day.values.morning, day.values.evening);
    Additional->showTriggers(day.triggers);
    Additional->showMedication(day.medication);
    setInfo(day.found ? "Asthma Record Retrieved for " + longDate(Cal->selectedDate(), "dd MMMM yyyy") : QString());
    return day.found;
}

// ---- changes ---------------------------------------------------------------------------------

// Without a person nothing typed can be kept: the click is undone and the personal card opens
// so that one can be created.
bool TAsDly::refuseWithoutPerson() {
    if (person_) return false;
    LoadDay();
    commands_->openPersonalCard(true);
    return true;
}

void TAsDly::markChanged() {
    recChanged_ = true;
    showPendingButtons(true);
    ShowSummary();
}

void TAsDly::TrapUpdate() {
    if (!refuseWithoutPerson()) markChanged();
}

void TAsDly::TrapUpdate2(const QString& category, int count) {
    if (refuseWithoutPerson()) return;
    if (!category.isEmpty()) Additional->copyDose(category, count);
    markChanged();
}

void TAsDly::tickTriggers(const QStringList& names) {
    for (const QString& name : names) Additional->TickTrigger(name);
    markChanged();
}

void TAsDly::showPendingButtons(bool shown) {
    BtnSave->setVisible(shown);
    BtnCancel->setVisible(shown);
}

void TAsDly::cancelChanges() {
    recChanged_ = false;
    CalDateChange();
}

// ---- saving ----------------------------------------------------------------------------------

bool TAsDly::SaveDay() { return saveDay(Additional->tickedTriggers(), Additional->DayMedRows().rows); }

bool TAsDly::saveDay(const QStringList& triggers, std::span<const store::DayMedRow> medication) {
    // Entering anything without a person opens the personal card instead, so there is one here.
    if (!person_) {
        setInfo(QStringLiteral("ERROR: The day was not saved: no person is chosen."));
        return false;
    }
    const store::PersonId person = person_->id;
    const QDate& date = currentDate_;
    const store::DayValues values = Basic->values();
    const store::Result r = diary_.days.saveDay(person, date, values, triggers, medication, raiseBest(values));
    if (!r) {
        setInfo("ERROR: The day was not saved completely: " + r.error());
        return false;
    }
    heldReading_ = std::max(values.morning, values.evening);
    comparison_ = diary_.reports.GetRepDly(person, date);
    ShowSummary();
    recChanged_ = false;
    showPendingButtons(false);
    return true;
}

// A reading above the person's best becomes the best only when the user says so, so that a typing
// slip does not become the measure of every zone and percentage after it. A reading the day
// held already was asked about when it was entered; with no best yet there is nothing to keep.
store::Days::RaiseBest TAsDly::raiseBest(const store::DayValues& day) {
    const bool evening = day.evening >= day.morning;
    const int reading = evening ? day.evening : day.morning;
    const int best = comparison_.personBest;
    if (best == 0 || reading <= best) return store::Days::RaiseBest::WhenExceeded;
    if (reading == heldReading_) return store::Days::RaiseBest::Never;
    controls::Question question;
    // One call puts every value in, so that a nickname holding "%1" is not taken for a place.
    question.text = QStringLiteral("%1 %2 is above %3's personal best of %4 l/min. Make %2 the personal best?")
                        .arg(evening ? QStringLiteral("Evening") : QStringLiteral("Morning"), QString::number(reading),
                             person_ ? person_->nickname : QString(), QString::number(best));
    question.answers = {QStringLiteral("Yes"), QStringLiteral("No")};
    question.defaultAnswer = question.escapeAnswer = 1;
    const auto answer = windows_.ask(*this, question);
    return answer.opened && answer.choice == 0 ? store::Days::RaiseBest::WhenExceeded : store::Days::RaiseBest::Never;
}

bool TAsDly::RecUpdate() {
    if (person_) return SaveDay();
    commands_->openPersonalCard(true);
    return false;
}

void TAsDly::ShowSummary() {
    if (!person_ || !comparison_.found) {
        Report->setPixmap(QPixmap::fromImage(controls::pictures::splash(kReportSize, devicePixelRatioF())));
        return;
    }
    const store::DayValues day = Basic->values();
    SummaryValues v;
    v.morning = day.morning;
    v.evening = day.evening;
    v.daySymptoms = Basic->daySymptoms();
    v.nightSymptoms = Basic->nightSymptoms();
    v.relievers = day.relievers;
    v.previous = comparison_;
    Report->setPixmap(QPixmap::fromImage(drawComparison(kReportSize, v, font(), palette(), devicePixelRatioF())));
}

// The line holds two lines of text; a longer message is set smaller until it fits. One that does
// not fit even in the smallest letters makes the line taller, and the window with it, so that
// what went wrong is always read whole; the next shorter message gives the card its own size
// back. The tooltip holds the whole message too.
void TAsDly::setInfo(const QString& text) {
    PanInfo->resize(PanInfo->width(), kInfoHeight);
    PanInfo->setFont(controls::fittedFont(font(), text, PanInfo->contentsRect().size()));
    PanInfo->setText(text);
    PanInfo->setToolTip(text);
    const int height = std::max(kInfoHeight, PanInfo->heightForWidth(PanInfo->width()));
    PanInfo->resize(PanInfo->width(), height);
    setFixedSize(kCardSize + QSize(0, height - kInfoHeight));
    emit infoChanged(text);
}

QString TAsDly::info() const { return PanInfo->text(); }

QString TAsDly::fileProblemText(const store::FileProblem& problem) const {
    QString text = QStringLiteral("%1 could not be opened (%2)").arg(problem.fileName, problem.reason);
    if (const QString list = listIn(problem.table); !list.isEmpty() && entryAllowed())
        text += QStringLiteral(", so %1 cannot be saved").arg(list);
    return text;
}

void TAsDly::showFileProblems(const QStringList& notices) {
    if (const QString text = problemsText(notices); !text.isEmpty()) setInfo(text);
}

QString TAsDly::problemsText(const QStringList& notices) const {
    QStringList sentences = notices;
    if (diary_.files.readOnly())
        sentences << QStringLiteral("The diary is open for reading only (%1), so nothing can be entered or saved.")
                         .arg(diary_.files.readOnlyReason());
    QStringList files;
    for (const auto& problem : diary_.files.fileProblems()) files << fileProblemText(problem);
    if (!files.isEmpty()) sentences << files.join("; ") + ". It has been left as it is.";
    return sentences.isEmpty() ? QString() : "ERROR: " + sentences.join(' ');
}

bool TAsDly::saveBeforeClosing() {
    const QStringList triggers = Additional->tickedTriggers();
    const store::DayMedication& medication = Additional->DayMedRows();
    const std::vector<store::TableId> lost = diary_.days.unsavableLists(triggers, medication.rows);
    auto isLost = [&](store::TableId file) { return std::find(lost.begin(), lost.end(), file) != lost.end(); };
    QStringList loss;
    for (const auto& problem : diary_.files.fileProblems())
        if (isLost(problem.table)) loss << fileProblemText(problem) + '.';
    if (loss.isEmpty()) return SaveDay();
    if (!windows_.leaveWithoutSaving(*this, loss.join(' ')).choice) return false;
    // Whatever else the day holds is still written.
    return saveDay(isLost(store::TableId::DlyTrig) ? QStringList() : triggers,
                   isLost(store::TableId::DlyMed) ? std::span<const store::DayMedRow>() : medication.rows);
}

void TAsDly::closeEvent(QCloseEvent* event) {
    if (recChanged_ && !saveBeforeClosing()) {
        // Closing now would lose the day; the info line says why it could not be written.
        event->ignore();
        return;
    }
    Report->clear();
    emit closing();
    event->accept();
}

}  // namespace pulmora::daily
