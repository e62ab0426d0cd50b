#pragma once

namespace pulmora::controls {

// Lets screen readers and other assistive tools see the owner-drawn controls as what they are:
// a switch as a check box (a radio button where it belongs to a group), a spin entry as a spin
// button with its value and range, a picture button or banner as a push button named by its
// hint, and a message line as an alert whose text changes are announced. Called once, before
// the first window is shown.
void installAccessibleControls();

}  // namespace pulmora::controls
