#pragma once

#include "output/Printing.h"
#include "store/Values.h"

#include <QFont>
#include <QPageSize>
#include <QSize>
#include <QSizeF>

class QPainter;

// A page laid out for the whole printable room of the paper rather than for a report picture:
// 96 of its pixels an inch, printed as large as the room allows, so its fonts print at their size.
namespace pulmora::reports {

constexpr int kRoomPagePixelsPerInch = 96;

// The room a portrait page may fill on the paper, less the visit pack's footer where it has one.
QSizeF portraitRoom(const QPageSize& paper, bool withFooter);

// The page's size in its pixels for the room in inches.
QSize roomPageSize(const QSizeF& roomInches);

// One portrait page of that size, drawn by `draw` and printed filling the room.
output::PrintJob roomPageJob(const QSizeF& roomInches, const output::RecordedPage::Drawing& draw);

// The room pages' text: 10 points, plain or bold.
QFont roomPageFont(bool bold = false);

// The height of a text wrapped into the width, under the alignment it is drawn with.
int wrappedHeight(const QFont& font, int width, const QString& text, int alignment = Qt::AlignLeft);

// The person header across the page, a size larger than over the reports; its height.
int drawRoomPageHeader(QPainter& painter, int width, const QString& title, const store::RepPerson& person);

}  // namespace pulmora::reports
