// Interface states of both topologies, the routing table, the routing
// protocol summary, and the two-router predicates that briefly make the other
// router live.
#include "StatusFixture.h"

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace kestro::testing {
namespace {

std::string stateOf(const Simulator& sim, Interface which) {
    return interfaceStatusLine(sim, which) + lineProtocolSuffix(sim, which);
}

// --- interface states ---------------------------------------------------------

// The shown text, then what the rules go by: enabled, and up (line protocol
// too).
struct StateCase {
    const char* what;
    std::function<void(Simulator&)> set;
    Interface which;
    const char* shown;
    bool enabled;
    bool up;
};

void expectStates(Simulator& sim, const std::vector<StateCase>& cases,
                  const std::function<void(Simulator&)>& reset) {
    for (const StateCase& c : cases) {
        SCOPED_TRACE(c.what);
        reset(sim);
        c.set(sim);
        EXPECT_EQ(stateOf(sim, c.which), c.shown);
        EXPECT_EQ(interfaceEnabled(sim, c.which), c.enabled);
        EXPECT_EQ(interfaceIsUp(sim, c.which), c.up);
    }
}

using TopologyLabStatus = LabNetworkTest;

TEST_F(TopologyLabStatus, ShownAsARealRouterWithTheRulesUnchanged) {
    const auto serial0 = [](Simulator& s) -> interfaceConfig& { return s.liveRouter.serial0; };
    const std::vector<StateCase> cases = {
        {"a fresh Serial0 is shut down", [](Simulator&) {}, Interface::serial0,
         "Serial0 is administratively down, line protocol is down", false, false},
        {"the clocking end without clock rate", [&](Simulator& s) { serial0(s).shutdown = false; },
         Interface::serial0, "Serial0 is up, line protocol is down", false, false},
        {"the clocking end clocked",
         [&](Simulator& s) {
             serial0(s).shutdown = false;
             serial0(s).clockRate = 64000;
         },
         Interface::serial0, "Serial0 is up, line protocol is up", true, true},
        {"clocked but shut down", [&](Simulator& s) { serial0(s).clockRate = 64000; },
         Interface::serial0, "Serial0 is administratively down, line protocol is down", false,
         false},
        {"Serial1 has nothing at the other end",
         [](Simulator& s) { s.liveRouter.serial1.shutdown = false; }, Interface::serial1,
         "Serial1 is down, line protocol is down", false, false},
        {"Serial1 shut down", [](Simulator&) {}, Interface::serial1,
         "Serial1 is administratively down, line protocol is down", false, false},
        {"Ethernet0 open", [](Simulator& s) { s.liveRouter.ethernet0.shutdown = false; },
         Interface::ethernet0, "Ethernet0 is up, line protocol is up", true, true},
        {"Ethernet0 shut down", [](Simulator&) {}, Interface::ethernet0,
         "Ethernet0 is administratively down, line protocol is down", false, false},
    };
    expectStates(sim, cases, [](Simulator& s) { s.liveRouter = routerState{}; });
}

TEST_F(TopologyLabStatus, NoTopologyGivesEmptyTextsAndNothingIsUp) {
    router().ethernet0.shutdown = false;
    sim.topology.kind = TopologyKind::none;
    EXPECT_EQ(interfaceStatusLine(sim, Interface::ethernet0), "");
    EXPECT_EQ(lineProtocolSuffix(sim, Interface::ethernet0), "");
    EXPECT_FALSE(interfaceIsUp(sim, Interface::ethernet0));
    EXPECT_FALSE(interfaceEnabled(sim, Interface::ethernet0));
}

using TopologyTwoRouterStatus = TwoRouterTest;

TEST_F(TopologyTwoRouterStatus, TheLinkIsShownFromBothEnds) {
    const auto openA = [](Simulator& s) {
        s.liveRouter.serial0.shutdown = false;
        s.liveRouter.serial0.clockRate = 64000;
    };
    const auto openB = [](Simulator& s) { s.routerBStore.serial1.shutdown = false; };
    const std::vector<StateCase> cases = {
        {"RouterA open, RouterB shut: no signal from the far end", openA, Interface::serial0,
         "Serial0 is down, line protocol is down", true, false},
        {"both ends open and clocked",
         [&](Simulator& s) {
             openA(s);
             openB(s);
         },
         Interface::serial0, "Serial0 is up, line protocol is up", true, true},
        {"both ends open, no clock rate",
         [&](Simulator& s) {
             openA(s);
             openB(s);
             s.liveRouter.serial0.clockRate = 0;
         },
         Interface::serial0, "Serial0 is up, line protocol is down", false, false},
        {"RouterA shut down", openB, Interface::serial0,
         "Serial0 is administratively down, line protocol is down", false, false},
        {"RouterA Serial1 is not cabled",
         [](Simulator& s) {
             s.liveRouter.serial1.shutdown = false;
             s.liveRouter.serial1.clockRate = 64000;
         },
         Interface::serial1, "Serial1 is down, line protocol is down", false, false},
    };
    expectStates(sim, cases, [](Simulator& s) {
        s.liveRouter.serial0 = interfaceConfig{};
        s.liveRouter.serial1 = interfaceConfig{};
        s.routerBStore.serial1 = interfaceConfig{};
    });
}

TEST_F(TopologyTwoRouterStatus, RouterBSeesTheClockingEndFromItsStore) {
    sim.activeRouter = RouterId::b;
    const auto openB = [](Simulator& s) { s.liveRouter.serial1.shutdown = false; };
    const auto openA = [](Simulator& s) { s.routerAStore.serial0.shutdown = false; };
    const std::vector<StateCase> cases = {
        {"RouterA shut down", openB, Interface::serial1, "Serial1 is down, line protocol is down",
         true, false},
        {"RouterA open without clock rate",
         [&](Simulator& s) {
             openB(s);
             openA(s);
         },
         Interface::serial1, "Serial1 is up, line protocol is down", true, false},
        {"RouterA clocked",
         [&](Simulator& s) {
             openB(s);
             openA(s);
             s.routerAStore.serial0.clockRate = 56000;
         },
         Interface::serial1, "Serial1 is up, line protocol is up", true, true},
        {"RouterB shut down",
         [&](Simulator& s) {
             openA(s);
             s.routerAStore.serial0.clockRate = 56000;
         },
         Interface::serial1, "Serial1 is administratively down, line protocol is down", false,
         false},
        {"RouterB Serial0 is not cabled",
         [](Simulator& s) { s.liveRouter.serial0.shutdown = false; }, Interface::serial0,
         "Serial0 is down, line protocol is down", false, false},
    };
    expectStates(sim, cases, [](Simulator& s) {
        s.liveRouter.serial0 = interfaceConfig{};
        s.liveRouter.serial1 = interfaceConfig{};
        s.routerAStore.serial0 = interfaceConfig{};
    });
}

// --- routing table ----------------------------------------------------------------

const std::string legend =
    "\r\nCodes: C - connected, S - static, I - IGRP, R - RIP, M - mobile, "
    "B - BGP"
    "\r\n       D - EIGRP, EX - EIGRP external, O - OSPF, IA - OSPF inter "
    "area"
    "\r\n       N1 - OSPF NSSA external type 1, N2 - OSPF NSSA external "
    "type 2"
    "\r\n       E1 - OSPF external type 1, E2 - OSPF external type 2, E - EGP"
    "\r\n       i - IS-IS, L1 - IS-IS level-1, L2 - IS-IS level-2, * - "
    "candidate default"
    "\r\n       U - per-user static route, o - ODR"
    "\r\n       ";
const std::string gateway = "\r\nGateway of last resort is not set\r\n       ";
const std::string hostCache =
    "\r\nHost               Gateway           Last Use    Total Uses  Interface"
    "\r\nICMP redirect cache is empty";

class TopologyRoute : public LabNetworkTest {
protected:
    std::string route() {
        mark();
        showIpRoute(sim);
        return since();
    }
};

TEST_F(TopologyRoute, NoRouteShowsTheFrameOnly) {
    EXPECT_EQ(route(), legend + gateway + hostCache);
}

TEST_F(TopologyRoute, WithoutIpRoutingOnlyGatewayAndConnectedRoutes) {
    router().ipRouting = false;
    openLan();
    openLink();
    runRip({"192.168.2.0"});
    EXPECT_EQ(route(), gateway + "\r\nC   192.168.2.0/24 is directly connected, Serial0"
                                 "\r\nC   192.168.1.0/24 is directly connected, Ethernet0");
}

TEST_F(TopologyRoute, ConnectedRoutesInInterfaceOrderNetworkNotAddress) {
    openInterface(router().ethernet0, "172.16.9.7", "255.255.0.0");
    openInterface(router().serial0, "10.1.2.3", "255.0.0.0");
    router().serial0.clockRate = 64000;
    openInterface(router().serial1, "192.168.2.1"); // nothing cabled: down, no route
    EXPECT_EQ(route(), legend + gateway + hostCache +
                           "\r\nC   10.0.0.0/8 is directly connected, Serial0"
                           "\r\nC   172.16.0.0/16 is directly connected, Ethernet0");
}

TEST_F(TopologyRoute, LabRipRouteNeedsTheLinkNetworkInRip) {
    openLink();
    const std::string connected = "\r\nC   192.168.2.0/24 is directly connected, Serial0";
    runRip({"192.168.1.0"});
    EXPECT_EQ(route(), legend + gateway + hostCache + connected);

    router().ripNetworks.push_back(" 192.168.2.0 ");
    const std::string out = route();
    EXPECT_EQ(figuresMasked(out, ", 00:00:", 25, 29),
              legend + gateway + hostCache + connected +
                  "\r\nR   192.168.3.0/24 [120/1] via 192.168.2.2, 00:00:#, Serial0");

    sim.topology.linkNetwork = "192.168.9.0"; // the link is not where the activity expects it
    EXPECT_EQ(route().find("\r\nR   "), std::string::npos);
    sim.topology.linkNetwork = "192.168.2.0";
    router().ripConfigured = false;
    EXPECT_EQ(route().find("\r\nR   "), std::string::npos);
}

class TopologyTwoRouterRoute : public TwoRouterTest {
protected:
    std::string route() {
        mark();
        showIpRoute(sim);
        return since();
    }
    bool hasRipRoute(const std::string& tail) {
        const std::string out = figuresMasked(route(), ", 00:00:", 25, 29);
        return out.ends_with("\r\nR   192.168.3.0/24 [120/1] via 192.168.2.2, 00:00:#, " + tail);
    }
};

TEST_F(TopologyTwoRouterRoute, RouteAppearsOnlyOnceParkedRouterBIsConfigured) {
    openLinkOnA();
    openLinkOnB();
    ripOnA();
    EXPECT_FALSE(hasRipRoute("Serial0")) << "RouterB runs no RIP yet";

    routerB().ripConfigured = true;
    routerB().ripNetworks = {"192.168.2.0"};
    openInterface(routerB().ethernet0, "192.168.3.1");
    EXPECT_FALSE(hasRipRoute("Serial0")) << "RouterB does not advertise its LAN";

    routerB().ripNetworks.push_back("192.168.3.0");
    routerB().ethernet0.shutdown = true;
    EXPECT_FALSE(hasRipRoute("Serial0")) << "RouterB's LAN is shut down";

    routerB().ethernet0.shutdown = false;
    EXPECT_TRUE(hasRipRoute("Serial0"));
}

TEST_F(TopologyTwoRouterRoute, RouteNeedsRipOnTheLiveRouterToo) {
    fullyConfigured();
    router().ripNetworks = {"192.168.1.0"};
    EXPECT_FALSE(hasRipRoute("Serial0"));
    router().ripNetworks.push_back("192.168.2.0");
    router().ipRouting = false;
    EXPECT_FALSE(hasRipRoute("Serial0"));
}

TEST_F(TopologyTwoRouterRoute, OnRouterBTheRouteLeavesBySerial1) {
    // RouterB live, RouterA parked with the mirror configuration.
    sim.activeRouter = RouterId::b;
    openInterface(router().serial1, "192.168.2.2");
    router().ripConfigured = true;
    router().ripNetworks = {"192.168.2.0"};
    routerState& a = sim.routerAStore;
    openInterface(a.serial0, "192.168.2.1");
    a.serial0.clockRate = 64000;
    openInterface(a.ethernet0, "192.168.1.1");
    a.ripConfigured = true;
    a.ripNetworks = {"192.168.2.0", "192.168.1.0"};
    const std::string out = figuresMasked(route(), ", 00:00:", 25, 29);
    EXPECT_TRUE(out.ends_with("\r\nR   192.168.1.0/24 [120/1] via 192.168.2.1, 00:00:#, Serial1"))
        << out;
}

TEST_F(TopologyTwoRouterRoute, NoTopologyPrintsNothing) {
    sim.topology.kind = TopologyKind::none;
    EXPECT_EQ(route(), "");
}

// --- routing protocol summary -------------------------------------------------------

class TopologyProtocols : public LabNetworkTest {
protected:
    std::string protocols() {
        mark();
        showIpProtocols(sim);
        return since();
    }
};

TEST_F(TopologyProtocols, RipBlockListsNetworksNewestFirst) {
    runRip({"10.0.0.0", "172.16.0.0", "192.168.2.0"});
    EXPECT_EQ(figuresMasked(protocols(), "every 30 seconds, next due in ", 1, 30),
              "\r\nRouting Protocol is 'rip'"
              "\r\n  Sending updates every 30 seconds, next due in # seconds"
              "\r\n  Invalid after 180 seconds, hold down 180, flushed after 240"
              "\r\n  Outgoing update filter list for all interfaces is"
              "\r\n  Incoming update filter list for all interfaces is"
              "\r\n  Redistributing: rip"
              "\r\n  Default version control: send version 1, receive any version"
              "\r\n  Routing for Networks:"
              "\r\n    192.168.2.0\r\n    172.16.0.0\r\n    10.0.0.0"
              "\r\n  Routing Information Sources:"
              "\r\n    Gateway         Distance      Last Update"
              "\r\n  Distance: (default is 120)");
}

TEST_F(TopologyProtocols, IgrpBlocksPerSystemInOrderOfFirstAppearance) {
    router().igrpConfigured = true;
    router().igrpNetworks = {{10, "10.0.0.0"}, {20, "172.16.0.0"}, {10, "192.168.2.0"}};
    auto block = [](const std::string& as, const std::string& networks) {
        return "\r\n    "
               "\r\nRouting Protocol is 'igrp " +
               as +
               "'"
               "\r\n  Sending updates every 90 seconds, next due in # seconds"
               "\r\n  Invalid after 270 seconds, hold down 280, flushed after 630"
               "\r\n  Outgoing update filter list for all interfaces is"
               "\r\n  Incoming update filter list for all interfaces is"
               "\r\n  Default networks flagged in outgoing updates"
               "\r\n  Default networks accepted from incoming updates"
               "\r\n  IGRP metric weight K1=1, K2=0, K3=1, K4=0, K5=0"
               "\r\n  IGRP maximum hopcount 100"
               "\r\n  IGRP maximum metric variance 1"
               "\r\n  Redistributing: igrp " +
               as + "\r\n  Routing for Networks:" + networks +
               "\r\n  Routing Information Sources:"
               "\r\n    Gateway         Distance      Last Update"
               "\r\n  Distance: (default is 100)";
    };
    EXPECT_EQ(figuresMasked(protocols(), "every 90 seconds, next due in ", 1, 90),
              block("10", "\r\n    10.0.0.0\r\n    192.168.2.0") +
                  block("20", "\r\n    172.16.0.0"));
}

TEST_F(TopologyProtocols, NextDueFiguresStayInTheirRanges) {
    runRip({"10.0.0.0"});
    router().igrpConfigured = true;
    router().igrpNetworks = {{5, "10.0.0.0"}};
    std::vector<int> rip, igrp;
    for (int run = 0; run < 300; ++run) {
        const std::string out = protocols();
        figuresMasked(out, "every 30 seconds, next due in ", 1, 30, &rip);
        figuresMasked(out, "every 90 seconds, next due in ", 1, 90, &igrp);
    }
    ASSERT_EQ(rip.size(), 300u);
    ASSERT_EQ(igrp.size(), 300u);
    // The whole range is drawn, not a fixed figure.
    EXPECT_GT(*std::max_element(igrp.begin(), igrp.end()), 30);
    EXPECT_LT(*std::min_element(rip.begin(), rip.end()), 10);
}

TEST_F(TopologyProtocols, NothingWithoutIpRoutingOrWithoutNetworks) {
    router().ripConfigured = true; // router rip without a network statement
    router().igrpConfigured = true;
    EXPECT_EQ(protocols(), "");
    runRip({"10.0.0.0"});
    router().ipRouting = false;
    EXPECT_EQ(protocols(), "");
}

// --- predicates and the other router made live ---------------------------------------

class TopologyPeer : public TwoRouterTest {
protected:
    struct Snapshot {
        routerState live, a, b;
    };
    Snapshot snapshot() { return {sim.liveRouter, sim.routerAStore, sim.routerBStore}; }
    void expectUnchanged(const Snapshot& s) {
        EXPECT_TRUE(sameRouter(sim.liveRouter, s.live));
        EXPECT_TRUE(sameRouter(sim.routerAStore, s.a));
        EXPECT_TRUE(sameRouter(sim.routerBStore, s.b));
    }
};

TEST_F(TopologyPeer, PredicatesFollowTheirConditions) {
    using namespace twoRouterTopology;
    openLinkOnA();
    EXPECT_FALSE(linkConnected(sim)) << "far end shut down";
    openLinkOnB();
    EXPECT_TRUE(linkConnected(sim));
    EXPECT_FALSE(ripAdjacency(sim));
    ripOnA();
    ripOnB();
    EXPECT_TRUE(ripAdjacency(sim));
    EXPECT_TRUE(remoteLanLearned(sim));
    EXPECT_TRUE(peerLanAsExpected(sim));

    addressed(routerB().serial1, "192.168.4.2");
    EXPECT_FALSE(linkConnected(sim)) << "ends in different networks";
    EXPECT_FALSE(ripAdjacency(sim));
    openLinkOnB();
    routerB().ripNetworks = {"192.168.3.0"};
    EXPECT_FALSE(ripAdjacency(sim)) << "RouterB does not run RIP on the link";
    routerB().ripNetworks = {"192.168.2.0", "192.168.3.0"};
    sim.topology.lanBNetwork = "192.168.30.0";
    EXPECT_FALSE(peerLanAsExpected(sim));
    EXPECT_TRUE(remoteLanLearned(sim));
}

TEST_F(TopologyPeer, PredicatesLeaveBothRoutersExactlyAsTheyWere) {
    using namespace twoRouterTopology;
    fullyConfigured();
    router().commandHistory = {"enable", "configure terminal"};
    router().mode = Mode::priv;
    router().consoleText = "live text";
    routerB().consoleText = "routerb text";
    routerB().accessLists = {aclEntry(7, denyHost, "192.168.1.10"), aclEntry(7, permitAny)};
    routerB().ethernet0.accessGroupOut = 7;
    const Snapshot before = snapshot();

    EXPECT_TRUE(linkConnected(sim));
    EXPECT_TRUE(ripAdjacency(sim));
    EXPECT_TRUE(remoteLanLearned(sim));
    EXPECT_TRUE(peerLanAsExpected(sim));
    EXPECT_TRUE(pingTarget(sim, "192.168.3.10", true));
    EXPECT_TRUE(pingTarget(sim, "192.168.2.2", true));
    expectUnchanged(before);

    sim.activeRouter = RouterId::b; // the same on the other side
    std::swap(sim.liveRouter, sim.routerBStore);
    const Snapshot fromB = snapshot();
    linkConnected(sim);
    ripAdjacency(sim);
    remoteLanLearned(sim);
    peerLanAsExpected(sim);
    pingTarget(sim, "192.168.1.10", true);
    expectUnchanged(fromB);
}

TEST_F(TopologyPeer, TheOtherRouterIsLiveOnlyDuringTheEvaluation) {
    using namespace twoRouterTopology;
    const Snapshot before = snapshot();
    const std::string seen = withPeerLive(sim, [&](const routerState& peer) {
        EXPECT_EQ(&peer, &sim.liveRouter);
        // The live router is parked in its own store meanwhile.
        EXPECT_TRUE(sameRouter(sim.routerAStore, before.live));
        return sim.liveRouter.hostname;
    });
    EXPECT_EQ(seen, "routerb");
    expectUnchanged(before);
}

TEST_F(TopologyPeer, AFailingEvaluationStillRestoresBothRouters) {
    using namespace twoRouterTopology;
    const Snapshot before = snapshot();
    EXPECT_THROW(
        withPeerLive(
            sim, [](const routerState&) -> bool { throw std::runtime_error("evaluation failed"); }),
        std::runtime_error);
    expectUnchanged(before);
}

} // namespace
} // namespace kestro::testing
