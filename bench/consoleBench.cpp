// Lines typed through keys -> dispatcher -> output, pauses skipped.
#include "Simulator.h"
#include "console/Console.h"
#include "console/RecordingConsole.h"
#include "session/Session.h"

#include <benchmark/benchmark.h>

namespace {

using namespace kestro;

void typeLine(Simulator& sim, const std::string& line) {
    for (char c : line)
        pressKey(sim, Key::character(static_cast<unsigned char>(c)));
    pressKey(sim, Key::special(keyEnter));
}

// Simple mode-changing commands, the bulk of what a student types.
void BM_ModeChangingLines(benchmark::State& state) {
    RecordingConsole io;
    Simulator sim(io, nullptr, "/tmp");
    buildFreshRouter(sim);
    pressKey(sim, Key::special(keyEnter));
    const std::vector<std::string> lines = {"enable", "configure terminal", "interface serial 0",
                                            "exit",   "line vty 0 4",       "end",
                                            "disable"};
    std::size_t typed = 0;
    for (auto _ : state) {
        for (const std::string& line : lines)
            typeLine(sim, line);
        typed += lines.size();
        if (sim.output.text.size() > (1u << 20)) {
            state.PauseTiming();
            sim.output.replace({});
            io.appended.clear();
            io.pauses.clear();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(typed));
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(typed), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ModeChangingLines);

} // namespace
