#include "TAsRep.h"

#include "GraphPage.h"
#include "ReportView.h"
#include "SpokenReport.h"
#include "controls/GlyphButton.h"
#include "controls/MessageLine.h"
#include "controls/Painting.h"
#include "controls/TDaButton.h"
#include "controls/TDaPanel.h"
#include "graphs/GraphChart.h"
#include "graphs/GraphOutput.h"
#include "output/PageMargins.h"
#include "pages/ReportPage.h"
#include "printer/Printer.h"
#include "reports/ControlSummary.h"
#include "reports/MonthlyAdditional.h"
#include "reports/MonthlyBasic.h"
#include "reports/ReportCanvas.h"
#include "reports/ReportRun.h"
#include "reports/WeeklyComparison.h"
#include "store/Clock.h"
#include "visit/ActionPlan.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QWheelEvent>

namespace pulmora::reports {
namespace {

using controls::TDaButton;
namespace glyphs = controls::glyphs;

const QString kWelcome = QStringLiteral(" Welcome to the Pulmora Reporter");
const QString kNoReportSelected = QStringLiteral(" You must have a report selected before using this option!");
const QString kNoSaveWindow = QStringLiteral("ERROR: Could not open Save Jpeg Card");
const QString kSavedAs = QStringLiteral(" Report Saved as ");
const QString kPrinting = QStringLiteral("Printing Report ..");
const QString kWaitWhilePrinting = QStringLiteral(" Please Wait Whilst Report is Printing ..");
const QString kSentToPrinter = QStringLiteral("Report Sent to Printer");
const QString kPlanSentToPrinter = QStringLiteral("Asthma Action Plan Sent to Printer");
const QString kPrintCancelled = QStringLiteral(" Printing Cancelled - Nothing was Printed");
const QString kGraphAnalysis = QStringLiteral("Graph Analysis Reports");
const QString kWritingPack = QStringLiteral(" Please Wait Whilst the Visit Pack is Written ..");
const QString kPackSavedAs = QStringLiteral(" Visit Pack Saved as ");
constexpr int kPeakFlowTrend = 1;  // the item of the graph page's analysis list
const QColor kNavy(0, 0, 128);

// The size the card is made at, before Open gives it the placement it last had.
constexpr int kOpeningWidth = 637, kOpeningHeight = 432;
constexpr int kMinimumWidth = 560, kMinimumHeight = 430, kShortHeight = 450;
constexpr int kBarHeight = 40, kStatusHeight = 28, kStripWidth = 40, kButton = 34;

// Arial 8, the report pictures' own font: printing measures its yardstick letter in it.
QFont windowFont() { return reportFont(); }

// What the status bar says once the pack was written to the path, or was not.
QString packSaved(const VisitPack& pack, const QString& path) {
    const output::PrintOutcome saved = SaveVisitPack(pack, path);
    return saved.ok() ? kPackSavedAs + QDir::toNativeSeparators(path) : "ERROR: " + saved.error();
}

// A stored placement on no screen that is still there would open the card out of sight.
QRect onScreen(const QRect& geometry) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(geometry)) return geometry;
    return QRect(QGuiApplication::primaryScreen()->availableGeometry().topLeft(), geometry.size());
}

}  // namespace

TAsRep::TAsRep(store::Diary& diary, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      diary_(diary), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setWindowTitle("Pulmora Report Card");
    setFont(windowFont());
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    createControls();
    connectControls();
    resize(kOpeningWidth, kOpeningHeight);
}

