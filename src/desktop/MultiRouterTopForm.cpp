#include "desktop/MultiRouterTopForm.h"

#include "Simulator.h"
#include "desktop/Accessibility.h"
#include "desktop/CoreDoor.h"

#include <QButtonGroup>
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
    // One choice of two: chosen by a click, a key or an assistive
    // technology's action alike, so the choice itself is what is followed.
    auto* choice = new QButtonGroup(this);
    choice->setExclusive(true);
    const std::pair<QPushButton*, RouterId> routers[] = {{routerButtonA, RouterId::a},
                                                         {routerButtonB, RouterId::b}};
    for (auto [button, id] : routers) {
        choice->addButton(button);
        announceAsRadioButton(button);
        connect(button, &QPushButton::toggled, this, [this, id = id](bool on) {
            if (on)
                main_.routerButton(id);
        });
    }
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
    const QSignalBlocker a(routerButtonA), b(routerButtonB);
    routerButtonA->setChecked(active == RouterId::a);
    routerButtonB->setChecked(active == RouterId::b);
}

} // namespace kestro
