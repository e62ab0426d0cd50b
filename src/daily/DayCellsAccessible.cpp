#include "DayCellsAccessible.h"

#include "DayCalendar.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QPointer>

#include <vector>

namespace pulmora::daily {
namespace {

// The cells are numbered as the table view numbers them in the focus events it sends: a slot
// before each row and a row of slots before the first, where a table's hidden headers would be.
constexpr int kSlots = 1;

DayCalendar* calendarOf(QAbstractItemView* cells) { return qobject_cast<DayCalendar*>(cells->parentWidget()); }

class DayCellAccessible : public QAccessibleInterface {
public:
    DayCellAccessible(QAbstractItemView* cells, int row, int column) : cells_(cells), row_(row), column_(column) {}

    bool isValid() const override { return cells_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return cells_ ? cells_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(cells_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !cells_ || isSlot()) return {};
        if (row_ == 0) return cells_->model()->index(0, column_).data().toString();
        const DayCalendar* calendar = calendarOf(cells_);
        return calendar ? calendar->dayReading(calendar->dateAt(row_, column_)) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!cells_ || isSlot()) return {};
        const QRect cell = cells_->visualRect(cells_->model()->index(row_, column_));
        return {cells_->viewport()->mapToGlobal(cell.topLeft()), cell.size()};
    }
    QAccessible::Role role() const override { return row_ == 0 ? QAccessible::ColumnHeader : QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!cells_ || isSlot()) {
            state.invisible = true;
            return state;
        }
        const DayCalendar* calendar = calendarOf(cells_);
        if (row_ == 0 || !calendar) return state;
        state.selectable = true;
        state.focusable = true;
        state.selected = calendar->dateAt(row_, column_) == calendar->selectedDate();
        state.focused = state.selected && cells_->hasFocus();
        return state;
    }

private:
    bool isSlot() const { return row_ < 0 || column_ < 0; }

    QPointer<QAbstractItemView> cells_;
    int row_;
    int column_;
};

class DayCellsTable : public QAccessibleWidget {
public:
    explicit DayCellsTable(QAbstractItemView* cells) : QAccessibleWidget(cells, QAccessible::Table) {
        ids_.resize(size_t(rows() + kSlots) * size_t(columns() + kSlots), 0);
    }
    ~DayCellsTable() override {
        for (QAccessible::Id id : ids_)
            if (id) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return int(ids_.size()); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        QAccessible::Id& id = ids_[size_t(index)];
        if (!id) {
            const int width = columns() + kSlots;
            // The registry owns the cell from here; the table deletes it by its id when it goes.
            id = QAccessible::registerAccessibleInterface(
                new DayCellAccessible(cells(), index / width - kSlots, index % width - kSlots));
        }
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (size_t i = 0; i < ids_.size(); ++i)
            if (ids_[i] && QAccessible::accessibleInterface(ids_[i]) == child) return int(i);
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        return cellAt(cells()->indexAt(cells()->viewport()->mapFromGlobal(QPoint(x, y))));
    }
    QAccessibleInterface* focusChild() const override {
        return cells()->hasFocus() ? cellAt(cells()->currentIndex()) : nullptr;
    }

private:
    QAbstractItemView* cells() const { return static_cast<QAbstractItemView*>(widget()); }
    int rows() const { return cells()->model()->rowCount(); }
    int columns() const { return cells()->model()->columnCount(); }
    QAccessibleInterface* cellAt(const QModelIndex& index) const {
        if (!index.isValid()) return nullptr;
        return child((index.row() + kSlots) * (columns() + kSlots) + index.column() + kSlots);
    }

    mutable std::vector<QAccessible::Id> ids_;
};

QAccessibleInterface* dayCellsInterface(const QString& key, QObject* object) {
    auto* cells = qobject_cast<QAbstractItemView*>(object);
    if (key != QLatin1String("QCalendarView") || !cells || !calendarOf(cells)) return nullptr;
    return new DayCellsTable(cells);
}

}  // namespace

void readDayCellsAloud(QAbstractItemView& cells) {
    QAccessible::installFactory(&dayCellsInterface);
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(&cells);
        made && !dynamic_cast<DayCellsTable*>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

}  // namespace pulmora::daily
