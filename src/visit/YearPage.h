#pragma once

#include "output/Printing.h"
#include "stats/YearRisks.h"

#include <QJsonObject>
#include <QSizeF>
#include <QStringList>

// "The Last 12 Months": the year's risks one month a row, for the visit pack.
namespace pulmora::reports {

// The sentences under the table: the reliever inhalers used, what that means when they are
// many, and the months with a reading in the red zone.
QStringList yearFindings(const stats::YearRisks& year);

// The page filling the room (in inches) of a portrait sheet, under the person header.
output::PrintJob PrintYearPage(const stats::YearRisks& year, const QSizeF& room);

// The months' figures, the total and the findings as JSON, each figure under the name the
// statistics give it.
QJsonObject yearFiguresJson(const stats::YearRisks& year);

}  // namespace pulmora::reports
