#include "desktop/MDIForm1.h"

#include "Simulator.h"
#include "desktop/BottomForm.h"
#include "desktop/ChecklistWindow.h"
#include "desktop/MultiRouterTopForm.h"
#include "desktop/ProgressWindow.h"
#include "desktop/SideMenu.h"
#include "desktop/StudyCardsWindow.h"
#include "desktop/TopForm.h"
#include "desktop/flashCardForm.h"
#include "desktop/frmAbout.h"
#include "desktop/networkDiagramForm.h"
#include "desktop/showAnswerForm.h"
#include "desktop/welcomeForm.h"
#include "learning/Activities.h"
#include "learning/Checklists.h"
#include "learning/FlashCards.h"
#include "learning/Instructions.h"
#include "platform/ErrorLog.h"
#include "progress/Record.h"
#include "shell/ProgressOverview.h"
#include "shell/SidePanel.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QGroupBox>
#include <QIcon>
#include <QIconEngine>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyleOption>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <exception>

namespace kestro {

namespace {
constexpr int iconDelayMs = 200;

// A style icon read only when first drawn: asking the style for one reads
// its picture file, and the first read loads every image format plugin,
// which the first screen does not need.
class DeferredIcon : public QIconEngine {
public:
    DeferredIcon(const QStyle* style, QStyle::StandardPixmap which, const QWidget* widget)
        : style_(style), which_(which), widget_(widget) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        real().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return real().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return real().actualSize(size, mode, state);
    }
    QIconEngine* clone() const override { return new DeferredIcon(style_, which_, widget_); }

private:
    const QIcon& real() {
        if (!loaded_) {
            loaded_ = true;
            icon_ = style_->standardIcon(which_, nullptr, widget_.data());
        }
        return icon_;
    }
    const QStyle* style_;
    QStyle::StandardPixmap which_;
    QPointer<const QWidget> widget_;
    QIcon icon_;
    bool loaded_ = false;
};

// The lesson windows have no title bar, so its icons are never drawn; the
// other icons the main window asks for at start are read when first drawn.
class LessonStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        switch (icon) {
        case SP_TitleBarMenuButton:
        case SP_TitleBarMinButton:
        case SP_TitleBarMaxButton:
        case SP_TitleBarCloseButton:
        case SP_TitleBarNormalButton:
        case SP_TitleBarShadeButton:
        case SP_TitleBarUnshadeButton:
        case SP_TitleBarContextHelpButton:
            return {};
        default:
            if (option != nullptr)
                return QProxyStyle::standardIcon(icon, option, widget);
            return QIcon(new DeferredIcon(baseStyle(), icon, widget));
        }
    }
    // The Fusion style draws a group box's frame from a picture, and the
    // first picture decoded costs the first screen a millisecond and more
    // (the mode frame of the side panel): the same frame is drawn here with
    // lines, as sharp at any scale.
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_FrameGroupBox ||
            baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        // Below the title, as Fusion places it.
        constexpr int titleGap = 3;
        int top = titleGap;
        const auto* box = qobject_cast<const QGroupBox*>(widget);
        if (box == nullptr || box->isCheckable() || !box->title().isEmpty())
            top += std::max(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                            option->fontMetrics.height());
        const QRectF frame =
            QRectF(option->rect.adjusted(1, top + 1, 0, 0)).adjusted(0.5, 0.5, -0.5, -0.5);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QColor(0, 0, 0, 26));
        painter->setBrush(QColor(0, 0, 0, 3));
        painter->drawRoundedRect(frame, 2, 2);
        painter->setPen(QColor(0, 0, 0, 5));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(frame.adjusted(1, 1, -1, -1), 1.5, 1.5);
        painter->restore();
    }
};
} // namespace

// The core's console before the console window is made: the window is made
// by the first call that needs it (a wait, a question of its size) and then
// shows the core's pane and input line. Until then a change of the pane has
// nothing to show.
class MDIForm1::ConsoleDoor : public ConsoleIo {
public:
    explicit ConsoleDoor(MDIForm1& main) : main_(main) {}
    void outputAppended(std::string_view piece, bool bold) override {
        if (main_.bottomForm != nullptr)
            main_.bottomForm->outputAppended(piece, bold);
    }
    void outputReplaced(const OutputPane& pane) override {
        if (main_.bottomForm != nullptr)
            main_.bottomForm->outputReplaced(pane);
    }
    void inputChanged(const InputLine& line) override {
        if (main_.bottomForm != nullptr)
            main_.bottomForm->inputChanged(line);
    }
    void repaint() override {
        if (main_.bottomForm != nullptr)
            main_.bottomForm->repaint();
    }
    bool pause(int ms) override { return main_.console().pause(ms); }
    std::optional<int> waitForKey() override { return main_.console().waitForKey(); }
    int visibleLines() const override { return main_.console().visibleLines(); }
    void messageBox(const std::string& text) override { main_.messageBox(text); }

private:
    MDIForm1& main_;
};

