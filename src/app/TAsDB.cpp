#include "TAsDB.h"

#include <QPainter>

#include <cmath>

namespace pulmora::app {

TAsDB::TAsDB(store::Diary& diary, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint),
      diary_(diary) {
    setWindowTitle("DB Monitor");
    QFont arial("Arial");
    arial.setPointSize(8);
    setFont(arial);
    setFixedSize(273, 304);
    move(0, 0);
    image_ = QImage(size(), QImage::Format_RGB32);
    image_.fill(palette().color(QPalette::Window));
    // The monitor follows every change; a mere read moves a cursor, which matters only to a
    // monitor someone can see.
    connect(&diary_.files, &store::DiaryStore::opened, this, [this] {
        monitor_.drawn = false;
        if (diary_.files.allOpen()) ShowFState();
    });
    connect(&diary_.files, &store::DiaryStore::tableChanged, this, &TAsDB::ShowFState);
    connect(&diary_.files, &store::DiaryStore::tableRead, this, [this] {
        if (isVisible()) ShowFState();
    });
}

QString TAsDB::statusText(const store::TablePosition& position) {
    if (!position.open) return QStringLiteral("File Not Open");
    const int percent = int(std::trunc(position.fraction * 100.0));
    return QStringLiteral("%1:%2%:%3").arg(position.record).arg(percent).arg(position.count);
}

void TAsDB::showMessage(const QString& message) {
    message_ = message;
    draw();
}

void TAsDB::ShowFState() {
    monitor_.personal = statusText(diary_.files.position(store::TableId::Personal));
    monitor_.daily = statusText(diary_.files.position(store::TableId::Daily));
    monitor_.drawn = true;
    draw();
}

// The monitor picture: the status of the person and day files, in a frame sized to the font,
// and below it the card's latest message, for which the window grows when it is long.
void TAsDB::draw() {
    const QFontMetrics metrics(font());
    const int w = metrics.horizontalAdvance(QLatin1Char('M'));
    const int h = metrics.height() + 2;
    const QRect messageArea(w, 13 * h, 26 * w, 0);
    const int messageHeight =
        metrics.boundingRect(messageArea.adjusted(0, 0, 0, 1000 * h), Qt::TextWordWrap, message_).height();
    setFixedSize(28 * w, std::max(16 * h, messageArea.top() + messageHeight + h));
    image_ = QImage(size(), QImage::Format_RGB32);
    QPainter p(&image_);
    const QColor window = palette().color(QPalette::Window);
    p.fillRect(image_.rect(), window);

    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(palette().color(QPalette::WindowText));
    auto text = [&](int x, int y, const QString& s) { p.drawText(QPoint(x, y + metrics.ascent()), s); };
    text(w, h / 2, "Static File Status");
    text(w, h / 2 + 6 * h, "Dynamic File Status");
    p.setBrush(palette().color(QPalette::Base));
    p.drawRect(QRect(QPoint(w, 2 * h - h / 3), QPoint(width() - w, 6 * h + h / 4)));
    p.drawRect(QRect(QPoint(w, 8 * h - h / 3), QPoint(width() - w, 12 * h + h / 4)));

    p.setFont(font());
    const struct {
        int row;
        const char* label;
        QString value;
    } rows[] = {
        {2, "Personal", monitor_.personal}, {3, "Triggers", "N/A"}, {4, "Medication", "N/A"},  {5, "Banding", "N/A"},
        {8, "Dly", monitor_.daily},         {9, "Triggers", "N/A"}, {10, "Medication", "N/A"}, {11, "Events", "N/A"}};
    for (const auto& r : rows) {
        text(2 * w, r.row * h, r.label);
        text(12 * w, r.row * h, r.value);
    }
    p.drawText(messageArea.adjusted(0, 0, 0, messageHeight), Qt::TextWordWrap, message_);
    update();
}

void TAsDB::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

}  // namespace pulmora::app
