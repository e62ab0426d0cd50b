#pragma once

#include "store/Backups.h"

#include <QDialog>

#include <optional>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace pulmora::app {

// Lists the diary's backups, newest first, with the day each was made and the days it holds,
// and asks once more before the chosen one replaces the diary. It changes nothing itself: the
// program restores the backup it answers.
class RestoreWindow : public QDialog {
    Q_OBJECT
public:
    explicit RestoreWindow(const std::vector<store::Backup>& backups, QWidget* parent = nullptr);

    // The backup chosen and confirmed; nothing when none was.
    const std::optional<store::Backup>& chosen() const { return chosen_; }

    // How a backup is named in the list and in the question.
    static QString describe(const store::Backup& backup);

    QLabel* Intro;
    QListWidget* List;
    QPushButton *BtnRestore, *BtnCancel;
    QLabel* Question;
    QPushButton *BtnConfirm, *BtnBack;

private:
    void ask();

    std::vector<store::Backup> backups_;
    QStackedWidget* pages_;
    std::optional<store::Backup> chosen_;
};

}  // namespace pulmora::app
