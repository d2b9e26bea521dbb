#include "config/RouterStore.h"

#include "Simulator.h"
#include "console/Console.h"

#include <utility>

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

SwitchResult switchRouter(Simulator& sim, RouterId target) {
    // The panel answers a press of the live router's button before it looks
    // at the console, so that press never shows the refusal.
    if (target == sim.activeRouter)
        return SwitchResult::AlreadyLive;
    // A window delivers clicks during a command's waits: the command owns
    // the console until it ends.
    if (sim.console.inputState != InputState::Normal || sim.busy()) {
        sim.io().messageBox(switchRefusal);
        return SwitchResult::Refused;
    }
    moveRouterLive(sim, target);
    return SwitchResult::Switched;
}

void moveRouterLive(Simulator& sim, RouterId target) {
    if (target == sim.activeRouter)
        return;
    // The transcript and the input line move with their router: the live
    // record never holds a copy of what the console shows, and the store of
    // the live router is left empty, so no stale copy survives anywhere.
    routerState& live = sim.liveRouter;
    live.consoleText = std::move(sim.output.text);
    live.consoleBold.clear();
    for (const BoldRun& run : sim.output.bold)
        live.consoleBold.emplace_back(run.start, run.length);
    live.inputText = std::move(sim.input.text);

    // The saved configuration travels with its router: sharing one would let
    // RouterB's first use wipe what RouterA saved.
    const bool leavingA = sim.activeRouter == RouterId::a;
    (leavingA ? sim.routerAStore : sim.routerBStore) = std::move(live);
    (leavingA ? sim.routerAStartupStore : sim.routerBStartupStore) = std::move(sim.startupConfig);

    routerState& restored = target == RouterId::a ? sim.routerAStore : sim.routerBStore;
    routerConfig& restoredStartup =
        target == RouterId::a ? sim.routerAStartupStore : sim.routerBStartupStore;
    live = std::exchange(restored, routerState{});
    sim.startupConfig = std::exchange(restoredStartup, routerConfig{});
    sim.activeRouter = target;
    showLiveConsole(sim);
}

void showLiveConsole(Simulator& sim) {
    routerState& live = sim.liveRouter;
    sim.output.replace(std::exchange(live.consoleText, {}));
    for (const auto& [start, length] : live.consoleBold)
        sim.output.bold.push_back({start, length});
    live.consoleBold.clear();
    sim.io().outputReplaced(sim.output);
    setInputLine(sim, std::exchange(live.inputText, {}));
}

} // namespace kestro
