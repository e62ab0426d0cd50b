#include "DateBox.h"

#include "store/Clock.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>

namespace pulmora::personal {
namespace {

// Day and month may have one or two digits; the year has four.
QDate parsed(const QString& text) { return QDate::fromString(text.trimmed(), QStringLiteral("d/M/yyyy")); }

}  // namespace

void DateBox::setAccessibleLabel(const QString& label) {
    edit->setAccessibleName(label);
    popupButton->setAccessibleName(label + QStringLiteral(" from a calendar"));
}

DateBox::DateBox(QWidget* parent) : QWidget(parent) {
    edit = new QLineEdit(this);
    edit->setPlaceholderText(QStringLiteral("dd/mm/yyyy"));
    edit->setToolTip(
        QStringLiteral("Type the date as dd/mm/yyyy, or leave the box empty for no date. "
                       "F4 opens a calendar."));
    edit->setMaxLength(10);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9/]*")), edit));
    edit->installEventFilter(this);
    popupButton = new QToolButton(this);
    popupButton->setArrowType(Qt::DownArrow);
    popupButton->setFocusPolicy(Qt::NoFocus);
    popupButton->setToolTip(QStringLiteral("Pick the date from a calendar"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(edit, 1);
    row->addWidget(popupButton);
    setFocusProxy(edit);
    popupStart_ = store::clock::today();

    connect(edit, &QLineEdit::textEdited, this, &DateBox::edited);
    connect(edit, &QLineEdit::editingFinished, this, &DateBox::check);
    connect(popupButton, &QToolButton::clicked, this, &DateBox::showPopup);
}

QDate DateBox::date() const { return parsed(edit->text()); }

void DateBox::setDate(const QDate& date) { edit->setText(date.isValid() ? date.toString(kFormat) : QString()); }

QString DateBox::text() const { return edit->text(); }

bool DateBox::isAcceptable() const { return edit->text().trimmed().isEmpty() || date().isValid(); }

bool DateBox::check() {
    if (isAcceptable()) return true;
    emit refused(QStringLiteral("ADJUST: \"%1\" is not a date: type it as dd/mm/yyyy").arg(text().trimmed()));
    return false;
}

QCalendarWidget* DateBox::showPopup() {
    auto* calendar = new QCalendarWidget(this);
    calendar->setWindowFlags(Qt::Popup);
    calendar->setAttribute(Qt::WA_DeleteOnClose);
    calendar->setFirstDayOfWeek(Qt::Sunday);
    calendar->setSelectedDate(date().isValid() ? date() : popupStart_);
    connect(calendar, &QCalendarWidget::activated, this, [this, calendar](const QDate& picked) {
        setDate(picked);
        emit edited();
        calendar->close();
    });
    connect(calendar, &QCalendarWidget::clicked, calendar, &QCalendarWidget::activated);
    calendar->move(mapToGlobal(QPoint(0, height())));
    calendar->show();
    calendar->setFocus();
    return calendar;
}

bool DateBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F4 || (key->key() == Qt::Key_Down && key->modifiers() & Qt::AltModifier)) {
            showPopup();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace pulmora::personal
