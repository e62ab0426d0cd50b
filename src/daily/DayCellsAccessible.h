#pragma once

#include <QtGlobal>

QT_FORWARD_DECLARE_CLASS(QAbstractItemView)

namespace pulmora::daily {

// Lets screen readers read the calendar's day cells as the colours show them: each day with its
// rating ("9 December, good day"). An interface made for the cells before (the calendar makes
// them before it knows them) reads them as plain numbers, and is dropped.
void readDayCellsAloud(QAbstractItemView& cells);

}  // namespace pulmora::daily
