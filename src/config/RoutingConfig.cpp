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

// The classful network a line of the given template names, or empty after
// printing the message for a line that does not fit it.
std::string networkOfLine(Simulator& sim, const std::string& line, std::string_view pattern) {
    const int result = matchPattern(sim, line, pattern);
    if (result == patternMatch) {
        const std::string address = splitWords(normaliseLine(sim, line)).back();
        if (isValidIpAddress(address))
            return classfulNetwork(address);
    }
    if (result == patternIncomplete)
        printIncompleteCommand(sim);
    else
        printInvalidInput(sim);
    return {};
}

} // namespace

void processNetworkRip(Simulator& sim, const std::string& line) {
    const std::string network = networkOfLine(sim, line, "network variable");
    if (network.empty())
        return;
    std::vector<std::string>& networks = sim.liveRouter.ripNetworks;
    const bool known = std::any_of(networks.begin(), networks.end(), [&](const std::string& n) {
        return trimBlanks(n) == trimBlanks(network);
    });
    if (!known)
        networks.push_back(network);
}

void processNetworkIgrp(Simulator& sim, const std::string& line) {
    const std::string network = networkOfLine(sim, line, "network variable");
    if (network.empty())
        return;
    routerState& r = sim.liveRouter;
    // One list serves every IGRP section; the same network may stand under
    // several autonomous systems, but only once under each.
    const asNetworkAssociation entry{r.igrpAs, network};
    if (std::find(r.igrpNetworks.begin(), r.igrpNetworks.end(), entry) == r.igrpNetworks.end())
        r.igrpNetworks.push_back(entry);
}

void processNoRouterRip(Simulator& sim, const std::string& line) {
    const std::string network = networkOfLine(sim, line, "no network variable");
    if (network.empty())
        return;
    std::erase(sim.liveRouter.ripNetworks, network);
}

void processNoRouterIgrp(Simulator& sim, const std::string& line) {
    const std::string network = networkOfLine(sim, line, "no network variable");
    if (network.empty())
        return;
    // Removed from every section, not only the one being configured;
    // igrpConfigured is left as it is.
    std::erase_if(sim.liveRouter.igrpNetworks,
                  [&](const asNetworkAssociation& n) { return n.networkAddress == network; });
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
