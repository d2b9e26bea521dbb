#include "shell/SidePanel.h"

#include "learning/Diagrams.h"

#include "Simulator.h"
#include "learning/Grading.h"
#include "learning/Instructions.h"
#include "learning/Networks.h"
#include "shell/NetworkDiagram.h"

#include <utility>

namespace kestro {

namespace {

bool twoRouterExercise(const Simulator& sim) {
    return sim.activity.kind == ActivityKind::exercise &&
           hasTwoRouters(sim.activity.exerciseNumber);
}

} // namespace

void showInstructionsAndTerminal(Simulator& sim) {
    OpenWindows& w = sim.windows;
    SidePanelState& p = sim.sidePanel;
    const ActivityKind kind = sim.activity.kind;
    const bool test = kind == ActivityKind::test;
    if (kind != ActivityKind::lab && !test && kind != ActivityKind::exercise)
        return;
    // The instructions and the console come to the front again: the diagram
    // in front of them closes (the next "Show Network" opens it afresh).
    w.networkDiagramForm = false;
    (twoRouterExercise(sim) ? w.MultiRouterTopForm : w.TopForm) = true;
    w.BottomForm = true;
    p.showNetwork = true;
    if (test || kind == ActivityKind::exercise) {
        p.Frame1 = true;
        p.testMode = true;
        p.learnMode = true;
        p.showAnswer = test;
    }
}

void showNetworkDiagram(Simulator& sim) {
    disableSidePanel(sim);
    SidePanelState& p = sim.sidePanel;
    switch (sim.activity.kind) {
    case ActivityKind::lab:
    case ActivityKind::exercise:
        p.showInstructions = true;
        break;
    case ActivityKind::test:
        p.showInstructions = true;
        p.showAnswer = true;
        break;
    case ActivityKind::report:
        p.showAnswer = true;
        break;
    default:
        break;
    }
    sim.windows.networkDiagramForm = true;
}

namespace {

constexpr std::pair<SidePanelControl, std::string_view> controlNames[] = {
    {SidePanelControl::showInstructions, "showInstructions"},
    {SidePanelControl::showAnswer, "showAnswer"},
    {SidePanelControl::showNetwork, "showNetwork"},
    {SidePanelControl::homePageOnWeb, "homePageOnWeb"},
    {SidePanelControl::learnMode, "learnMode"},
    {SidePanelControl::testMode, "testMode"},
};

} // namespace

std::optional<SidePanelControl> sidePanelControlNamed(std::string_view name) {
    for (const auto& [control, each] : controlNames)
        if (each == name)
            return control;
    return std::nullopt;
}

bool pressSidePanel(Simulator& sim, SidePanelControl control) {
    switch (control) {
    case SidePanelControl::showInstructions:
        showInstructionsAndTerminal(sim);
        return true;
    case SidePanelControl::showNetwork:
        showNetworkDiagram(sim);
        return true;
    case SidePanelControl::showAnswer:
        showAnswer(sim);
        return true;
    case SidePanelControl::learnMode:
    case SidePanelControl::testMode:
        selectInstructionMode(sim, control == SidePanelControl::learnMode);
        return true;
    case SidePanelControl::homePageOnWeb:
        break;
    }
    return false;
}

std::string currentDiagramFile(const Simulator& sim) {
    return diagramFileName(sim.activity.kind, sim.activity.exerciseNumber, sim.topology.kind,
                           sim.activeRouter, static_cast<int>(sim.learning.currentTest));
}

std::vector<std::string> currentDiagramDescription(const Simulator& sim) {
    const DiagramPlan* plan = diagramPlanFor(currentDiagramFile(sim));
    return plan == nullptr ? std::vector<std::string>() : diagramDescription(*plan);
}

} // namespace kestro
