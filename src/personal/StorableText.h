#pragma once

#include <QValidator>

class QLineEdit;

namespace pulmora::personal {

// Refuses, as it is typed, any character the record files cannot hold, so nothing is ever
// stored half-converted. `refused` tells the window which character it was.
class StorableTextValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;

signals:
    void refused(const QString& character) const;
};

// Puts the validator on a box and shows the refusal through `report`.
void refuseUnstorableText(QLineEdit* box, const std::function<void(const QString&)>& report);

}  // namespace pulmora::personal
