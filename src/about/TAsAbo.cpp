#include "TAsAbo.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace pulmora::about {
namespace {

// The credits, as drawn and as a screen reader reads them.
const QString kMadeBy = QStringLiteral("Made by");
const QString kMakers[] = {QStringLiteral("The Pulmora project"), QStringLiteral("and its contributors")};
const QString kVersionTitle = QStringLiteral("Version");
const QString kVersion = QStringLiteral("Pulmora " PULMORA_VERSION);

// The product picture: the program's mark over its name.
QImage productPicture(const QSize& size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(225, 238, 250));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0, 0, 128));
    p.setPen(Qt::NoPen);
    const qreal r = size.width() * 0.4;
    const QPointF centre(size.width() / 2.0, size.height() * 0.35);
    p.drawEllipse(centre, r, r);
    p.setPen(QPen(QColor(0, 255, 0), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawPolyline(QPolygonF({centre + QPointF(-r * 0.7, r * 0.2), centre + QPointF(-r * 0.25, r * 0.2),
                              centre + QPointF(0, -r * 0.5), centre + QPointF(r * 0.25, r * 0.5),
                              centre + QPointF(r * 0.45, r * 0.05), centre + QPointF(r * 0.7, r * 0.05)}));
    QFont font("Arial");
    font.setPixelSize(18);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0, 0, 128));
    p.drawText(QRect(0, int(size.height() * 0.7), size.width(), 30), Qt::AlignCenter, "Pulmora");
    return image;
}

}  // namespace

TAsAbo::TAsAbo(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
    setWindowTitle("About Application");
    setFixedSize(314, 249);
    QFont arial("Arial");
    arial.setPointSize(8);
    setFont(arial);
    ImVer = new QLabel(this);
    ImVer->setGeometry(11, 8, 105, 174);
    ImVer->setAlignment(Qt::AlignCenter);
    ImVer->setPixmap(QPixmap::fromImage(productPicture({105, 174})));
    ImVer->setAccessibleName("Pulmora");
    ImDet = new QLabel(this);
    // The credits are drawn; a screen reader reads them from the name.
    ImDet->setAccessibleName(
        QStringLiteral("%1 %2 %3. %4 %5.").arg(kMadeBy, kMakers[0], kMakers[1], kVersionTitle, kVersion));
    ImDet->setGeometry(132, 8, 172, 174);
    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(8, 192, 298, 2);
    LabDiary = new QLabel("Diary folder:", this);
    LabDiary->setGeometry(8, 200, 222, 16);
    LabFolder = new QLabel(this);
    LabFolder->setGeometry(8, 216, 222, 16);
    LabFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    BtnClose = new QPushButton("Continue", this);
    BtnClose->setGeometry(236, 206, 69, 26);
    BtnClose->setDefault(true);
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::accept);
}

void TAsAbo::DisplayAbout(const QString& diaryFolder) {
    const QString folder = QDir::toNativeSeparators(diaryFolder);
    const QString shown = LabFolder->fontMetrics().elidedText(folder, Qt::ElideMiddle, LabFolder->width());
    LabFolder->setText(shown);
    LabFolder->setToolTip(shown == folder ? QString() : folder);

    credits_ = QImage(ImDet->size(), QImage::Format_RGB32);
    const QColor face = palette().color(QPalette::Button);
    credits_.fill(face);
    QPainter p(&credits_);
    p.setFont(font());
    const QFontMetrics metrics(font());
    const int u = metrics.height() / 2;
    const int r = credits_.width() - 2;
    const QColor ink = palette().color(QPalette::ButtonText);
    const QColor heading = palette().color(QPalette::Disabled, QPalette::WindowText);
    auto rule = [&](int y) {
        p.setPen(ink);
        p.drawLine(0, y, r, y);
    };
    auto block = [&](int top, const QString& title, const std::vector<std::pair<int, QString>>& lines) {
        rule(top - u / 2);
        p.setPen(heading);
        p.drawText(QPoint(0, top + metrics.ascent()), title);
        p.setPen(ink);
        for (const auto& [y, text] : lines)
            p.drawText(QPoint(r - metrics.horizontalAdvance(text), y + metrics.ascent()), text);
    };
    block(u, kMadeBy, {{4 * u, kMakers[0]}, {6 * u, kMakers[1]}});
    block(9 * u, kVersionTitle, {{12 * u, kVersion}});
    rule(16 * u - u / 2);
    ImDet->setPixmap(QPixmap::fromImage(credits_));
}

}  // namespace pulmora::about
