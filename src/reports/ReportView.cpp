#include "ReportView.h"

#include <QPainter>

namespace pulmora::reports {

ReportView::ReportView(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Report"));
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
