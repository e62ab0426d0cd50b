#include "TAsDet.h"

#include "pictures/Contrast.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace pulmora::daily {
namespace {

constexpr int kMessageWidth = 320;
const QColor kRed(255, 0, 0);

}  // namespace

TAsDet::TAsDet(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
    setWindowTitle("Deletion Confirmation");
    setAutoFillBackground(true);
    QPalette red = palette();
    red.setColor(QPalette::Window, kRed);
    // White on this red falls short of reading well; the text is taken to what does.
    red.setColor(QPalette::WindowText, controls::readableOn(Qt::white, kRed));
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
    column->setSizeConstraint(QLayout::SetFixedSize);

    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtnConfirm, &QPushButton::clicked, this, &TAsDet::confirm);
}

void TAsDet::MesDelDly(const QString& date, const QString& name) {
    PanConfirm->hide();
    confirmed_ = false;
    showMessage("This action will remove \"" + date + "\" daily record from the Pulmora for " + name +
                "?!  Verify this action by  clicking on the Confirm action button.");
    // The hidden box already holds the word, so one press of Enter on Confirm would delete the
    // day: the window opens on Cancel, which Enter presses, and Confirm must be chosen.
    BtnCancel->setDefault(true);
    BtnCancel->setFocus();
}

void TAsDet::MesDelPer(const QString& name) {
    PanConfirm->show();
    deleteBox->clear();
    confirmed_ = false;
    showMessage("This action will permanently remove \"" + name +
                "\" from the Pulmora?!  Verify this action by typing in the word DELETE and then"
                " clicking on the Confirm action button.");
    deleteBox->setFocus();
}

// The message wraps at blanks, so it is made as wide as its widest word (a long name may have
// no blank) and as tall as all its lines; the window takes the size it needs.
void TAsDet::showMessage(const QString& text) {
    LabMes->setText(text);
    const QFontMetrics metrics(LabMes->font());
    int widest = kMessageWidth;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    LabMes->setFixedWidth(widest);
    LabMes->setMinimumHeight(LabMes->heightForWidth(widest));
}

void TAsDet::confirm() {
    if (deleteBox->text() != QLatin1String("DELETE")) return;
    confirmed_ = true;
    accept();
}

}  // namespace pulmora::daily
