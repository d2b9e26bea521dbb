// ping: no packet is sent; the topology's reachability rules decide whether
// the target would answer, and the output is paced like a real echo run.
#include "Simulator.h"
#include "console/Console.h"
#include "console/LineHelpers.h"
#include "console/Pauses.h"
#include "records/AddressUtils.h"
#include "status/Displays.h"
#include "status/Status.h"
#include "status/Topology.h"

#include <vector>

namespace kestro {

bool listDeniesAddress(const routerState& router, int listNumber, std::string_view address) {
    if (router.accessLists.empty() || listNumber == 0)
        return false;
    for (const accessListInfo& e : router.accessLists) {
        if (e.number != listNumber)
            continue;
        switch (e.typeOfList) {
        case permitAny:
            return false;
        case denyAny:
            return true;
        case permitHost:
            if (address == e.ipAddress)
                return false;
            break;
        case denyHost:
            if (address == e.ipAddress)
                return true;
            break;
        case permitWildcard:
            if (matchesUnderWildcard(address, e.ipAddress, e.wildCard))
                return false;
            break;
        case denyWildcard:
            if (matchesUnderWildcard(address, e.ipAddress, e.wildCard))
                return true;
            break;
        default:
            break;
        }
    }
    // Every list ends in an implicit deny.
    return true;
}

namespace {

// Rule 1 of both kinds: the router's own Ethernet LAN.
bool ownLanReachable(Simulator& sim, const std::string& target, const std::string& host1,
                     const std::string& host2, const std::string& network) {
    const interfaceConfig& lan = sim.liveRouter.ethernet0;
    if (target != host1 && target != host2 && target != lan.ipAddress)
        return false;
    if (!interfaceIsUp(sim, Interface::ethernet0) || lan.ipAddress.empty())
        return false;
    if (target == lan.ipAddress)
        return true;
    return interfaceInNetwork(lan, network) &&
           !listDeniesAddress(sim.liveRouter, lan.accessGroupOut, target);
}

} // namespace

bool labTopology::reachable(Simulator& sim, const std::string& target) {
    const routerState& r = sim.liveRouter;
    bool result = false;
    const bool ownLanTarget = target == sim.topology.lanAHost1 ||
                              target == sim.topology.lanAHost2 || target == r.ethernet0.ipAddress;
    if (ownLanTarget)
        result = ownLanReachable(sim, target, sim.topology.lanAHost1, sim.topology.lanAHost2,
                                 sim.topology.lanANetwork);

    const interfaceConfig& link = r.serial0;
    const bool acrossLink = target == link.ipAddress ||
                            target == sim.topology.neighbourSerialAddress ||
                            target == sim.topology.neighbourLanAddress ||
                            target == sim.topology.lanBHost1 || target == sim.topology.lanBHost2;
    if (acrossLink && interfaceIsUp(sim, Interface::serial0) && !link.ipAddress.empty()) {
        if (target == link.ipAddress) {
            result = true;
        } else {
            const std::string network = networkOf(link.ipAddress, link.subnetMask);
            if (inRipNetworks(r, network) && network == sim.topology.linkNetwork) {
                result = !listDeniesAddress(r, link.accessGroupOut, target);
                // Only the neighbour's own serial address answers without a
                // routing process; everything behind it needs RIP.
                if (target != sim.topology.neighbourSerialAddress && !r.ripConfigured)
                    result = false;
            }
        }
    }
    return result;
}

bool twoRouterTopology::reachable(Simulator& sim, const std::string& target) {
    const bool routerA = sim.activeRouter == RouterId::a;
    const std::string& ownHost1 = routerA ? sim.topology.lanAHost1 : sim.topology.lanBHost1;
    const std::string& ownHost2 = routerA ? sim.topology.lanAHost2 : sim.topology.lanBHost2;
    const std::string& ownNetwork = routerA ? sim.topology.lanANetwork : sim.topology.lanBNetwork;
    const std::string& peerHost1 = routerA ? sim.topology.lanBHost1 : sim.topology.lanAHost1;
    const std::string& peerHost2 = routerA ? sim.topology.lanBHost2 : sim.topology.lanAHost2;
    const routerState& live = sim.liveRouter;

    // Rule 1: own LAN.
    if (ownLanReachable(sim, target, ownHost1, ownHost2, ownNetwork))
        return true;

    // Rule 2: own serial addresses, whatever the line protocol.
    for (Interface serial : {Interface::serial0, Interface::serial1}) {
        const interfaceConfig& s = live.interfaceAt(serial);
        if (!s.ipAddress.empty() && target == s.ipAddress && interfaceEnabled(sim, serial))
            return true;
    }

    // Rule 3: the far end of the link, filtered by its own inbound list.
    const interfaceConfig& farEnd = peerLinkInterface(sim);
    if (!farEnd.ipAddress.empty() && target == farEnd.ipAddress && linkConnected(sim)) {
        const int inbound = farEnd.accessGroupIn;
        if (!withPeerLive(
                sim, [&](const routerState& y) { return listDeniesAddress(y, inbound, target); }))
            return true;
    }

    const int linkOut = linkInterface(sim).accessGroupOut;

    // Rule 4: the other router's Ethernet interface.
    const std::string peerLanAddress = peerStore(sim).ethernet0.ipAddress;
    if (!peerLanAddress.empty() && target == peerLanAddress && remoteLanLearned(sim) &&
        ripAdjacency(sim) && !listDeniesAddress(sim.liveRouter, linkOut, target))
        return true;

    // Rule 5: hosts on the other router's LAN, also filtered on the way out
    // of that router's Ethernet.
    if ((target == peerHost1 || target == peerHost2) && remoteLanLearned(sim) &&
        ripAdjacency(sim) && peerLanAsExpected(sim) &&
        !listDeniesAddress(sim.liveRouter, linkOut, target)) {
        const bool deniedThere = withPeerLive(sim, [&](const routerState& y) {
            return listDeniesAddress(y, y.ethernet0.accessGroupOut, target);
        });
        if (!deniedThere)
            return true;
    }
    return false;
}

bool pingTarget(Simulator& sim, const std::string& address, bool silent) {
    bool reachable = false;
    if (!silent)
        sim.facts.pending.succeeded = false;
    switch (sim.topology.kind) {
    case TopologyKind::singleRouter:
        reachable = labTopology::reachable(sim, address);
        break;
    case TopologyKind::twoRouters:
        reachable = twoRouterTopology::reachable(sim, address);
        break;
    default:
        return false;
    }
    if (!silent) {
        sim.facts.pending.succeeded = reachable;
        printPingResult(sim, address, reachable);
    }
    return reachable;
}

namespace {

// Keeps typed keys away from the router while the dots are paced, and gives
// the console back even when the run stops early.
class InputHeld {
public:
    explicit InputHeld(Simulator& sim) : sim_(sim) {}
    ~InputHeld() {
        // A cancelled command leaves the console as whoever cancelled it set it.
        if (sim_.cancelled())
            return;
        sim_.input.enabled = true;
        resetInputLine(sim_);
    }
    InputHeld(const InputHeld&) = delete;
    InputHeld& operator=(const InputHeld&) = delete;

