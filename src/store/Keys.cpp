#include "Keys.h"

namespace pulmora::store::keys {
namespace {

QString hexCounter(quint32 n) { return QStringLiteral("%1").arg(n, 8, 16, QLatin1Char('0')).toUpper(); }

QString twoLetters(const QString& name) {
    QString letters = name.trimmed().left(2);
    for (auto& c : letters)
        if (c.isSpace()) c = QLatin1Char('X');
    return letters.leftJustified(2, QLatin1Char('X'));
}

}  // namespace

QString dateKey(const QDate& date) { return date.toString(QStringLiteral("yyyyMMdd")); }

QString dateKeyOrBlank(const QDate& date) { return date.isNull() ? QString() : dateKey(date); }

std::optional<QDate> Get4Date(const QString& key) {
    if (key.size() != 8) return std::nullopt;
    for (QChar c : key)
        if (!c.isDigit() || c.unicode() > '9') return std::nullopt;
    const QDate date(key.left(4).toInt(), key.mid(4, 2).toInt(), key.mid(6, 2).toInt());
    if (!date.isValid()) return std::nullopt;
    return date;
}

QString padded(const QString& text, int width, QChar fill) { return text.leftJustified(width, fill); }

QString dayId(const PersonId& person, const QDate& date) { return person.text() + dateKey(date); }

QString personIdCandidate(const QString& surname, const QString& firstName, quint32 n) {
    return twoLetters(surname) + twoLetters(firstName) + hexCounter(n).right(4);
}

QString medIdCandidate(const QString& name, quint32 n) {
    const QString letters = name.trimmed().left(4);
    return letters + hexCounter(n).mid(letters.size());
}

}  // namespace pulmora::store::keys
