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

    // Draws the credit panel.
    void DisplayAbout();
    const QImage& credits() const { return credits_; }

    QLabel* ImVer;
    QLabel* ImDet;
    QPushButton* BtnClose;

private:
    QImage credits_;
};

}  // namespace pulmora::about