MDIForm1::MDIForm1(Simulator& sim, QWidget* parent) : QMainWindow(parent), sim_(sim) {
    setObjectName("MDIForm1");
    QApplication::setApplicationDisplayName("");
    setWindowTitle(QString::fromStdString(mainWindowCaption()));
    // The icon's pictures are decoded a moment after the window is up: the
    // first screen does not wait for them.
    QTimer::singleShot(iconDelayMs, this, [this] {
        const QString icon =
            QString::fromStdString(applicationFolder()) + QStringLiteral("/KestroLogoIcon.ico");
        if (QFile::exists(icon))
            setWindowIcon(QIcon(icon));
    });
    // The first error of this run starts a fresh log.
    sim_.errorLog.firstError = true;

    central_ = new QWidget(this);
    setCentralWidget(central_);
    sideMenu = new SideMenu(*this, central_);
    mdiArea = new QMdiArea(central_);
    mdiArea->setObjectName("mdiArea");
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mdiArea->setBackground(QColor(236, 238, 246));

    // The style stays the one the program runs with; only those icons go.
    if (dynamic_cast<LessonStyle*>(QApplication::style()) == nullptr)
        QApplication::setStyle(new LessonStyle(QApplication::style()->name()));
    createLessons();
    sim_.setIo(*consoleDoor_);

    buildMenus();
    followFocus();

    // The window covers the screen's available area and is not resized by
    // dragging: the lesson windows are laid out from its size.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        setGeometry(area);
        setFixedSize(area.size());
    }
}

MDIForm1::~MDIForm1() {
    // Closing the window moves the focus once more, when this object is no
    // longer whole.
    disconnect(focusRule_);
}

void MDIForm1::createLessons() {
    // Only the welcome text is made now; the other lesson windows, the
    // console too, are made the first time the core opens or needs them, so
    // the first screen waits for nothing else.
    consoleDoor_ = std::make_unique<ConsoleDoor>(*this);
    addLesson(welcome = new welcomeForm(*this), "Welcome");
}

BottomForm& MDIForm1::console() {
    if (bottomForm == nullptr) {
        addLesson(bottomForm = new BottomForm(*this), "Router console");
        bottomForm->syncFromCore();
    }
    return *bottomForm;
}

void MDIForm1::followFocus() {
    // Whatever a click in the lesson area activates (a pane, a frame), the
    // keyboard stays with the console's input line while the console is
    // open, unless F6 took it to a text pane; the flash cards keep their own
    // focus rule. The rule must be told of a focus change after the lesson
    // windows (each activates itself when its pane takes the focus), or the
    // two would hand the focus back and forth for ever: it is connected
    // again whenever a lesson window is made.
    disconnect(focusRule_);
    focusRule_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != paneByKeyboard_)
            paneByKeyboard_ = nullptr;
        if (!now || !windowShown(bottomForm) || now == bottomForm->TextWrite ||
            now == paneByKeyboard_)
            return;
        if (mdiArea->isAncestorOf(now) && (flashCards == nullptr || !flashCards->isAncestorOf(now)))
            bottomForm->TextWrite->setFocus();
    });
}

void MDIForm1::createOpenedLessons(const OpenWindows& w) {
    // Each window carries a title a screen reader announces; the lesson
    // windows take their lesson's name as it opens.
    if (w.BottomForm)
        console();
    if (w.TopForm && topForm == nullptr)
        addLesson(topForm = new TopForm(*this), "Instructions");
    if (w.MultiRouterTopForm && multiRouterTopForm == nullptr)
        addLesson(multiRouterTopForm = new MultiRouterTopForm(*this), "Instructions");
    if (w.showAnswerForm && answerForm == nullptr)
        addLesson(answerForm = new showAnswerForm(*this), "Test report");
    if (w.flashCardForm && flashCards == nullptr)
        addLesson(flashCards = new flashCardForm(*this), "Flash cards");
    if (w.networkDiagramForm && diagramForm == nullptr)
        addLesson(diagramForm = new networkDiagramForm(*this), "Network diagram");
}

