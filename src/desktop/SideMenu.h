// The side panel: view switching (instructions and console, diagram, test
// report), Learn Mode / Test Mode and the home page. Its enabled controls
// follow the core's side-panel state; every click is a call of the core.
#pragma once

#include "records/ShellState.h"

#include <QWidget>

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

    QPushButton* showInstructions;
    QPushButton* showAnswer;
    QPushButton* showNetwork;
    QPushButton* homePageOnWeb;
    QGroupBox* Frame1;
    QRadioButton* learnMode;
    QRadioButton* testMode;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    CoreDoor& main_;
};

} // namespace kestro
