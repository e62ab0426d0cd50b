#include "GraphFigures.h"

#include <QJsonArray>

namespace pulmora::reports {
namespace {

QJsonObject axisJson(const GraphAxis& axis) {
    return {{"title", axis.title}, {"minimum", axis.minimum}, {"maximum", axis.maximum}};
}

QJsonObject seriesJson(const GraphSeries& series) {
    QJsonArray points;
    for (const GraphPoint& p : series.points)
        points.append(QJsonObject{{"x", p.x}, {"y", p.y}, {"label", p.label}, {"colour", p.colour.name()}});
    return {{"active", series.active}, {"points", points}};
}

QString shapeName(SeriesShape shape) {
    switch (shape) {
    case SeriesShape::VerticalBars: return QStringLiteral("vertical bars");
    case SeriesShape::HorizontalBars: return QStringLiteral("horizontal bars");
    case SeriesShape::Line: break;
    }
    return QStringLiteral("line");
}

QJsonArray rowsJson(const std::vector<QStringList>& rows) {
    QJsonArray out;
    for (const QStringList& row : rows) out.append(QJsonArray::fromStringList(row));
    return out;
}

}  // namespace

QJsonObject graphFiguresJson(const WorkingTable& table, const GraphPlan& plan) {
    QJsonObject cSerA = seriesJson(plan.cSerA);
    cSerA.insert("shape", shapeName(plan.shape));
    QJsonObject cSerB = seriesJson(plan.cSerB);
    cSerB.insert("pointerSize", plan.pointerSize);
    const WorkingGrid grid = gridOf(table);
    return {
        {"title", QJsonArray::fromStringList(plan.title)},
        {"axesShown", plan.axesShown},
        {"left", axisJson(plan.left)},
        {"bottom", axisJson(plan.bottom)},
        {"cSerA", cSerA},
        {"cSerB", cSerB},
        {"cStatA", seriesJson(plan.cStatA)},
        {"cStatB", seriesJson(plan.cStatB)},
        {"cPieA", seriesJson(plan.cPieA)},
        {"dateAxisEnabled", plan.dateAxisEnabled ? QJsonValue(*plan.dateAxisEnabled) : QJsonValue()},
        {"status", plan.info},
        {"table", QJsonObject{{"headings", QJsonArray::fromStringList(grid.headings)}, {"rows", rowsJson(grid.rows)}}}};
}

}  // namespace pulmora::reports
