#include "learning/Presets.h"

#include "Simulator.h"

#include <algorithm>

namespace kestro {

namespace {

void setAddress(interfaceConfig& iface, const char* address) {
    iface.ipAddress = address;
    iface.subnetMask = "255.255.255.0";
}
void bringUp(interfaceConfig& iface, const char* address) {
    iface.shutdown = false;
    setAddress(iface, address);
}
void shutDown(interfaceConfig& iface, const char* address) {
    iface.shutdown = true;
    setAddress(iface, address);
}
// The RIP list never holds a network twice.
void addRipNetwork(routerConfig& r, const char* network) {
    if (std::find(r.ripNetworks.begin(), r.ripNetworks.end(), network) == r.ripNetworks.end())
        r.ripNetworks.emplace_back(network);
}
void addRipNetworks(routerConfig& r, std::initializer_list<const char*> networks) {
    r.ripConfigured = true;
    for (const char* n : networks)
        addRipNetwork(r, n);
}

void exercise4RouterB(routerConfig& b) {
    b.serial1.shutdown = true;
    bringUp(b.ethernet0, "220.14.5.1");
}

void exercise5RouterB(routerConfig& b) {
    bringUp(b.serial1, "196.56.12.2");
    shutDown(b.ethernet0, "220.14.5.1");
    addRipNetworks(b, {"196.56.12.0"});
}

// The RIP networks come in a different order depending on who writes them.
void exercise6RouterB(routerConfig& b, std::initializer_list<const char*> ripNetworks) {
    bringUp(b.serial1, "204.56.7.2");
    bringUp(b.ethernet0, "208.109.1.1");
    addRipNetworks(b, ripNetworks);
    b.accessLists.push_back({denyAny, "", "0.0.0.0", 12});
    b.ethernet0.accessGroupOut = 12;
}

// RouterA of a two-router exercise: Serial0 clocks the link, and RIP covers
// both its networks.
void linkedRouterA(routerConfig& a, const char* serialAddress, const char* lanAddress,
                   std::initializer_list<const char*> ripNetworks) {
    bringUp(a.serial0, serialAddress);
    a.serial0.clockRate = 56000;
    bringUp(a.ethernet0, lanAddress);
    addRipNetworks(a, ripNetworks);
}

bool isExercise(const std::string& key, const char* name, const char* number) {
    return key == name || key == number;
}

} // namespace

void applyExercisePreset(Simulator& sim, const std::string& key) {
    routerState& live = sim.liveRouter;
    routerState& parkedB = sim.routerBStore;
    const bool routerALive = sim.activeRouter == RouterId::a;
    if (key == "troubleshooting1")
        bringUp(live.ethernet0, "192.34.5.6");
    if (key == "troubleshooting2") {
        shutDown(live.serial0, "196.101.5.1");
        addRipNetworks(live, {"192.34.6.0", "196.101.5.0"});
        bringUp(live.ethernet0, "192.34.6.1");
    }
    if (key == "troubleshooting3") {
        shutDown(live.serial0, "196.101.5.1");
        live.ripConfigured = false;
        bringUp(live.ethernet0, "192.34.6.1");
    }
    if (isExercise(key, "troubleshooting4", "4")) {
        if (routerALive) {
            bringUp(live.ethernet0, "202.16.92.1");
            parkedB.serial1.shutdown = true;
        } else {
            exercise4RouterB(live);
        }
    }
    if (isExercise(key, "troubleshooting5", "5")) {
        if (routerALive) {
            linkedRouterA(live, "196.56.12.1", "202.16.92.1", {"202.16.92.0", "196.56.12.0"});
            exercise5RouterB(parkedB);
        } else {
            exercise5RouterB(live);
        }
    }
    if (isExercise(key, "troubleshooting6", "6")) {
        if (routerALive) {
            linkedRouterA(live, "204.56.7.1", "204.5.62.1", {"204.5.62.0", "204.56.7.0"});
            exercise6RouterB(parkedB, {"208.109.1.0", "204.56.7.0"});
        } else {
            exercise6RouterB(live, {"204.56.7.0", "208.109.1.0"});
        }
    }
}

} // namespace kestro
