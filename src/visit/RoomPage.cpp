#include "RoomPage.h"

#include "output/PageMargins.h"
#include "pages/PersonHeader.h"
#include "reports/ReportCanvas.h"

#include <QPainter>

namespace pulmora::reports {
namespace {

// The header's report font of 8 points set at 10.
constexpr qreal kHeaderScale = 1.25;

}  // namespace

QSizeF portraitRoom(const QPageSize& paper, bool withFooter) {
    QSizeF room = output::printableRoom(QPageLayout(paper, QPageLayout::Portrait, {}), QPageLayout::Portrait);
    if (withFooter) room.rheight() -= output::kFooterInches;
    return room;
}

QSize roomPageSize(const QSizeF& roomInches) {
    return {int(roomInches.width() * kRoomPagePixelsPerInch), int(roomInches.height() * kRoomPagePixelsPerInch)};
}

output::PrintJob roomPageJob(const QSizeF& roomInches, const output::RecordedPage::Drawing& draw) {
    output::PrintJob job;
    job.orientation = QPageLayout::Portrait;
    job.pages.push_back({output::RecordedPage::record(roomPageSize(roomInches), draw), output::PageSizing::fitted()});
    return job;
}

int drawRoomPageHeader(QPainter& painter, int width, const QString& title, const store::RepPerson& person) {
    painter.save();
    painter.scale(kHeaderScale, kHeaderScale);
    DrawPersonHeader(painter, int(width / kHeaderScale), title, person);
    painter.restore();
    return int(PageMetrics::measure().headerHeight() * kHeaderScale);
}

QFont roomPageFont(bool bold) {
    QFont font = reportFont(10);
    font.setBold(bold);
    return font;
}

int wrappedHeight(const QFont& font, int width, const QString& text, int alignment) {
    return measure(font).boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap | alignment, text).height();
}

}  // namespace pulmora::reports