    void clearLine() {
        sim_.input.text.clear();
        sim_.input.caret = 0;
        sim_.input.enabled = false;
        sim_.io().inputChanged(sim_.input);
        sim_.io().repaint();
    }

private:
    Simulator& sim_;
};

} // namespace

void printPingResult(Simulator& sim, const std::string& target, bool reachable) {
    int least = 0, average = 0, most = 0;
    if (reachable) {
        least = static_cast<int>(uniformFraction(sim) * 5 + 20);
        average = static_cast<int>(uniformFraction(sim) * 5 + 25);
        most = static_cast<int>(uniformFraction(sim) * 5 + 30);
    }

    printPaged(sim, "\r\nType escape sequence to abort.\r\nSending 5, 100-byte ICMP Echos to " +
                        target + ", timeout is 2 seconds:");
    if (sim.cancelled())
        return;
    // An answered echo prints "!", a time-out ".".
    const char* mark = reachable ? "!" : ".";
    {
        InputHeld held(sim);
        printLine(sim, mark);
        held.clearLine();
        if (!sim.wait(pauses::pingEcho))
            return;
        for (int i = 0; i < 4; ++i) {
            sim.io().repaint();
            printLine(sim, mark, false, true);
            if (!sim.wait(pauses::pingEcho))
                return;
        }
    }

    if (reachable)
        printLine(sim, "Success rate is 100 percent (5/5), round-trip min/avg/max = " +
                           std::to_string(least) + "/" + std::to_string(average) + "/" +
                           std::to_string(most) + " ms");
    else
        printLine(sim, "Success rate is 0 percent (0/5)");
}

namespace {

// Names are not resolved: ping takes addresses only.
void pingCommand(const CommandContext& c) {
    pingTarget(c.sim, c.words[1], false);
}

} // namespace

ModeHandler pingIn(Mode mode) {
    return {mode, pingCommand, {{{"ping A.B.C.D"}}}};
}

} // namespace kestro