void MDIForm1::addLesson(QWidget* form, const char* title) {
    QMdiSubWindow* sub = mdiArea->addSubWindow(form, Qt::FramelessWindowHint);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->hide();
    subWindows_[form] = sub;
    setLessonTitle(form, title);
    if (focusRule_)
        followFocus();
}

void MDIForm1::buildMenus() {
    for (const MenuItem& top : menuTree()) {
        QMenu* menu = menuBar()->addMenu(QString::fromStdString(top.caption));
        menu->setObjectName(QString::fromStdString(top.name));
        // The ticks and percentages are read from the record as a menu opens.
        menu->setToolTipsVisible(true);
        connect(menu, &QMenu::aboutToShow, this, &MDIForm1::markMenus);
        std::function<void(QMenu*, const MenuItem&)> add = [&](QMenu* into, const MenuItem& item) {
            if (!item.children.empty()) {
                QMenu* sub = into->addMenu(QString::fromStdString(item.caption));
                sub->setObjectName(QString::fromStdString(item.name));
                sub->setToolTipsVisible(true);
                for (const MenuItem& child : item.children)
                    add(sub, child);
                return;
            }
            // Qt shows a stored "&&" as one ampersand, as the caption means.
            QAction* action = into->addAction(QString::fromStdString(item.caption));
            action->setObjectName(QString::fromStdString(item.name));
            actions_[item.name] = action;
            const MenuItem* it = &item;
            connect(action, &QAction::triggered, this, [this, it] { menuChosen(*it); });
        };
        for (const MenuItem& item : top.children)
            add(menu, item);
    }
    // The stored captions carry no access keys, so F10 opens the menu bar
    // from the keyboard (arrows and Enter then choose), even while the
    // console's input line has the focus.
    auto* openMenus = new QShortcut(QKeySequence(Qt::Key_F10), this);
    openMenus->setContext(Qt::ApplicationShortcut);
    connect(openMenus, &QShortcut::activated, this, [this] {
        const QList<QAction*> menus = menuBar()->actions();
        if (!menus.isEmpty()) {
            if (QApplication::focusWidget() != menuBar())
                focusBeforeMenus_ = QApplication::focusWidget();
            menuBar()->setFocus(Qt::ShortcutFocusReason);
            menuBar()->setActiveAction(menus.first());
        }
    });
    menuBar()->installEventFilter(this);
    // F6 and Shift+F6 move the focus between the text panes shown and the
    // console's input line, so a lesson can be read and scrolled from the
    // keyboard (the console keeps Tab for completion).
    for (const bool back : {false, true}) {
        auto* nextPane = new QShortcut(
            QKeySequence(back ? QKeyCombination(Qt::ShiftModifier, Qt::Key_F6) : Qt::Key_F6), this);
        nextPane->setContext(Qt::ApplicationShortcut);
        connect(nextPane, &QShortcut::activated, this, [this, back] { focusNextPane(back); });
    }
}

void MDIForm1::focusNextPane(bool back) {
    // The diagram covers the panes behind it.
    if (windowShown(diagramForm))
        return;
    std::vector<QWidget*> panes;
    for (ReadingForm* form :
         std::initializer_list<ReadingForm*>{welcome, topForm, multiRouterTopForm, answerForm})
        if (windowShown(form))
            panes.push_back(form->RichTextBox1);
    if (windowShown(bottomForm) && bottomForm->TextWrite->isEnabled())
        panes.push_back(bottomForm->TextWrite);
    if (panes.empty())
        return;
    const auto at = std::find(panes.begin(), panes.end(), QApplication::focusWidget());
    std::size_t next = 0;
    if (at != panes.end()) {
        const std::size_t i = static_cast<std::size_t>(at - panes.begin());
        next = back ? (i + panes.size() - 1) % panes.size() : (i + 1) % panes.size();
    } else if (back) {
        next = panes.size() - 1;
    }
    paneByKeyboard_ = panes[next];
    panes[next]->setFocus(Qt::ShortcutFocusReason);
}

