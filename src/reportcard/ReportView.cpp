#include "ReportView.h"

#include "controls/AccessibleControls.h"

#include <QPainter>

namespace pulmora::reports {

ReportView::ReportView(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Report"));
    // Read as a picture, with the report in words as its description.
    controls::setAccessibleRole(*this, QAccessible::Graphic);
}

void ReportView::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void ReportView::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), picture_);
}

}  // namespace pulmora::reports
