#include "learning/Checklists.h"

#include "Simulator.h"
#include "learning/Networks.h"
#include "status/Displays.h"

#include <algorithm>

namespace kestro {

namespace {

const routerConfig& configOf(const Simulator& sim, RouterId id) {
    if (sim.activeRouter == id)
        return sim.liveRouter.config();
    return id == RouterId::a ? sim.routerAStore.config() : sim.routerBStore.config();
}

// While alive, `target` is the live router, with the stores as a router
// switch would leave them (the live router's own store empty); only swaps,
// so putting them back cannot fail. The console's texts are not moved:
// nothing is printed meanwhile.
class MadeLive {
public:
    MadeLive(Simulator& sim, RouterId target) : sim_(sim), was_(sim.activeRouter) {
        if (target == was_)
            return;
        swapIn(target);
    }
    ~MadeLive() {
        if (sim_.activeRouter != was_)
            swapIn(was_);
    }
    MadeLive(const MadeLive&) = delete;
    MadeLive& operator=(const MadeLive&) = delete;

private:
    void swapIn(RouterId target) {
        routerState& targetStore = target == RouterId::a ? sim_.routerAStore : sim_.routerBStore;
        std::swap(sim_.liveRouter, targetStore);
        std::swap(sim_.routerAStore, sim_.routerBStore);
        sim_.activeRouter = target;
    }

    Simulator& sim_;
    RouterId was_;
};

ConditionWorld worldOf(Simulator& sim) {
    ConditionWorld w;
    w.routerA = &configOf(sim, RouterId::a);
    if (sim.topology.kind == TopologyKind::twoRouters)
        w.routerB = &configOf(sim, RouterId::b);
    w.facts = &sim.facts;
    w.pingSucceeds = [&sim](RouterId from, const std::string& address) {
        MadeLive live(sim, from);
        return pingTarget(sim, address, true);
    };
    return w;
}

bool isTwoRouterActivity(const std::string& activity) {
    const ActivityNetwork* n = networkOf(activity);
    return n && n->topologyKind == TopologyKind::twoRouters;
}

} // namespace

void startChecklist(Simulator& sim, const std::string& activity) {
    ChecklistState& state = sim.learning.checklist;
    state = {};
    sim.facts = {};
    sim.afterCommand = updateChecklist;
    ContentStore* store = sim.content();
    if (!store)
        return;
    const std::optional<std::string> source = store->checklistSource(activity, "startChecklist");
    if (!source)
        return;
    ConditionOptions options;
    options.twoRouters = isTwoRouterActivity(activity);
    std::vector<ChecklistFault> faults;
    state.list = parseChecklist(*source, options, faults);
    // The builder refuses a faulty checklist; only a damaged database gets
    // here, and the activity then runs without one.
    if (!state.list) {
        sim.logError("startChecklist", activity + ":" + std::to_string(faults.front().line) + ": " +
                                           faults.front().message);
        return;
    }
    state.revealed.assign(state.list->items.size(), 0);
    updateChecklist(sim);
    state.completionMessage.clear();
}

std::vector<bool> evaluateChecklist(Simulator& sim, const Checklist& list) {
    const ConditionWorld world = worldOf(sim);
    std::vector<bool> met;
    met.reserve(list.items.size());
    for (const ChecklistItem& item : list.items)
        met.push_back(conditionHolds(item.condition, world));
    return met;
}

void updateChecklist(Simulator& sim) {
    ChecklistState& state = sim.learning.checklist;
    if (!state.list)
        return;
    state.met = evaluateChecklist(sim, *state.list);
    const std::size_t met =
        static_cast<std::size_t>(std::count(state.met.begin(), state.met.end(), true));
    state.best = std::max(state.best, met);
    const bool complete = met == state.met.size();
    if (complete && !state.complete)
        state.completionMessage = completionMessage(sim);
    state.complete = complete;
}

ChecklistProgress checklistProgress(const Simulator& sim) {
    const ChecklistState& state = sim.learning.checklist;
    ChecklistProgress p;
    if (!state.list)
        return p;
    p.total = state.met.size();
    p.met = static_cast<std::size_t>(std::count(state.met.begin(), state.met.end(), true));
    p.best = state.best;
    p.percent = p.total == 0 ? 0 : static_cast<int>(100 * p.met / p.total);
    p.complete = state.complete;
    return p;
}

std::vector<ChecklistItemView> checklistView(Simulator& sim, bool learnMode) {
    std::vector<ChecklistItemView> views;
    const ChecklistState& state = sim.learning.checklist;
    if (!state.list)
        return views;
    const ConditionWorld world = worldOf(sim);
    for (std::size_t i = 0; i < state.list->items.size(); ++i) {
        const ChecklistItem& item = state.list->items[i];
        ChecklistItemView v;
        v.text = item.text;
        v.met = i < state.met.size() && state.met[i];
        const std::size_t shown = i < state.revealed.size() ? state.revealed[i] : 0;
        v.hints.assign(item.hints.begin(),
                       item.hints.begin() +
                           static_cast<std::ptrdiff_t>(std::min(shown, item.hints.size())));
        if (shown > item.hints.size())
            v.solution = item.solution;
        if (!v.met && (learnMode || shown > 0)) {
            v.feedback = item.feedback;
            v.found = foundAndExpected(item.condition, world).found;
            if (v.found.empty())
                v.found = unmetActivity(item.condition, world);
        }
        views.push_back(std::move(v));
    }
    return views;
}

std::optional<HintReveal> revealNextHint(Simulator& sim) {
    ChecklistState& state = sim.learning.checklist;
    if (!state.list)
        return std::nullopt;
    const auto unmet = std::find(state.met.begin(), state.met.end(), false);
    if (unmet == state.met.end())
        return std::nullopt;
    HintReveal r;
    r.item = static_cast<std::size_t>(unmet - state.met.begin());
    const ChecklistItem& item = state.list->items[r.item];
    std::size_t& shown = state.revealed[r.item];
    if (shown < item.hints.size()) {
        r.lines = {item.hints[shown++]};
        return r;
    }
    shown = item.hints.size() + 1;
    r.lines = item.solution;
    r.solution = true;
    return r;
}

std::string takeCompletionMessage(Simulator& sim) {
    return std::exchange(sim.learning.checklist.completionMessage, {});
}

std::string completionMessage(const Simulator& sim) {
    return sim.activity.kind == ActivityKind::exercise ? "The fault is repaired."
                                                       : "Every step of this lab is done.";
}

} // namespace kestro
