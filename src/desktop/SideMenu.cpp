#include "desktop/SideMenu.h"

#include "desktop/CoreDoor.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace kestro {

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    QFont f = b->font();
    f.setPointSize(11);
    f.setBold(true);
    b->setFont(f);
    b->setEnabled(false);
    return b;
}

} // namespace

SideMenu::SideMenu(CoreDoor& main, QWidget* parent) : QWidget(parent), main_(main) {
    setObjectName("SideMenu");
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(246, 247, 252));
    setPalette(pal);

    showInstructions = makeButton(this, "showInstructions", "Show Instructions And Terminal");
    showAnswer = makeButton(this, "showAnswer", "Show Answer/ Submit");
    showNetwork = makeButton(this, "showNetwork", "Show Network");
    homePageOnWeb = makeButton(this, "homePageOnWeb", "Kestro Home Page");
    Frame1 = new QGroupBox(QStringLiteral("Instruction Mode"), this);
    Frame1->setObjectName("Frame1");
    QFont ff = Frame1->font();
    ff.setBold(true);
    Frame1->setFont(ff);
    learnMode = new QRadioButton(QStringLiteral("Learn Mode"), Frame1);
    learnMode->setObjectName("learnMode");
    testMode = new QRadioButton(QStringLiteral("Test Mode"), Frame1);
    testMode->setObjectName("testMode");
    learnMode->setChecked(true);
    for (QRadioButton* r : {learnMode, testMode}) {
        QFont rf = r->font();
        rf.setBold(false);
        r->setFont(rf);
    }

    checkMyWork = makeButton(this, "checkMyWork", "Check My Work");
    checklistProgress = new QProgressBar(this);
    checklistProgress->setObjectName("checklistProgress");
    checklistProgress->setAccessibleName(QStringLiteral("Checklist progress"));
    checklistProgress->setFormat(QStringLiteral("%v of %m steps done"));
    checklistDone = new QLabel(this);
    checklistDone->setObjectName("checklistDone");
    checklistDone->setWordWrap(true);
    checklistDone->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    for (QWidget* w : {static_cast<QWidget*>(checkMyWork), static_cast<QWidget*>(checklistProgress),
                       static_cast<QWidget*>(checklistDone)})
        w->hide();
    connect(checkMyWork, &QPushButton::clicked, this, [this] { main_.checkMyWork(); });
    progress = makeButton(this, "myProgress", "My Progress");
    progress->setEnabled(true);
    connect(progress, &QPushButton::clicked, this, [this] { main_.myProgress(); });

    connectControls();
}

void SideMenu::connectControls() {
    const std::pair<QPushButton*, SidePanelControl> buttons[] = {
        {showInstructions, SidePanelControl::showInstructions},
        {showAnswer, SidePanelControl::showAnswer},
        {showNetwork, SidePanelControl::showNetwork},
        {homePageOnWeb, SidePanelControl::homePageOnWeb}};
    // Alt with a letter presses a control from the keyboard, wherever the
    // focus is (the console keeps it): the captions stay as stored.
    const std::pair<QAbstractButton*, Qt::Key> keys[] = {
        {showInstructions, Qt::Key_I}, {showAnswer, Qt::Key_A}, {showNetwork, Qt::Key_N},
        {homePageOnWeb, Qt::Key_H},    {learnMode, Qt::Key_L},  {testMode, Qt::Key_T},
        {checkMyWork, Qt::Key_K},      {progress, Qt::Key_P}};
    for (auto [control, key] : keys) {
        control->setShortcut(QKeySequence(Qt::ALT | key));
        control->setToolTip(control->text() + QStringLiteral(" (") +
                            control->shortcut().toString(QKeySequence::NativeText) +
                            QStringLiteral(")"));
    }
    for (auto [button, control] : buttons)
        connect(button, &QPushButton::clicked, this,
                [this, c = control] { main_.sidePanelClicked(c); });
    // The choice, not the click: an assistive technology's toggle chooses
    // without clicking.
    connect(learnMode, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            main_.sidePanelClicked(SidePanelControl::learnMode);
    });
    connect(testMode, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            main_.sidePanelClicked(SidePanelControl::testMode);
    });
}

