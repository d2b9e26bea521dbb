// The side panel: view switching (instructions and console, diagram, test
// report), Learn Mode / Test Mode and the home page. Its enabled controls
// follow the core's side-panel state; every click is a call of the core.
#pragma once

#include "records/ShellState.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class QGroupBox;
class QRadioButton;

namespace kestro {

class CoreDoor;

class SideMenu : public QWidget {
    Q_OBJECT
public:
    explicit SideMenu(CoreDoor& main, QWidget* parent = nullptr);
    void sync(const SidePanelState& state);
    // The checklist's progress: shown only for an activity that has one.
    // `done` is the completion message once every step is done.
    void syncChecklist(std::size_t met, std::size_t total, const std::string& done);

    QPushButton* showInstructions;
    QPushButton* showAnswer;
    QPushButton* showNetwork;
    QPushButton* homePageOnWeb;
    QGroupBox* Frame1;
    QRadioButton* learnMode;
    QRadioButton* testMode;
    QPushButton* checkMyWork;
    QProgressBar* checklistProgress;
    QLabel* checklistDone;
    QPushButton* progress;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Clicks, choices and Alt keys of the controls, each a core call.
    void connectControls();
    CoreDoor& main_;
};

} // namespace kestro
