#include "shell/SidePanel.h"

#include "Simulator.h"
#include "learning/Grading.h"
#include "learning/Instructions.h"
#include "shell/NetworkDiagram.h"

namespace kestro {

namespace {

bool twoRouterExercise(const Simulator& sim) {
    return sim.activityKind == 5 && sim.exerciseNumber >= 4;
}

} // namespace

void showInstructionsAndTerminal(Simulator& sim) {
    OpenWindows& w = sim.windows;
    SidePanelState& p = sim.sidePanel;
    const int kind = sim.activityKind;
    if (kind != 0 && kind != 3 && kind != 5)
        return;
    // The instructions and the console come to the front again: the diagram
    // in front of them closes (the next "Show Network" opens it afresh).
    w.networkDiagramForm = false;
    (twoRouterExercise(sim) ? w.MultiRouterTopForm : w.TopForm) = true;
    w.BottomForm = true;
    p.showNetwork = true;
    if (kind == 3 || kind == 5) {
        p.Frame1 = true;
        p.testMode = true;
        p.learnMode = true;
        p.showAnswer = kind == 3;
    }
}

void showNetworkDiagram(Simulator& sim) {
    disableSidePanel(sim);
    SidePanelState& p = sim.sidePanel;
    switch (sim.activityKind) {
    case 0:
    case 5:
        p.showInstructions = true;
        break;
    case 3:
        p.showInstructions = true;
        p.showAnswer = true;
        break;
    case 4:
        p.showAnswer = true;
        break;
    default:
        break;
    }
    sim.windows.networkDiagramForm = true;
}

bool pressSidePanel(Simulator& sim, const std::string& control) {
    if (control == "showInstructions")
        showInstructionsAndTerminal(sim);
    else if (control == "showNetwork")
        showNetworkDiagram(sim);
    else if (control == "showAnswer")
        showAnswer(sim);
    else if (control == "learnMode" || control == "testMode")
        selectInstructionMode(sim, control == "learnMode");
    else
        return false;
    return true;
}

std::string currentDiagramFile(const Simulator& sim) {
    return diagramFileName(sim.activityKind, sim.exerciseNumber, sim.topologyKind, sim.activeRouter,
                           static_cast<int>(sim.learning.currentTest));
}

} // namespace kestro