void TAsRep::createControls() {
    auto button = [this](QWidget* parent, glyphs::Kind kind, const QString& hint) {
        TDaButton* b = controls::glyphButton(parent, kind, hint, QSize(kButton, kButton));
        // Buttons are drawn on their parent's background; on the card's navy frame the navy
        // glyphs would vanish, so these carry a face of their own.
        if (parent == this) {
            QPalette face = b->palette();
            face.setColor(QPalette::Window, face.color(QPalette::Button));
            b->setPalette(face);
            b->setAutoFillBackground(true);
        }
        return b;
    };
    SelAsName = new controls::TDaPanel(this);
    QFont banner(QStringLiteral("Arial"));
    banner.setPixelSize(21);
    banner.setBold(true);
    SelAsName->setFont(banner);
    SelAsName->setToolTip("Next person");
    BtnTable = button(this, glyphs::Kind::Table, "Monthly Basic Report");
    BtnMedTrig = button(this, glyphs::Kind::Additional, "Monthly Additional Report");
    BtnReport = button(this, glyphs::Kind::Weekly, "Weekly Comparison Report");
    BtnSummary = button(this, glyphs::Kind::Control, "Asthma Control Summary");
    BtnPeakFlow = button(this, glyphs::Kind::Graphs, "Analysis Graphs");
    RepDate = new QDateEdit(this);
    RepDate->setLocale(QLocale(QLocale::English));
    RepDate->setDisplayFormat("dd/MMM/yyyy");
    RepDate->setToolTip("Report Date");
    RepDate->setAccessibleName("Report Date");
    BtnPrintRep = button(this, glyphs::Kind::Print, "Print Current Displayed Report");
    BtnJpeg = button(this, glyphs::Kind::Picture, "Save Report to JPEG or BMP");
    BtnPlan = button(this, glyphs::Kind::Plan, "Print Asthma Action Plan");
    BtnPack = button(this, glyphs::Kind::Pack, "Save Visit Pack as PDF...");

    TabPage = new QStackedWidget(this);
    TabPage->setAutoFillBackground(true);
    TabData = new GraphPage(TabPage);
    TabCombined = new QWidget(TabPage);
    TabPage->addWidget(TabData);
    TabPage->addWidget(TabCombined);
    NavData = new ReportView(TabCombined);
    const std::pair<TDaButton**, std::tuple<glyphs::Kind, const char*, Navigation>> strip[] = {
        {&BtnUp, {glyphs::Kind::Up, "Scroll Report Up", Navigation::Up}},
        {&BtnDown, {glyphs::Kind::Down, "Scroll Report Down", Navigation::Down}},
        {&BtnRight, {glyphs::Kind::Next, "Scroll Report Right", Navigation::Right}},
        {&BtnLeft, {glyphs::Kind::Previous, "Scroll Report Left", Navigation::Left}},
        {&BtnMed, {glyphs::Kind::GraphStrip, "Hide/Show Peak Flow Graphs", Navigation::ToggleGraph}},
        {&BtnFUp, {glyphs::Kind::Top, "Go to Top of Report", Navigation::Top}},
        {&BtnFDown, {glyphs::Kind::Bottom, "Go to Bottom of Report", Navigation::Bottom}},
        {&BtnFRght, {glyphs::Kind::End, "Go to End of Report", Navigation::End}},
        {&BtnFLeft, {glyphs::Kind::Beginning, "Go to Beginning of Report", Navigation::Beginning}},
    };
    for (const auto& [member, parts] : strip) {
        const auto& [kind, hint, command] = parts;
        *member = button(TabCombined, kind, hint);
        navigation_[*member] = command;
    }
    BtnMed->hide();

    PanInfo = new QLabel(this);
    controls::markAsMessageLine(*PanInfo);
    QFont bold = font();
    bold.setBold(true);
    PanInfo->setFont(bold);
    PanInfo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanInfo->setAutoFillBackground(true);
    setInfo(kWelcome);
    BtnHelp = button(this, glyphs::Kind::Help, "Help");
}

void TAsRep::connectControls() {
    for (TDaButton* b : {BtnTable, BtnMedTrig, BtnReport, BtnSummary, BtnPrintRep, BtnJpeg, BtnPlan, BtnPack, BtnHelp,
                         BtnUp, BtnDown, BtnRight, BtnLeft, BtnMed, BtnFUp, BtnFDown, BtnFRght, BtnFLeft})
        connect(b, &TDaButton::clicked, this, [this, b] { TrapControl(b); });
    connect(SelAsName, &controls::TDaPanel::clicked, this, [this] { TrapControl(SelAsName); });
    connect(new QShortcut(Qt::Key_F1, this), &QShortcut::activated, this, [this] { TrapControl(BtnHelp); });
    for (TDaButton* b : {BtnPeakFlow, TabData->BtnShowGraph, TabData->BtnShowData})
        connect(b, &TDaButton::clicked, this, [this, b] { TrapPeakFlow(b); });
    // Only what the user changes redraws: the card itself sets the lists without a redraw.
    for (QComboBox* list : {TabData->FldOptions, TabData->FldPeriod})
        connect(list, &QComboBox::activated, this, [this, list] { TrapPeakFlow(list); });
    // Followed however it changes: a click, a key or an assistive tool's action.
    connect(TabData->CheckDate, &QCheckBox::toggled, this, [this] { TrapPeakFlow(TabData->CheckDate); });
    NavData->installEventFilter(this);
}

