#pragma once

#include "sheet/SheetJob.h"

#include <QWidget>

namespace pulmora::sheet {

// The page-size preview and picker (`DocSize`): with the automatic size it says so; otherwise
// the chosen share of the page shows white on grey, and a click picks the quarters by where it
// falls (left half: two quarters wide, the next quarter: three, the last: the whole width;
// likewise downwards). From the keyboard, Right and Left widen and narrow the share by a
// quarter, Down and Up lengthen and shorten it.
class SizePreview : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize kSize{124, 131};

    explicit SizePreview(QWidget* parent = nullptr);

    const PageChoice& choice() const { return choice_; }
    void setAutomatic(bool automatic);

    // The quarters a click at `position` along a side `extent` long picks: 2, 3 or 4.
    static int quartersAt(int position, int extent);

signals:
    void choiceChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void DocSizeMouseDown(const QPoint& position);
    void choose(int widthQuarters, int heightQuarters);

    PageChoice choice_;
};

}  // namespace pulmora::sheet
