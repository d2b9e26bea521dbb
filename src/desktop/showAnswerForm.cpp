#include "desktop/showAnswerForm.h"

#include "Simulator.h"
#include "desktop/MDIForm1.h"

namespace kestro {

showAnswerForm::showAnswerForm(MDIForm1& main, QWidget* parent)
    : ReadingForm(main, "showAnswerForm", "Test report", parent) {}

void showAnswerForm::sync() {
    showDocument(main_.sim().learning.reportDocument);
}

} // namespace kestro
