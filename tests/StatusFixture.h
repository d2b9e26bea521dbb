// Networks for the status-display and ping tests: the lab topology with its
// fixed neighbour, and two routers joined by a serial link, each with an
// Ethernet LAN.
#pragma once

#include "ConsoleFixture.h"
#include "status/Displays.h"
#include "status/Topology.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestro::testing {

// Every field of a router record, the console dialogue fields included.
inline bool sameRouter(const routerState& a, const routerState& b) {
    return a == b;
}

// The text with the figure that follows each `lead` replaced by "#", after
// checking that it is a plain number in low..high. The figures are added to
// `figures` when given.
inline std::string figuresMasked(std::string text, std::string_view lead, int low, int high,
                                 std::vector<int>* figures = nullptr) {
    for (std::size_t at = text.find(lead); at != std::string::npos; at = text.find(lead, at + 1)) {
        const std::size_t start = at + lead.size();
        std::size_t end = start;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9')
            ++end;
        if (end == start || (text[start] == '0' && end - start > 1)) {
            ADD_FAILURE() << "no plain figure after '" << lead << "' in: " << text;
            continue;
        }
        const int value = std::stoi(text.substr(start, end - start));
        EXPECT_TRUE(value >= low && value <= high) << lead << value;
        if (figures != nullptr)
            figures->push_back(value);
        text.replace(start, end - start, "#");
    }
    return text;
}

inline void addressed(interfaceConfig& iface, const std::string& address,
                      const std::string& mask = "255.255.255.0") {
    iface.ipAddress = address;
    iface.subnetMask = mask;
}

inline void openInterface(interfaceConfig& iface, const std::string& address,
                          const std::string& mask = "255.255.255.0") {
    addressed(iface, address, mask);
    iface.shutdown = false;
}

inline accessListInfo aclEntry(int number, int type, const std::string& address = "",
                               const std::string& wildcard = "0.0.0.0") {
    return accessListInfo{type, address, wildcard, number};
}

// Own LAN 192.168.1.0/24, link 192.168.2.0/24 to a neighbour at .2 whose LAN
// is 192.168.3.0/24.
class LabNetworkTest : public ConsoleTest {
protected:
    explicit LabNetworkTest(bool withContent = false) : ConsoleTest(withContent) {
        sim.topology.kind = TopologyKind::singleRouter;
        sim.topology.lanAHost1 = "192.168.1.10";
        sim.topology.lanAHost2 = "192.168.1.11";
        sim.topology.lanANetwork = "192.168.1.0";
        sim.topology.lanBHost1 = "192.168.3.10";
        sim.topology.lanBHost2 = "192.168.3.11";
        sim.topology.neighbourSerialAddress = "192.168.2.2";
        sim.topology.neighbourLanAddress = "192.168.3.1";
        sim.topology.neighbourLanMask = "255.255.255.0";
        sim.topology.linkNetwork = "192.168.2.0";
    }

    void openLan() { openInterface(router().ethernet0, "192.168.1.1"); }
    void openLink() {
        openInterface(router().serial0, "192.168.2.1");
        router().serial0.clockRate = 64000;
    }
    void runRip(std::initializer_list<const char*> networks) {
        router().ripConfigured = true;
        for (const char* n : networks)
            router().ripNetworks.push_back(n);
    }
};

// RouterA (live) and RouterB (parked): LANs 192.168.1.0/24 and
// 192.168.3.0/24, link 192.168.2.0/24 from RouterA's Serial0 (.1, clocking)
// to RouterB's Serial1 (.2). Both start unconfigured.
class TwoRouterTest : public ConsoleTest {
protected:
    explicit TwoRouterTest(bool withContent = false) : ConsoleTest(withContent) {
        sim.topology.kind = TopologyKind::twoRouters;
        sim.activeRouter = RouterId::a;
        sim.topology.lanAHost1 = "192.168.1.10";
        sim.topology.lanAHost2 = "192.168.1.11";
        sim.topology.lanANetwork = "192.168.1.0";
        sim.topology.lanBHost1 = "192.168.3.10";
        sim.topology.lanBHost2 = "192.168.3.11";
        sim.topology.lanBNetwork = "192.168.3.0";
        routerB().hostname = "routerb";
        // RouterA's own store holds an old parked copy while it is live.
        sim.routerAStore.hostname = "routera-old";
        sim.routerAStore.consoleText = "parked earlier";
    }

    routerState& routerB() { return sim.routerBStore; }

    void openLinkOnA() {
        openInterface(router().serial0, "192.168.2.1");
        router().serial0.clockRate = 64000;
    }
    void openLinkOnB() { openInterface(routerB().serial1, "192.168.2.2"); }
    void ripOnA() {
        router().ripConfigured = true;
        router().ripNetworks = {"192.168.1.0", "192.168.2.0"};
        openInterface(router().ethernet0, "192.168.1.1");
    }
    void ripOnB() {
        routerB().ripConfigured = true;
        routerB().ripNetworks = {"192.168.2.0", "192.168.3.0"};
        openInterface(routerB().ethernet0, "192.168.3.1");
    }
    void fullyConfigured() {
        openLinkOnA();
        openLinkOnB();
        ripOnA();
        ripOnB();
    }
};

} // namespace kestro::testing
