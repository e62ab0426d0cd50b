#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pulmora::daily {

// "Deletion Confirmation": asks before a day or a person is removed. A person is removed only
// after the word DELETE has been typed.
class TAsDet : public QDialog {
    Q_OBJECT
public:
    explicit TAsDet(QWidget* parent = nullptr);

    void MesDelDly(const QString& date, const QString& name);
    void MesDelPer(const QString& name);
    bool DeleteConfirmed() const { return confirmed_; }

    QLabel* LabMes;
    QWidget* PanConfirm;
    QLineEdit* deleteBox;
    QPushButton* BtnConfirm;
    QPushButton* BtnCancel;

private:
    void showMessage(const QString& text);
    void confirm();

    bool confirmed_ = false;
};

}  // namespace pulmora::daily
