#pragma once

#include "output/Printing.h"
#include "reports/ReportResult.h"
#include "reports/ReportRun.h"
#include "reports/Viewport.h"
#include "store/Diary.h"
#include "visit/VisitPack.h"

#include <QDialog>

#include <map>
#include <memory>

class QDateEdit;
class QLabel;
class QPrinter;
class QStackedWidget;

namespace pulmora::controls {
class TDaButton;
class TDaPanel;
}  // namespace pulmora::controls

namespace pulmora::reports {

class GraphPage;
class ReportView;

// Where the report card stands: maximised, or the left, top, width and height of its normal
// window. The program keeps it in pulmora.ini between uses.
struct ReportPlacement {
    bool maximised = true;
    QRect geometry;
    bool operator==(const ReportPlacement&) const = default;
};

// "Pulmora Report Card": one person's records as reports, drawn as pictures and scrolled with a
// fixed label column and header band. The program opens it modally for the daily card's person
// and destroys it when it closes; it starts with the weekly comparison.
class TAsRep : public QDialog {
    Q_OBJECT
public:
    explicit TAsRep(store::Diary& diary, QWidget* parent = nullptr);
    ~TAsRep() override;

    // Everything the card needs before it is shown: the person reported on, named on the banner by
    // their nickname, today (the first report date) and the stored placement.
    void Open(const store::PersonRef& person, const QDate& today, const ReportPlacement& placement);

    // The click handler of the name banner and the buttons, and the resize handler (sender this).
    void TrapControl(QObject* sender);
    // The graph commands: the graph buttons and every change of the graph page's period,
    // analysis and date axis.
    void TrapPeakFlow(QObject* sender);

    // The person reported on, none before the card is opened.
    std::optional<store::PersonId> PersonKey() const { return person_ ? std::optional(person_->id) : std::nullopt; }
    ReportKind kind() const { return kind_; }
    // A text report, or a graph with something to plot, is on show.
    bool ReportAvailable() const { return isGraph(kind_) ? graphAvailable_ : report_.available; }
    const ReportResult& report() const { return report_; }
    const Viewport& viewport() const { return viewport_; }
    QString info() const;
    // The printer the card prints on; it keeps the last orientation until the next print.
    QPrinter& RepAsthma() { return *printer_; }
    // The picture the save window writes for what is on show: a text report under its person
    // header, or the chart on white. A null image when there is nothing to save.
    QImage savedPicture() const;
    // The program could not open the save window it was asked for.
    void saveWindowNotOpened();
    // The save window saved what is on show as this file.
    void pictureSaved(const QString& path);
    // Writes the visit pack of the person and the report date as a PDF file, showing that it is
    // busy meanwhile; the status bar then says where it went or why it failed.
    void saveVisitPack(const QString& path);

    // Every help keyword the card can open.
    static QStringList helpKeywords();

    controls::TDaPanel* SelAsName;
    controls::TDaButton *BtnTable, *BtnMedTrig, *BtnReport, *BtnSummary, *BtnPeakFlow;
    QDateEdit* RepDate;
    controls::TDaButton *BtnPrintRep, *BtnJpeg, *BtnPlan, *BtnPack;
    QStackedWidget* TabPage;
    GraphPage* TabData;
    QWidget* TabCombined;
    ReportView* NavData;
    controls::TDaButton *BtnUp, *BtnDown, *BtnRight, *BtnLeft, *BtnMed, *BtnFUp, *BtnFDown, *BtnFRght, *BtnFLeft;
    QLabel* PanInfo;
    controls::TDaButton* BtnHelp;

signals:
    // The name banner moved on to this person; the daily card follows.
    void personChosen(const store::PersonRef& person);
    // A help topic by keyword.
    void helpRequested(const QString& keyword);
    // The report on show is to be saved as a picture; the save window opens at the position
    // (screen coordinates).
    void savePictureRequested(const QPoint& position);
    // The visit pack is to be saved: the program asks where, suggesting the file name, and hands
    // the path to saveVisitPack.
    void visitPackRequested(const QString& fileName);
    // The card is closing: where it stood, to be kept for its next opening.
    void closed(const ReportPlacement& placement);

public slots:
    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void connectControls();
    void layOut();
    // The status bar says `text`; a text too long for it is cut in the `path` it names, if any,
    // so that what it says of the file stays in view, and is whole in the tooltip.
    void setInfo(const QString& text, const QString& path = {});
    void showInfo();
    void WeeklyComparison();
    void MonthlyBasic();
    void MonthlyAdditional();
    void ControlSummary();
    void run(ReportBuilder builder);
    void plotGraph();
    void startRun();
    void showReport(ReportResult report);
    void clearPicture();
    void PaintViewport();
    void resizeRule();
    void nextPerson();
    void contextHelp();
    void savePicture();
    void requestVisitPack();
    reports::VisitPackRequest visitPackRequest(const store::PersonRef& person) const;
    void PrintTextReport();
    void PrintChart();
    void PrintActionPlan();
    void printJob(const output::PrintJob& job, const QString& printed);
    bool navigationKey(int key, Qt::KeyboardModifiers modifiers);

    store::Diary& diary_;
    // The person reported on, with the nickname the banner shows, which the graphs and the visit
    // pack are titled with; set when the card is opened.
    std::optional<store::PersonRef> person_;
    ReportKind kind_ = ReportKind::Weekly;
    ReportResult report_;  // the text report on show
    bool graphAvailable_ = false;
    Viewport viewport_;
    std::map<QObject*, Navigation> navigation_;
    bool shown_ = false;
    QString info_, infoPath_;  // the status bar's whole message, and the path it names
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace pulmora::reports
