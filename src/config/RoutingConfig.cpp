// The network statements of the two routing modes, their no forms, and the
// global no forms of the routing protocols. A network statement always stores
// the classful network of the typed address.
#include "config/RoutingConfig.h"

#include "Simulator.h"
#include "config/ConfigCommands.h"
#include "console/LineHelpers.h"
#include "records/AddressUtils.h"
#include "records/Text.h"

#include <algorithm>
#include <vector>

namespace kestro {

namespace {

void networkRip(const CommandContext& c) {
    const std::string network = classfulNetwork(c.words.back());
    std::vector<std::string>& networks = c.sim.liveRouter.ripNetworks;
    const bool known = std::any_of(networks.begin(), networks.end(), [&](const std::string& n) {
        return trimBlanks(n) == trimBlanks(network);
    });
    if (!known)
        networks.push_back(network);
}

void networkIgrp(const CommandContext& c) {
    routerState& r = c.sim.liveRouter;
    // One list serves every IGRP section; the same network may stand under
    // several autonomous systems, but only once under each.
    const asNetworkAssociation entry{r.igrpAs, classfulNetwork(c.words.back())};
    if (std::find(r.igrpNetworks.begin(), r.igrpNetworks.end(), entry) == r.igrpNetworks.end())
        r.igrpNetworks.push_back(entry);
}

void noNetworkRip(const CommandContext& c) {
    std::erase(c.sim.liveRouter.ripNetworks, classfulNetwork(c.words.back()));
}

void noNetworkIgrp(const CommandContext& c) {
    const std::string network = classfulNetwork(c.words.back());
    // Removed from every section, not only the one being configured;
    // igrpConfigured is left as it is.
    std::erase_if(c.sim.liveRouter.igrpNetworks,
                  [&](const asNetworkAssociation& n) { return n.networkAddress == network; });
}

} // namespace

// A network statement always stores the classful network of the address.
std::vector<ModeHandler> networkInRouting() {
    const Syntax network = {{{"network A.B.C.D"}}};
    return {{Mode::configRouterRip, networkRip, network},
            {Mode::configRouterIgrp, networkIgrp, network}};
}

std::vector<ModeHandler> noInRouting() {
    const Syntax noNetwork = {{{"no network A.B.C.D"}}};
    return {{Mode::configRouterRip, noNetworkRip, noNetwork},
            {Mode::configRouterIgrp, noNetworkIgrp, noNetwork}};
}

void removeRouterRip(Simulator& sim) {
    sim.liveRouter.ripConfigured = false;
}

bool removeRouterIgrp(Simulator& sim, std::string_view asNumber) {
    if (!isNumberInRange(asNumber, 1, 65535))
        return false;
    routerState& r = sim.liveRouter;
    const long as = numberValue(asNumber);
    std::erase_if(r.igrpNetworks,
                  [as](const asNetworkAssociation& n) { return n.igrpAsNumber == as; });
    if (r.igrpNetworks.empty())
        r.igrpConfigured = false;
    return true;
}

void disableIpRouting(Simulator& sim) {
    routerState& r = sim.liveRouter;
    r.ipRouting = false;
    r.ripConfigured = false;
    r.igrpConfigured = false;
    r.ripNetworks.clear();
    r.igrpNetworks.clear();
}

} // namespace kestro
