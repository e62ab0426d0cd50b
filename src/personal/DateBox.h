#pragma once

#include <QDate>
#include <QWidget>

class QCalendarWidget;
class QLineEdit;
class QToolButton;

namespace pulmora::personal {

// A date typed as day/month/year ("dd/mm/yyyy" stands in the empty box as a hint), or picked
// from a calendar that pops up under it (the button, or F4 or Alt+Down in the box). An empty box
// holds no date. Text that is not a day is kept for the user to put right and reported by
// `refused` when the box is left.
class DateBox : public QWidget {
    Q_OBJECT
public:
    static inline const QString kFormat = QStringLiteral("dd/MM/yyyy");

    explicit DateBox(QWidget* parent = nullptr);

    // The date in the box; a null date when it is empty or holds no day.
    QDate date() const;
    // Shows the date; a null date empties the box.
    void setDate(const QDate& date);
    QString text() const;
    // Whether the box is empty or holds a day.
    bool isAcceptable() const;
    // Answers isAcceptable(); when it is not, says why through `refused`.
    bool check();
    // Where the calendar opens when the box holds no date.
    void setPopupStart(const QDate& date) { popupStart_ = date; }
    // Opens the calendar at the box's date, or at the popup start; answers the calendar shown.
    QCalendarWidget* showPopup();
    // Names the box for screen readers by the label beside it, and its calendar button after it.
    void setAccessibleLabel(const QString& label);

    QLineEdit* edit;
    QToolButton* popupButton;

signals:
    // The user typed or picked a change.
    void edited();
    // The box was left holding text that is not a day.
    void refused(const QString& message);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QDate popupStart_;
};

}  // namespace pulmora::personal