void SideMenu::sync(const SidePanelState& s) {
    showInstructions->setEnabled(s.showInstructions);
    showAnswer->setEnabled(s.showAnswer);
    showNetwork->setEnabled(s.showNetwork);
    homePageOnWeb->setEnabled(s.homePageOnWeb);
    Frame1->setEnabled(s.Frame1);
    // The frame is disabled with its options, but each option keeps its own
    // state for when the frame comes back.
    learnMode->setEnabled(s.learnMode);
    testMode->setEnabled(s.testMode);
    const QSignalBlocker a(learnMode), b(testMode);
    learnMode->setChecked(s.learnModeSelected);
    testMode->setChecked(!s.learnModeSelected);
}

void SideMenu::syncChecklist(std::size_t met, std::size_t total, const std::string& done) {
    const bool any = total > 0;
    checkMyWork->setVisible(any);
    checkMyWork->setEnabled(any);
    checklistProgress->setVisible(any);
    checklistDone->setVisible(any && !done.empty());
    if (!any)
        return;
    checklistProgress->setRange(0, static_cast<int>(total));
    if (checklistProgress->value() != static_cast<int>(met)) {
        checklistProgress->setValue(static_cast<int>(met));
        // A ticked step is announced: the bar's description carries it.
        const QString said = QStringLiteral("%1 of %2 steps done").arg(met).arg(total);
        checklistProgress->setAccessibleDescription(said);
        checkMyWork->setAccessibleDescription(said);
        if (QAccessible::isActive()) {
            QAccessibleEvent changed(checklistProgress, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&changed);
        }
    }
    checklistDone->setText(QString::fromStdString(done));
}

void SideMenu::resizeEvent(QResizeEvent*) {
    // Slot k of the panel: top = k * h + (k + 1) * g, buttons 0.7 of the
    // width, centred; the mode frame in slot 5, two buttons high.
    const int w = width() - main_.lineWidthPixels();
    const int h = std::max(height() / 15, fontMetrics().height() * 2 + 8);
    const int g = static_cast<int>(0.6 * h);
    const int bw = static_cast<int>(w * 0.8);
    const int left = (w - bw) / 2;
    QPushButton* column[] = {showInstructions, showAnswer,  showNetwork,
                             homePageOnWeb,    checkMyWork, progress};
    for (int k = 0; k < 4; ++k)
        column[k]->setGeometry(left, k * h + (k + 1) * g, bw, h);
    const int frameTop = 5 * h + 6 * g;
    Frame1->setGeometry(left, frameTop, bw, 2 * h);
    // Check My Work in slot 4, its progress under the mode frame.
    checkMyWork->setGeometry(left, 4 * h + 5 * g, bw, h);
    const int bar = fontMetrics().height() + 8;
    checklistProgress->setGeometry(left, frameTop + 2 * h + g, bw, bar);
    checklistDone->setGeometry(left, frameTop + 2 * h + g + bar + 4, bw, 3 * bar);
    // My Progress at the foot of the panel, whatever is open.
    progress->setGeometry(left, height() - h - g, bw, h);
    const int inner = (2 * h - fontMetrics().height()) / 2;
    learnMode->setGeometry(12, fontMetrics().height() + 4, bw - 24, inner - 4);
    testMode->setGeometry(12, fontMetrics().height() + inner, bw - 24, inner - 4);
    // Long captions wrap rather than clip on a narrow panel.
    for (QPushButton* b : column) {
        QFont f = b->font();
        f.setPointSize(11);
        while (f.pointSize() > 7 && QFontMetrics(f).horizontalAdvance(b->text()) > bw - 12)
            f.setPointSize(f.pointSize() - 1);
        b->setFont(f);
    }
}

void SideMenu::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int pen = main_.lineWidthPixels();
    p.setPen(QPen(QColor(0, 0, 128), pen));
    p.drawLine(width() - pen / 2 - 1, 0, width() - pen / 2 - 1, height());
}

} // namespace kestro
