#pragma once

#include <QAccessible>

class QComboBox;
class QWidget;

namespace pulmora::controls {

// Lets screen readers and other assistive tools see the owner-drawn controls as what they are:
// a switch as a check box (a radio button where it belongs to a group), a spin entry as a spin
// button with its value and range, a picture button or banner as a push button named by its
// hint, and a message line as an alert whose text changes are announced. Called once, before
// the first window is shown.
void installAccessibleControls();

// Gives a widget drawn by the program the role a screen reader should read it by: the report
// picture a graphic, the daily card a window, a message line an alert named by its message.
// An interface made for it before reads it otherwise, and is dropped.
void setAccessibleRole(QWidget& widget, QAccessible::Role role);

// Names a drop-down list by what it chooses ("Title", "Recording Period"), its current item
// being its value: the standard list on this desktop is known by its current item alone.
void nameChoiceList(QComboBox& list, const QString& name);

}  // namespace pulmora::controls
