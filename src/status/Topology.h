// The two fixed networks a simulated router can sit in. The single-router
// (lab) topology: one simulated router whose Serial0 faces a fixed neighbour
// given by the activity's values. The two-router topology: RouterA's Serial0
// (the clocking end) joined to RouterB's Serial1, the other router read from
// its store. Each kind is a group of routines with the same roles; callers
// choose the group by `topology.kind`.
#pragma once

#include "Simulator.h"
#include "status/Displays.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace kestro {

// A uniform figure in [0, 1) from the simulator's one generator.
double uniformFraction(Simulator& sim);

// The interface has an address and that address lies in `network`. An
// interface without an address lies in no network.
bool interfaceInNetwork(const interfaceConfig& iface, std::string_view network);
// Both interfaces have addresses in the same network.
bool interfacesShareNetwork(const interfaceConfig& a, const interfaceConfig& b);
// `network` equals one of the router's RIP network entries, blanks trimmed.
bool inRipNetworks(const routerState& router, std::string_view network);

// What the rules of a topology hold about one interface: `statusUp` is the
// interface being enabled at its end (not shut down, and clocked where it is
// the clocking end of a link); `protocolUp` adds what the link needs. Routes,
// ping and the CDP neighbour go by these, not by the displayed texts.
struct InterfaceRules {
    bool statusUp = false;
    bool protocolUp = false;
};

namespace labTopology {

InterfaceRules rules(const Simulator& sim, Interface which);
// As a real router shows it: Serial0 faces the neighbour, Serial1 nothing.
InterfaceState shown(const Simulator& sim, Interface which);
// The one route the neighbour's LAN can be learned by, when it is.
std::optional<std::string> ripRoute(Simulator& sim);
bool reachable(Simulator& sim, const std::string& target);

} // namespace labTopology

namespace twoRouterTopology {

InterfaceRules rules(const Simulator& sim, Interface which);
// The link's state is read from both of its ends.
InterfaceState shown(const Simulator& sim, Interface which);
std::optional<std::string> ripRoute(Simulator& sim);
bool reachable(Simulator& sim, const std::string& target);

// The other router's parked record (RouterB's while RouterA is live).
const routerState& peerStore(const Simulator& sim);
// The live router's link interface (L) and its port: Serial0 on RouterA,
// Serial1 on RouterB.
Interface linkPort(const Simulator& sim);
const interfaceConfig& linkInterface(const Simulator& sim);
// The other router's end of the link (M), from its store.
const interfaceConfig& peerLinkInterface(const Simulator& sim);
// The network the other router's LAN must have.
const std::string& peerExpectedLan(const Simulator& sim);

// The live end of the link is up and addressed in the same network as the
// far end.
bool linkConnected(Simulator& sim);
// Both routers run RIP for the link network and the live router routes IP.
bool ripAdjacency(Simulator& sim);
// The other router advertises its addressed, open LAN over that adjacency.
bool remoteLanLearned(Simulator& sim);
// The other router's LAN has the network the activity expects.
bool peerLanAsExpected(Simulator& sim);

// While alive, the other router is the live router: the live one is parked
// in its store and the other's store copied into liveRouter. On leaving,
// liveRouter and the live router's store are put back exactly as they were
// (even when the evaluation throws), so an evaluation changes no router.
class PeerMadeLive {
public:
    explicit PeerMadeLive(Simulator& sim);
    ~PeerMadeLive();
    PeerMadeLive(const PeerMadeLive&) = delete;
    PeerMadeLive& operator=(const PeerMadeLive&) = delete;

    const routerState& peer() const { return sim_.liveRouter; }

private:
    Simulator& sim_;
    routerState& ownStore_;
    routerState heldStore_; // the own store's previous content
};

// Runs evaluate(peer) with the other router made live for the moment.
template <class F> auto withPeerLive(Simulator& sim, F&& evaluate) {
    PeerMadeLive live(sim);
    return std::forward<F>(evaluate)(live.peer());
}

} // namespace twoRouterTopology

} // namespace kestro
