// Interface states, routing predicates, the routing table and the routing
// protocol summary of both topologies.
#include "status/Topology.h"

#include "console/Console.h"
#include "records/AddressUtils.h"
#include "records/Text.h"
#include "status/Displays.h"

#include <algorithm>
#include <array>
#include <random>
#include <vector>

namespace kestro {

namespace {

constexpr std::array<const char*, 3> interfaceNames = {"Serial0", "Serial1", "Ethernet0"};

std::string administrativeText(Interface which, bool up) {
    return std::string(interfaceNames[static_cast<std::size_t>(which)]) +
           (up ? " is administratively up" : " is administratively down");
}

std::string protocolText(bool up) {
    return up ? ", line protocol is up" : ", line protocol is down";
}

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

// --- status texts ------------------------------------------------------------

namespace {

using InterfaceText = std::string (*)(const Simulator&, Interface);

// The text the current topology's rule gives; a topology without rules
// gives none.
std::string byTopology(const Simulator& sim, Interface which, InterfaceText lab,
                       InterfaceText twoRouters) {
    switch (sim.topology.kind) {
    case TopologyKind::singleRouter:
        return lab(sim, which);
    case TopologyKind::twoRouters:
        return twoRouters(sim, which);
    default:
        return {};
    }
}

} // namespace

std::string interfaceStatusLine(const Simulator& sim, Interface which) {
    return byTopology(sim, which, labTopology::statusLine, twoRouterTopology::statusLine);
}

std::string lineProtocolSuffix(const Simulator& sim, Interface which) {
    return byTopology(sim, which, labTopology::lineProtocol, twoRouterTopology::lineProtocol);
}

bool interfaceIsUp(const Simulator& sim, Interface which) {
    if (sim.topology.kind != TopologyKind::singleRouter &&
        sim.topology.kind != TopologyKind::twoRouters)
        return false;
    const std::string state = interfaceStatusLine(sim, which) + lineProtocolSuffix(sim, which);
    return !state.empty() && state.find("down") == std::string::npos;
}

namespace labTopology {

std::string statusLine(const Simulator& sim, Interface which) {
    const interfaceConfig& iface = sim.liveRouter.interfaceAt(which);
    // Serial0 is the clocking end: it is up only with a clock rate.
    const bool clocked = which != Interface::serial0 || iface.clockRate > 0;
    return administrativeText(which, !iface.shutdown && clocked);
}

std::string lineProtocol(const Simulator& sim, Interface which) {
    return protocolText(statusLine(sim, which).find("up") != std::string::npos);
}

} // namespace labTopology

namespace twoRouterTopology {

std::string statusLine(const Simulator& sim, Interface which) {
    const routerState& live = sim.liveRouter;
    switch (which) {
    case Interface::serial0:
        return administrativeText(which, routerALive(sim) && !live.serial0.shutdown &&
                                             live.serial0.clockRate > 0);
    case Interface::serial1:
        return administrativeText(which, !routerALive(sim) && !live.serial1.shutdown);
    case Interface::ethernet0:
        break;
    }
    return administrativeText(which, !live.ethernet0.shutdown);
}

std::string lineProtocol(const Simulator& sim, Interface which) {
    const routerState& live = sim.liveRouter;
    if (which == Interface::ethernet0)
        return protocolText(!live.ethernet0.shutdown);
    if (routerALive(sim)) {
        // RouterA's Serial0 clocks the link to RouterB's Serial1.
        const bool up = which == Interface::serial0 &&
                        statusLine(sim, Interface::serial0).find("up") != std::string::npos &&
                        !sim.routerBStore.serial1.shutdown && live.serial0.clockRate > 0;
        return protocolText(up);
    }
    const interfaceConfig& clockingEnd = sim.routerAStore.serial0;
    const bool up = which == Interface::serial1 && !clockingEnd.shutdown &&
                    clockingEnd.clockRate > 0 && !live.serial1.shutdown;
    return protocolText(up);
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

std::string routeLine(Simulator& sim, const std::string& network, int prefix,
                      const std::string& nextHop, Interface via) {
    const int seconds = static_cast<int>(uniformFraction(sim) * 5 + 25);
    return "R   " + network + "/" + std::to_string(prefix) + " [120/1] via " + nextHop +
           ", 00:00:" + std::to_string(seconds) + ", Serial" + interfaceDigit(via);
}

} // namespace

std::optional<std::string> labTopology::ripRoute(Simulator& sim) {
    const routerState& r = sim.liveRouter;
    const bool serial0Listed =
        interfaceIsUp(sim, Interface::serial0) && !r.serial0.ipAddress.empty();
    if (!serial0Listed || !r.ripConfigured || !r.ipRouting)
        return std::nullopt;
    const std::string network = networkOf(r.serial0.ipAddress, r.serial0.subnetMask);
    if (!inRipNetworks(r, network) || network != sim.topology.linkNetwork)
        return std::nullopt;
    return routeLine(sim,
                     networkOf(sim.topology.neighbourLanAddress, sim.topology.neighbourLanMask),
                     maskBitCount(sim.topology.neighbourLanMask),
                     sim.topology.neighbourSerialAddress, Interface::serial0);
}

std::optional<std::string> twoRouterTopology::ripRoute(Simulator& sim) {
    if (!remoteLanLearned(sim))
        return std::nullopt;
    const interfaceConfig& lan = peerStore(sim).ethernet0;
    return routeLine(sim, networkOf(lan.ipAddress, lan.subnetMask), maskBitCount(lan.subnetMask),
                     peerLinkInterface(sim).ipAddress, linkPort(sim));
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

void showIpProtocols(Simulator& sim) {
    const routerState& r = sim.liveRouter;
    std::string text;
    if (r.ipRouting) {
        if (r.ripConfigured && !r.ripNetworks.empty()) {
            const int due = static_cast<int>(uniformFraction(sim) * 30 + 1);
            appendLine(text, "Routing Protocol is 'rip'");
            appendLine(text, "  Sending updates every 30 seconds, next due in " +
                                 std::to_string(due) + " seconds");
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
            appendLine(text, "  Distance: (default is 120)");
        }
        if (r.igrpConfigured && !r.igrpNetworks.empty()) {
            std::vector<long> systems;
            for (const asNetworkAssociation& n : r.igrpNetworks) {
                if (std::find(systems.begin(), systems.end(), n.igrpAsNumber) == systems.end())
                    systems.push_back(n.igrpAsNumber);
            }
            for (long as : systems) {
                const std::string number = std::to_string(as);
                const int due = static_cast<int>(uniformFraction(sim) * 90 + 1);
                appendLine(text, "    ");
                appendLine(text, "Routing Protocol is 'igrp " + number + "'");
                appendLine(text, "  Sending updates every 90 seconds, next due in " +
                                     std::to_string(due) + " seconds");
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
                for (const asNetworkAssociation& n : r.igrpNetworks) {
                    if (n.igrpAsNumber == as)
                        appendLine(text, "    " + n.networkAddress);
                }
                appendLine(text, "  Routing Information Sources:");
                appendLine(text, "    Gateway         Distance      Last Update");
                // IGRP's administrative distance is 100 (RIP's 120).
                appendLine(text, "  Distance: (default is 100)");
            }
        }
    }
    printPaged(sim, text);
}

} // namespace kestro
