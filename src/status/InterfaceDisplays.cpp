// The per-interface reports of "show interfaces" and "show ip interface".
#include "Simulator.h"
#include "console/Console.h"
#include "records/AddressUtils.h"
#include "status/Displays.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <optional>
#include <vector>

namespace kestro {

namespace {

bool isSerial(Interface which) {
    return which != Interface::ethernet0;
}

std::string prefixOf(const interfaceConfig& iface) {
    return iface.ipAddress + "/" + std::to_string(maskBitCount(iface.subnetMask));
}

// One invented burned-in address per router, so the two routers of an
// exercise differ.
std::string ethernetHardwareLine(const Simulator& sim) {
    const char* address = sim.activeRouter == RouterId::a ? "0000.0c4a.7e21" : "0000.0c4a.7e35";
    return std::string("  Hardware is Lance, address is ") + address + " (bia " + address + ")";
}

std::string accessListText(int number) {
    return number == 0 ? std::string("not set") : std::to_string(number);
}

} // namespace

std::string interfaceReport(Simulator& sim, Interface which) {
    const interfaceConfig& iface = sim.liveRouter.interfaceAt(which);

    // A line that fails is logged and left out; the report goes on.
    std::vector<std::string> lines;
    auto line = [&](const std::function<std::string()>& build) {
        try {
            lines.push_back(build());
        } catch (const std::exception& e) {
            sim.logError("process_show_interface", e.what());
        }
    };

    line([&] { return interfaceStatusLine(sim, which) + lineProtocolSuffix(sim, which); });
    const auto hardware = [&] {
        return isSerial(which) ? std::string("  Hardware is HD64570") : ethernetHardwareLine(sim);
    };
    line(hardware);
    if (!iface.description.empty())
        line([&] { return "  Description: " + iface.description; });
    line([&] {
        return "  MTU 1500 bytes, BW " + std::to_string(iface.bandwidth) + " Kbit, DLY " +
               (isSerial(which) ? "20000" : "1000") + " usec, rely 255/255, load 1/255";
    });
    line([&] {
        return std::string(isSerial(which) ? "  Encapsulation HDLC" : "  Encapsulation ARPA") +
               ", loopback not set, keepalive set (" + std::to_string(iface.keepalive) + " sec)";
    });
    line(hardware);
    if (!iface.ipAddress.empty())
        line([&] { return "  Internet address is " + prefixOf(iface); });

    // The counters come from the content store, the same for every interface;
    // without them there is no report at all.
    ContentStore* content = sim.content();
    if (content == nullptr)
        return {};
    const std::optional<std::string> counters =
        content->cmdInfo("show_interface", "process_show_interface");
    if (!counters)
        return {};

    std::string report;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            report += "\r\n";
        report += lines[i];
    }
    report += "\r\n" + *counters + "\r\n";
    return report;
}

std::string ipInterfaceReport(const Simulator& sim, Interface which) {
    const interfaceConfig& iface = sim.liveRouter.interfaceAt(which);
    std::string text = "\r\n" + interfaceStatusLine(sim, which) + lineProtocolSuffix(sim, which);
    auto add = [&text](const std::string& line) { text += "\r\n" + line; };
    if (iface.ipAddress.empty()) {
        add("  Internet protocol processing disabled");
        return text;
    }
    add("  Internet address is " + prefixOf(iface));
    add("  Broadcast address is 255.255.255.255");
    add("  Address determined by setup command");
    add("  MTU is 1500 bytes");
    add("  Helper address is not set");
    add("  Directed broadcast forwarding is disabled");
    add("  Outgoing access list is " + accessListText(iface.accessGroupOut));
    add("  Inbound  access list is " + accessListText(iface.accessGroupIn));
    add("  Proxy ARP is enabled");
    add("  Security level is default");
    add("  Split horizon is enabled");
    add("  ICMP redirects are always sent");
    add("  ICMP unreachables are always sent");
    add("  ICMP mask replies are never sent");
    add("  IP fast switching is enabled");
    add("  IP fast switching on the same interface is disabled");
    add("  IP Feature Fast switching turbo vector");
    add("  IP multicast fast switching is enabled");
    add("  IP multicast distributed fast switching is disabled");
    add("  IP route-cache flags are Fast");
    add("  Router Discovery is disabled");
    add("  IP output packet accounting is disabled");
    add("  IP access violation accounting is disabled");
    add("  TCP/IP header compression is disabled");
    add("  RTP/IP header compression is disabled");
    add("  Probe proxy name replies are disabled");
    add("  Policy routing is disabled");
    add("  Network address translation is disabled");
    add("  Web Cache Redirect is disabled");
    add("  BGP Policy Mapping is disabled");
    return text;
}

void showInterfaces(Simulator& sim, std::optional<Interface> which) {
    if (which) {
        printPaged(sim, interfaceReport(sim, *which));
        return;
    }
    std::string text;
    for (Interface each : allInterfaces)
        text += interfaceReport(sim, each);
    printPaged(sim, text);
}

void showIpInterface(Simulator& sim, std::optional<Interface> which) {
    if (which) {
        printPaged(sim, ipInterfaceReport(sim, *which));
        return;
    }
    std::string text;
    for (Interface each : {Interface::ethernet0, Interface::serial0, Interface::serial1})
        text += ipInterfaceReport(sim, each);
    printPaged(sim, text);
}

// The real router's columns: interface 0, address 23, OK? 39, method 43,
// status 50, protocol 72.
void showIpInterfaceBrief(Simulator& sim) {
    const auto padded = [](std::string text, std::size_t width) {
        text.resize(std::max(width, text.size() + 1), ' ');
        return text;
    };
    std::string text =
        "\r\nInterface              IP-Address      OK? Method Status                Protocol";
    static const char* const names[] = {"Serial0", "Serial1", "Ethernet0"};
    for (Interface each : {Interface::ethernet0, Interface::serial0, Interface::serial1}) {
        const interfaceConfig& iface = sim.liveRouter.interfaceAt(each);
        const bool addressed = !iface.ipAddress.empty();
        const InterfaceState state = interfaceState(sim, each);
        text += "\r\n" + padded(names[static_cast<std::size_t>(each)], 23) +
                padded(addressed ? iface.ipAddress : "unassigned", 16) + "YES " +
                padded(addressed ? "manual" : "unset", 7) +
                padded(lineStatusText(state.status), 22) + (state.protocolUp ? "up" : "down");
    }
    printPaged(sim, text);
}

} // namespace kestro
