#pragma once

#include "ReportResult.h"
#include "store/ReportCursors.h"

#include <QDate>

namespace pulmora::reports {

inline const QString kMonthlyBasicCaption = QStringLiteral(" Monthly Basic Report for Period Starting ");

// The change mark of a day against the last morning and evening readings met before it
// (0 when none): each part "+", "-" or ".." (not taken, nothing to compare with, or equal).
QString changeMark(int morning, int evening, int lastMorning, int lastEvening);

// The 31 days up to the report date as columns: the readings as bars on the
// percentage-of-best chart with the month's highest and lowest lines and its ranges in the
// month column, the table of each day's figures, symptoms, doses and rating, and the month's
// overview. Without readings in the month the chart and the reading rows are left out.
ReportResult MonthlyBasic(store::ReportCursors& cursors, const store::PersonId& person, const QDate& reportDate,
                          qreal pixelRatio = 1.0);
// The same from the person's days of a period read that holds the month.
ReportResult MonthlyBasic(const store::PersonPeriod& read, const QDate& reportDate, qreal pixelRatio = 1.0);

}  // namespace pulmora::reports
