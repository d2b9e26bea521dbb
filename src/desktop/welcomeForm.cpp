#include "desktop/welcomeForm.h"

#include "Simulator.h"
#include "desktop/MDIForm1.h"

namespace kestro {

welcomeForm::welcomeForm(MDIForm1& main, QWidget* parent)
    : ReadingForm(main, "welcomeForm", "Welcome text", parent) {}

void welcomeForm::sync() {
    showDocument(main_.sim().learning.welcomeDocument);
}

} // namespace kestro
