// The test report window: the graded report of the submitted test with its
// model solution.
#pragma once

#include "desktop/TopForm.h"

namespace kestro {

class showAnswerForm : public ReadingForm {
    Q_OBJECT
public:
    explicit showAnswerForm(CoreDoor& main, QWidget* parent = nullptr);
    void sync() override;
};

} // namespace kestro
