#include "learning/Activities.h"

#include "Simulator.h"
#include "config/RouterStore.h"
#include "console/Session.h"

#include <algorithm>

namespace kestro {

namespace {

// Parameters of a network with one simulated router and a fixed neighbour.
struct SingleRouterNetwork {
    const char* lanAHost1;
    const char* lanAHost2;
    const char* lanANetwork;
    const char* lanBHost1;
    const char* lanBHost2;
    const char* neighbourSerialAddress;
    const char* neighbourLanAddress;
    const char* neighbourLanMask;
    const char* linkNetwork;
};

// Parameters of the RouterA-RouterB network.
struct TwoRouterNetwork {
    const char* lanAHost1;
    const char* lanAHost2;
    const char* lanANetwork;
    const char* lanBHost1;
    const char* lanBHost2;
    const char* lanBNetwork;
};

// 192.160.5.5 is also the TFTP server of the copy command.
constexpr SingleRouterNetwork labNetwork{"192.160.5.6", "192.160.5.5",   "192.160.5.0",
                                         "192.54.5.15", "192.54.5.20",   "220.155.5.2",
                                         "192.54.5.1",  "255.255.255.0", "220.155.5.0"};
constexpr SingleRouterNetwork test3Network{"220.14.5.2", "220.14.5.4",    "220.14.5.0",
                                           "194.4.5.5",  "194.4.5.13",    "194.23.2.2",
                                           "194.4.5.1",  "255.255.255.0", "194.23.2.0"};
constexpr SingleRouterNetwork exercise1Network{"128.16.31.5",   "128.16.31.6",   "128.16.0.0",
                                               "132.104.15.15", "124.34.25.20",  "121.43.38.22",
                                               "192.42.37.1",   "255.255.255.0", "220.52.57.0"};
constexpr SingleRouterNetwork exercise2Network{"192.34.6.3", "192.34.6.4",    "192.34.6.0",
                                               "204.5.13.8", "204.5.13.9",    "196.101.5.2",
                                               "204.5.13.1", "255.255.255.0", "196.101.5.0"};
constexpr TwoRouterNetwork exercise4Network{"202.16.92.6", "202.16.92.7", "202.16.92.0",
                                            "220.14.5.2",  "220.14.5.3",  "220.14.5.0"};
constexpr TwoRouterNetwork exercise6Network{"204.5.62.12",  "204.5.62.13",  "204.5.62.0",
                                            "208.109.1.12", "208.109.1.14", "208.109.1.0"};

// lanBNetwork and exerciseNumber are not part of these networks and keep
// what the previous activity left.
void setNetwork(Simulator& sim, const SingleRouterNetwork& n) {
    sim.topologyKind = 1;
    sim.lanAHost1 = n.lanAHost1;
    sim.lanAHost2 = n.lanAHost2;
    sim.lanANetwork = n.lanANetwork;
    sim.lanBHost1 = n.lanBHost1;
    sim.lanBHost2 = n.lanBHost2;
    sim.neighbourSerialAddress = n.neighbourSerialAddress;
    sim.neighbourLanAddress = n.neighbourLanAddress;
    sim.neighbourLanMask = n.neighbourLanMask;
    sim.linkNetwork = n.linkNetwork;
}

// The neighbour and link values are not part of this network and keep what
// the previous activity left.
void setNetwork(Simulator& sim, const TwoRouterNetwork& n) {
    sim.topologyKind = 2;
    sim.lanAHost1 = n.lanAHost1;
    sim.lanAHost2 = n.lanAHost2;
    sim.lanANetwork = n.lanANetwork;
    sim.lanBHost1 = n.lanBHost1;
    sim.lanBHost2 = n.lanBHost2;
    sim.lanBNetwork = n.lanBNetwork;
}

struct Exercise {
    const char* name;
    int number; // exercise 3 shares exercise 2's number and network
    const SingleRouterNetwork* single;
    const TwoRouterNetwork* pair;
};

constexpr Exercise exercises[] = {
    {"troubleshooting1", 1, &exercise1Network, nullptr},
    {"troubleshooting2", 2, &exercise2Network, nullptr},
    {"troubleshooting3", 2, &exercise2Network, nullptr},
    {"troubleshooting4", 4, nullptr, &exercise4Network},
    {"troubleshooting5", 5, nullptr, &exercise4Network},
    {"troubleshooting6", 6, nullptr, &exercise6Network},
};

const Exercise* findExercise(const std::string& name) {
    for (const Exercise& e : exercises)
        if (name == e.name)
            return &e;
    return nullptr;
}

// --- presets -----------------------------------------------------------------

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

bool isExercise(const std::string& key, const char* name, const char* number) {
    return key == name || key == number;
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

const std::vector<std::string>& guidedLabNames() {
    static const std::vector<std::string> names = {
        "aboutTheLabs",
        "routerStartUp",
        "routerModes",
        "systemHelpCommands",
        "terminalHistory",
        "enhancedEditing",
        "routerStatus",
        "motdBanner",
        "execBanner",
        "loginBanner",
        "consoleConfiguration",
        "auxiliaryConfiguration",
        "virtualTerminalConfiguration",
        "settingHostname",
        "managingPasswords",
        "configuringSerialInterface",
        "configuringEthernetInterface",
        "viewingInterfaceStatus",
        "viewingConfiguration",
        "savingLoadingConfiguration",
        "loadingConfigurationFromTFTPServer",
        "domainConfiguration",
        "hostNameMapping",
        "nameServerAndHttpServer",
        "ripRouting",
        "igrpRouting",
        "managingIPRouting",
        "configuringCDPTimers",
        "viewingCDPInformation",
        "enablingDisablingCDP",
        "testingConnectivity",
        "definingACL",
        "applyingACL",
        "removingACL",
    };
    return names;
}

const std::vector<std::string>& activityNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n = guidedLabNames();
        for (const char* test : {"test1", "test2", "test3"})
            n.emplace_back(test);
        for (const Exercise& e : exercises)
            n.emplace_back(e.name);
        return n;
    }();
    return names;
}

void initLabs(Simulator& sim, const std::string& labName) {
    Simulator::Command command(sim, Simulator::Command::activityStart);
    (void)labName; // names the instruction text, loaded elsewhere
    sim.activityKind = 0;
    setNetwork(sim, labNetwork);
    if (!sim.consoleOpen) {
        sim.consoleOpen = true;
        buildFreshRouter(sim);
    }
}

void initTests(Simulator& sim, const std::string& testName) {
    Simulator::Command command(sim, Simulator::Command::activityStart);
    sim.activityKind = 3;
    setNetwork(sim, testName == "test3" ? test3Network : labNetwork);
    sim.consoleOpen = true;
    buildFreshRouter(sim);
}

void inittroubleshooting(Simulator& sim, const std::string& exerciseName) {
    Simulator::Command command(sim, Simulator::Command::activityStart);
    const Exercise* e = findExercise(exerciseName);
    sim.activityKind = 5;
    if (e) {
        sim.exerciseNumber = e->number;
        if (e->single)
            setNetwork(sim, *e->single);
        else
            setNetwork(sim, *e->pair);
    }
    sim.consoleOpen = true;
    const bool twoRouters = e && e->pair;
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

void applyExercisePreset(Simulator& sim, const std::string& key) {
    routerState& live = sim.liveRouter;
    routerState& parkedB = sim.routerBStore;
    const bool routerALive = sim.activeRouter == 0;
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
            bringUp(live.serial0, "196.56.12.1");
            live.serial0.clockRate = 56000;
            bringUp(live.ethernet0, "202.16.92.1");
            addRipNetworks(live, {"202.16.92.0", "196.56.12.0"});
            exercise5RouterB(parkedB);
        } else {
            exercise5RouterB(live);
        }
    }
    if (isExercise(key, "troubleshooting6", "6")) {
        if (routerALive) {
            bringUp(live.serial0, "204.56.7.1");
            live.serial0.clockRate = 56000;
            bringUp(live.ethernet0, "204.5.62.1");
            addRipNetworks(live, {"204.5.62.0", "204.56.7.0"});
            exercise6RouterB(parkedB, {"208.109.1.0", "204.56.7.0"});
        } else {
            exercise6RouterB(live, {"204.56.7.0", "208.109.1.0"});
        }
    }
}

bool startActivity(Simulator& sim, const std::string& name) {
    Simulator::Command command(sim, Simulator::Command::activityStart);
    if (name == "lab") {
        initLabs(sim, guidedLabNames().front());
        return true;
    }
    const auto& labs = guidedLabNames();
    if (std::find(labs.begin(), labs.end(), name) != labs.end()) {
        initLabs(sim, name);
        return true;
    }
    if (name == "test1" || name == "test2" || name == "test3") {
        initTests(sim, name);
        return true;
    }
    if (findExercise(name)) {
        inittroubleshooting(sim, name);
        return true;
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
