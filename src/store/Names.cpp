#include "Names.h"

#include "Cp1252.h"

namespace pulmora::store {

QString upper(const QString& text) {
    QString result = text;
    for (QChar& c : result)
        if (const QChar capital = c.toUpper(); cp1252::canEncode(QString(capital))) c = capital;
    return result;
}

QString triggerName(const QString& name) { return upper(name.trimmed()); }

}  // namespace pulmora::store
