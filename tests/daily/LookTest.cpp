#include "CardFixture.h"

#include "about/TAsAbo.h"
#include "daily/TAsDet.h"
#include "sheet/TAsSheet.h"
#include "support/Contrast.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

namespace pulmora::test {
namespace {

// The labels of a window read whole in the room they are given.
void expectWhole(QWidget& window, const char* where) {
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text().isEmpty() || !label->isVisibleTo(&window)) continue;
        const QSize room = label->contentsRect().size();
        const QSize needed = label->wordWrap() ? QSize(room.width(), label->heightForWidth(label->width()))
                                               : label->fontMetrics().size(0, label->text());
        EXPECT_LE(needed.width(), room.width()) << where << ": " << label->text().toStdString();
        EXPECT_LE(needed.height(), label->height()) << where << ": " << label->text().toStdString();
    }
}

// The desktop's font, for as long as it lives.
class DesktopFont {
public:
    explicit DesktopFont(int points) : before_(QApplication::font()) {
        QFont large = before_;
        large.setPointSize(points);
        QApplication::setFont(large);
    }
    ~DesktopFont() { QApplication::setFont(before_); }

private:
    QFont before_;
};

// The fixed windows keep their own fonts: with a large desktop font every text reads whole, as
// with the desktop's ordinary one, and each window looks as it does with that.
TEST_F(CardTest, WithALargeDesktopFontNothingOfTheFixedWindowsIsCutShort) {
    prepare([&](store::Diary& d) { addPerson(d, "Jo"); });
    start();
    card().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&card()));
    auto shots = [&] {
        QList<QImage> images;
        // The banner's marker follows the pointer, which has no part in this.
        QEvent left(QEvent::Leave);
        QApplication::sendEvent(widget("SelAsName"), &left);
        for (int page = 0; page < 2; ++page) {
            on<QTabWidget>("Tabs")->setCurrentIndex(page);
            images << card().grab().toImage();
            expectWhole(card(), page == 0 ? "the basic page" : "the additional page");
        }
        sheet::TAsSheet sheet(diary());
        sheet.Open(card().CurrentPerson());
        sheet.show();
        images << sheet.grab().toImage();
        expectWhole(sheet, "the record sheet");
        about::TAsAbo about;
        about.DisplayAbout(diary().files.folder());
        about.show();
        images << about.grab().toImage();
        return images;
    };
    const QList<QImage> ordinary = shots();
    const DesktopFont large(16);
    const QList<QImage> withLargeFont = shots();
    for (qsizetype i = 0; i < ordinary.size(); ++i) EXPECT_EQ(withLargeFont[i], ordinary[i]) << "window " << i;
}

TEST_F(CardTest, OnADarkDesktopEveryTextAndGlyphOfTheCardReads) {
    const DesktopPalette dark(darkPalette());
    prepare([&](store::Diary& d) { addPerson(d, "Jo"); });
    start();
    card().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&card()));
    click(widget("CoughDay"));  // Save and Cancel show
    expectReadable(card(), "the daily card");

    daily::TAsDet deletion;
    deletion.MesDelPer("Jo");
    deletion.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&deletion));
    expectReadable(deletion, "the deletion window");
}

}  // namespace
}  // namespace pulmora::test