// The window's parts follow its size: the bar at the top, the status bar at the bottom, the
// report page between them with its strip of scroll buttons on the right.
void TAsRep::layOut() {
    const int w = width(), h = height();
    SelAsName->move(4, (kBarHeight - SelAsName->height()) / 2);
    SelAsName->resize(SelAsName->width(), 30);
    int x = w - 4;
    auto fromRight = [&](QWidget* widget, int top) {
        x -= widget->width();
        widget->move(x, top);
        x -= 2;
    };
    const int buttonTop = (kBarHeight - kButton) / 2;
    fromRight(BtnPack, buttonTop);
    fromRight(BtnPlan, buttonTop);
    fromRight(BtnJpeg, buttonTop);
    fromRight(BtnPrintRep, buttonTop);
    RepDate->resize(110, 24);
    x -= 4;
    fromRight(RepDate, (kBarHeight - RepDate->height()) / 2);
    x -= 4;
    for (TDaButton* b : {BtnPeakFlow, BtnSummary, BtnReport, BtnMedTrig, BtnTable}) fromRight(b, buttonTop);
    // The name banner stops short of the buttons; a name too long for it is cut short there (and
    // shown whole as its hint), never drawn under them.
    SelAsName->setMaximumWidth(BtnTable->x() - 6 - SelAsName->x());
    SelAsName->setCaption(SelAsName->Caption());

    TabPage->setGeometry(4, kBarHeight, w - 8, h - kBarHeight - kStatusHeight - 4);
    const QSize page = TabPage->size();
    NavData->setGeometry(0, 0, page.width() - kStripWidth, page.height());
    int y = 2;
    for (TDaButton* b : {BtnUp, BtnDown, BtnRight, BtnLeft, BtnMed, BtnFUp, BtnFDown, BtnFRght, BtnFLeft}) {
        b->move(page.width() - kStripWidth + (kStripWidth - kButton) / 2, y);
        y += kButton + 2;
    }
    PanInfo->setGeometry(4, h - kStatusHeight - 2, w - 8 - kButton - 4, kStatusHeight);
    showInfo();
    BtnHelp->move(w - 4 - kButton, h - kStatusHeight - 2 + (kStatusHeight - kButton) / 2);
}

TAsRep::~TAsRep() = default;

void TAsRep::Open(const store::PersonRef& person, const QDate& today, const ReportPlacement& placement) {
    TabPage->setCurrentWidget(TabCombined);
    kind_ = ReportKind::Weekly;
    person_ = person;
    RepDate->setDate(today);
    SelAsName->setCaption(person.nickname);
    TabData->FldPeriod->setCurrentIndex(int(GraphSpan::ThreeMonths));
    TabData->PageAnalysis->setCurrentWidget(TabData->TabAnalGraph);
    TabData->setRowHeight();
    clearPicture();
    if (placement.maximised) {
        setWindowState(Qt::WindowMaximized);
        return;
    }
    setWindowState(Qt::WindowNoState);
    const QRect geometry = onScreen(placement.geometry);
    resize(geometry.size());
    move(geometry.topLeft());
}

void TAsRep::done(int result) {
    // FormClose: the series and the picture go, the placement is handed back for pulmora.ini.
    TabData->Chart->clearSeries();
    clearPicture();
    emit closed({isMaximized(), QRect(pos(), size())});
    QDialog::done(result);
}

QString TAsRep::info() const { return info_; }

void TAsRep::setInfo(const QString& text, const QString& path) {
    info_ = text;
    infoPath_ = path;
    showInfo();
}

