#include "StorableText.h"

#include "store/Cp1252.h"

#include <QLineEdit>

namespace pulmora::personal {

QValidator::State StorableTextValidator::validate(QString& input, int&) const {
    const QString bad = store::cp1252::firstUnstorable(input);
    if (bad.isEmpty()) return Acceptable;
    emit refused(bad);
    return Invalid;
}

void refuseUnstorableText(QLineEdit* box, const std::function<void(const QString&)>& report) {
    auto* validator = new StorableTextValidator(box);
    box->setValidator(validator);
    QObject::connect(validator, &StorableTextValidator::refused, box, [report](const QString& character) {
        report(
            QStringLiteral("ERROR: \"%1\" cannot be stored in the diary; please type it another way.").arg(character));
    });
}

}  // namespace pulmora::personal
