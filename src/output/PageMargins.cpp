#include "PageMargins.h"

#include <QRectF>

#include <algorithm>

namespace pulmora::output {

QMarginsF pageMargins(const QPageLayout& paper, std::optional<double> leftMarginInches) {
    QPageLayout inches = paper;
    inches.setUnits(QPageLayout::Inch);
    const QMarginsF unprintable = inches.minimumMargins();
    const double least = kLeastMarginMillimetres / 25.4;
    QMarginsF margins(std::max(unprintable.left(), least), std::max(unprintable.top(), least),
                      std::max(unprintable.right(), least), std::max(unprintable.bottom(), least));
    if (leftMarginInches) margins.setLeft(std::max(*leftMarginInches, margins.left()));
    return margins;
}

QSizeF printableRoom(const QPageLayout& paper, QPageLayout::Orientation orientation) {
    QPageLayout layout = paper;
    layout.setUnits(QPageLayout::Inch);
    layout.setOrientation(orientation);
    layout.setMargins(pageMargins(layout));
    return layout.paintRect(QPageLayout::Inch).size();
}

}  // namespace pulmora::output