void TAsRep::showInfo() {
    // A framed label indents its text by half an "x" on either side.
    const QFontMetrics metrics(PanInfo->font());
    const int room = PanInfo->contentsRect().width() - metrics.horizontalAdvance(QLatin1Char('x'));
    const QString shown = controls::fittedMessage(info_, infoPath_, metrics, room);
    PanInfo->setText(shown);
    PanInfo->setToolTip(shown == info_ ? QString() : info_);
}

QStringList TAsRep::helpKeywords() {
    return QStringList{"PulmoraReportCard", "WeeklyComparisonReport", "MonthlyBasicReport", "MonthlyAdditionalReport",
                       "ControlSummary"} +
           GraphPage::helpKeywords();
}

// ---- commands --------------------------------------------------------------------------------

void TAsRep::TrapControl(QObject* sender) {
    if (sender == BtnJpeg) savePicture();
    if (sender == BtnHelp) contextHelp();
    if (sender == this) resizeRule();
    if (sender == SelAsName) nextPerson();
    if (sender == BtnTable) MonthlyBasic();
    if (sender == BtnReport) WeeklyComparison();
    if (sender == BtnMedTrig) MonthlyAdditional();
    if (sender == BtnSummary) ControlSummary();
    if (sender == BtnPack) requestVisitPack();
    if (sender == BtnPlan) PrintActionPlan();
    if (report_.available)
        if (const auto command = navigation_.find(sender); command != navigation_.end()) {
            navigate(viewport_, command->second, NavData->size());
            PaintViewport();
        }
    if (sender == BtnPrintRep && report_.available && !isGraph(kind_)) PrintTextReport();
    if (sender == BtnPrintRep && isGraph(kind_)) PrintChart();  // with or without data
}

void TAsRep::TrapPeakFlow(QObject* sender) {
    setInfo(kGraphAnalysis);
    if (TabData->FldOptions->currentIndex() < 0) TabData->FldOptions->setCurrentIndex(kPeakFlowTrend);
    kind_ = isSymptomAnalysis(TabData->option()) ? ReportKind::GeneralGraph : ReportKind::PeakFlowGraph;
    if (sender == BtnPeakFlow) {
        TabPage->setCurrentWidget(TabData);
        TabData->PageAnalysis->setCurrentWidget(TabData->TabAnalGraph);
        clearPicture();
        if (TabData->FldPeriod->currentIndex() < 0) TabData->FldPeriod->setCurrentIndex(int(GraphSpan::NineMonths));
        repaint();
        plotGraph();
    }
    if (sender == TabData->BtnShowData) TabData->PageAnalysis->setCurrentWidget(TabData->TabAnalData);
    if (sender == TabData->BtnShowGraph) TabData->PageAnalysis->setCurrentWidget(TabData->TabAnalGraph);
    if (sender == TabData->FldOptions || sender == TabData->FldPeriod || sender == TabData->CheckDate) plotGraph();
}

// The working table of the analysis for the person and period, and the chart drawn from it.
void TAsRep::plotGraph() {
    if (!person_) return;
    const GraphRequest request{TabData->option(), person_->nickname,
                               graphPeriod(RepDate->date(), spanDays(TabData->span())),
                               TabData->CheckDate->isChecked()};
    const GraphRun graph = runGraph(diary_.reports, person_->id, request);
    graphAvailable_ = graph.table.person.reportAvailable != 0;
    TabData->showTable(graph.table);
    TabData->showPlan(graph.plan);
    if (!graph.plan.info.isEmpty()) setInfo(graph.plan.info);
}

void TAsRep::WeeklyComparison() { run(reports::WeeklyComparison); }

void TAsRep::MonthlyBasic() { run(reports::MonthlyBasic); }

void TAsRep::MonthlyAdditional() { run(reports::MonthlyAdditional); }

void TAsRep::ControlSummary() { run(reports::ControlSummary); }

void TAsRep::run(ReportBuilder builder) {
    if (!person_) return;
    startRun();
    showReport(builder(diary_.reports, person_->id, RepDate->date(), devicePixelRatioF()));
}

// The run frame around a builder: the page and the wait message first (painted at once, as
// the window does not paint while the report is built), then what the builder made.
void TAsRep::startRun() {
    TabPage->setCurrentWidget(TabCombined);
    setInfo(kPleaseWait);
    PanInfo->repaint();
    clearPicture();
}

