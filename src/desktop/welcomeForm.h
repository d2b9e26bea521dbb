// The welcome window: the welcome text at start-up, the study plan and the
// disclaimer.
#pragma once

#include "desktop/TopForm.h"

namespace kestro {

class welcomeForm : public ReadingForm {
    Q_OBJECT
public:
    explicit welcomeForm(CoreDoor& main, QWidget* parent = nullptr);
    void sync() override;
};

} // namespace kestro
