#include "AccessibleControls.h"

#include "SpinEntry.h"
#include "TDaButton.h"
#include "TDaPanel.h"
#include "TDaSwitch.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace pulmora::controls {
namespace {

// The name a control is known by: the one a card gave it, else its first non-empty fallback.
QString nameOf(const QWidget& widget, std::initializer_list<QString> fallbacks) {
    if (!widget.accessibleName().isEmpty()) return widget.accessibleName();
    for (const QString& text : fallbacks)
        if (!text.trimmed().isEmpty()) return text.trimmed();
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
        if (action == increaseAction())
            control()->step(1);
        else if (action == decreaseAction())
            control()->step(-1);
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
// something else (the month on the date button) is its description. The press is queued, as a
// standard button's is: what it opens may be a modal window, and the assistive tool that asked
// for it hears back at once rather than when that window closes.
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
        if (action == pressAction() && control()->isEnabled())
            QMetaObject::invokeMethod(control(), &Control::click, Qt::QueuedConnection);
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

// A drop-down list named by what it chooses, with its current item as its value, its list of
// items as its first child and, where the items can be typed, the box as its second.
class ChoiceListAccessible : public QAccessibleWidget {
public:
    explicit ChoiceListAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    int childCount() const override { return list()->isEditable() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override {
        if (index == 0) return QAccessible::queryAccessibleInterface(list()->view());
        if (index == 1 && list()->isEditable()) return QAccessible::queryAccessibleInterface(list()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (this->child(i) == child) return i;
        return -1;
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = list()->view()->isVisible();
        state.editable = list()->isEditable();
        return state;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return list()->currentText();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction()) return;
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }

private:
    QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
};

// A widget given its role: named and described as any widget is. A picture is read as one
// thing: whatever it is built of inside is not offered.
class RoleAccessible : public QAccessibleWidget {
public:
    RoleAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    int childCount() const override { return isPicture() ? 0 : QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override {
        return isPicture() ? nullptr : QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return isPicture() ? -1 : QAccessibleWidget::indexOfChild(child);
    }

private:
    bool isPicture() const { return role() == QAccessible::Graphic; }
};

constexpr char kRole[] = "pulmoraAccessibleRole";

bool is(const QString& key, const QMetaObject& type) { return key == QLatin1String(type.className()); }

// Asked for each class of an object, its own first, then its base classes in turn.
QAccessibleInterface* controlInterface(const QString& key, QObject* object) {
    if (const QVariant given = object->property(kRole); given.isValid() && object->isWidgetType()) {
        const auto role = QAccessible::Role(given.toInt());
        auto* widget = static_cast<QWidget*>(object);
        if (auto* line = qobject_cast<QLabel*>(widget); line && role == QAccessible::AlertMessage)
            return new MessageLineAccessible(line);
        return new RoleAccessible(widget, role);
    }
    if (is(key, QComboBox::staticMetaObject) && !static_cast<QComboBox*>(object)->accessibleName().isEmpty())
        return new ChoiceListAccessible(static_cast<QComboBox*>(object));
    if (is(key, TDaSwitch::staticMetaObject)) return new SwitchAccessible(static_cast<TDaSwitch*>(object));
    if (is(key, SpinEntry::staticMetaObject)) return new SpinEntryAccessible(static_cast<SpinEntry*>(object));
    if (is(key, TDaButton::staticMetaObject))
        return new PressableAccessible<TDaButton>(static_cast<TDaButton*>(object));
    if (is(key, TDaPanel::staticMetaObject)) return new PressableAccessible<TDaPanel>(static_cast<TDaPanel*>(object));
    return nullptr;
}

// An interface made for a widget before it was told how it reads (setting up a list already
// tells assistive tools of its current item) is dropped; the next one asked for reads it so.
template <class Reads>
void dropInterfaceUnless(QWidget& widget, Reads readsRight) {
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(&widget);
    if (made && !readsRight(*made)) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

}  // namespace

void installAccessibleControls() { QAccessible::installFactory(&controlInterface); }

void setAccessibleRole(QWidget& widget, QAccessible::Role role) {
    widget.setProperty(kRole, int(role));
    dropInterfaceUnless(widget, [role](QAccessibleInterface& made) { return made.role() == role; });
}

void nameChoiceList(QComboBox& list, const QString& name) {
    list.setAccessibleName(name);
    dropInterfaceUnless(list, [](QAccessibleInterface& made) { return dynamic_cast<ChoiceListAccessible*>(&made); });
}

}  // namespace pulmora::controls