QAction* MDIForm1::menuAction(const std::string& name) const {
    auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

void MDIForm1::chooseMenuItem(const std::string& name) {
    if (const MenuItem* item = findMenuItem(name))
        menuChosen(*item);
}

void MDIForm1::menuChosen(const MenuItem& item) {
    switch (item.action) {
    case MenuAction::none:
        return;
    case MenuAction::aboutBox: {
        frmAbout about(this);
        about.exec();
        return;
    }
    case MenuAction::feedbackPage:
    case MenuAction::homePage:
        openBrowserAt(item.argument);
        return;
    case MenuAction::studyCards:
        studyDueCards();
        return;
    case MenuAction::progressView:
        myProgress();
        return;
    default:
        break;
    }
    const bool activity = item.action == MenuAction::guidedLab || item.action == MenuAction::test ||
                          item.action == MenuAction::troubleshooting;
    runCore([this, &item, activity] {
        // The activity on screen is left first, while its routers are still
        // there to be kept; a new activity is followed from its start.
        recorder_.leaving(sim_, studyNow());
        runMenuAction(sim_, item);
        if (activity) {
            recorder_.opened(sim_, studyNow());
            resumeAsked_ = recorder_.canResume(recorder_.current());
        }
    });
}

void MDIForm1::setRecord(Record* record) {
    record_ = record;
    recorder_ = ActivityRecorder(record);
    if (record_ != nullptr)
        record_->setFailureHandler([this](const std::string& operation, const std::string& why) {
            sim_.logError("study record", operation + ": " + why);
            // Said once a run, after the core call that met it has returned.
            if (recordFailureTold_)
                return;
            recordFailureTold_ = true;
            QTimer::singleShot(0, this, [this, why] {
                messageBox("Your progress could not be saved in the study record (" + why +
                           "). The program goes on; what you do now may not be kept.");
            });
        });
}

void MDIForm1::askResume() {
    bool resume = true;
    if (resumeHook) {
        resume = resumeHook();
    } else {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Kestro Router Simulator"),
                        QStringLiteral("You left this activity with its routers configured.\n"
                                       "Resume where you were, or start again with fresh "
                                       "routers?"),
                        QMessageBox::NoButton, this);
        QPushButton* again = box.addButton(QStringLiteral("&Start Again"), QMessageBox::RejectRole);
        QPushButton* on = box.addButton(QStringLiteral("&Resume"), QMessageBox::AcceptRole);
        // Enter and Esc keep the student's work.
        box.setDefaultButton(on);
        box.setEscapeButton(on);
        box.exec();
        resume = box.clickedButton() != again;
    }
    runCore([this, resume] {
        if (!resume || !recorder_.resume(sim_))
            recorder_.startAgain(sim_);
    });
}

void MDIForm1::markMenus() {
    if (record_ == nullptr)
        return;
    std::map<std::string, ActivityProgress> known;
    for (ActivityProgress& a : record_->activities())
        known.emplace(a.name, std::move(a));
    for (const auto& [name, action] : actions_) {
        const MenuItem* item = findMenuItem(name);
        if (item == nullptr ||
            (item->action != MenuAction::guidedLab && item->action != MenuAction::test &&
             item->action != MenuAction::troubleshooting))
            continue;
        ActivityProgress row;
        if (const auto found = known.find(item->argument); found != known.end())
            row = found->second;
        const bool done = row.completed;
        action->setCheckable(done);
        action->setChecked(done);
        const std::string note = progressNote(row);
        action->setToolTip(note.empty() ? action->text() : QString::fromStdString(note));
    }
}

void MDIForm1::studyDueCards() {
    if (record_ == nullptr) {
        messageBox("No study record is kept on this computer, so the cards cannot be scheduled. "
                   "Load Flash Cards shows every card.");
        return;
    }
    if (studyWindow_ == nullptr) {
        studyWindow_ = new StudyCardsWindow(*this, *record_, this);
        connect(studyWindow_, &StudyCardsWindow::cardRated, this, [this] {
            if (progressWindow_ != nullptr && progressWindow_->isVisible())
                progressWindow_->refresh();
        });
    }
    studyWindow_->start();
    studyWindow_->show();
    studyWindow_->raise();
    studyWindow_->activateWindow();
}

