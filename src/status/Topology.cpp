// Interface states, routing predicates, the routing table and the routing
// protocol summary of both topologies.
#include "status/Topology.h"

#include "console/Console.h"
#include "records/AddressUtils.h"
#include "records/Text.h"
#include "status/Displays.h"

#include <algorithm>
#include <array>
#include <optional>
#include <random>
#include <vector>

namespace kestro {

namespace {

constexpr std::array<const char*, 3> interfaceNames = {"Serial0", "Serial1", "Ethernet0"};

bool routerALive(const Simulator& sim) {
    return sim.activeRouter == RouterId::a;
}

void appendLine(std::string& text, std::string_view line) {
    text += "\r\n";
    text += line;
}

} // namespace

double uniformFraction(Simulator& sim) {
    return std::uniform_real_distribution<double>(0, 1)(sim.random);
}

bool interfaceInNetwork(const interfaceConfig& iface, std::string_view network) {
    return !iface.ipAddress.empty() && networkOf(iface.ipAddress, iface.subnetMask) == network;
}

bool interfacesShareNetwork(const interfaceConfig& a, const interfaceConfig& b) {
    return !b.ipAddress.empty() && interfaceInNetwork(a, networkOf(b.ipAddress, b.subnetMask));
}

bool inRipNetworks(const routerState& router, std::string_view network) {
    const std::string wanted = trimBlanks(network);
    for (const std::string& entry : router.ripNetworks) {
        if (trimBlanks(entry) == wanted)
            return true;
    }
    return false;
}

// --- interface states ----------------------------------------------------------

namespace {

bool knownTopology(const Simulator& sim) {
    return sim.topology.kind == TopologyKind::singleRouter ||
           sim.topology.kind == TopologyKind::twoRouters;
}

// What the current topology's rules answer for an interface; `none`
// outside the two topologies.
template <typename Answer>
Answer byTopology(const Simulator& sim, Interface which, Answer (*lab)(const Simulator&, Interface),
                  Answer (*twoRouters)(const Simulator&, Interface), Answer none) {
    switch (sim.topology.kind) {
    case TopologyKind::singleRouter:
        return lab(sim, which);
    case TopologyKind::twoRouters:
        return twoRouters(sim, which);
    default:
        return none;
    }
}

std::optional<InterfaceRules> rulesByTopology(const Simulator& sim, Interface which) {
    if (!knownTopology(sim))
        return std::nullopt;
    return byTopology(sim, which, labTopology::rules, twoRouterTopology::rules, {});
}

// Shut down, or enabled with the protocol as the link gives it.
InterfaceState stateOfEnd(bool shutdown, LineStatus otherwise, bool protocolUp) {
    if (shutdown)
        return {LineStatus::administrativelyDown, false};
    return {otherwise, otherwise == LineStatus::up && protocolUp};
}

} // namespace

const char* lineStatusText(LineStatus status) {
    switch (status) {
    case LineStatus::up:
        return "up";
    case LineStatus::down:
        return "down";
    case LineStatus::administrativelyDown:
        break;
    }
    return "administratively down";
}

InterfaceState interfaceState(const Simulator& sim, Interface which) {
    return byTopology(sim, which, labTopology::shown, twoRouterTopology::shown, InterfaceState{});
}

std::string interfaceStatusLine(const Simulator& sim, Interface which) {
    if (!knownTopology(sim))
        return {};
    return std::string(interfaceNames[static_cast<std::size_t>(which)]) + " is " +
           lineStatusText(interfaceState(sim, which).status);
}

std::string lineProtocolSuffix(const Simulator& sim, Interface which) {
    if (!knownTopology(sim))
        return {};
    return interfaceState(sim, which).protocolUp ? ", line protocol is up"
                                                 : ", line protocol is down";
}

bool interfaceEnabled(const Simulator& sim, Interface which) {
    const std::optional<InterfaceRules> r = rulesByTopology(sim, which);
    return r && r->statusUp;
}

bool interfaceIsUp(const Simulator& sim, Interface which) {
    const std::optional<InterfaceRules> r = rulesByTopology(sim, which);
    return r && r->statusUp && r->protocolUp;
}

namespace labTopology {

InterfaceRules rules(const Simulator& sim, Interface which) {
    // Nothing is cabled to Serial1.
    if (which == Interface::serial1)
        return {};
    const interfaceConfig& iface = sim.liveRouter.interfaceAt(which);
    // Serial0 is the clocking end: it counts as up only with a clock rate.
    const bool clocked = which != Interface::serial0 || iface.clockRate > 0;
    const bool up = !iface.shutdown && clocked;
    return {up, up};
}

InterfaceState shown(const Simulator& sim, Interface which) {
    const interfaceConfig& iface = sim.liveRouter.interfaceAt(which);
    switch (which) {
    case Interface::serial0:
        // The neighbour is always there; without a clock rate no frame
        // crosses the link.
        return stateOfEnd(iface.shutdown, LineStatus::up, iface.clockRate > 0);
    case Interface::serial1:
        // No cable: no signal from the other end.
        return stateOfEnd(iface.shutdown, LineStatus::down, false);
    case Interface::ethernet0:
        break;
    }
    return stateOfEnd(iface.shutdown, LineStatus::up, true);
}

} // namespace labTopology

namespace twoRouterTopology {

InterfaceRules rules(const Simulator& sim, Interface which) {
    const routerState& live = sim.liveRouter;
    if (which == Interface::ethernet0)
        return {!live.ethernet0.shutdown, !live.ethernet0.shutdown};
    if (which != linkPort(sim))
        return {};
    if (routerALive(sim)) {
        // RouterA's Serial0 clocks the link to RouterB's Serial1.
        const bool up = !live.serial0.shutdown && live.serial0.clockRate > 0;
        return {up, up && !sim.routerBStore.serial1.shutdown};
    }
    const interfaceConfig& clockingEnd = sim.routerAStore.serial0;
    const bool up = !live.serial1.shutdown;
    return {up, up && !clockingEnd.shutdown && clockingEnd.clockRate > 0};
}

InterfaceState shown(const Simulator& sim, Interface which) {
    const interfaceConfig& own = sim.liveRouter.interfaceAt(which);
    if (which == Interface::ethernet0)
        return stateOfEnd(own.shutdown, LineStatus::up, true);
    if (which != linkPort(sim))
        return stateOfEnd(own.shutdown, LineStatus::down, false);
    // A shut far end drops its signals; a clocking end without a clock rate
    // leaves both ends up with the line protocol down.
    const interfaceConfig& far = peerLinkInterface(sim);
    const interfaceConfig& clockingEnd = routerALive(sim) ? own : far;
    return stateOfEnd(own.shutdown, far.shutdown ? LineStatus::down : LineStatus::up,
                      clockingEnd.clockRate > 0);
}

const routerState& peerStore(const Simulator& sim) {
    return routerALive(sim) ? sim.routerBStore : sim.routerAStore;
}

Interface linkPort(const Simulator& sim) {
    return routerALive(sim) ? Interface::serial0 : Interface::serial1;
}

const interfaceConfig& linkInterface(const Simulator& sim) {
    return routerALive(sim) ? sim.liveRouter.serial0 : sim.liveRouter.serial1;
}

const interfaceConfig& peerLinkInterface(const Simulator& sim) {
    return routerALive(sim) ? sim.routerBStore.serial1 : sim.routerAStore.serial0;
}

const std::string& peerExpectedLan(const Simulator& sim) {
    return routerALive(sim) ? sim.topology.lanBNetwork : sim.topology.lanANetwork;
}

PeerMadeLive::PeerMadeLive(Simulator& sim)
    : sim_(sim), ownStore_(routerALive(sim) ? sim.routerAStore : sim.routerBStore) {
    const routerState& peerRecord = peerStore(sim);
    std::swap(ownStore_, heldStore_);
    bool parked = false;
    try {
        ownStore_ = sim_.liveRouter;
        parked = true;
        sim_.liveRouter = peerRecord;
    } catch (...) {
        if (parked)
            std::swap(sim_.liveRouter, ownStore_);
        std::swap(ownStore_, heldStore_);
        throw;
    }
}

PeerMadeLive::~PeerMadeLive() {
    // Swaps only, so putting the routers back cannot fail.
    std::swap(sim_.liveRouter, ownStore_);
    std::swap(ownStore_, heldStore_);
}

bool linkConnected(Simulator& sim) {
    const interfaceConfig& link = linkInterface(sim);
    return interfaceIsUp(sim, linkPort(sim)) && !link.ipAddress.empty() &&
           interfacesShareNetwork(link, peerLinkInterface(sim));
}

bool ripAdjacency(Simulator& sim) {
    const routerState& live = sim.liveRouter;
    const routerState& peer = peerStore(sim);
    const interfaceConfig& link = linkInterface(sim);
    if (!interfaceIsUp(sim, linkPort(sim)) || link.ipAddress.empty() || !live.ripConfigured ||
        !peer.ripConfigured || !live.ipRouting)
        return false;
    const std::string linkNetwork = networkOf(link.ipAddress, link.subnetMask);
    if (!inRipNetworks(live, linkNetwork) || !interfacesShareNetwork(link, peerLinkInterface(sim)))
        return false;
    return withPeerLive(sim, [&](const routerState& y) { return inRipNetworks(y, linkNetwork); });
}

bool remoteLanLearned(Simulator& sim) {
    if (!ripAdjacency(sim))
        return false;
    const routerState& peer = peerStore(sim);
    if (peer.ethernet0.ipAddress.empty() || peer.ethernet0.shutdown || !peer.ripConfigured)
        return false;
    return withPeerLive(sim, [](const routerState& y) {
        return inRipNetworks(y, networkOf(y.ethernet0.ipAddress, y.ethernet0.subnetMask));
    });
}

bool peerLanAsExpected(Simulator& sim) {
    const std::string expected = peerExpectedLan(sim);
    return withPeerLive(
        sim, [&](const routerState& y) { return interfaceInNetwork(y.ethernet0, expected); });
}

} // namespace twoRouterTopology

// --- routing table -----------------------------------------------------------

namespace {

// The one route RIP can learn, as the table lists it.
struct LearntRoute {
    std::string network;
    int prefix = 0;
    std::string nextHop;
    Interface via = Interface::serial0;
};

std::optional<LearntRoute> labLearntRoute(Simulator& sim) {
    const routerState& r = sim.liveRouter;
    const bool serial0Listed =
        interfaceIsUp(sim, Interface::serial0) && !r.serial0.ipAddress.empty();
    if (!serial0Listed || !r.ripConfigured || !r.ipRouting)
        return std::nullopt;
    const std::string network = networkOf(r.serial0.ipAddress, r.serial0.subnetMask);
    if (!inRipNetworks(r, network) || network != sim.topology.linkNetwork)
        return std::nullopt;
    return LearntRoute{networkOf(sim.topology.neighbourLanAddress, sim.topology.neighbourLanMask),
                       maskBitCount(sim.topology.neighbourLanMask),
                       sim.topology.neighbourSerialAddress, Interface::serial0};
}

std::optional<LearntRoute> twoRouterLearntRoute(Simulator& sim) {
    using namespace twoRouterTopology;
    if (!remoteLanLearned(sim))
        return std::nullopt;
    const interfaceConfig& lan = peerStore(sim).ethernet0;
    return LearntRoute{networkOf(lan.ipAddress, lan.subnetMask), maskBitCount(lan.subnetMask),
                       peerLinkInterface(sim).ipAddress, linkPort(sim)};
}

std::optional<LearntRoute> learntRoute(Simulator& sim) {
    switch (sim.topology.kind) {
    case TopologyKind::singleRouter:
        return labLearntRoute(sim);
    case TopologyKind::twoRouters:
        return twoRouterLearntRoute(sim);
    default:
        return std::nullopt;
    }
}

std::optional<std::string> routeLine(Simulator& sim, const std::optional<LearntRoute>& route) {
    if (!route)
        return std::nullopt;
    const int seconds = static_cast<int>(uniformFraction(sim) * 5 + 25);
    return "R   " + route->network + "/" + std::to_string(route->prefix) + " [120/1] via " +
           route->nextHop + ", 00:00:" + std::to_string(seconds) + ", Serial" +
           interfaceDigit(route->via);
}

} // namespace

std::optional<std::string> labTopology::ripRoute(Simulator& sim) {
    return routeLine(sim, labLearntRoute(sim));
}

std::optional<std::string> twoRouterTopology::ripRoute(Simulator& sim) {
    return routeLine(sim, twoRouterLearntRoute(sim));
}

void showIpRoute(Simulator& sim) {
    if (sim.topology.kind != TopologyKind::singleRouter &&
        sim.topology.kind != TopologyKind::twoRouters)
        return;
    const routerState& r = sim.liveRouter;
    std::string text;
    if (r.ipRouting) {
        appendLine(text,
                   "Codes: C - connected, S - static, I - IGRP, R - RIP, M - mobile, B - BGP");
        appendLine(text, "       D - EIGRP, EX - EIGRP external, O - OSPF, IA - OSPF inter area");
        appendLine(text, "       N1 - OSPF NSSA external type 1, N2 - OSPF NSSA external type 2");
        appendLine(text, "       E1 - OSPF external type 1, E2 - OSPF external type 2, E - EGP");
        appendLine(
            text,
            "       i - IS-IS, L1 - IS-IS level-1, L2 - IS-IS level-2, * - candidate default");
        appendLine(text, "       U - per-user static route, o - ODR");
        appendLine(text, "       ");
    }
    appendLine(text, "Gateway of last resort is not set");
    appendLine(text, "       ");
    if (r.ipRouting) {
        appendLine(text, "Host               Gateway           Last Use    Total Uses  Interface");
        appendLine(text, "ICMP redirect cache is empty");
    }
    constexpr std::array<const char*, 3> connectedSuffix = {" is directly connected, Serial0",
                                                            " is directly connected, Serial1",
                                                            " is directly connected, Ethernet0"};
    for (Interface which : allInterfaces) {
        const interfaceConfig& iface = r.interfaceAt(which);
        if (interfaceIsUp(sim, which) && !iface.ipAddress.empty())
            appendLine(text, "C   " + networkOf(iface.ipAddress, iface.subnetMask) + "/" +
                                 std::to_string(maskBitCount(iface.subnetMask)) +
                                 connectedSuffix[static_cast<std::size_t>(which)]);
    }
    const std::optional<std::string> rip = sim.topology.kind == TopologyKind::singleRouter
                                               ? labTopology::ripRoute(sim)
                                               : twoRouterTopology::ripRoute(sim);
    if (rip)
        appendLine(text, *rip);
    printPaged(sim, text);
}

// --- routing protocol summary -------------------------------------------------

namespace {

void appendRipSection(Simulator& sim, std::string& text) {
    const routerState& r = sim.liveRouter;
    const int due = static_cast<int>(uniformFraction(sim) * 30 + 1);
    appendLine(text, "Routing Protocol is 'rip'");
    appendLine(text, "  Sending updates every 30 seconds, next due in " + std::to_string(due) +
                         " seconds");
    appendLine(text, "  Invalid after 180 seconds, hold down 180, flushed after 240");
    appendLine(text, "  Outgoing update filter list for all interfaces is");
    appendLine(text, "  Incoming update filter list for all interfaces is");
    appendLine(text, "  Redistributing: rip");
    appendLine(text, "  Default version control: send version 1, receive any version");
    appendLine(text, "  Routing for Networks:");
    for (auto it = r.ripNetworks.rbegin(); it != r.ripNetworks.rend(); ++it)
        appendLine(text, "    " + *it);
    appendLine(text, "  Routing Information Sources:");
    appendLine(text, "    Gateway         Distance      Last Update");
    // The neighbour whose route is in the table; its last update came
    // within the last half minute.
    if (const std::optional<LearntRoute> route = learntRoute(sim)) {
        const std::string distance = "120";
        const int age = static_cast<int>(uniformFraction(sim) * 30);
        std::string gateway = route->nextHop;
        gateway.resize(std::max<std::size_t>(gateway.size() + 1, 16), ' ');
        appendLine(text, "    " + gateway + std::string(8 - distance.size(), ' ') + distance +
                             "      00:00:" + (age < 10 ? "0" : "") + std::to_string(age));
    }
    appendLine(text, "  Distance: (default is 120)");
}

void appendIgrpSection(Simulator& sim, std::string& text, long as) {
    const std::string number = std::to_string(as);
    const int due = static_cast<int>(uniformFraction(sim) * 90 + 1);
    appendLine(text, "    ");
    appendLine(text, "Routing Protocol is 'igrp " + number + "'");
    appendLine(text, "  Sending updates every 90 seconds, next due in " + std::to_string(due) +
                         " seconds");
    appendLine(text, "  Invalid after 270 seconds, hold down 280, flushed after 630");
    appendLine(text, "  Outgoing update filter list for all interfaces is");
    appendLine(text, "  Incoming update filter list for all interfaces is");
    appendLine(text, "  Default networks flagged in outgoing updates");
    appendLine(text, "  Default networks accepted from incoming updates");
    appendLine(text, "  IGRP metric weight K1=1, K2=0, K3=1, K4=0, K5=0");
    appendLine(text, "  IGRP maximum hopcount 100");
    appendLine(text, "  IGRP maximum metric variance 1");
    appendLine(text, "  Redistributing: igrp " + number);
    appendLine(text, "  Routing for Networks:");
    for (const asNetworkAssociation& n : sim.liveRouter.igrpNetworks) {
        if (n.igrpAsNumber == as)
            appendLine(text, "    " + n.networkAddress);
    }
    appendLine(text, "  Routing Information Sources:");
    appendLine(text, "    Gateway         Distance      Last Update");
    // IGRP's administrative distance is 100 (RIP's 120).
    appendLine(text, "  Distance: (default is 100)");
}

} // namespace

void showIpProtocols(Simulator& sim) {
    const routerState& r = sim.liveRouter;
    std::string text;
    if (r.ipRouting) {
        if (r.ripConfigured && !r.ripNetworks.empty())
            appendRipSection(sim, text);
        if (r.igrpConfigured && !r.igrpNetworks.empty()) {
            std::vector<long> systems;
            for (const asNetworkAssociation& n : r.igrpNetworks) {
                if (std::find(systems.begin(), systems.end(), n.igrpAsNumber) == systems.end())
                    systems.push_back(n.igrpAsNumber);
            }
            for (long as : systems)
                appendIgrpSection(sim, text, as);
        }
    }
    printPaged(sim, text);
}

} // namespace kestro
