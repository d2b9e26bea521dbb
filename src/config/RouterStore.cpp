#include "config/RouterStore.h"

#include "Simulator.h"
#include "console/Console.h"
#include "console/Session.h"
#include "learning/Activities.h"

namespace kestro {

void resetStartupConfig(Simulator& sim) {
    sim.startupConfig = routerConfig{};
}

// Only the saved fields are copied; the console dialogue fields of the live
// router stay as they are. Lists are copied as values, so later changes to
// either side never show in the other.
void loadStartupConfig(Simulator& sim) {
    sim.liveRouter.config() = sim.startupConfig;
}

void saveStartupConfig(Simulator& sim) {
    sim.startupConfig = sim.liveRouter.config();
}

SwitchResult switchRouter(Simulator& sim, long target) {
    // The panel answers a press of the live router's button before it looks
    // at the console, so that press never shows the refusal.
    if (target == sim.activeRouter)
        return SwitchResult::AlreadyLive;
    if (sim.inputState != InputState::Normal) {
        sim.io().messageBox(switchRefusal);
        return SwitchResult::Refused;
    }

    // The saved configuration travels with its router: sharing one would let
    // RouterB's first use wipe what RouterA saved.
    const bool leavingA = sim.activeRouter == 0;
    routerState& parked = leavingA ? sim.routerAStore : sim.routerBStore;
    parked = sim.liveRouter;
    parked.consoleText = sim.output.text;
    parked.consoleBold.clear();
    for (const BoldRun& run : sim.output.bold)
        parked.consoleBold.emplace_back(run.start, run.length);
    parked.inputText = sim.input.text;
    (leavingA ? sim.routerAStartupStore : sim.routerBStartupStore) = sim.startupConfig;

    routerState& restored = target == 0 ? sim.routerAStore : sim.routerBStore;
    sim.liveRouter = restored;
    sim.startupConfig = target == 0 ? sim.routerAStartupStore : sim.routerBStartupStore;
    sim.activeRouter = target;
    sim.output.replace(sim.liveRouter.consoleText);
    for (const auto& [start, length] : sim.liveRouter.consoleBold)
        sim.output.bold.push_back({start, length});
    sim.io().outputReplaced(sim.output);
    setInputLine(sim, sim.liveRouter.inputText);

    // An empty host name marks a RouterB not yet built for this exercise.
    if (target == 1 && sim.routerBStore.hostname.empty()) {
        sim.routerBStore.hostname = "RouterB";
        buildFreshRouter(sim, "RouterB");
        applyExercisePreset(sim, std::to_string(sim.exerciseNumber));
    }
    return SwitchResult::Switched;
}

} // namespace kestro
