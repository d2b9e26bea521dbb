// One evaluation of the largest checklist (the most items), as it runs after
// every command: on a fresh session and once its walk-through is typed (every
// item met, so every term is evaluated, pings and commands run included).
#include "Frontends.h"

#include "Simulator.h"
#include "console/RecordingConsole.h"
#include "learning/Activities.h"
#include "learning/Catalogue.h"
#include "learning/Checklists.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>

namespace {

using namespace kestro;

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string walkThrough(const std::string& activity) {
    const std::string base = std::string(KESTRO_SOURCE_DIR) + "/tests/walkthroughs/";
    if (activityType(activity) == ActivityType::guidedLab)
        return readText(base + "labs/" + activity + ".keys");
    return readText(base + "troubleshooting/" + activity + ".keys") +
           readText(base + "troubleshooting/" + activity + ".verify");
}

void BM_EvaluateLargestChecklist(benchmark::State& state) {
    RecordingConsole io;
    std::string error;
    auto open = [&] { return ContentStore::open(applicationFolder() + "/DataStore.db", error); };
    std::string largest;
    std::size_t items = 0;
    for (const std::string& name : activityNames()) {
        Simulator probe(io, open(), "/tmp");
        startActivity(probe, name);
        if (checklistProgress(probe).total > items) {
            items = checklistProgress(probe).total;
            largest = name;
        }
    }
    if (largest.empty()) {
        state.SkipWithError("no checklists in DataStore.db");
        return;
    }
    Simulator sim(io, open(), "/tmp");
    sim.random.seed(1);
    startActivity(sim, largest);
    if (state.range(0) == 1)
        if (auto keys = parseScript(walkThrough(largest), largest, error))
            runScript(sim, io, *keys);
    const Checklist& list = *sim.learning.checklist.list;
    for (auto _ : state) {
        std::vector<bool> met = evaluateChecklist(sim, list);
        benchmark::DoNotOptimize(met);
    }
    state.SetLabel(largest + (state.range(0) == 1 ? ", walked through" : ", fresh"));
    state.counters["items"] = static_cast<double>(items);
    state.counters["met"] = static_cast<double>(checklistProgress(sim).met);
    state.counters["runs"] = static_cast<double>(sim.facts.runs.size());
}
BENCHMARK(BM_EvaluateLargestChecklist)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