void TAsRep::showReport(ReportResult report) {
    report_ = std::move(report);
    viewport_ = report_.viewport;
    kind_ = report_.kind();
    BtnMed->setVisible(report_.hasGraphStrip());
    setInfo(report_.status);
    NavData->setAccessibleDescription(reports::describeReport(report_));
    PaintViewport();
}

void TAsRep::clearPicture() {
    report_ = {};
    viewport_ = {};
    NavData->clear();
    NavData->setAccessibleDescription({});
    BtnMed->hide();
}

void TAsRep::PaintViewport() {
    if (report_.available)
        NavData->setPicture(reports::PaintViewport(report_.picture(), viewport_, NavData->size(), devicePixelRatioF()));
    else
        NavData->setPicture(report_.picture());  // the no-data picture, or nothing yet
}

void TAsRep::resizeRule() {
    const QSize allowed(std::max(width(), kMinimumWidth), height() < kShortHeight ? kMinimumHeight : height());
    // A window system may report the new size later, or not at all when it is what the window
    // already holds, so the parts are laid out for the size as it stands now.
    if (allowed != size()) resize(allowed);
    layOut();
    if (!report_.available) return;
    keepScrollOnResize(viewport_, NavData->size());
    PaintViewport();
}

void TAsRep::nextPerson() {
    const auto next = diary_.persons.GetPerDly(store::Persons::Step::Next, PersonKey());
    if (!next) return;  // nobody on file any more: there is no one to move to
    person_ = next;
    SelAsName->setCaption(next->nickname);
    emit personChosen(*next);
    switch (kind_) {
    case ReportKind::Weekly: WeeklyComparison(); break;
    case ReportKind::MonthlyBasic: MonthlyBasic(); break;
    case ReportKind::MonthlyAdditional: MonthlyAdditional(); break;
    case ReportKind::ControlSummary: ControlSummary(); break;
    // Either graph is drawn again, as the graph button draws it, for the new person's days.
    case ReportKind::PeakFlowGraph:
    case ReportKind::GeneralGraph: TrapPeakFlow(BtnPeakFlow); break;
    }
}

void TAsRep::contextHelp() {
    if (!isGraph(kind_) && !report_.available) {
        emit helpRequested("PulmoraReportCard");
        return;
    }
    switch (kind_) {
    case ReportKind::Weekly: emit helpRequested("WeeklyComparisonReport"); break;
    case ReportKind::MonthlyBasic: emit helpRequested("MonthlyBasicReport"); break;
    case ReportKind::MonthlyAdditional: emit helpRequested("MonthlyAdditionalReport"); break;
    case ReportKind::ControlSummary: emit helpRequested("ControlSummary"); break;
    case ReportKind::PeakFlowGraph:
    case ReportKind::GeneralGraph:
        // The graphs name their topic by the analysis on show.
        emit helpRequested(GraphPage::helpKeyword(TabData->option()));
        break;
    }
}

void TAsRep::savePicture() {
    if (!isGraph(kind_) && !report_.available) {
        setInfo(kNoReportSelected);
        return;
    }
    emit savePictureRequested(BtnReport->mapToGlobal(QPoint(0, 0)));
}

void TAsRep::saveWindowNotOpened() { setInfo(kNoSaveWindow); }

reports::VisitPackRequest TAsRep::visitPackRequest(const store::PersonRef& person) const {
    return {person.id, person.nickname, RepDate->date()};
}

// The program is asked where to save only a pack that has something in it.
void TAsRep::requestVisitPack() {
    if (!person_) return;
    if (const QString none = noVisitPack(diary_.reports, visitPackRequest(*person_)); !none.isEmpty()) {
        setInfo(none);
        return;
    }
    emit visitPackRequested(person_->nickname + " visit pack " + RepDate->date().toString(Qt::ISODate) + ".pdf");
}

void TAsRep::saveVisitPack(const QString& path) {
    if (!person_) return;
    setEnabled(false);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    setInfo(kWritingPack);
    PanInfo->repaint();
    const VisitPack pack = BuildVisitPack(diary_, visitPackRequest(*person_), printer_->pageLayout().pageSize());
    const QString outcome = pack.available() ? packSaved(pack, path) : pack.status;
    QGuiApplication::restoreOverrideCursor();
    setEnabled(true);
    setInfo(outcome, path);
}

