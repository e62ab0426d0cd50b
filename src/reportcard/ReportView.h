#pragma once

#include <QImage>
#include <QWidget>

namespace pulmora::reports {

// The visible part of a text report: shows the picture it is given at its top left corner.
// The report card cuts that picture from the whole report for the current scroll position.
class ReportView : public QWidget {
    Q_OBJECT
public:
    explicit ReportView(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    void clear() { setPicture({}); }
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

}  // namespace pulmora::reports
