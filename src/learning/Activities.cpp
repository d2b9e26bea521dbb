#include "learning/Activities.h"

#include "Simulator.h"
#include "config/RouterStore.h"
#include "console/Session.h"
#include "learning/Networks.h"

namespace kestro {

namespace {

// Writes the values the network names; the others keep what the previous
// activity left.
void setNetwork(Simulator& sim, const ActivityNetwork& n) {
    sim.topologyKind = n.topologyKind;
    if (n.exerciseNumber != 0)
        sim.exerciseNumber = n.exerciseNumber;
    auto set = [](std::string& field, std::string_view value) {
        if (!value.empty())
            field = value;
    };
    set(sim.lanAHost1, n.lanAHost1);
    set(sim.lanAHost2, n.lanAHost2);
    set(sim.lanANetwork, n.lanANetwork);
    set(sim.lanBHost1, n.lanBHost1);
    set(sim.lanBHost2, n.lanBHost2);
    set(sim.lanBNetwork, n.lanBNetwork);
    set(sim.neighbourSerialAddress, n.neighbourSerialAddress);
    set(sim.neighbourLanAddress, n.neighbourLanAddress);
    set(sim.neighbourLanMask, n.neighbourLanMask);
    set(sim.linkNetwork, n.linkNetwork);
}

// Leaves RouterB for RouterA before a two-router exercise rebuilds the
// routers; otherwise RouterA would be built while RouterB counts as live and
// receive RouterB's preset. A question still open on RouterB is dropped: the
// rebuild ends it anyway, and it must not block the switch.
void returnToRouterA(Simulator& sim) {
    if (sim.activeRouter == 0)
        return;
    sim.inputState = InputState::Normal;
    sim.input.enabled = true;
    moveRouterLive(sim, 0);
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
    (void)labName; // names the instruction text, loaded elsewhere
    sim.activityKind = 0;
    setNetwork(sim, *networkOf("lab"));
    if (!sim.consoleOpen) {
        sim.consoleOpen = true;
        buildFreshRouter(sim);
    }
}

void initTests(Simulator& sim, const std::string& testName) {
    Simulator::Command command(sim, Simulator::Command::activityStart);
    sim.activityKind = 3;
    setNetwork(sim, *networkOf(testName == "test3" ? "test3" : "test1"));
    sim.consoleOpen = true;
    buildFreshRouter(sim);
}

void inittroubleshooting(Simulator& sim, const std::string& exerciseName) {
    Simulator::Command command(sim, Simulator::Command::activityStart);
    const ActivityNetwork* n = activityType(exerciseName) == ActivityType::troubleshooting
                                   ? networkOf(exerciseName)
                                   : nullptr;
    sim.activityKind = 5;
    if (n)
        setNetwork(sim, *n);
    sim.consoleOpen = true;
    const bool twoRouters = n && n->topologyKind == 2;
    if (twoRouters)
        returnToRouterA(sim);
    resetStartupConfig(sim);
    if (twoRouters) {
        sim.routerBStore = unbuiltRouterB();
        sim.routerBStartupStore = routerConfig{};
        sim.startupConfig.hostname = "RouterA";
    }
    loadStartupConfig(sim);
    loadRouter(sim);
    applyExercisePreset(sim, exerciseName);
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
    return sim.activityKind == 5 && sim.topologyKind == 2;
}

std::optional<SwitchResult> pressRouterButton(Simulator& sim, long target) {
    if (!twoRouterPanelOpen(sim))
        return std::nullopt;
    const SwitchResult result = switchRouter(sim, target);
    // RouterB is built and preset at its first use: an empty host name marks
    // one not yet built for this exercise.
    if (result == SwitchResult::Switched && target == 1 && sim.liveRouter.hostname.empty()) {
        buildFreshRouter(sim, "RouterB");
        applyExercisePreset(sim, std::to_string(sim.exerciseNumber));
    }
    return result;
}

} // namespace kestro
