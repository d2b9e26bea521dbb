// The two-router panel: the instructions of a two-router exercise and the
// "Router A" / "Router B" buttons that move the one console between the
// routers.
#pragma once

#include "desktop/TopForm.h"

class QPushButton;

namespace kestro {

class MultiRouterTopForm : public ReadingForm {
    Q_OBJECT
public:
    explicit MultiRouterTopForm(CoreDoor& main, QWidget* parent = nullptr);
    void sync() override;

    QPushButton* routerButtonA;
    QPushButton* routerButtonB;

protected:
    void resizeEvent(QResizeEvent* event) override;
    QRect boxGeometry() const override;
};

} // namespace kestro
