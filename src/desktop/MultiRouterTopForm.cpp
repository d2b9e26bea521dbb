#include "desktop/MultiRouterTopForm.h"

#include "Simulator.h"
#include "desktop/CoreDoor.h"

#include <QPushButton>
#include <QTextEdit>

namespace kestro {

MultiRouterTopForm::MultiRouterTopForm(CoreDoor& main, QWidget* parent)
    : ReadingForm(main, "MultiRouterTopForm", "Instructions", parent) {
    routerButtonA = new QPushButton(QStringLiteral("Router A"), this);
    routerButtonA->setObjectName("routerButtonA");
    routerButtonB = new QPushButton(QStringLiteral("Router B"), this);
    routerButtonB->setObjectName("routerButtonB");
    for (QPushButton* b : {routerButtonA, routerButtonB}) {
        QFont f = b->font();
        f.setPointSize(11);
        f.setBold(true);
        b->setFont(f);
        b->setCheckable(true);
        // A click must not take the focus from the console's input line.
        b->setFocusPolicy(Qt::NoFocus);
    }
    connect(routerButtonA, &QPushButton::clicked, this,
            [this] { main_.routerButton(RouterId::a); });
    connect(routerButtonB, &QPushButton::clicked, this,
            [this] { main_.routerButton(RouterId::b); });
}

QRect MultiRouterTopForm::boxGeometry() const {
    const int w = width(), h = height();
    const int buttons = routerButtonA->sizeHint().height() + 16;
    const int bw = static_cast<int>(w * 0.92);
    const int bh = std::max(20, static_cast<int>(h * 0.92) - buttons);
    return QRect((w - bw) / 2, (h - bh - buttons) / 2, bw, bh);
}

void MultiRouterTopForm::resizeEvent(QResizeEvent* event) {
    ReadingForm::resizeEvent(event);
    const QRect box = boxGeometry();
    const int bh = routerButtonA->sizeHint().height();
    const int bw = std::max(routerButtonA->sizeHint().width() + 24, box.width() / 6);
    const int top = box.bottom() + 10;
    routerButtonA->setGeometry(box.center().x() - bw - 10, top, bw, bh);
    routerButtonB->setGeometry(box.center().x() + 10, top, bw, bh);
}

void MultiRouterTopForm::sync() {
    showDocument(main_.sim().learning.instructionDocument);
    const RouterId active = main_.sim().activeRouter;
    routerButtonA->setChecked(active == RouterId::a);
    routerButtonB->setChecked(active == RouterId::b);
}

} // namespace kestro
