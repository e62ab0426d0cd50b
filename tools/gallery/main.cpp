// pulmora-controls [--screenshot FILE.png]
// Shows every owner-drawn control with the program's glyphs, so their look can be checked by
// eye; with --screenshot it saves the window as a picture and ends.
#include "controls/TDaButton.h"
#include "controls/TDaNumber.h"
#include "controls/TDaPanel.h"
#include "controls/TDaSwitch.h"
#include "pictures/Glyphs.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QTimer>

#include <cstdio>

using namespace pulmora::controls;

namespace {

TDaButton* button(QWidget* parent, glyphs::Kind kind, const QString& caption, TDaButton::GlyphPosition position) {
    auto* b = new TDaButton(parent);
    const qreal ratio = parent->devicePixelRatioF();
    b->setGlyphInactive(glyphs::glyph(kind, glyphs::Look::Inactive, 24, ratio));
    b->setGlyphActive(glyphs::glyph(kind, glyphs::Look::Active, 24, ratio));
    b->setGlyphDisabled(glyphs::glyph(kind, glyphs::Look::Disabled, 24, ratio));
    b->setCaption(caption);
    b->setPosition(position);
    b->setActiveFontColor(QColor(0, 0, 255));
    b->setMinimumSize(70, 50);
    return b;
}

TDaSwitch* toggle(QWidget* parent, const QColor& colour, const QString& caption, int group) {
    auto* s = new TDaSwitch(parent);
    s->setBtnImage(glyphs::switchStrip(colour, 20, parent->devicePixelRatioF()));
    s->setCaption(caption);
    s->setGroupIndex(group);
    s->setMinimumSize(60, 50);
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Pulmora controls");
    auto* grid = new QGridLayout(&window);

    grid->addWidget(new QLabel("TDaButton"), 0, 0);
    using P = TDaButton::GlyphPosition;
    grid->addWidget(button(&window, glyphs::Kind::Save, "Save", P::bsTop), 0, 1);
    grid->addWidget(button(&window, glyphs::Kind::Cancel, "Cancel", P::bsLeft), 0, 2);
    grid->addWidget(button(&window, glyphs::Kind::Help, "Help", P::bsBottom), 0, 3);
    auto* disabled = button(&window, glyphs::Kind::Delete, "Delete", P::bsRight);
    disabled->setEnabled(false);
    grid->addWidget(disabled, 0, 4);
    int column = 1;
    for (auto kind : {glyphs::Kind::Previous, glyphs::Kind::Next, glyphs::Kind::Add, glyphs::Kind::Person,
                      glyphs::Kind::Report, glyphs::Kind::Sheet, glyphs::Kind::Menu})
        grid->addWidget(button(&window, kind, "", P::bsTop), 1, column++);

    grid->addWidget(new QLabel("TDaNumber 0..800"), 2, 0);
    auto* peak = new TDaNumber(&window);
    peak->setMaxValue(800);
    peak->setNoValue(420);
    peak->setBtnFrame(true);
    peak->setMinimumSize(66, 30);
    grid->addWidget(peak, 2, 1);
    grid->addWidget(new QLabel("TDaNumber 60..80"), 2, 2);
    auto* zone = new TDaNumber(&window);
    zone->setMaxValue(80);
    zone->setMinValue(60);
    zone->setMinimumSize(44, 30);
    grid->addWidget(zone, 2, 3);
    grid->addWidget(new QLabel("TDaSingle 0..20"), 2, 4);
    auto* doses = new TDaSingle(&window);
    doses->setMaxValue(20);
    doses->setMinimumSize(30, 30);
    grid->addWidget(doses, 2, 5);

    grid->addWidget(new QLabel("TDaSwitch group"), 3, 0);
    grid->addWidget(toggle(&window, QColor(192, 0, 0), "Bad", 1), 3, 1);
    grid->addWidget(toggle(&window, QColor(192, 160, 0), "Average", 1), 3, 2);
    auto* good = toggle(&window, QColor(0, 128, 0), "Good", 1);
    good->SetGroupState(true);
    grid->addWidget(good, 3, 3);
    grid->addWidget(toggle(&window, QColor(0, 0, 128), "Cough", 0), 3, 4);

    grid->addWidget(new QLabel("TDaPanel"), 4, 0);
    auto* panel = new TDaPanel(&window);
    panel->setCaption("Johnny");
    panel->setMinimumHeight(24);
    grid->addWidget(panel, 4, 1, 1, 2, Qt::AlignLeft);

    window.show();
    const QStringList arguments = QApplication::arguments();
    const qsizetype shot = arguments.indexOf("--screenshot");
    if (shot > 0 && shot + 1 < arguments.size()) {
        QTimer::singleShot(200, [&window, file = arguments[shot + 1]] {
            const bool saved = window.grab().save(file);
            if (!saved) std::fprintf(stderr, "pulmora-controls: could not write %s\n", qPrintable(file));
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