void MDIForm1::myProgress() {
    if (record_ == nullptr) {
        messageBox("No study record is kept on this computer, so there is no progress to show.");
        return;
    }
    // What was done up to now is in the record before it is shown.
    recorder_.noteProgress(sim_);
    if (progressWindow_ == nullptr) {
        progressWindow_ = new ProgressWindow(*this, *record_, this);
        connect(progressWindow_, &ProgressWindow::recordChanged, this, &MDIForm1::markMenus);
    }
    progressWindow_->refresh();
    progressWindow_->show();
    progressWindow_->raise();
    progressWindow_->activateWindow();
}

void MDIForm1::start() {
    runCore([this] {
        loadWelcomeWindow(sim_);
        displayWelcomeText(sim_);
    });
}

void MDIForm1::sidePanelClicked(SidePanelControl control) {
    if (control == SidePanelControl::homePageOnWeb) {
        openBrowserAt(homePageAddress);
        return;
    }
    runCore([this, control] {
        pressSidePanel(sim_, control);
        // "Show Answer/ Submit" of a test: the attempt goes into the record.
        if (control == SidePanelControl::showAnswer)
            recorder_.testSubmitted(sim_, studyNow());
    });
}

void MDIForm1::flashCardButton(int button) {
    runCore([this, button] {
        FlashCardDeck& deck = sim_.learning.deck;
        if (button == 0)
            deck.previous();
        else if (button == 1)
            deck.reveal();
        else
            deck.next();
    });
}

void MDIForm1::routerButton(RouterId target) {
    runCore([this, target] { pressRouterButton(sim_, target); });
}

void MDIForm1::checkMyWork() {
    if (checklistProgress(sim_).total == 0)
        return;
    if (checklistWindow_ == nullptr)
        checklistWindow_ = new ChecklistWindow(*this, this);
    checklistWindow_->sync();
    checklistWindow_->show();
    checklistWindow_->raise();
    checklistWindow_->activateWindow();
}

void MDIForm1::openBrowserAt(const std::string& address) {
    openBrowser(
        address, [this](const std::string& text) { messageBox(text); },
        [](const std::string& url) {
            return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
        });
}

void MDIForm1::runCore(std::function<void()> call) {
    if (depth_ > 0) {
        // The running command must not be entered again: it stops at its
        // current wait, and this call runs once it has returned.
        pending_.push_back(std::move(call));
        sim_.cancelCommand();
        if (bottomForm != nullptr)
            bottomForm->cancelWaits();
        return;
    }
    ++depth_;
    try {
        call();
    } catch (const std::exception& e) {
        sim_.logError("MDIForm1", e.what());
    }
    --depth_;
    if (bottomForm != nullptr)
        bottomForm->endCancel();
    syncWindows();
    recorder_.noteProgress(sim_);
    if (resumeAsked_ && pending_.empty()) {
        resumeAsked_ = false;
        askResume();
    }
    if (!pending_.empty()) {
        std::function<void()> next = std::move(pending_.front());
        pending_.pop_front();
        runCore(std::move(next));
        return;
    }
    if (closeWanted_)
        close();
}

bool MDIForm1::windowShown(QWidget* form) const {
    auto it = subWindows_.find(form);
    return it != subWindows_.end() && it->second->isVisible();
}

void MDIForm1::setLessonTitle(QWidget* form, const std::string& title) {
    const QString t = QString::fromStdString(title);
    QMdiSubWindow* sub = subWindows_.at(form);
    if (sub->windowTitle() != t) {
        sub->setWindowTitle(t);
        form->setWindowTitle(t);
    }
}

void MDIForm1::showLesson(QWidget* form, bool show) {
    if (form == nullptr)
        return;
    QMdiSubWindow* sub = subWindows_.at(form);
    if (show != sub->isVisible())
        sub->setVisible(show);
}

