#include "DayCalendar.h"

#include "DayCellsAccessible.h"
#include "pictures/Contrast.h"
#include "store/Clock.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QLocale>
#include <QPainter>

namespace pulmora::daily {

DayCalendar::DayCalendar(QWidget* parent) : QCalendarWidget(parent) {
    setFirstDayOfWeek(Qt::Sunday);
    setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setNavigationBarVisible(false);
    setDateEditEnabled(false);
    setGridVisible(false);
    // The cells are painted here, so their focus is too: the view is told to repaint them when
    // it gains or loses the focus.
    auto* cells = findChild<QAbstractItemView*>();
    cells_ = cells;
    cells_->installEventFilter(this);
    cells_->setAccessibleName("Days");
    readDayCellsAloud(*cells);
}

// A month that starts in the first column starts on the second week, so a week of the month
// before is always on show, as the cells lay them out.
QDate DayCalendar::dateAt(int row, int column) const {
    const QDate first(yearShown(), monthShown(), 1);
    int firstColumn = (first.dayOfWeek() - firstDayOfWeek() + 7) % 7;
    if (firstColumn == 0) firstColumn = 7;
    return first.addDays(7 * (row - 1) + column - firstColumn);
}

QString DayCalendar::dayReading(const QDate& date) const {
    const QString day = QLocale(QLocale::English).toString(date, "d MMMM");
    if (date > store::clock::today()) return day + ", still to come";
    switch (rating_ ? rating_(date) : -1) {
    case 0: return day + ", recorded without a rating";
    case 1: return day + ", bad day";
    case 2: return day + ", average day";
    case 3: return day + ", good day";
    default: return day + ", not recorded";
    }
}

bool DayCalendar::cellsHaveFocus() const { return cells_->hasFocus(); }

bool DayCalendar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cells_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) updateCells();
    return QCalendarWidget::eventFilter(watched, event);
}

// The day number in the colour the cell asks for, taken darker or lighter where that would not
// read well on the cell: the calendar's light day colour on a lime, yellow or red day, say. The
// days of the shown month stand out clearly in their small print; those of the months either side
// may stay a little fainter, as they are meant to, but still read well.
DayCalendar::CellLook DayCalendar::cellLook(const QDate& date) const {
    CellLook look = stateLook(date);
    const bool shownMonth = date.month() == monthShown() && date.year() == yearShown();
    look.text = controls::readableOn(look.text, look.background,
                                     shownMonth ? controls::kClearContrast : controls::kReadableContrast);
    return look;
}

DayCalendar::CellLook DayCalendar::stateLook(const QDate& date) const {
    const QPalette& pal = palette();
    const QColor face = pal.color(QPalette::Button);
    if (date.month() != monthShown() || date.year() != yearShown())
        return {face, pal.color(QPalette::Disabled, QPalette::WindowText)};
    if (date > store::clock::today()) return {face, pal.color(QPalette::ButtonText)};
    if (date == selectedDate()) return {kNavy, pal.color(QPalette::HighlightedText), true};

    const bool weekend = date.dayOfWeek() == Qt::Saturday || date.dayOfWeek() == Qt::Sunday;
    const QColor dayText = weekend ? kMaroon : pal.color(QPalette::Highlight);
    switch (rating_ ? rating_(date) : -1) {
    case 0: return {kUnrated, Qt::white};
    case 1: return {kBad, dayText};
    case 2: return {kAverage, dayText};
    case 3: return {kGood, dayText};
    default: return {Qt::white, dayText};
    }
}

void DayCalendar::drawCell(QPainter& painter, const QRect& rect, const QDate& date) const {
    const CellLook look = cellLook(date);
    QFont font("Arial");
    font.setPointSize(8);
    font.setBold(look.bold);
    painter.save();
    painter.setFont(font);
    painter.fillRect(rect, look.background);
    const QFontMetrics metrics(font);
    const QString day = QString::number(date.day());
    const int x = rect.left() + int(rect.width() / 2.0 - metrics.horizontalAdvance(day) / 2.0);
    const int y = rect.top() + (rect.height() - metrics.height()) / 2;
    painter.setPen(look.text);
    painter.drawText(QPoint(x, y + metrics.ascent()), day);
    if (date == selectedDate() && cellsHaveFocus()) {
        painter.setPen(QPen(look.text, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(1, 1, -2, -2));
    }
    painter.restore();
}

void DayCalendar::paintCell(QPainter* painter, const QRect& rect, QDate date) const { drawCell(*painter, rect, date); }

}  // namespace pulmora::daily
