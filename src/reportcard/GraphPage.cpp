#include "GraphPage.h"

#include "SpokenReport.h"
#include "controls/AccessibleControls.h"
#include "controls/GlyphButton.h"
#include "controls/TDaButton.h"
#include "graphs/GraphChart.h"

#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QStackedWidget>
#include <QTableWidget>

#include <array>

namespace pulmora::reports {
namespace {

constexpr int kBarButton = 24;

// The help page of each analysis, in the order of GraphOption.
const std::array<const char*, kGraphOptions> kHelpTopics = {
    "PercentageBestGraph", "PeakFlowTrend",         "DiurnalVariationGraph",
    "ZoneFrequencyGraph",  "SymptomFrequencyGraph", "PoorPerceiverIndicatorGraph",
    "RelieverUseGraph",
};

}  // namespace

GraphPage::GraphPage(QWidget* parent) : QWidget(parent) {
    FldPeriod = new QComboBox(this);
    FldPeriod->addItems(graphPeriodTexts());
    FldPeriod->setToolTip("Period Basis to Report On");
    FldPeriod->setCurrentIndex(-1);
    FldOptions = new QComboBox(this);
    FldOptions->addItems(graphOptionTexts());
    FldOptions->setToolTip("Analysis Graph to Show");
    FldOptions->setCurrentIndex(-1);
    FldOptions->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // The lists are known by what they choose, not by what they hold.
    controls::nameChoiceList(*FldPeriod, FldPeriod->toolTip());
    controls::nameChoiceList(*FldOptions, FldOptions->toolTip());
    CheckDate = new QCheckBox("Date Axis", this);
    CheckDate->setToolTip("Include the missed days on the date axis");
    const QSize button(kBarButton, kBarButton);
    BtnShowGraph = controls::glyphButton(this, controls::glyphs::Kind::Graphs, "Show Graph", button);
    BtnShowData = controls::glyphButton(this, controls::glyphs::Kind::Table, "Show Data", button);
    BtnShowGraph->hide();
    BtnShowData->hide();

    PageAnalysis = new QStackedWidget(this);
    TabAnalGraph = new QWidget(PageAnalysis);
    TabAnalData = new QWidget(PageAnalysis);
    PageAnalysis->addWidget(TabAnalGraph);
    PageAnalysis->addWidget(TabAnalData);
    Chart = new GraphChart;
    chartView = new QChartView(Chart, TabAnalGraph);
    chartView->setAccessibleName("Graph");
    controls::setAccessibleRole(*chartView, QAccessible::Graphic);
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->setFrameShape(QFrame::NoFrame);
    GrdRep = new QTableWidget(TabAnalData);
    GrdRep->setSelectionBehavior(QAbstractItemView::SelectRows);
    GrdRep->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GrdRep->verticalHeader()->hide();
    for (QWidget* page : {TabAnalGraph, TabAnalData}) {
        auto* fill = new QVBoxLayout(page);
        fill->setContentsMargins(0, 0, 0, 0);
        fill->addWidget(page == TabAnalGraph ? static_cast<QWidget*>(chartView) : GrdRep);
    }

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 4, 4, 4);
    bar->addWidget(FldOptions);
    bar->addWidget(FldPeriod);
    bar->addWidget(CheckDate);
    bar->addStretch();
    bar->addWidget(BtnShowGraph);
    bar->addWidget(BtnShowData);
    // Tab runs along the bar as it reads, from the left.
    setTabOrder(FldOptions, FldPeriod);
    setTabOrder(FldPeriod, CheckDate);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addLayout(bar);
    page->addWidget(PageAnalysis, 1);
}

void GraphPage::showTable(const WorkingTable& table) {
    const WorkingGrid grid = gridOf(table);
    GrdRep->setUpdatesEnabled(false);
    GrdRep->clear();
    GrdRep->setColumnCount(int(grid.headings.size()));
    GrdRep->setRowCount(int(grid.rows.size()));
    GrdRep->setHorizontalHeaderLabels(grid.headings);
    const QFontMetrics metrics(font());
    for (int c = 0; c < GrdRep->columnCount(); ++c) {
        const QString& sample = grid.widthSamples[c];
        GrdRep->setColumnHidden(c, sample.isEmpty());
        if (!sample.isEmpty()) GrdRep->setColumnWidth(c, metrics.horizontalAdvance(sample));
    }
    for (int r = 0; r < GrdRep->rowCount(); ++r)
        for (int c = 0; c < GrdRep->columnCount(); ++c)
            GrdRep->setItem(r, c, new QTableWidgetItem(grid.rows[size_t(r)][c]));
    GrdRep->setUpdatesEnabled(true);
}

void GraphPage::showPlan(const GraphPlan& plan) {
    Chart->Plot(plan);
    chartView->setAccessibleDescription(describeGraph(plan));
    if (plan.dateAxisEnabled) CheckDate->setEnabled(*plan.dateAxisEnabled);
}

void GraphPage::setRowHeight() {
    const int height = QFontMetrics(font()).height() + 4;
    GrdRep->verticalHeader()->setMinimumSectionSize(height);
    GrdRep->verticalHeader()->setDefaultSectionSize(height);
}

GraphOption GraphPage::option() const { return GraphOption(FldOptions->currentIndex()); }

GraphSpan GraphPage::span() const { return GraphSpan(FldPeriod->currentIndex()); }

QString GraphPage::helpKeyword(GraphOption option) { return QLatin1String(kHelpTopics[size_t(option)]); }

QStringList GraphPage::helpKeywords() {
    QStringList keywords;
    for (const char* keyword : kHelpTopics) keywords << QLatin1String(keyword);
    return keywords;
}

}  // namespace pulmora::reports
