#include "learning/Activities.h"

#include "Simulator.h"
#include "config/RouterStore.h"
#include "learning/Checklists.h"
#include "learning/Grading.h"
#include "learning/Instructions.h"
#include "learning/Networks.h"
#include "session/Session.h"

namespace kestro {

namespace {

// Writes the values the network names; the others keep what the previous
// activity left.
void setNetwork(Simulator& sim, const ActivityNetwork& n) {
    sim.topology.kind = n.topologyKind;
    if (n.exerciseNumber != 0)
        sim.activity.exerciseNumber = n.exerciseNumber;
    auto set = [](std::string& field, std::string_view value) {
        if (!value.empty())
            field = value;
    };
    set(sim.topology.lanAHost1, n.lanAHost1);
    set(sim.topology.lanAHost2, n.lanAHost2);
    set(sim.topology.lanANetwork, n.lanANetwork);
    set(sim.topology.lanBHost1, n.lanBHost1);
    set(sim.topology.lanBHost2, n.lanBHost2);
    set(sim.topology.lanBNetwork, n.lanBNetwork);
    set(sim.topology.neighbourSerialAddress, n.neighbourSerialAddress);
    set(sim.topology.neighbourLanAddress, n.neighbourLanAddress);
    set(sim.topology.neighbourLanMask, n.neighbourLanMask);
    set(sim.topology.linkNetwork, n.linkNetwork);
}

// Leaves RouterB for RouterA before a two-router exercise rebuilds the
// routers; otherwise RouterA would be built while RouterB counts as live and
// receive RouterB's preset. A question still open on RouterB is dropped: the
// rebuild ends it anyway, and it must not block the switch.
void returnToRouterA(Simulator& sim) {
    if (sim.activeRouter == RouterId::a)
        return;
    sim.console.inputState = InputState::Normal;
    sim.input.enabled = true;
    moveRouterLive(sim, RouterId::a);
}

// RouterB before its first use: factory values with no host name, so the
// first switch to it builds it. Starting from factory values keeps an earlier
// exercise's RouterB out of what the topology sees of the new one.
routerState unbuiltRouterB() {
    routerState b;
    b.hostname.clear();
    return b;
}

} // namespace

void initLabs(Simulator& sim, const std::string& labName) {
    Simulator::Command command(sim, Simulator::Command::activityStart);
    OpenWindows& w = sim.windows;
    SidePanelState& panel = sim.sidePanel;
    if (sim.activity.kind != ActivityKind::lab) {
        w.networkDiagramForm = false;
        panel.learnMode = true;
        panel.Frame1 = true;
        panel.learnModeSelected = true; // focusing "Learn Mode" selects it
    }
    sim.activity.kind = ActivityKind::lab;
    sim.learning.activityName = labName;
    setNetwork(sim, *networkOf("lab"));
    w.welcomeForm = false;
    w.flashCardForm = false;
    w.showAnswerForm = false;
    w.MultiRouterTopForm = false;
    w.TopForm = true;
    disableSidePanel(sim);
    // Consecutive labs continue on the same router while the console is open;
    // after a test or an exercise the lab starts on a fresh router of its own.
    if (!w.BottomForm || !sim.activity.labRouterLive) {
        returnToRouterA(sim);
        w.BottomForm = true;
        buildFreshRouter(sim);
        sim.activity.labRouterLive = true;
    }
    enableActivityPanel(sim, true);
    loadInstruction(sim, labName);
    startChecklist(sim, labName);
}

void initTests(Simulator& sim, const std::string& testName) {
    Simulator::Command command(sim, Simulator::Command::activityStart);
    sim.activity.kind = ActivityKind::test;
    sim.activity.labRouterLive = false;
    sim.learning.activityName = testName;
    setNetwork(sim, *networkOf(testName == "test3" ? "test3" : "test1"));
    sim.learning.currentTest = testNumber(testName);
    // A test always starts on a fresh router, with its instructions and the
    // console alone.
    sim.windows = OpenWindows{.TopForm = true, .BottomForm = true};
    disableSidePanel(sim);
    buildFreshRouter(sim);
    enableActivityPanel(sim, false);
    sim.sidePanel.showAnswer = true;
    loadTestInstruction(sim, testName);
    startChecklist(sim, testName);
}

void inittroubleshooting(Simulator& sim, const std::string& exerciseName) {
    Simulator::Command command(sim, Simulator::Command::activityStart);
    OpenWindows& w = sim.windows;
    SidePanelState& panel = sim.sidePanel;
    const ActivityNetwork* n = activityType(exerciseName) == ActivityType::troubleshooting
                                   ? networkOf(exerciseName)
                                   : nullptr;
    w.networkDiagramForm = false;
    if (sim.activity.kind != ActivityKind::exercise) {
        panel.testMode = true;
        panel.Frame1 = true;
        panel.learnModeSelected = false; // focusing "Test Mode" selects it
    }
    sim.activity.kind = ActivityKind::exercise;
    sim.activity.labRouterLive = false;
    sim.learning.activityName = exerciseName;
    if (n)
        setNetwork(sim, *n);
    w.welcomeForm = false;
    w.flashCardForm = false;
    w.showAnswerForm = false;
    w.BottomForm = true;
    const bool twoRouters = n && n->topologyKind == TopologyKind::twoRouters;
    if (twoRouters)
        returnToRouterA(sim);
    resetStartupConfig(sim);
    disableSidePanel(sim);
    if (twoRouters) {
        w.TopForm = false;
        w.MultiRouterTopForm = true;
        sim.routerBStore = unbuiltRouterB();
        sim.routerBStartupStore = routerConfig{};
        sim.startupConfig.hostname = routerName(RouterId::a);
    } else {
        w.TopForm = true;
        w.MultiRouterTopForm = false;
    }
    loadStartupConfig(sim);
    loadRouter(sim);
    applyExercisePreset(sim, exerciseName);
    loadTroubleshootingText(sim, exerciseName);
    enableActivityPanel(sim, true);
    startChecklist(sim, exerciseName);
}

void loadTroubleshootingText(Simulator& sim, const std::string& exerciseName) {
    LearningState& l = sim.learning;
    l.currentQuery = "Select * from troubleshooting where labName = '" + exerciseName + "'";
    if (ContentStore* store = sim.content()) {
        const std::string caller = "loadTestInstruction :" + exerciseName;
        if (auto texts = store->exercise(exerciseName, caller.c_str())) {
            l.currentText = std::move(texts->troubleshootingText);
            l.solutionText = std::move(texts->solutionText);
        }
    }
    displayInstructions(sim, DisplayHow::replace);
    if (sim.sidePanel.learnModeSelected)
        displayInstructions(sim, DisplayHow::appendSolution);
}

bool startActivity(Simulator& sim, const std::string& name) {
    Simulator::Command command(sim, Simulator::Command::activityStart);
    switch (activityType(name)) {
    case ActivityType::guidedLab:
        initLabs(sim, name == "lab" ? guidedLabNames().front() : name);
        return true;
    case ActivityType::test:
        initTests(sim, name);
        return true;
    case ActivityType::troubleshooting:
        inittroubleshooting(sim, name);
        return true;
    case ActivityType::unknown:
        break;
    }
    return false;
}

bool twoRouterPanelOpen(const Simulator& sim) {
    return sim.windows.MultiRouterTopForm;
}

std::optional<SwitchResult> pressRouterButton(Simulator& sim, RouterId target) {
    if (!twoRouterPanelOpen(sim))
        return std::nullopt;
    const SwitchResult result = switchRouter(sim, target);
    // RouterB is built and preset at its first use: an empty host name marks
    // one not yet built for this exercise.
    if (result == SwitchResult::Switched && target == RouterId::b &&
        sim.liveRouter.hostname.empty()) {
        buildFreshRouter(sim, std::string(routerName(RouterId::b)));
        applyExercisePreset(sim, std::to_string(sim.activity.exerciseNumber));
    }
    return result;
}

} // namespace kestro
