#include "desktop/showAnswerForm.h"

#include "Simulator.h"
#include "desktop/CoreDoor.h"

namespace kestro {

showAnswerForm::showAnswerForm(CoreDoor& main, QWidget* parent)
    : ReadingForm(main, "showAnswerForm", "Test report", parent) {}

void showAnswerForm::sync() {
    showDocument(main_.sim().learning.reportDocument);
}

} // namespace kestro
