#include "learning/showAnswerForm.h"

#include "Simulator.h"
#include "shell/MDIForm1.h"

namespace kestro {

showAnswerForm::showAnswerForm(MDIForm1& main, QWidget* parent)
    : ReadingForm(main, "showAnswerForm", "Test report", parent) {}

void showAnswerForm::sync() {
    showDocument(main_.sim().learning.reportDocument);
}

} // namespace kestro