void MDIForm1::syncWindows() {
    const OpenWindows& w = sim_.windows;
    // The diagram stands in front of the lesson windows while it is open;
    // they stay loaded behind it.
    const bool front = !w.networkDiagramForm;
    const bool consoleShown = w.BottomForm && front;
    createOpenedLessons(w);
    const std::string lesson = activityCaption(sim_.learning.activityName);
    for (QWidget* form :
         {static_cast<QWidget*>(topForm), static_cast<QWidget*>(multiRouterTopForm)})
        if (form != nullptr)
            setLessonTitle(form, lesson.empty() ? "Instructions" : lesson);
    const std::string text = activityCaption(sim_.learning.welcomeTextId);
    setLessonTitle(welcome, text.empty() ? "Welcome" : text);
    if (w.BottomForm && !shownWindows_.BottomForm)
        bottomForm->syncFromCore();
    // Once made, a lesson window follows the core whether shown or not.
    for (ReadingForm* form :
         std::initializer_list<ReadingForm*>{topForm, multiRouterTopForm, welcome, answerForm})
        if (form != nullptr)
            form->sync();
    if (flashCards != nullptr)
        flashCards->sync(w.flashCardForm && !shownWindows_.flashCardForm);
    if (w.networkDiagramForm)
        diagramForm->sync();
    // Placed before shown: a window is laid out once, at its final size.
    arrange();
    showLesson(topForm, w.TopForm && front);
    showLesson(multiRouterTopForm, w.MultiRouterTopForm && front);
    showLesson(bottomForm, consoleShown);
    showLesson(welcome, w.welcomeForm && front);
    showLesson(answerForm, w.showAnswerForm && front);
    showLesson(flashCards, w.flashCardForm && front);
    showLesson(diagramForm, w.networkDiagramForm);
    sideMenu->sync(sim_.sidePanel);
    const ChecklistProgress progress = checklistProgress(sim_);
    sideMenu->syncChecklist(progress.met, progress.total,
                            progress.complete ? completionMessage(sim_) : std::string());
    if (checklistWindow_ != nullptr) {
        if (progress.total == 0)
            checklistWindow_->hide();
        else if (checklistWindow_->isVisible())
            checklistWindow_->sync();
    }
    shownWindows_ = w;
    if (consoleShown)
        bottomForm->TextWrite->setFocus();
    else if (w.flashCardForm && front)
        flashCards->takeFocus();
}

void MDIForm1::arrange() {
    // Instructions in the upper half, the console in the lower half; the
    // diagram, the report, the flash cards and the welcome text take it all.
    const QSize area = mdiArea->viewport()->size();
    const int half = area.height() / 2;
    auto place = [&](QWidget* form, QRect r) {
        if (form == nullptr)
            return;
        QMdiSubWindow* sub = subWindows_.at(form);
        if (sub->geometry() != r)
            sub->setGeometry(r);
    };
    place(topForm, QRect(0, 0, area.width(), half));
    place(multiRouterTopForm, QRect(0, 0, area.width(), half));
    place(bottomForm, QRect(0, half, area.width(), area.height() - half));
    for (QWidget* form :
         std::initializer_list<QWidget*>{welcome, answerForm, flashCards, diagramForm})
        place(form, QRect(QPoint(0, 0), area));
}

void MDIForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const QSize s = central_->size();
    const int side = static_cast<int>(s.width() * 0.2);
    sideMenu->setGeometry(0, 0, side, s.height());
    mdiArea->setGeometry(side, 0, s.width() - side, s.height());
    arrange();
}

int MDIForm1::lineWidthPixels() const {
    // 12 twips of the original layout, but never thinner than a visible line
    // on a high-density screen.
    return std::max(2, static_cast<int>(std::lround(2 * devicePixelRatioF())));
}

void MDIForm1::messageBox(const std::string& text) {
    if (messageBoxHook) {
        messageBoxHook(text);
        return;
    }
    QMessageBox::information(this, QStringLiteral("Kestro Router Simulator"),
                             QString::fromStdString(text), QMessageBox::Ok);
}

bool MDIForm1::eventFilter(QObject* watched, QEvent* event) {
    // Esc on the menu bar with no menu open leaves it: the keyboard goes back
    // where it was before F10 (the console's input line, as a rule).
    if (watched == menuBar() && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        QWidget* back = focusBeforeMenus_;
        if (!back || !back->isVisible() || !back->isEnabled())
            back = windowShown(bottomForm) ? bottomForm->TextWrite : nullptr;
        focusBeforeMenus_ = nullptr;
        menuBar()->setActiveAction(nullptr);
        if (back)
            back->setFocus(Qt::OtherFocusReason);
        else
            menuBar()->clearFocus();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MDIForm1::closeEvent(QCloseEvent* event) {
    if (depth_ > 0) {
        // Closing while a command waits: the command stops first, then the
        // window closes.
        closeWanted_ = true;
        sim_.cancelCommand();
        if (bottomForm != nullptr)
            bottomForm->cancelWaits();
        event->ignore();
        return;
    }
    // The routers and the time of the activity on screen are kept.
    recorder_.leaving(sim_, studyNow());
    event->accept();
}

} // namespace kestro
