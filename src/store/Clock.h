#pragma once

#include <QDate>

// The program's one source of "today", so that date rules can be tested on fixed dates.
namespace pulmora::store::clock {

QDate today();
// Fixes "today" for tests; an invalid date returns to the system clock.
void setToday(const QDate& date);

}  // namespace pulmora::store::clock
