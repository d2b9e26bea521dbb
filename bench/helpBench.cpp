// "?" alone in privileged mode against the built content database: one
// screen lookup, then one implemented check per printed line that names a
// command. Pauses are recorded, not slept.
#include "Simulator.h"
#include "console/Console.h"
#include "console/RecordingConsole.h"
#include "registry/Dispatcher.h"
#include "session/Session.h"

#include <benchmark/benchmark.h>

namespace {

using namespace kestro;

void BM_PrivilegedModeCommandList(benchmark::State& state) {
    std::string error;
    auto content = ContentStore::open(applicationFolder() + "/DataStore.db", error);
    if (!content) {
        state.SkipWithError(error.c_str());
        return;
    }
    RecordingConsole io;
    Simulator sim(io, std::move(content), "/tmp");
    buildFreshRouter(sim);
    pressKey(sim, Key::special(keyEnter));
    enterMode(sim, Mode::priv);
    resetInputLine(sim);

    std::size_t boldLines = 0;
    for (auto _ : state) {
        pressKey(sim, Key::character('?'));
        state.PauseTiming();
        boldLines = sim.output.bold.size();
        sim.output.replace({});
        io.appended.clear();
        io.pauses.clear();
        state.ResumeTiming();
    }
    // A listing without bold lines would mean the checks found nothing.
    state.counters["boldLines"] = static_cast<double>(boldLines);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_PrivilegedModeCommandList)->Unit(benchmark::kMicrosecond);

} // namespace
