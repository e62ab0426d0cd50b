#include "CardFixture.h"

#include "about/TAsAbo.h"
#include "controls/TDaButton.h"
#include "controls/TDaNumber.h"
#include "daily/TAsDet.h"
#include "pictures/Contrast.h"
#include "sheetwindow/TAsSheet.h"

#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QTest>

namespace pulmora::test {
namespace {

// A dark desktop's palette for as long as it lives: light text on dark grounds.
class DarkDesktop {
public:
    DarkDesktop() : before_(QApplication::palette()) {
        QPalette dark(QColor(60, 60, 60), QColor(45, 45, 45));  // button face, window
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            dark.setColor(role, QColor(235, 235, 235));
        dark.setColor(QPalette::Base, QColor(25, 25, 25));
        QApplication::setPalette(dark);
    }
    ~DarkDesktop() { QApplication::setPalette(before_); }

private:
    QPalette before_;
};

// How far a control's ink stands out from its ground as it shows in its window: the colour most
// of its pixels have is the ground, the pixel that differs most from it the ink.
double inkContrast(QWidget* control) {
    const QImage shown = control->window()
                             ->grab(QRect(control->mapTo(control->window(), QPoint()), control->size()))
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) ++counts[shown.pixel(x, y)];
    const QRgb ground = std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), [](auto a, auto b) {
                            return a.second < b.second;
                        })->first;
    double best = 1;
    for (const QRgb colour : counts.keys()) best = std::max(best, controls::contrastRatio(colour, ground));
    return best;
}

// Every label with a text and every picture button of the window as it shows, and the entries'
// digits on their cells, reach a readable contrast.
void expectReadable(QWidget& window, const char* where) {
    for (QWidget* control : window.findChildren<QWidget*>()) {
        const auto* label = qobject_cast<QLabel*>(control);
        const QColor digits = control->palette().color(QPalette::Text), cell = control->palette().color(QPalette::Base);
        const bool entry = qobject_cast<controls::TDaNumber*>(control) || qobject_cast<controls::TDaSingle*>(control);
        const bool ink = (label && !label->text().isEmpty()) || qobject_cast<controls::TDaButton*>(control);
        if (entry || (ink && control->isVisibleTo(&window))) {
            EXPECT_GE(entry ? controls::contrastRatio(digits, cell) : inkContrast(control), controls::kReadableContrast)
                << where << ": " << control->objectName().toStdString() << " " << control->toolTip().toStdString();
        }
    }
}

// The fixed windows keep their own fonts: made under a 16 point desktop font, each looks as it
// does under the ordinary one it was laid out for.
TEST_F(CardTest, WithALargeDesktopFontNothingOfTheFixedWindowsIsCutShort) {
    prepare([&](store::Diary& d) { addPerson(d, "Jo"); });
    auto shots = [&] {
        start();
        card().show();
        QEvent left(QEvent::Leave);  // the banner's marker follows the pointer, which has no part here
        QApplication::sendEvent(widget("SelAsName"), &left);
        sheet::TAsSheet sheet(diary());
        sheet.Open(card().CurrentPerson());
        about::TAsAbo about;
        about.DisplayAbout(diary().files.folder());
        QList<QImage> images;
        for (QWidget* window :
             {static_cast<QWidget*>(&card()), static_cast<QWidget*>(&sheet), static_cast<QWidget*>(&about)}) {
            window->show();
            images << window->grab().toImage();
        }
        program.reset();
        return images;
    };
    const QList<QImage> ordinary = shots();
    const QFont before = QApplication::font();
    QFont large = before;
    large.setPointSize(16);
    QApplication::setFont(large);
    const QList<QImage> withLargeFont = shots();
    QApplication::setFont(before);
    for (qsizetype i = 0; i < ordinary.size(); ++i) EXPECT_EQ(withLargeFont[i], ordinary[i]) << "window " << i;
}

// Where a window fixes a colour of its own its texts and glyphs stand out from it, on a dark
// desktop too.
TEST_F(CardTest, OnADarkDesktopEveryTextAndGlyphReads) {
    const DarkDesktop dark;
    prepare([&](store::Diary& d) { addPerson(d, "Jo"); });
    start();
    card().show();
    click(widget("CoughDay"));  // Save and Cancel show
    expectReadable(card(), "the daily card");
    daily::TAsDet deletion;
    deletion.MesDelPer("Jo");
    deletion.show();
    expectReadable(deletion, "the deletion window");
    sheet::TAsSheet sheet(diary());  // purple
    sheet.Open(card().CurrentPerson());
    sheet.show();
    expectReadable(sheet, "the record sheet");
}

}  // namespace
}  // namespace pulmora::test
