#include "desktop/welcomeForm.h"

#include "Simulator.h"
#include "desktop/CoreDoor.h"

namespace kestro {

welcomeForm::welcomeForm(CoreDoor& main, QWidget* parent)
    : ReadingForm(main, "welcomeForm", "Welcome text", parent) {}

void welcomeForm::sync() {
    showDocument(main_.sim().learning.welcomeDocument);
}

} // namespace kestro
