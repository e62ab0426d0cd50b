#include "TAsDet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace pulmora::daily {

TAsDet::TAsDet(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
    setWindowTitle("Deletion Confirmation");
    setAutoFillBackground(true);
    QPalette red = palette();
    red.setColor(QPalette::Window, QColor(255, 0, 0));
    red.setColor(QPalette::WindowText, Qt::white);
    setPalette(red);

    LabMes = new QLabel(this);
    LabMes->setWordWrap(true);
    PanConfirm = new QWidget(this);
    deleteBox = new QLineEdit("DELETE", PanConfirm);
    deleteBox->setMaxLength(6);
    deleteBox->setAccessibleName("Confirmation word");
    deleteBox->setValidator(new QRegularExpressionValidator(QRegularExpression("[A-Za-z]*"), deleteBox));
    // Small letters are shown, and kept, as capitals.
    connect(deleteBox, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int cursor = deleteBox->cursorPosition();
        deleteBox->setText(text.toUpper());
        deleteBox->setCursorPosition(cursor);
    });
    auto* confirmRow = new QHBoxLayout(PanConfirm);
    confirmRow->setContentsMargins(0, 0, 0, 0);
    confirmRow->addWidget(new QLabel("  Enter Confirmation", PanConfirm));
    confirmRow->addWidget(deleteBox);

    BtnConfirm = new QPushButton("  Confirm", this);
    BtnCancel = new QPushButton("  Cancel", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnConfirm);
    buttons->addWidget(BtnCancel);
    auto* column = new QVBoxLayout(this);
    column->addWidget(LabMes);
    column->addWidget(PanConfirm);
    column->addLayout(buttons);
    setFixedWidth(340);

    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtnConfirm, &QPushButton::clicked, this, &TAsDet::confirm);
}

void TAsDet::MesDelDly(const QString& date, const QString& name) {
    PanConfirm->hide();
    confirmed_ = false;
    LabMes->setText("This action will remove \"" + date + "\" daily record from the Pulmora for " + name +
                    "?!  Verify this action by  clicking on the Confirm action button.");
    BtnConfirm->setFocus();
}

void TAsDet::MesDelPer(const QString& name) {
    PanConfirm->show();
    deleteBox->clear();
    confirmed_ = false;
    LabMes->setText("This action will permanently remove \"" + name +
                    "\" from the Pulmora?!  Verify this action by typing in the word DELETE and then"
                    " clicking on the Confirm action button.");
    deleteBox->setFocus();
}

void TAsDet::confirm() {
    if (deleteBox->text() != QLatin1String("DELETE")) return;
    confirmed_ = true;
    accept();
}

}  // namespace pulmora::daily
