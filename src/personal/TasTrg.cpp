#include "TasTrg.h"

#include "StorableText.h"
#include "controls/GlyphButton.h"
#include "controls/MessageLine.h"
#include "controls/TDaButton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace pulmora::personal {
namespace {

using controls::TDaButton;
namespace glyphs = controls::glyphs;

TDaButton* button(QWidget* parent, glyphs::Kind kind, const QString& hint) {
    return controls::glyphButton(parent, kind, hint, {28, 28});
}

}  // namespace

TasTrg::TasTrg(store::Diary& diary, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint),
      diary_(diary) {
    setWindowTitle("List of Common Triggers");
    PanHd = new controls::MessageLine(" Highlight Triggers to Add", this);
    BtnSave = button(this, glyphs::Kind::Save, "Add Highlighted Triggers");
    BtnCancel = button(this, glyphs::Kind::Cancel, "Close");
    BtnTool = button(this, glyphs::Kind::Menu, "Edit the List");
    ListTriggers = new QListWidget(this);
    ListTriggers->setSortingEnabled(true);
    ListTriggers->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListTriggers->setFlow(QListView::TopToBottom);
    ListTriggers->setWrapping(true);
    ListTriggers->setResizeMode(QListView::Adjust);
    ListTriggers->setAccessibleName("Common triggers");

    PanEdBar = new QWidget(this);
    FldTrigger = new QLineEdit(PanEdBar);
    FldTrigger->setMaxLength(25);
    FldTrigger->setAccessibleName("Trigger");
    refuseUnstorableText(FldTrigger, [this](const QString& m) { PanHd->setText(m); });
    BtnTSave = button(PanEdBar, glyphs::Kind::Save, "Confirm Change");
    BtnTCancel = button(PanEdBar, glyphs::Kind::Cancel, "Cancel Change");
    BtnAdd = button(PanEdBar, glyphs::Kind::Add, "Add New Trigger");
    BtnDel = button(PanEdBar, glyphs::Kind::Delete, "Remove Selected Trigger");
    auto* bar = new QHBoxLayout(PanEdBar);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(FldTrigger, 1);
    for (auto* b : {BtnTSave, BtnTCancel, BtnAdd, BtnDel}) bar->addWidget(b);

    auto* head = new QHBoxLayout;
    head->addWidget(PanHd, 1);
    for (auto* b : {BtnSave, BtnCancel, BtnTool}) head->addWidget(b);
    auto* column = new QVBoxLayout(this);
    column->addLayout(head);
    column->addWidget(ListTriggers, 1);
    column->addWidget(PanEdBar);
    resize(360, 300);

    connect(BtnTool, &TDaButton::clicked, this, [this] { PanEdBar->setVisible(PanEdBar->isHidden()); });
    connect(BtnCancel, &TDaButton::clicked, this, &QDialog::reject);
    connect(BtnSave, &TDaButton::clicked, this, [this] {
        confirmed_ = true;
        accept();
    });
    connect(ListTriggers, &QListWidget::itemClicked, this, &TasTrg::takeLine);
    connect(BtnAdd, &TDaButton::clicked, this, [this] {
        selectedTrigger_.clear();
        FldTrigger->clear();
        FldTrigger->setFocus();
    });
    connect(BtnTSave, &TDaButton::clicked, this, &TasTrg::confirm);
    connect(FldTrigger, &QLineEdit::returnPressed, this, &TasTrg::confirm);
    connect(BtnDel, &TDaButton::clicked, this, &TasTrg::remove);
    connect(BtnTCancel, &TDaButton::clicked, this, &TasTrg::cancelEdit);
}

void TasTrg::SetList(Mode mode) {
    confirmed_ = false;
    selectedTrigger_.clear();
    FldTrigger->clear();
    const bool maintaining = mode == Mode::Maintain;
    BtnSave->setVisible(!maintaining);
    PanEdBar->setVisible(maintaining);
    fill();
}

void TasTrg::fill() {
    ListTriggers->clear();
    ListTriggers->addItems(diary_.persons.ListTrg());
}

QStringList TasTrg::highlighted() const {
    QStringList names;
    for (const auto* item : ListTriggers->selectedItems()) names << item->text();
    return names;
}

QString TasTrg::header() const { return PanHd->text(); }

void TasTrg::takeLine() {
    if (const auto* item = ListTriggers->currentItem()) {
        selectedTrigger_ = item->text().trimmed();
        FldTrigger->setText(selectedTrigger_);
    }
}

void TasTrg::finishEdit(const QString& message) {
    fill();
    PanHd->setText(message);
    selectedTrigger_.clear();
    ListTriggers->setCurrentItem(nullptr);
    FldTrigger->clear();
}

void TasTrg::confirm() {
    const QString text = FldTrigger->text().trimmed();
    if (text.isEmpty()) return;
    const auto changed = diary_.persons.AddTrg(selectedTrigger_, text);
    if (!changed) {
        PanHd->setText("ERROR: " + changed.error());
        return;
    }
    finishEdit(changed.value ? text + " Updated to List" : "ERROR: " + text + " is already in the list");
}

void TasTrg::remove() {
    if (selectedTrigger_.isEmpty()) return;
    const QString text = FldTrigger->text().trimmed();
    const auto removed = diary_.persons.DelTrg(text);
    if (!removed) {
        PanHd->setText("ERROR: " + removed.error());
        return;
    }
    finishEdit(removed.value ? text + " Deleted from List" : "ERROR: " + text + " is not in the list");
}

void TasTrg::cancelEdit() {
    const auto* item = ListTriggers->currentItem();
    FldTrigger->setText(item ? item->text().trimmed() : QString());
}

}  // namespace pulmora::personal
