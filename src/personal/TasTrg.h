#pragma once

#include "store/Diary.h"

#include <QDialog>

class QLineEdit;
class QListWidget;

namespace pulmora::controls {
class MessageLine;
class TDaButton;
}  // namespace pulmora::controls

namespace pulmora::personal {

// "List of Common Triggers": the reference list shared by everyone. The daily card and the
// personal card pick triggers from it; maintenance edits it. Changes to the list are written at
// once, whichever button closes the window.
class TasTrg : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Pick, Maintain };

    TasTrg(store::Diary& diary, QWidget* parent = nullptr);

    void SetList(Mode mode);
    bool Confirmed() const { return confirmed_; }
    // The highlighted triggers, for a picking caller.
    QStringList highlighted() const;
    QString header() const;

    controls::MessageLine* PanHd;
    controls::TDaButton *BtnSave, *BtnCancel, *BtnTool;
    QListWidget* ListTriggers;
    QWidget* PanEdBar;
    QLineEdit* FldTrigger;
    controls::TDaButton *BtnTSave, *BtnTCancel, *BtnAdd, *BtnDel;

private:
    void fill();
    void takeLine();
    void confirm();
    void remove();
    void cancelEdit();
    void finishEdit(const QString& message);

    store::Diary& diary_;
    QString selectedTrigger_;
    bool confirmed_ = false;
};

}  // namespace pulmora::personal
