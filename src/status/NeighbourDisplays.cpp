// CDP, host-table and access-list displays.
#include "Simulator.h"
#include "console/Console.h"
#include "status/Displays.h"

#include <algorithm>
#include <string>
#include <vector>

namespace kestro {

namespace {

constexpr const char* cdpNotEnabled = "% CDP is not enabled";

// The neighbour of the lab topology is a router of the same model; the row is
// fixed because that neighbour is not simulated.
constexpr const char* labNeighbourRow =
    "RouterB          Ser   0           150         R          KR1600    Ser  1";

void cdpBlock(Simulator& sim, Interface which) {
    const routerState& r = sim.liveRouter;
    if (!r.interfaceAt(which).cdpEnable)
        return;
    printLine(sim, interfaceStatusLine(sim, which) + lineProtocolSuffix(sim, which));
    printLine(sim, which == Interface::ethernet0 ? "  Encapsulation ARPA" : "  Encapsulation HDLC");
    printLine(sim, "  Sending CDP packets every " + std::to_string(r.cdpTimer) + " seconds");
    printLine(sim, "  Holdtime is " + std::to_string(r.cdpHoldtime) + " seconds");
}

// Host column: padded to 24; a longer name is kept apart by one blank.
std::string hostColumn(const std::string& name) {
    if (name.size() < 24)
        return name + std::string(24 - name.size(), ' ');
    if (name.size() == 24)
        return name;
    return name + " ";
}

} // namespace

void showCdpGlobal(Simulator& sim) {
    const routerState& r = sim.liveRouter;
    if (!r.cdpRun) {
        printLine(sim, cdpNotEnabled);
        return;
    }
    printLine(sim, "Global CDP information:");
    printLine(sim, "        Sending CDP packets every " + std::to_string(r.cdpTimer) + " seconds");
    printLine(sim,
              "        Sending a holdtime value of " + std::to_string(r.cdpHoldtime) + " seconds");
}

void showCdpInterface(Simulator& sim, std::optional<Interface> which) {
    if (!sim.liveRouter.cdpRun) {
        printLine(sim, cdpNotEnabled);
        return;
    }
    if (which) {
        cdpBlock(sim, *which);
        return;
    }
    for (Interface each : allInterfaces)
        cdpBlock(sim, each);
}

void showCdpNeighbors(Simulator& sim) {
    if (!sim.liveRouter.cdpRun) {
        printLine(sim, cdpNotEnabled);
        return;
    }
    if (sim.topology.kind != TopologyKind::singleRouter)
        return;
    printLine(sim, "Capability Codes: R - Router, T - Trans Bridge, B - Source Route Bridge");
    printLine(sim, "                  S - Switch, H - Host, I - IGMP, r - Repeater");
    printLine(sim, " ");
    printLine(sim, "Device ID        Local Intrfce     Holdtme    Capability  Platform  Port ID");
    // The neighbour shows as soon as Serial0 is administratively up; its
    // line protocol does not matter.
    if (interfaceStatusLine(sim, Interface::serial0).find("up") != std::string::npos)
        printLine(sim, labNeighbourRow);
}

void showHosts(Simulator& sim) {
    const routerState& r = sim.liveRouter;
    std::string text;
    auto add = [&text](const std::string& line) { text += line + "\r\n"; };

    add(r.domainName.empty() ? std::string("Default domain is not set")
                             : "Default domain is " + r.domainName);
    if (r.domainLookup) {
        add("Name/address lookup uses domain service ");
        std::string servers;
        if (r.nameServers.empty()) {
            servers = " 255.255.255.255";
        } else {
            for (std::size_t i = 0; i < r.nameServers.size(); ++i)
                servers += (i > 0 ? ", " : "") + r.nameServers[i];
        }
        add("Name servers are " + servers);
    } else {
        add("Name/address lookup uses static mappings");
    }
    add("");
    add("Host                     Flags      Age Type   Address(es)");

    std::vector<std::string> names;
    for (const hostIpAssociation& h : r.hosts) {
        if (std::find(names.begin(), names.end(), h.hostName) == names.end())
            names.push_back(h.hostName);
    }
    for (const std::string& name : names) {
        std::string addresses;
        for (const hostIpAssociation& h : r.hosts) {
            if (h.hostName != name)
                continue;
            if (!addresses.empty())
                addresses += "  ";
            addresses += h.ipAddress;
        }
        add(hostColumn(name) + " (perm, OK) 67   IP    " + addresses);
    }
    printPaged(sim, text);
}

void showAccessLists(Simulator& sim) {
    const std::vector<accessListInfo>& entries = sim.liveRouter.accessLists;

    // Collected from the newest entry back, then reversed: a list goes where
    // its most recent entry stands.
    std::vector<int> order;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (std::find(order.begin(), order.end(), it->number) == order.end())
            order.push_back(it->number);
    }
    std::reverse(order.begin(), order.end());

    std::string text;
    auto add = [&text](const std::string& line) { text += "\r\n" + line; };
    for (int number : order) {
        add("Standard IP access list " + std::to_string(number));
        for (const accessListInfo& e : entries) {
            if (e.number != number)
                continue;
            switch (e.typeOfList) {
            case permitAny:
                add("    permit any");
                break;
            case denyAny:
                add("    deny   any");
                break;
            case permitHost:
                add("    permit " + e.ipAddress);
                break;
            case denyHost:
                add("    deny   " + e.ipAddress);
                break;
            case permitWildcard:
                add("    permit " + e.ipAddress + ", wildcard bits " + e.wildCard);
                break;
            case denyWildcard:
                add("    deny   " + e.ipAddress + ", wildcard bits " + e.wildCard);
                break;
            default:
                break;
            }
        }
    }
    printPaged(sim, text);
}

} // namespace kestro
