// CDP, host-table and access-list displays.
#include "Simulator.h"
#include "console/Console.h"
#include "status/Displays.h"
#include "status/Topology.h"

#include <algorithm>
#include <string>
#include <vector>

namespace kestro {

namespace {

constexpr const char* cdpNotEnabled = "% CDP is not enabled";

// A router the live router hears CDP from.
struct Neighbour {
    std::string deviceId;
    std::string address; // of its interface on the link; may be empty
    Interface localPort = Interface::serial0;
    Interface remotePort = Interface::serial1;
    int holdtime = 0;
};

const char* const longNames[] = {"Serial0", "Serial1", "Ethernet0"};
const char* const shortNames[] = {"Ser 0", "Ser 1", "Eth 0"};

const char* longName(Interface which) {
    return longNames[static_cast<std::size_t>(which)];
}
const char* shortName(Interface which) {
    return shortNames[static_cast<std::size_t>(which)];
}

// What is left of an advertised hold time when the table is read: about half
// a sending interval has passed since the last advertisement.
int remainingHoldtime(int holdtime, int timer) {
    return holdtime - std::min(timer, holdtime) / 2;
}

// The lab neighbour is a router of the same model that is not simulated: it
// answers with default timers once Serial0 carries the link. In the
// two-router network each router hears the other when the link is up at both
// ends and CDP runs on both.
std::vector<Neighbour> cdpNeighbours(Simulator& sim) {
    const routerState& r = sim.liveRouter;
    switch (sim.topology.kind) {
    case TopologyKind::singleRouter:
        if (r.serial0.cdpEnable && interfaceEnabled(sim, Interface::serial0))
            return {{"RouterB", sim.topology.neighbourSerialAddress, Interface::serial0,
                     Interface::serial1, remainingHoldtime(180, 60)}};
        return {};
    case TopologyKind::twoRouters: {
        using namespace twoRouterTopology;
        const Interface port = linkPort(sim);
        const routerState& peer = peerStore(sim);
        const interfaceConfig& far = peerLinkInterface(sim);
        if (!linkInterface(sim).cdpEnable || !interfaceIsUp(sim, port) || !peer.cdpRun ||
            !far.cdpEnable)
            return {};
        const bool peerIsB = sim.activeRouter == RouterId::a;
        const std::string name = peer.hostname.empty()
                                     ? std::string(routerName(peerIsB ? RouterId::b : RouterId::a))
                                     : peer.hostname;
        return {{name, far.ipAddress, port,
                 port == Interface::serial0 ? Interface::serial1 : Interface::serial0,
                 remainingHoldtime(peer.cdpHoldtime, peer.cdpTimer)}};
    }
    default:
        return {};
    }
}

// Pads `text` with blanks to `width`; a longer text keeps one blank after it.
std::string column(const std::string& text, std::size_t width) {
    return text.size() < width ? text + std::string(width - text.size(), ' ') : text + " ";
}

// The first lines of the version screen: what a neighbour advertises as its
// software version.
std::string versionLines(Simulator& sim) {
    ContentStore* content = sim.content();
    if (content == nullptr)
        return {};
    const std::optional<std::string> screen = content->cmdInfo("show_version", "show_cdp_detail");
    if (!screen)
        return {};
    std::string lines;
    std::size_t at = 0;
    while (at < screen->size()) {
        std::size_t end = screen->find("\r\n", at);
        if (end == std::string::npos)
            end = screen->size();
        const std::string line = screen->substr(at, end - at);
        if (line.starts_with("Image") || line.find_first_not_of(' ') == std::string::npos)
            break;
        lines += line + "\r\n";
        at = end + 2;
    }
    return lines;
}

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
    if (sim.topology.kind != TopologyKind::singleRouter &&
        sim.topology.kind != TopologyKind::twoRouters)
        return;
    printLine(sim, "Capability Codes: R - Router, T - Trans Bridge, B - Source Route Bridge");
    printLine(sim, "                  S - Switch, H - Host, I - IGMP, r - Repeater");
    printLine(sim, " ");
    printLine(sim, "Device ID        Local Intrfce     Holdtme    Capability  Platform  Port ID");
    // Device ID at 0, local interface at 17, hold time ending under the
    // heading's "m" (column 38), capability at 49, platform at 58, port at 68.
    for (const Neighbour& n : cdpNeighbours(sim)) {
        const std::string hold = std::to_string(n.holdtime);
        printLine(sim, column(n.deviceId, 17) + column(shortName(n.localPort), 18) +
                           std::string(hold.size() < 3 ? 3 - hold.size() + 1 : 1, ' ') + hold +
                           std::string(10, ' ') + "R        KR1600    " + shortName(n.remotePort));
    }
}

void showCdpNeighborsDetail(Simulator& sim) {
    if (!sim.liveRouter.cdpRun) {
        printLine(sim, cdpNotEnabled);
        return;
    }
    std::string text;
    for (const Neighbour& n : cdpNeighbours(sim)) {
        text += "-------------------------\r\n";
        text += "Device ID: " + n.deviceId + "\r\n";
        text += "Entry address(es): \r\n";
        if (!n.address.empty())
            text += "  IP address: " + n.address + "\r\n";
        text += "Platform: KR1600,  Capabilities: Router \r\n";
        text += std::string("Interface: ") + longName(n.localPort) +
                ",  Port ID (outgoing port): " + longName(n.remotePort) + "\r\n";
        text += "Holdtime : " + std::to_string(n.holdtime) + " sec\r\n";
        // Paged output drops empty lines: the gaps hold one blank.
        text += " \r\nVersion :\r\n" + versionLines(sim) + " \r\n";
    }
    if (!text.empty())
        printPaged(sim, text);
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
