#include "desktop/ChecklistWindow.h"

#include "Simulator.h"
#include "desktop/CoreDoor.h"
#include "learning/Checklists.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace kestro {

namespace {

QString escaped(const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped();
}

} // namespace

ChecklistWindow::ChecklistWindow(CoreDoor& main, QWidget* parent) : QDialog(parent), main_(main) {
    setObjectName("checklistWindow");
    setWindowTitle(QStringLiteral("Check My Work"));
    setModal(false);
    progressLine = new QLabel(this);
    progressLine->setObjectName("checklistProgressLine");
    items = new QTextEdit(this);
    items->setObjectName("checklistItems");
    items->setAccessibleName(QStringLiteral("Checklist"));
    items->setReadOnly(true);
    items->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    hint = new QPushButton(QStringLiteral("&Hint"), this);
    hint->setObjectName("checklistHint");
    hint->setToolTip(QStringLiteral("The next hint for the first step not yet done (Alt+H)"));
    closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setObjectName("checklistClose");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(hint);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(progressLine);
    layout->addWidget(items, 1);
    layout->addLayout(buttons);
    connect(hint, &QPushButton::clicked, this,
            [this] { main_.runCore([this] { revealNextHint(main_.sim()); }); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    resize(560, 480);
}

void ChecklistWindow::sync() {
    Simulator& sim = main_.sim();
    const ChecklistProgress p = checklistProgress(sim);
    QString line = QStringLiteral("%1 of %2 steps done").arg(p.met).arg(p.total);
    if (p.complete)
        line += QStringLiteral(". ") + QString::fromStdString(completionMessage(sim));
    progressLine->setText(line);
    progressLine->setAccessibleName(line);
    QString html;
    for (const ChecklistItemView& item : checklistView(sim, sim.sidePanel.learnModeSelected)) {
        // A tick or a cross, and the words for a reader who cannot see them.
        html += QStringLiteral("<p><b>%1 %2</b> <i>(%3)</i>")
                    .arg(item.met ? QStringLiteral("\u2713") : QStringLiteral("\u2717"),
                         escaped(item.text),
                         item.met ? QStringLiteral("done") : QStringLiteral("not done yet"));
        if (!item.feedback.empty())
            html += QStringLiteral("<br>") + escaped(item.feedback);
        if (!item.found.empty())
            html += QStringLiteral("<br>Found: ") + escaped(item.found);
        for (const std::string& h : item.hints)
            html += QStringLiteral("<br>Hint: ") + escaped(h);
        if (!item.solution.empty()) {
            html += QStringLiteral("<br>Solution:");
            for (const std::string& s : item.solution)
                html +=
                    QStringLiteral("<br><tt>&nbsp;&nbsp;") + escaped(s) + QStringLiteral("</tt>");
        }
        html += QStringLiteral("</p>");
    }
    // Rebuilt only when it changed, so the reader's place is kept while
    // typing goes on.
    if (html != shown_) {
        shown_ = html;
        items->setHtml(html);
    }
    hint->setEnabled(p.total > 0 && !p.complete);
}

} // namespace kestro
