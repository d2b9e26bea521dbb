// The main window: the menu bar (the course's table of contents), the side
// panel at the left and the lesson windows right of it. It is also the only
// door into the core for every window: each call goes through runCore, which
// never enters the core a second time while a command is still running.
#pragma once

#include "desktop/CoreDoor.h"
#include "learning/StudyRecord.h"
#include "records/RouterState.h"
#include "records/ShellState.h"
#include "shell/MenuTree.h"
#include "shell/SidePanel.h"

#include <QMainWindow>
#include <QPointer>

#include <deque>
#include <functional>
#include <map>
#include <memory>

class QMdiArea;
class QMdiSubWindow;
class QAction;

namespace kestro {

class Simulator;
class BottomForm;
class TopForm;
class MultiRouterTopForm;
class welcomeForm;
class showAnswerForm;
class flashCardForm;
class networkDiagramForm;
class SideMenu;
class ChecklistWindow;
class ProgressWindow;
class StudyCardsWindow;
class Record;

class MDIForm1 : public QMainWindow, public CoreDoor {
    Q_OBJECT
public:
    explicit MDIForm1(Simulator& sim, QWidget* parent = nullptr);
    ~MDIForm1() override;

    Simulator& sim() override { return sim_; }

    // The study record the windows keep progress in (null: none is kept).
    void setRecord(Record* record);

    // Shows the side panel and the welcome text, as at start-up.
    void start();

    // Runs `call` in the core, then shows what it changed. While a command
    // is running (waiting in a pause or at " --More--") the command is
    // cancelled and `call` runs once the core has returned.
    void runCore(std::function<void()> call) override;

    // Brings every window in line with the core: which lesson windows are
    // open, the side panel, documents, console texts.
    void syncWindows();

    // The menu item with this control name, as if the student chose it.
    void chooseMenuItem(const std::string& name);
    QAction* menuAction(const std::string& name) const;
    // The two-router panel's buttons.
    void routerButton(RouterId target) override;
    void checkMyWork() override;
    // The Check My Work window, once opened (null before).
    ChecklistWindow* checklistWindow() const { return checklistWindow_; }
    void myProgress() override;
    // An activity left with its routers configured asks Resume (true) or
    // Start again; tests answer instead of a person.
    std::function<bool()> resumeHook;
    void openBrowserAt(const std::string& address);
    // The flash cards' buttons: 0 "<--", 1 "Show Answer", 2 "-->".
    void flashCardButton(int button) override;
    // A click on the side panel's control with this name.
    void sidePanelClicked(SidePanelControl control) override;

    // A message box with an OK button. Tests replace it.
    void messageBox(const std::string& text) override;
    std::function<void(const std::string&)> messageBoxHook;

    // Pen width of the frame lines around the panels.
    int lineWidthPixels() const override;

    QMdiArea* mdiArea;
    SideMenu* sideMenu;
    // Made the first time the core opens or needs it (null before).
    BottomForm* bottomForm = nullptr;
    // Made the first time the core opens them (null before).
    TopForm* topForm = nullptr;
    MultiRouterTopForm* multiRouterTopForm = nullptr;
    welcomeForm* welcome;
    showAnswerForm* answerForm = nullptr;
    flashCardForm* flashCards = nullptr;
    networkDiagramForm* diagramForm = nullptr;

    // The console window, made if it is not yet.
    BottomForm& console();

    // Is the lesson window with this name shown?
    bool windowShown(QWidget* form) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    // Moves the focus to the next (or previous) text pane or input line.
    void focusNextPane(bool back);
    void menuChosen(const MenuItem& item);
    // The lesson windows, each with the title a screen reader announces.
    void createLessons();
    void createOpenedLessons(const OpenWindows& w);
    void followFocus();
    void addLesson(QWidget* form, const char* title);
    void setLessonTitle(QWidget* form, const std::string& title);
    void arrange();
    void showLesson(QWidget* form, bool show);
    void studyDueCards();
    // The Resume / Start again question of the activity just opened.
    void askResume();
    // Ticks on completed activities, their progress in the tooltips.
    void markMenus();

    Simulator& sim_;
    class ConsoleDoor;
    std::unique_ptr<ConsoleDoor> consoleDoor_;
    ChecklistWindow* checklistWindow_ = nullptr;
    ProgressWindow* progressWindow_ = nullptr;
    StudyCardsWindow* studyWindow_ = nullptr;
    Record* record_ = nullptr;
    ActivityRecorder recorder_{nullptr};
    bool resumeAsked_ = false;
    bool recordFailureTold_ = false;
    int depth_ = 0;
    std::deque<std::function<void()>> pending_;
    bool closeWanted_ = false;
    std::map<std::string, QAction*> actions_;
    std::map<QWidget*, QMdiSubWindow*> subWindows_;
    OpenWindows shownWindows_;
    QWidget* central_;
    // The text pane F6 gave the focus to, while it keeps it.
    QWidget* paneByKeyboard_ = nullptr;
    // Where the keyboard was when F10 took it to the menu bar; Esc there
    // gives it back.
    QPointer<QWidget> focusBeforeMenus_;
    QMetaObject::Connection focusRule_;
};

} // namespace kestro
