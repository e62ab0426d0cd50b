#pragma once

#include <QCalendarWidget>

#include <functional>

namespace pulmora::daily {

// The month calendar of the daily card. It paints its own day cells: each day of the shown
// month in the colour of the rating recorded for it, the selected day navy, days of other
// months and days still to come on the button face. Painting only reads; it never saves.
class DayCalendar : public QCalendarWidget {
    Q_OBJECT
public:
    explicit DayCalendar(QWidget* parent = nullptr);

    // Where the cells get a day's rating: -1 no record, 0 recorded without rating, 1 to 3.
    void setRatingSource(std::function<int(const QDate&)> source) { rating_ = std::move(source); }
    // Repaints every day cell, for when what the rating source answers has changed (another
    // person is selected). Repainting the calendar alone would leave its cells as they were.
    void repaintCells() { updateCells(); }

    struct CellLook {
        QColor background;
        QColor text;
        bool bold = false;
    };
    // The colours of a cell, decided in a fixed order; the rating is asked only for days of the
    // shown month that are neither selected nor still to come. The day number always reads well
    // on its cell.
    CellLook cellLook(const QDate& date) const;
    // CalDrawCell: fills the cell and draws its day number.
    void drawCell(QPainter& painter, const QRect& rect, const QDate& date) const;

    // The day in a cell of the shown page: row 1 is the first week (row 0 holds the weekday
    // names), column 0 the first day of the week.
    QDate dateAt(int row, int column) const;
    // A day as a screen reader says it: "9 December, good day", "10 December, not recorded".
    QString dayReading(const QDate& date) const;

    // Whether the day cells have the keyboard's focus; the selected cell then shows it.
    bool cellsHaveFocus() const;

protected:
    void paintCell(QPainter* painter, const QRect& rect, QDate date) const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The cell's colours for what its day is (another month's, still to come, selected, rated),
    // before they are made readable.
    CellLook stateLook(const QDate& date) const;

    std::function<int(const QDate&)> rating_;
    QWidget* cells_;
};

// The cell colours for each rating.
inline const QColor kNavy(0, 0, 128);
inline const QColor kUnrated(128, 128, 128);
inline const QColor kBad(255, 0, 0);
inline const QColor kAverage(255, 255, 0);
inline const QColor kGood(0, 255, 0);
inline const QColor kMaroon(128, 0, 0);

}  // namespace pulmora::daily
