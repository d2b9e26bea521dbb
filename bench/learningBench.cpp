// Formatting the longest lab text into the styled document the instruction
// pane shows, in Learn Mode (every line) and Test Mode (the tasks only).
#include "Simulator.h"
#include "console/RecordingConsole.h"
#include "learning/Catalogue.h"
#include "learning/Instructions.h"

#include <benchmark/benchmark.h>

namespace {

using namespace kestro;

void BM_FormatLongestLab(benchmark::State& state) {
    RecordingConsole io;
    std::string error;
    Simulator sim(io, ContentStore::open(applicationFolder() + "/DataStore.db", error), "/tmp");
    std::string longest;
    if (ContentStore* store = sim.content())
        for (const std::string& lab : guidedLabNames())
            if (auto text = store->labText(lab, "bench"); text && text->size() > longest.size())
                longest = *text;
    if (longest.empty()) {
        state.SkipWithError("no lab texts in DataStore.db");
        return;
    }
    sim.learning.currentText = longest;
    sim.sidePanel.learnModeSelected = state.range(0) == 1;
    for (auto _ : state) {
        displayInstructions(sim, DisplayHow::replace);
        benchmark::DoNotOptimize(sim.learning.instructionDocument.paragraphs.data());
    }
    state.counters["bytes"] = static_cast<double>(longest.size());
    state.counters["paragraphs"] =
        static_cast<double>(sim.learning.instructionDocument.paragraphs.size());
}
BENCHMARK(BM_FormatLongestLab)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

} // namespace
