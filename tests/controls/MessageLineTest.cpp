#include "controls/MessageLine.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QToolTip>

namespace pulmora::test {
namespace {

using controls::MessageLine;

// A window holding the line grows with its text.
TEST(MessageLineTest, TheWindowGrowsToTheWholeText) {
    QWidget window;
    auto* line = new MessageLine("Short");
    auto* row = new QHBoxLayout(&window);
    row->addWidget(line);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QString longer = "ADJUST: The personal best peak flow must be a whole number from 0 to 999";
    line->setText(longer);
    QCoreApplication::processEvents();
    EXPECT_GE(line->contentsRect().width(), line->fontMetrics().horizontalAdvance(longer));
    EXPECT_FALSE(line->isElided());
}

// A line given the room it asks for paints its whole text, not one cut short by a rounding.
TEST(MessageLineTest, InTheRoomItAsksForTheWholeTextIsPainted) {
    for (const QString& text : {QStringLiteral(" Highlight Triggers to Add"), QStringLiteral("Select Location"),
                                QStringLiteral("il1 ,.;: ji")}) {
        MessageLine line(text);
        line.resize(line.sizeHint());
        QImage whole(line.size(), QImage::Format_ARGB32);
        whole.fill(Qt::transparent);
        {
            QPainter painter(&whole);
            painter.setFont(line.font());
            painter.setPen(line.palette().color(QPalette::WindowText));
            painter.drawText(line.contentsRect().adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
        }
        QImage painted(line.size(), QImage::Format_ARGB32);
        painted.fill(Qt::transparent);
        line.render(&painted, {}, {}, QWidget::DrawChildren);
        EXPECT_EQ(painted, whole) << text.toStdString();
    }
}

TEST(MessageLineTest, ATextWiderThanTheScreenAllowsIsCutShortAndWholeInItsTooltip) {
    MessageLine line(QString(400, QLatin1Char('W')));
    const int widest = line.screen()->availableGeometry().width() * 3 / 4;
    EXPECT_EQ(line.minimumSizeHint().width(), widest);
    line.resize(widest, line.minimumSizeHint().height());
    line.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&line));
    EXPECT_TRUE(line.isElided());
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), line.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&line, &help);
    EXPECT_EQ(QToolTip::text(), line.text());
    // The text stops short of the right edge: the last quarter of the line shows no ink.
    const QImage shown = line.grab().toImage();
    const QRgb background = shown.pixel(shown.width() - 3, shown.height() / 2);
    int inkAtEnd = 0;
    for (int x = shown.width() - 8; x < shown.width() - 3; ++x)
        for (int y = 0; y < shown.height(); ++y) inkAtEnd += shown.pixel(x, y) != background;
    EXPECT_EQ(inkAtEnd, 0);
    line.setText("Fits");
    EXPECT_FALSE(line.isElided());
}

}  // namespace
}  // namespace pulmora::test
