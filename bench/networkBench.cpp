// The displays and decisions a student runs most while checking a network:
// the running configuration, the routing table and ping's reachability rule
// in the two-router topology. Pauses are recorded, not slept.
#include "Simulator.h"
#include "config/ConfigRendering.h"
#include "console/RecordingConsole.h"
#include "session/Session.h"
#include "status/Displays.h"

#include <benchmark/benchmark.h>

namespace {

using namespace kestro;

void openInterface(interfaceConfig& iface, const std::string& address) {
    iface.ipAddress = address;
    iface.subnetMask = "255.255.255.0";
    iface.shutdown = false;
}

// RouterA live and RouterB parked, the serial link up and RIP on both, so
// the routing table holds connected routes and the learned one.
struct TwoRouters {
    RecordingConsole io;
    Simulator sim{io, nullptr, "/tmp"};

    TwoRouters() {
        buildFreshRouter(sim, "RouterA");
        sim.topology.kind = TopologyKind::twoRouters;
        sim.activeRouter = RouterId::a;
        sim.topology.lanAHost1 = "192.168.1.10";
        sim.topology.lanAHost2 = "192.168.1.11";
        sim.topology.lanANetwork = "192.168.1.0";
        sim.topology.lanBHost1 = "192.168.3.10";
        sim.topology.lanBHost2 = "192.168.3.11";
        sim.topology.lanBNetwork = "192.168.3.0";
        routerState& a = sim.liveRouter;
        openInterface(a.serial0, "192.168.2.1");
        a.serial0.clockRate = 64000;
        openInterface(a.ethernet0, "192.168.1.1");
        a.ripConfigured = true;
        a.ripNetworks = {"192.168.1.0", "192.168.2.0"};
        a.hosts = {{"server", "192.168.3.10"}, {"printer", "192.168.1.20"}};
        a.accessLists = {{permitHost, "192.168.1.10", "0.0.0.0", 1}, {denyAny, "", "0.0.0.0", 1}};
        a.ethernet0.accessGroupOut = 1;
        routerState b = a;
        b.hostname = "RouterB";
        b.serial0 = interfaceConfig{};
        openInterface(b.serial1, "192.168.2.2");
        openInterface(b.ethernet0, "192.168.3.1");
        b.ripNetworks = {"192.168.2.0", "192.168.3.0"};
        b.accessLists.clear();
        b.ethernet0.accessGroupOut = 0;
        sim.routerBStore = b;
    }
    // Keeps the transcript from growing without end across iterations.
    void trimOutput(benchmark::State& state) {
        if (sim.output.text.size() > (1u << 20)) {
            state.PauseTiming();
            sim.output.replace({});
            io.appended.clear();
            io.pauses.clear();
            state.ResumeTiming();
        }
    }
};

void BM_RunningConfigText(benchmark::State& state) {
    TwoRouters t;
    for (auto _ : state)
        benchmark::DoNotOptimize(runningConfigText(t.sim));
}
BENCHMARK(BM_RunningConfigText);

void BM_ShowRunningConfig(benchmark::State& state) {
    TwoRouters t;
    for (auto _ : state) {
        showRunningConfig(t.sim);
        t.trimOutput(state);
    }
}
BENCHMARK(BM_ShowRunningConfig);

void BM_ShowIpRouteTwoRouters(benchmark::State& state) {
    TwoRouters t;
    showIpRoute(t.sim);
    if (t.sim.output.text.find("\r\nR   192.168.3.0/24") == std::string::npos)
        state.SkipWithError("the learned route is missing: the set-up is wrong");
    for (auto _ : state) {
        showIpRoute(t.sim);
        t.trimOutput(state);
    }
}
BENCHMARK(BM_ShowIpRouteTwoRouters);

void BM_PingDecisionTwoRouters(benchmark::State& state) {
    TwoRouters t;
    if (!pingTarget(t.sim, "192.168.3.10", true))
        state.SkipWithError("the far LAN is unreachable: the set-up is wrong");
    for (auto _ : state)
        benchmark::DoNotOptimize(pingTarget(t.sim, "192.168.3.10", true));
}
BENCHMARK(BM_PingDecisionTwoRouters);

} // namespace
