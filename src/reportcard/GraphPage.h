#pragma once

#include "graphs/GraphPlan.h"

#include <QWidget>

class QChartView;
class QCheckBox;
class QComboBox;
class QStackedWidget;
class QTableWidget;

namespace pulmora::controls {
class TDaButton;
}

namespace pulmora::reports {

class GraphChart;

// The report card's graph page: a bar with the period, the analysis and the date axis over the
// chart, and behind it the working table the chart was drawn from. The card handles every
// control of the page (its TrapPeakFlow); the page only shows what it is given.
class GraphPage : public QWidget {
    Q_OBJECT
public:
    explicit GraphPage(QWidget* parent = nullptr);

    // The working table in GrdRep: its headings, its column widths from the sample texts in the
    // window font (a column without a sample is hidden), its rows newest first.
    void showTable(const WorkingTable& table);
    // The plan on the chart; "Date Axis" enabled or disabled as the analysis asks.
    void showPlan(const GraphPlan& plan);
    // GrdRep's rows one line of the window font high, with room above and below.
    void setRowHeight();
    // The analysis chosen in FldOptions, which must have one chosen.
    GraphOption option() const;
    // The span chosen in FldPeriod, which must have one chosen.
    GraphSpan span() const;

    // The help page of an analysis.
    static QString helpKeyword(GraphOption option);
    static QStringList helpKeywords();

    QComboBox* FldPeriod;
    QComboBox* FldOptions;
    QCheckBox* CheckDate;
    controls::TDaButton *BtnShowGraph, *BtnShowData;  // never shown
    QStackedWidget* PageAnalysis;
    QWidget *TabAnalGraph, *TabAnalData;
    QChartView* chartView;
    GraphChart* Chart;
    QTableWidget* GrdRep;
};

}  // namespace pulmora::reports
