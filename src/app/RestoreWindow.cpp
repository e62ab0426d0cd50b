#include "RestoreWindow.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace pulmora::app {

RestoreWindow::RestoreWindow(const std::vector<store::Backup>& backups, QWidget* parent)
    : QDialog(parent), backups_(backups) {
    setWindowTitle("Restore from Backup");
    pages_ = new QStackedWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);

    auto* choosing = new QWidget;
    auto* chooseLayout = new QVBoxLayout(choosing);
    chooseLayout->setContentsMargins(0, 0, 0, 0);
    Intro = new QLabel(backups_.empty() ? "There is no backup of the diary yet."
                                        : "Choose the backup that replaces the diary:");
    chooseLayout->addWidget(Intro);
    List = new QListWidget;
    List->setAccessibleName("Backups");
    for (const store::Backup& backup : backups_) List->addItem(describe(backup));
    List->setMinimumWidth(List->sizeHintForColumn(0) + 2 * List->frameWidth() + 24);
    chooseLayout->addWidget(List);
    auto* chooseButtons = new QDialogButtonBox;
    BtnRestore = chooseButtons->addButton("Restore...", QDialogButtonBox::AcceptRole);
    BtnCancel = chooseButtons->addButton(QDialogButtonBox::Cancel);
    chooseLayout->addWidget(chooseButtons);
    pages_->addWidget(choosing);

    auto* asking = new QWidget;
    auto* askLayout = new QVBoxLayout(asking);
    askLayout->setContentsMargins(0, 0, 0, 0);
    Question = new QLabel;
    Question->setWordWrap(true);
    askLayout->addWidget(Question);
    askLayout->addStretch(1);
    auto* askButtons = new QDialogButtonBox;
    BtnConfirm = askButtons->addButton("Replace the Diary", QDialogButtonBox::AcceptRole);
    BtnBack = askButtons->addButton("Back", QDialogButtonBox::RejectRole);
    askLayout->addWidget(askButtons);
    pages_->addWidget(asking);

    // A backup that is not whole is shown, but the store would refuse it.
    auto restorable = [this] {
        const int row = List->currentRow();
        return row >= 0 && backups_[size_t(row)].daysRecorded >= 0 && backups_[size_t(row)].incomplete.isEmpty();
    };
    BtnRestore->setEnabled(false);
    BtnRestore->setDefault(true);
    connect(List, &QListWidget::currentRowChanged, this, [this, restorable] { BtnRestore->setEnabled(restorable()); });
    // A double click asks as the button does. Return is left to the dialog's default button: the
    // list passes the key on after it reports an activated item, so acting on that too would
    // answer the question in the same key press.
    connect(List, &QListWidget::itemDoubleClicked, this, [this, restorable] {
        if (restorable()) ask();
    });
    connect(BtnRestore, &QPushButton::clicked, this, &RestoreWindow::ask);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtnBack, &QPushButton::clicked, this, [this] {
        pages_->setCurrentIndex(0);
        BtnBack->setDefault(false);
        BtnRestore->setDefault(true);
        List->setFocus();
    });
    connect(BtnConfirm, &QPushButton::clicked, this, [this] {
        chosen_ = backups_[size_t(List->currentRow())];
        accept();
    });
}

QString RestoreWindow::describe(const store::Backup& backup) {
    QString text = QLocale(QLocale::English).toString(backup.date, "dddd d MMMM yyyy");
    if (backup.beforeRestore) text += ", the diary as it was before a restore";
    if (!backup.incomplete.isEmpty()) return text + QStringLiteral(": incomplete, %1").arg(backup.incomplete);
    if (backup.daysRecorded < 0) return text + ": its day file cannot be read";
    return text +
           QStringLiteral(": %1 %2 recorded").arg(backup.daysRecorded).arg(backup.daysRecorded == 1 ? "day" : "days");
}

void RestoreWindow::ask() {
    const int row = List->currentRow();
    if (row < 0) return;
    Question->setText(QStringLiteral("Replace the whole diary, every person in it, by the backup of %1?\n\n"
                                     "The diary as it is now is kept first as a backup of its own, so this "
                                     "can be undone from this list.")
                          .arg(describe(backups_[size_t(row)])));
    pages_->setCurrentIndex(1);
    // Replacing the diary takes a deliberate choice: Return goes back.
    BtnRestore->setDefault(false);
    BtnBack->setDefault(true);
    BtnBack->setFocus();
}

}  // namespace pulmora::app
