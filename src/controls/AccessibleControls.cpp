#include "AccessibleControls.h"

#include "MessageLine.h"
#include "SpinEntry.h"
#include "TDaButton.h"
#include "TDaPanel.h"
#include "TDaSwitch.h"

#include <QAccessibleWidget>

namespace pulmora::controls {
namespace {

// The name a control is known by: the one a card gave it, else its first non-empty fallback.
QString nameOf(const QWidget& widget, std::initializer_list<QString> fallbacks) {
    if (!widget.accessibleName().isEmpty()) return widget.accessibleName();
    for (const QString& text : fallbacks)
        if (!text.isEmpty()) return text;
    return {};
}

class SwitchAccessible : public QAccessibleWidget {
public:
    explicit SwitchAccessible(TDaSwitch* control) : QAccessibleWidget(control) {}

    QAccessible::Role role() const override {
        return control()->GroupIndex() > 0 ? QAccessible::RadioButton : QAccessible::CheckBox;
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = control()->BtnState();
        return state;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return nameOf(*control(), {control()->Caption(), control()->toolTip()});
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {toggleAction()}; }
    void doAction(const QString& action) override {
        if ((action == toggleAction() || action == pressAction()) && control()->isEnabled()) control()->click();
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        return action == toggleAction() ? QStringList{QStringLiteral("Space")} : QStringList{};
    }

private:
    TDaSwitch* control() const { return static_cast<TDaSwitch*>(widget()); }
};

class SpinEntryAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SpinEntryAccessible(SpinEntry* control) : QAccessibleWidget(control, QAccessible::SpinBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return QString::number(control()->NoValue());
        if (t == QAccessible::Name) return nameOf(*control(), {control()->toolTip()});
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return control()->NoValue(); }
    void setCurrentValue(const QVariant& value) override {
        if (control()->isEnabled()) control()->enter(value.toInt());
    }
    QVariant maximumValue() const override { return control()->MaxValue(); }
    QVariant minimumValue() const override { return control()->MinValue(); }
    QVariant minimumStepSize() const override { return 1; }

    QStringList actionNames() const override { return {increaseAction(), decreaseAction()}; }
    void doAction(const QString& action) override {
        if (!control()->isEnabled()) return;
        if (action == increaseAction()) control()->step(1);
        else if (action == decreaseAction()) control()->step(-1);
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        if (action == increaseAction()) return {QStringLiteral("Up")};
        if (action == decreaseAction()) return {QStringLiteral("Down")};
        return {};
    }

private:
    SpinEntry* control() const { return static_cast<SpinEntry*>(widget()); }
};

// A button or banner: pressed by Press, as by a click. The hint names it; a caption that says
// something else (the month on the date button) is its description.
template <class Control>
class PressableAccessible : public QAccessibleWidget {
public:
    explicit PressableAccessible(Control* control) : QAccessibleWidget(control, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        const QString name = nameOf(*control(), {control()->toolTip(), control()->Caption()});
        if (t == QAccessible::Name) return name;
        if (t == QAccessible::Description && control()->Caption() != name && !control()->Caption().isEmpty())
            return control()->Caption();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction() && control()->isEnabled()) control()->click();
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        return action == pressAction() ? QStringList{QStringLiteral("Space")} : QStringList{};
    }

private:
    Control* control() const { return static_cast<Control*>(widget()); }
};

// A message line reads as an alert named by its message, so a screen reader speaks a new
// message as the line's name changes.
class MessageLineAccessible : public QAccessibleWidget {
public:
    explicit MessageLineAccessible(QLabel* line) : QAccessibleWidget(line, QAccessible::AlertMessage) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

bool is(const QString& key, const QMetaObject& type) { return key == QLatin1String(type.className()); }

// Asked for each class of an object, its own first, then its base classes in turn.
QAccessibleInterface* controlInterface(const QString& key, QObject* object) {
    if (is(key, TDaSwitch::staticMetaObject)) return new SwitchAccessible(static_cast<TDaSwitch*>(object));
    if (is(key, SpinEntry::staticMetaObject)) return new SpinEntryAccessible(static_cast<SpinEntry*>(object));
    if (is(key, TDaButton::staticMetaObject)) return new PressableAccessible<TDaButton>(static_cast<TDaButton*>(object));
    if (is(key, TDaPanel::staticMetaObject)) return new PressableAccessible<TDaPanel>(static_cast<TDaPanel*>(object));
    if (is(key, QLabel::staticMetaObject) && isMessageLine(*object))
        return new MessageLineAccessible(static_cast<QLabel*>(object));
    return nullptr;
}

}  // namespace

void installAccessibleControls() { QAccessible::installFactory(&controlInterface); }

}  // namespace pulmora::controls
