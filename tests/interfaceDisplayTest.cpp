// The interface report and the IP report: line order, the optional lines,
// the counters from the content store, and how the reports are joined.
#include "StatusFixture.h"

namespace kestro::testing {
namespace {

class InterfaceDisplay : public LabNetworkTest {
protected:
    InterfaceDisplay() : LabNetworkTest(true) {}

    std::string counters() {
        EXPECT_NE(sim.content(), nullptr);
        const auto row = sim.content() ? sim.content()->cmdInfo("show_interface", "test")
                                       : std::optional<std::string>();
        EXPECT_TRUE(row.has_value());
        return row.value_or("");
    }
    std::string serialBody(const std::string& address = "") {
        return "\r\n  Hardware is HD64570"
               "\r\n  MTU 1500 bytes, BW 1544 Kbit, DLY 20000 usec, rely 255/255, load 1/255"
               "\r\n  Encapsulation HDLC, loopback not set, keepalive set (10 sec)"
               "\r\n  Hardware is HD64570" +
               (address.empty() ? "" : "\r\n  Internet address is " + address) + "\r\n" +
               counters() + "\r\n";
    }
};

TEST_F(InterfaceDisplay, LabSerial0BeforeAndAfterClockRateAndNoShutdown) {
    addressed(router().serial0, "192.168.2.1");
    EXPECT_EQ(interfaceReport(sim, Interface::serial0),
              "Serial0 is administratively down, line protocol is down" +
                  serialBody("192.168.2.1/24"));

    router().serial0.shutdown = false; // no shutdown alone does not bring the protocol up
    EXPECT_EQ(interfaceReport(sim, Interface::serial0),
              "Serial0 is up, line protocol is down" + serialBody("192.168.2.1/24"));

    router().serial0.clockRate = 64000;
    EXPECT_EQ(interfaceReport(sim, Interface::serial0),
              "Serial0 is up, line protocol is up" + serialBody("192.168.2.1/24"));
}

TEST_F(InterfaceDisplay, DescriptionSitsBetweenHardwareAndMtu) {
    router().serial1.description = "link to the branch";
    router().serial1.bandwidth = 64;
    router().serial1.keepalive = 30;
    EXPECT_EQ(interfaceReport(sim, Interface::serial1),
              "Serial1 is administratively down, line protocol is down"
              "\r\n  Hardware is HD64570"
              "\r\n  Description: link to the branch"
              "\r\n  MTU 1500 bytes, BW 64 Kbit, DLY 20000 usec, rely 255/255, load 1/255"
              "\r\n  Encapsulation HDLC, loopback not set, keepalive set (30 sec)"
              "\r\n  Hardware is HD64570\r\n" +
                  counters() + "\r\n");
}

TEST_F(InterfaceDisplay, EthernetReportsItsOwnHardwareAddressAndBandwidth) {
    openInterface(router().ethernet0, "10.1.2.3", "255.255.0.0");
    const std::string hardware =
        "\r\n  Hardware is Lance, address is 0000.0c4a.7e21 (bia 0000.0c4a.7e21)";
    EXPECT_EQ(interfaceReport(sim, Interface::ethernet0),
              "Ethernet0 is up, line protocol is up" + hardware +
                  "\r\n  MTU 1500 bytes, BW 10000 Kbit, DLY 1000 usec, rely 255/255, load 1/255"
                  "\r\n  Encapsulation ARPA, loopback not set, keepalive set (10 sec)" +
                  hardware + "\r\n  Internet address is 10.1.2.3/16\r\n" + counters() + "\r\n");
    // The other router of an exercise has an address of its own.
    sim.topology.kind = TopologyKind::twoRouters;
    sim.activeRouter = RouterId::b;
    EXPECT_NE(interfaceReport(sim, Interface::ethernet0).find("address is 0000.0c4a.7e35"),
              std::string::npos);
}

TEST_F(InterfaceDisplay, ShowInterfacesJoinsSerial0Serial1Ethernet0) {
    mark();
    showInterfaces(sim, std::nullopt);
    const std::string out = since();
    const auto s0 = out.find("Serial0 is");
    const auto s1 = out.find("Serial1 is");
    const auto e0 = out.find("Ethernet0 is");
    ASSERT_NE(e0, std::string::npos);
    EXPECT_LT(s0, s1);
    EXPECT_LT(s1, e0);
    // Each report ends with a line break, so the next starts on its own line.
    EXPECT_NE(out.find("\r\nSerial1 is administratively down"), std::string::npos);
}

using InterfaceDisplayWithoutContent = LabNetworkTest;

TEST_F(InterfaceDisplayWithoutContent, MissingCountersMeanNoReport) {
    ASSERT_EQ(sim.content(), nullptr);
    EXPECT_EQ(interfaceReport(sim, Interface::serial0), "");
    mark();
    showInterfaces(sim, std::nullopt);
    EXPECT_EQ(since(), "");
}

// --- IP report -------------------------------------------------------------------

using InterfaceDisplayIp = LabNetworkTest;

TEST_F(InterfaceDisplayIp, WithoutAddressTwoLinesAfterTheLeadingBreak) {
    EXPECT_EQ(ipInterfaceReport(sim, Interface::serial1),
              "\r\nSerial1 is administratively down, line protocol is "
              "down\r\n  Internet protocol processing disabled");
    sim.topology.kind = TopologyKind::none;
    EXPECT_EQ(ipInterfaceReport(sim, Interface::serial1),
              "\r\n\r\n  Internet protocol processing disabled");
}

TEST_F(InterfaceDisplayIp, AddressedInterfaceGivesThirtyLinesAndItsLists) {
    openLink();
    router().serial0.accessGroupIn = 5;
    const std::string out = ipInterfaceReport(sim, Interface::serial0);
    EXPECT_TRUE(out.starts_with("\r\nSerial0 is up, line protocol is up"
                                "\r\n  Internet address is 192.168.2.1/24"
                                "\r\n  Broadcast address is 255.255.255.255"
                                "\r\n  Address determined by setup command"
                                "\r\n  MTU is 1500 bytes"
                                "\r\n  Helper address is not set"
                                "\r\n  Directed broadcast forwarding is disabled"
                                "\r\n  Outgoing access list is not set"
                                "\r\n  Inbound  access list is 5"
                                "\r\n  Proxy ARP is enabled\r\n"))
        << out;
    EXPECT_TRUE(out.ends_with("\r\n  Web Cache Redirect is disabled"
                              "\r\n  BGP Policy Mapping is disabled"));
    std::size_t lines = 0;
    for (std::size_t p = out.find("\r\n"); p != std::string::npos; p = out.find("\r\n", p + 2))
        ++lines;
    EXPECT_EQ(lines, 31u); // the status line and thirty report lines

    router().serial0.accessGroupOut = 12;
    router().serial0.accessGroupIn = 0;
    const std::string swapped = ipInterfaceReport(sim, Interface::serial0);
    EXPECT_NE(swapped.find("\r\n  Outgoing access list is 12\r\n  Inbound  access list is not set"),
              std::string::npos);
}

TEST_F(InterfaceDisplayIp, ShowIpInterfaceOrderIsEthernetFirst) {
    mark();
    showIpInterface(sim, std::nullopt);
    EXPECT_EQ(since(), "\r\nEthernet0 is administratively down, line protocol is down"
                       "\r\n  Internet protocol processing disabled"
                       "\r\nSerial0 is administratively down, line protocol is down"
                       "\r\n  Internet protocol processing disabled"
                       "\r\nSerial1 is administratively down, line protocol is down"
                       "\r\n  Internet protocol processing disabled");
}

// --- brief summary -----------------------------------------------------------------

TEST_F(InterfaceDisplayIp, BriefSummaryInTheRouterColumns) {
    openLan();
    openLink();
    router().serial0.clockRate = 0;
    mark();
    showIpInterfaceBrief(sim);
    const std::string out = since();
    // Interface 0, IP-Address 23, OK? 39, Method 43, Status 50, Protocol 72.
    EXPECT_EQ(out,
              "\r\nInterface              IP-Address      OK? Method Status                Protocol"
              "\r\nEthernet0              192.168.1.1     YES manual up                    up"
              "\r\nSerial0                192.168.2.1     YES manual up                    down"
              "\r\nSerial1                unassigned      YES unset  administratively down down");
    for (const char* heading : {"IP-Address", "OK?", "Method", "Status", "Protocol"}) {
        const std::size_t column = out.find(heading) - out.find("Interface");
        for (const char* row : {"\r\nEthernet0", "\r\nSerial0", "\r\nSerial1"}) {
            const std::size_t start = out.find(row) + 2;
            EXPECT_NE(out[start + column], ' ') << heading << " in " << row;
            EXPECT_EQ(out[start + column - 1], ' ') << heading << " in " << row;
        }
    }
}

} // namespace
} // namespace kestro::testing
