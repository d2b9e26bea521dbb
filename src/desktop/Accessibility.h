// What assistive technologies are told beyond Qt's defaults.
#pragma once

class QAbstractButton;

namespace kestro {

// A checkable push button that is one choice of several (Router A or
// Router B): announced as a radio button, checked or not, which a press or
// toggle action chooses.
void announceAsRadioButton(QAbstractButton* button);

} // namespace kestro
