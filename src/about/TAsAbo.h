#pragma once

#include <QDialog>
#include <QImage>

class QLabel;
class QPushButton;

namespace pulmora::about {

// "About Application": the product picture and a small panel of credits.
class TAsAbo : public QDialog {
    Q_OBJECT
public:
    explicit TAsAbo(QWidget* parent = nullptr);

    // Draws the credit panel and names the folder the diary is kept in.
    void DisplayAbout(const QString& diaryFolder);
    const QImage& credits() const { return credits_; }

    QLabel* ImVer;
    QLabel* ImDet;
    // The diary folder, below the rule: its caption, and the folder itself, shortened in the
    // middle when it is too long for the row and then whole in its tooltip.
    QLabel* LabDiary;
    QLabel* LabFolder;
    QPushButton* BtnClose;

private:
    QImage credits_;
};

}  // namespace pulmora::about