void TAsRep::pictureSaved(const QString& path) { setInfo(kSavedAs + QDir::toNativeSeparators(path), path); }

QImage TAsRep::savedPicture() const {
    return isGraph(kind_) ? savedGraphPicture(TabData->Chart->plan()) : savedReportPicture(report_);
}

void TAsRep::PrintTextReport() {
    setInfo(kPrinting);
    PanInfo->repaint();
    printJob(PrintAsthmaReport(report_), kSentToPrinter);
}

// The chart is laid out afresh for the printer's paper, whatever the size of the window. Its own
// printing tells nothing while all goes well; a cancelled or failed job is still told.
void TAsRep::PrintChart() {
    const QSizeF room = output::printableRoom(printer_->pageLayout(), QPageLayout::Landscape);
    printJob(reports::PrintChart(TabData->Chart->plan(), room), {});
}

// The plan needs no recorded day: it is laid out for the printer's paper from the personal card.
void TAsRep::PrintActionPlan() {
    if (!person_) return;
    const QSizeF room = output::printableRoom(printer_->pageLayout(), QPageLayout::Portrait);
    printJob(reports::PrintActionPlan(readActionPlan(diary_, person_->id, store::clock::today()), room),
             kPlanSentToPrinter);
}

// The page is composed first, so the print dialog offers its orientation; once a printer is
// chosen the card is disabled while the page is drawn. Only a page that went out says so.
void TAsRep::printJob(const output::PrintJob& job, const QString& printed) {
    const QString before = info();
    const output::PrintOutcome outcome = output::printWithDialog(*printer_, job, this, [this] {
        setEnabled(false);
        setInfo(kWaitWhilePrinting);
        PanInfo->repaint();
    });
    setEnabled(true);
    switch (outcome.status()) {
    case output::PrintOutcome::Status::Printed: setInfo(printed.isEmpty() ? before : printed); break;
    case output::PrintOutcome::Status::Cancelled: setInfo(kPrintCancelled); break;
    case output::PrintOutcome::Status::Failed: setInfo("ERROR: " + outcome.error()); break;
    }
}

// ---- events ----------------------------------------------------------------------------------

void TAsRep::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    TrapControl(this);
}

// The card's own face is navy; its parts keep the desktop's colours.
void TAsRep::paintEvent(QPaintEvent*) { QPainter(this).fillRect(rect(), kNavy); }

void TAsRep::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    NavData->setFocus();     // the arrow keys scroll the report
    TrapControl(BtnReport);  // the card starts with the weekly comparison
}

// The wheel and the arrow keys scroll through the same commands as the buttons.
bool TAsRep::navigationKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool control = modifiers & Qt::ControlModifier;
    const std::pair<int, TDaButton*> keys[] = {{Qt::Key_Up, BtnUp},
                                               {Qt::Key_Down, BtnDown},
                                               {Qt::Key_Left, BtnLeft},
                                               {Qt::Key_Right, BtnRight},
                                               {Qt::Key_Home, control ? BtnFUp : BtnFLeft},
                                               {Qt::Key_End, control ? BtnFDown : BtnFRght}};
    for (const auto& [k, button] : keys)
        if (k == key) {
            TrapControl(button);
            return true;
        }
    return false;
}

bool TAsRep::eventFilter(QObject* watched, QEvent* event) {
    if (watched == NavData && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        return navigationKey(key->key(), key->modifiers());
    }
    if (watched == NavData && event->type() == QEvent::Wheel) {
        const QPoint turn = static_cast<QWheelEvent*>(event)->angleDelta();
        const bool sideways = turn.x() != 0 || (static_cast<QWheelEvent*>(event)->modifiers() & Qt::ShiftModifier);
        const int amount = turn.y() != 0 ? turn.y() : turn.x();
        if (amount != 0) TrapControl(sideways ? (amount > 0 ? BtnLeft : BtnRight) : (amount > 0 ? BtnUp : BtnDown));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace pulmora::reports
