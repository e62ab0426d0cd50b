#include "controls/AccessibleControls.h"
#include "controls/GlyphButton.h"
#include "controls/MessageLine.h"
#include "controls/TDaNumber.h"
#include "controls/TDaSwitch.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QComboBox>
#include <QSignalSpy>

#include <functional>

namespace pulmora::test {
namespace {

using controls::TDaButton;
using controls::TDaNumber;
using controls::TDaSingle;
using controls::TDaSwitch;

// How the control reads to a screen reader: its state, or its value within its range.
QString reading(QAccessibleInterface& control) {
    if (auto* value = control.valueInterface())
        return QStringLiteral("%1 in %2..%3")
            .arg(value->currentValue().toInt())
            .arg(value->minimumValue().toInt())
            .arg(value->maximumValue().toInt());
    if (control.state().checkable) return control.state().checked ? "checked" : "unchecked";
    if (!control.text(QAccessible::Value).isEmpty()) return control.text(QAccessible::Value);
    return control.state().disabled ? "disabled" : "enabled";
}

struct Case {
    const char* what;
    std::function<QWidget*(QWidget& parent)> make;
    QAccessible::Role role;
    QString name;
    QString before;
    QString action;  // done through the action interface; empty: the value is set to 900
    QString after;
    const char* signal;  // what the card hears
    int heard;
};

TDaSwitch* symptomSwitch(QWidget& parent) {
    auto* s = new TDaSwitch(&parent);
    s->setToolTip("Morning");
    s->setAccessibleName("Coughing by day");
    return s;
}

// The second of three rating switches, the first of them on.
TDaSwitch* ratingSwitch(QWidget& parent) {
    TDaSwitch* rates[3];
    for (auto*& rate : rates) {
        rate = new TDaSwitch(&parent);
        rate->setGroupIndex(1);
    }
    rates[0]->setBtnState(true);
    rates[1]->setCaption("Average");
    return rates[1];
}

template <class Entry>
Entry* entry(QWidget& parent, int min, int max, int value) {
    auto* e = new Entry(&parent);
    e->setMaxValue(max);
    e->setMinValue(min);
    e->setNoValue(value);
    e->setToolTip("Morning Peak Flow");
    return e;
}

QComboBox* titleList(QWidget& parent) {
    auto* list = new QComboBox(&parent);
    list->addItems({"Mr", "Mrs"});
    controls::nameChoiceList(*list, "Title");
    return list;
}

TDaButton* dateButton(QWidget& parent) {
    auto* b = new TDaButton(&parent);
    b->setToolTip("Click on this for Today");
    b->setCaption("December 2026");
    return b;
}

TDaButton* disabledSave(QWidget& parent) {
    TDaButton* b = controls::glyphButton(&parent, controls::glyphs::Kind::Save, "Save", {34, 30});
    b->setEnabled(false);
    return b;
}

TEST(AccessibleControlsTest, EachControlReadsAndWorksAsTheStandardControlItStandsFor) {
    controls::installAccessibleControls();
    const QString toggle = QAccessibleActionInterface::toggleAction();
    const QString press = QAccessibleActionInterface::pressAction();
    const QString increase = QAccessibleActionInterface::increaseAction();
    const QString decrease = QAccessibleActionInterface::decreaseAction();
    const Case cases[] = {
        {"symptom switch", symptomSwitch, QAccessible::CheckBox, "Coughing by day", "unchecked", toggle, "checked",
         SIGNAL(clicked()), 1},
        {"rating switch", ratingSwitch, QAccessible::RadioButton, "Average", "unchecked", toggle, "checked",
         SIGNAL(clicked()), 1},
        {"peak flow up", [](QWidget& p) { return entry<TDaNumber>(p, 0, 800, 450); }, QAccessible::SpinBox,
         "Morning Peak Flow", "450 in 0..800", increase, "451 in 0..800", SIGNAL(mouseReleased(Qt::MouseButton)), 1},
        {"zone limit set",
         [](QWidget& p) { return entry<TDaNumber>(p, 60, 80, 70); },
         QAccessible::SpinBox,
         "Morning Peak Flow",
         "70 in 60..80",
         {},
         "80 in 60..80",
         SIGNAL(mouseReleased(Qt::MouseButton)),
         1},
        {"dose at nought", [](QWidget& p) { return entry<TDaSingle>(p, 0, 20, 0); }, QAccessible::SpinBox,
         "Morning Peak Flow", "0 in 0..20", decrease, "0 in 0..20", SIGNAL(mouseReleased(Qt::MouseButton)), 1},
        {"title list", titleList, QAccessible::ComboBox, "Title", "Mr", QAccessibleActionInterface::showMenuAction(),
         "Mr", SIGNAL(currentIndexChanged(int)), 0},
        {"date button", dateButton, QAccessible::Button, "Click on this for Today", "enabled", press, "enabled",
         SIGNAL(clicked()), 1},
        {"disabled save", disabledSave, QAccessible::Button, "Save", "disabled", press, "disabled", SIGNAL(clicked()),
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QWidget parent;
        QWidget* control = c.make(parent);
        QAccessibleInterface* seen = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(seen, nullptr);
        EXPECT_EQ(seen->role(), c.role);
        EXPECT_EQ(seen->text(QAccessible::Name), c.name);
        EXPECT_EQ(reading(*seen), c.before);
        QSignalSpy heard(control, c.signal);
        if (c.action.isEmpty()) {
            ASSERT_NE(seen->valueInterface(), nullptr);
            seen->valueInterface()->setCurrentValue(900);
        } else {
            ASSERT_NE(seen->actionInterface(), nullptr);
            EXPECT_TRUE(seen->actionInterface()->actionNames().contains(c.action));
            seen->actionInterface()->doAction(c.action);
            QApplication::processEvents();  // a press is queued
        }
        EXPECT_EQ(reading(*seen), c.after);
        EXPECT_EQ(heard.size(), c.heard);
    }
    // The rating's group keeps one switch on, as a click leaves it.
    QWidget parent;
    TDaSwitch* average = ratingSwitch(parent);
    QAccessible::queryAccessibleInterface(average)->actionInterface()->doAction(toggle);
    const auto rates = parent.findChildren<TDaSwitch*>();
    EXPECT_FALSE(rates[0]->BtnState());
    EXPECT_TRUE(average->BtnState());
    // A caption on a button says more than its hint: the month on the date button.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(dateButton(parent))->text(QAccessible::Description),
              "December 2026");
}

TEST(AccessibleControlsTest, AMessageLineIsAnAlertNamedByItsMessage) {
    controls::installAccessibleControls();
    QWidget window;
    QLabel plain(&window);
    controls::markAsMessageLine(plain);
    controls::MessageLine line("Welcome", &window);
    for (QLabel* message : {static_cast<QLabel*>(&line), &plain}) {
        message->setText("LIMIT: Your value exceeds the maximum!");
        QAccessibleInterface* seen = QAccessible::queryAccessibleInterface(message);
        EXPECT_EQ(seen->role(), QAccessible::AlertMessage);
        EXPECT_EQ(seen->text(QAccessible::Name), "LIMIT: Your value exceeds the maximum!");
    }
}

}  // namespace
}  // namespace pulmora::test
