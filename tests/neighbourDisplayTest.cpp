// CDP displays, the host table and the access-list listing.
#include "StatusFixture.h"

#include <functional>

namespace kestro::testing {
namespace {

class NeighbourDisplay : public LabNetworkTest {
protected:
    std::string printed(const std::function<void()>& display) {
        mark();
        display();
        return since();
    }
};

// --- CDP -------------------------------------------------------------------------

using NeighbourDisplayCdp = NeighbourDisplay;

TEST_F(NeighbourDisplayCdp, NoCdpRunLeavesOnlyTheNotEnabledLine) {
    router().cdpRun = false;
    const std::string notEnabled = "\r\n% CDP is not enabled";
    EXPECT_EQ(printed([&] { showCdpGlobal(sim); }), notEnabled);
    EXPECT_EQ(printed([&] { showCdpInterface(sim, std::nullopt); }), notEnabled);
    EXPECT_EQ(printed([&] { showCdpInterface(sim, Interface::serial1); }), notEnabled);
    EXPECT_EQ(printed([&] { showCdpNeighbors(sim); }), notEnabled);
    sim.topology.kind = TopologyKind::twoRouters; // even where there is no neighbour table
    EXPECT_EQ(printed([&] { showCdpNeighbors(sim); }), notEnabled);
}

TEST_F(NeighbourDisplayCdp, GlobalInformationShowsTimers) {
    router().cdpTimer = 30;
    router().cdpHoldtime = 90;
    EXPECT_EQ(printed([&] { showCdpGlobal(sim); }),
              "\r\nGlobal CDP information:"
              "\r\n        Sending CDP packets every 30 seconds"
              "\r\n        Sending a holdtime value of 90 seconds");
}

TEST_F(NeighbourDisplayCdp, InterfaceBlocksSkipInterfacesWithCdpDisabled) {
    router().serial1.cdpEnable = false;
    openLan();
    EXPECT_EQ(printed([&] { showCdpInterface(sim, std::nullopt); }),
              "\r\nSerial0 is administratively down, line protocol is down"
              "\r\n  Encapsulation HDLC"
              "\r\n  Sending CDP packets every 60 seconds"
              "\r\n  Holdtime is 180 seconds"
              "\r\nEthernet0 is up, line protocol is up"
              "\r\n  Encapsulation ARPA"
              "\r\n  Sending CDP packets every 60 seconds"
              "\r\n  Holdtime is 180 seconds");
    EXPECT_EQ(printed([&] { showCdpInterface(sim, Interface::serial1); }), "");
}

const std::string neighbourHeading =
    "\r\nCapability Codes: R - Router, T - Trans Bridge, B - Source Route Bridge"
    "\r\n                  S - Switch, H - Host, I - IGMP, r - Repeater"
    "\r\n "
    "\r\nDevice ID        Local Intrfce     Holdtme    Capability  Platform  Port ID";

TEST_F(NeighbourDisplayCdp, LabNeighbourOnceSerial0CarriesTheLink) {
    EXPECT_EQ(printed([&] { showCdpNeighbors(sim); }), neighbourHeading);
    router().serial0.shutdown = false;
    EXPECT_EQ(printed([&] { showCdpNeighbors(sim); }), neighbourHeading) << "no clock rate";
    router().serial0.clockRate = 64000;
    const std::string out = printed([&] { showCdpNeighbors(sim); });
    ASSERT_TRUE(out.starts_with(neighbourHeading + "\r\n")) << out;
    const std::string row = out.substr(neighbourHeading.size() + 2);
    EXPECT_EQ(row, "RouterB          Ser 0              150          R        KR1600    Ser 1");

    // Names start under their headings; the figure and the capability stand
    // within theirs.
    const std::string heading = neighbourHeading.substr(neighbourHeading.rfind("\r\n") + 2);
    for (const char* column : {"Local", "Platform", "Port"}) {
        const auto at = heading.find(column);
        EXPECT_NE(row[at], ' ') << column;
        EXPECT_EQ(row[at - 1], ' ') << column;
    }
    EXPECT_EQ(row.substr(heading.find("Holdtme"), 7), " 150   ");
    EXPECT_EQ(row.substr(heading.find("Capability"), 10), "   R      ");

    router().serial0.cdpEnable = false;
    EXPECT_EQ(printed([&] { showCdpNeighbors(sim); }), neighbourHeading) << "no cdp enable";
}

using NeighbourDisplayTwoRouters = TwoRouterTest;

TEST_F(NeighbourDisplayTwoRouters, EachRouterListsTheOtherWhileTheLinkIsUpAndBothRunCdp) {
    struct Case {
        const char* what;
        std::function<void(Simulator&)> set;
        bool listed;
    };
    const std::vector<Case> cases = {
        {"link up, CDP on both", [](Simulator&) {}, true},
        {"far end shut down", [](Simulator& s) { s.routerBStore.serial1.shutdown = true; }, false},
        {"no clock rate", [](Simulator& s) { s.liveRouter.serial0.clockRate = 0; }, false},
        {"no cdp run on the other router", [](Simulator& s) { s.routerBStore.cdpRun = false; },
         false},
        {"no cdp enable at the far end",
         [](Simulator& s) { s.routerBStore.serial1.cdpEnable = false; }, false},
        {"no cdp enable here", [](Simulator& s) { s.liveRouter.serial0.cdpEnable = false; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        openLinkOnA();
        openLinkOnB();
        router().serial0.cdpEnable = true;
        routerB().serial1.cdpEnable = true;
        routerB().cdpRun = true;
        c.set(sim);
        mark();
        showCdpNeighbors(sim);
        const std::string row =
            "\r\nrouterb          Ser 0              150          R        KR1600    Ser 1";
        EXPECT_EQ(since(), c.listed ? neighbourHeading + row : neighbourHeading);
    }

    // RouterB hears RouterA on its Serial1, with RouterA's own timers.
    openLinkOnA();
    router().serial0.cdpEnable = true;
    sim.routerAStore = router();
    sim.routerAStore.cdpTimer = 30;
    sim.routerAStore.cdpHoldtime = 100;
    sim.activeRouter = RouterId::b;
    router() = routerB();
    mark();
    showCdpNeighbors(sim);
    EXPECT_EQ(since(),
              neighbourHeading +
                  "\r\nRouter           Ser 1               85          R        KR1600    Ser 0");
}

class NeighbourDisplayDetail : public TwoRouterTest {
protected:
    NeighbourDisplayDetail() : TwoRouterTest(true) {} // the version screen
};

TEST_F(NeighbourDisplayDetail, NamesAddressPortsAndVersion) {
    mark();
    showCdpNeighborsDetail(sim);
    EXPECT_EQ(since(), "") << "no neighbour";
    openLinkOnA();
    openLinkOnB();
    mark();
    showCdpNeighborsDetail(sim);
    const std::string out = since();
    EXPECT_TRUE(out.starts_with("\r\n-------------------------"
                                "\r\nDevice ID: routerb"
                                "\r\nEntry address(es): "
                                "\r\n  IP address: 192.168.2.2"
                                "\r\nPlatform: KR1600,  Capabilities: Router "
                                "\r\nInterface: Serial0,  Port ID (outgoing port): Serial1"
                                "\r\nHoldtime : 150 sec"
                                "\r\n "
                                "\r\nVersion :"
                                "\r\nKestro Router Software (KRS), KR1600 Software"))
        << out;
    EXPECT_NE(out.find("\r\nCompiled "), std::string::npos) << out;
    EXPECT_EQ(out.find("Image text-base"), std::string::npos) << out;
}

// --- hosts -----------------------------------------------------------------------

using NeighbourDisplayHosts = NeighbourDisplay;

const std::string hostHeading = "\r\nHost                     Flags      Age Type   Address(es)";

TEST_F(NeighbourDisplayHosts, LookupWithoutNameServerShowsTheBroadcastAddress) {
    EXPECT_EQ(printed([&] { showHosts(sim); }), "\r\nDefault domain is not set"
                                                "\r\nName/address lookup uses domain service "
                                                "\r\nName servers are  255.255.255.255" +
                                                    hostHeading);
}

TEST_F(NeighbourDisplayHosts, DomainServersAndStaticMappings) {
    router().domainName = "lab.example";
    router().nameServers = {"10.0.0.1", "10.0.0.2"};
    EXPECT_EQ(printed([&] { showHosts(sim); }), "\r\nDefault domain is lab.example"
                                                "\r\nName/address lookup uses domain service "
                                                "\r\nName servers are 10.0.0.1, 10.0.0.2" +
                                                    hostHeading);
    router().domainLookup = false;
    EXPECT_EQ(printed([&] { showHosts(sim); }), "\r\nDefault domain is lab.example"
                                                "\r\nName/address lookup uses static mappings" +
                                                    hostHeading);
}

TEST_F(NeighbourDisplayHosts, NameColumnWidthAndAddressesOfOneName) {
    const std::string name23(23, 'a'), name24(24, 'b'), name30(30, 'c');
    router().hosts = {{"branch", "10.1.1.1"},
                      {name23, "10.2.2.2"},
                      {name24, "10.3.3.3"},
                      {name30, "10.4.4.4"},
                      {"branch", "10.1.1.2"}};
    const std::string flags = " (perm, OK) 67   IP    ";
    const std::string out = printed([&] { showHosts(sim); });
    EXPECT_TRUE(out.ends_with(hostHeading + "\r\nbranch                  " + flags +
                              "10.1.1.1  10.1.1.2"
                              "\r\n" +
                              name23 + " " + flags + "10.2.2.2\r\n" + name24 + flags +
                              "10.3.3.3\r\n" + name30 + " " + flags + "10.4.4.4"))
        << out;
}

// --- access lists ------------------------------------------------------------------

using NeighbourDisplayAccessLists = NeighbourDisplay;

TEST_F(NeighbourDisplayAccessLists, EveryLineKindLinesUpItsAddress) {
    router().accessLists = {aclEntry(3, permitAny),
                            aclEntry(3, denyAny),
                            aclEntry(3, permitHost, "10.1.1.1"),
                            aclEntry(3, denyHost, "10.1.1.2"),
                            aclEntry(3, permitWildcard, "10.0.0.0", "0.255.255.255"),
                            aclEntry(3, denyWildcard, "172.16.0.0", "0.0.255.255")};
    EXPECT_EQ(printed([&] { showAccessLists(sim); }),
              "\r\nStandard IP access list 3"
              "\r\n    permit any"
              "\r\n    deny   any"
              "\r\n    permit 10.1.1.1"
              "\r\n    deny   10.1.1.2"
              "\r\n    permit 10.0.0.0, wildcard bits 0.255.255.255"
              "\r\n    deny   172.16.0.0, wildcard bits 0.0.255.255");
}

TEST_F(NeighbourDisplayAccessLists, ListWithTheOldestLatestEntryComesFirst) {
    router().accessLists = {aclEntry(1, denyHost, "10.0.0.1"), aclEntry(2, permitAny)};
    const std::string first = "\r\nStandard IP access list 1\r\n    deny   10.0.0.1";
    const std::string second = "\r\nStandard IP access list 2\r\n    permit any";
    EXPECT_EQ(printed([&] { showAccessLists(sim); }), first + second);

    // One more line moves list 1 after list 2; its lines keep their order.
    router().accessLists.push_back(aclEntry(1, denyHost, "10.0.0.2"));
    EXPECT_EQ(printed([&] { showAccessLists(sim); }), second + first + "\r\n    deny   10.0.0.2");
}

TEST_F(NeighbourDisplayAccessLists, NoListPrintsNothing) {
    EXPECT_EQ(printed([&] { showAccessLists(sim); }), "");
}

} // namespace
} // namespace kestro::testing
