// Starting activities: the topology values each one sets, the router it
// builds and the faulty configuration each troubleshooting exercise starts
// from.
#include "ConsoleFixture.h"

#include "learning/Activities.h"
#include "learning/Networks.h"

namespace kestro::testing {
namespace {

class Activities : public ConsoleTest {
protected:
    // Marks every topology value, so a test can tell which ones an
    // activity left alone.
    void markTopology() {
        for (std::string* v :
             {&sim.topology.lanAHost1, &sim.topology.lanAHost2, &sim.topology.lanANetwork,
              &sim.topology.lanBHost1, &sim.topology.lanBHost2, &sim.topology.lanBNetwork,
              &sim.topology.neighbourSerialAddress, &sim.topology.neighbourLanAddress,
              &sim.topology.neighbourLanMask, &sim.topology.linkNetwork})
            *v = "unset";
        sim.activity.exerciseNumber = -1;
    }

    // The topology values, blank-separated: LAN A hosts and network, LAN B
    // hosts and network, neighbour serial and LAN address, mask, link.
    std::string topology() const {
        std::string out;
        for (const std::string* v :
             {&sim.topology.lanAHost1, &sim.topology.lanAHost2, &sim.topology.lanANetwork,
              &sim.topology.lanBHost1, &sim.topology.lanBHost2, &sim.topology.lanBNetwork,
              &sim.topology.neighbourSerialAddress, &sim.topology.neighbourLanAddress,
              &sim.topology.neighbourLanMask, &sim.topology.linkNetwork})
            out += (out.empty() ? "" : " ") + *v;
        return out;
    }

    // Leaves the fresh state: a session on the router and a changed host name.
    void dirtyTheRouter() {
        toConfiguration();
        type("hostname dirty");
        router().hosts.push_back({"h", "10.0.0.1"});
        saveStartupConfig(sim);
    }
};

using Strings = std::vector<std::string>;

const std::string labValues = "192.160.5.6 192.160.5.5 192.160.5.0 192.54.5.15 192.54.5.20 unset "
                              "220.155.5.2 192.54.5.1 255.255.255.0 220.155.5.0";

routerConfig withHostname(const char* name) {
    routerConfig c;
    c.hostname = name;
    return c;
}

interfaceConfig addressed(interfaceConfig i, const char* address, bool up) {
    i.ipAddress = address;
    i.subnetMask = "255.255.255.0";
    i.shutdown = !up;
    return i;
}

// --- names --------------------------------------------------------------------

TEST_F(Activities, EveryMenuNameStartsAndUnknownNamesChangeNothing) {
    EXPECT_EQ(guidedLabNames().size(), 34u);
    EXPECT_EQ(activityNames().size(), 34u + 3u + 6u);
    for (const std::string& name : activityNames())
        EXPECT_TRUE(startActivity(sim, name)) << name;
    EXPECT_TRUE(startActivity(sim, "lab"));

    sim.activity.kind = ActivityKind::welcome;
    markTopology();
    const std::string before = sim.output.text;
    for (const char* bad :
         {"", "test4", "troubleshooting7", "Troubleshooting1", "routerstartup", "troubleShooting1"})
        EXPECT_FALSE(startActivity(sim, bad)) << bad;
    EXPECT_EQ(sim.activity.kind, ActivityKind::welcome);
    EXPECT_EQ(sim.topology.lanAHost1, "unset");
    EXPECT_EQ(sim.output.text, before);
}

// Tools read the networks without a simulator: every activity has one, a
// guided lab shares the labs' row, and the table holds what the loaders set.
TEST(Networks, EveryActivityHasItsNetworkByName) {
    for (const std::string& name : activityNames())
        EXPECT_NE(networkOf(name), nullptr) << name;
    EXPECT_EQ(networkOf("ripRouting"), networkOf("lab"));
    EXPECT_EQ(networkOf("test2")->lanAHost1, "192.160.5.6");
    EXPECT_EQ(networkOf("troubleshooting3")->exerciseNumber, 2);
    EXPECT_EQ(networkOf("troubleshooting6")->topologyKind, TopologyKind::twoRouters);
    EXPECT_TRUE(networkOf("troubleshooting6")->linkNetwork.empty());
    for (const char* unknown : {"", "test4", "Lab", "troubleshooting7"})
        EXPECT_EQ(networkOf(unknown), nullptr) << unknown;
}

// --- guided labs ----------------------------------------------------------------

TEST_F(Activities, EveryGuidedLabSetsTheLabNetworkOnly) {
    for (const std::string& lab : guidedLabNames()) {
        sim.activity.kind = ActivityKind::test;
        sim.topology.kind = TopologyKind::twoRouters;
        markTopology();
        initLabs(sim, lab);
        EXPECT_EQ(sim.activity.kind, ActivityKind::lab) << lab;
        EXPECT_EQ(sim.topology.kind, TopologyKind::singleRouter) << lab;
        EXPECT_EQ(topology(), labValues) << lab;
        EXPECT_EQ(sim.activity.exerciseNumber, -1) << lab;
    }
}

TEST_F(Activities, TheFirstLabBuildsAFreshRouterAndLaterOnesContinueOnIt) {
    dirtyTheRouter();
    ASSERT_TRUE(startActivity(sim, "settingHostname"));
    EXPECT_EQ(router().config(), routerConfig{});
    EXPECT_EQ(sim.startupConfig, routerConfig{});
    EXPECT_TRUE(sim.output.text.ends_with("Router con0 is now available\r\n \r\n \r\n"
                                          "Press RETURN to get started."));

    dirtyTheRouter();
    const std::string transcript = sim.output.text;
    ASSERT_TRUE(startActivity(sim, "managingPasswords"));
    EXPECT_EQ(router().hostname, "dirty");
    EXPECT_EQ(router().mode, Mode::conf);
    EXPECT_EQ(sim.output.text, transcript);
    EXPECT_EQ(sim.startupConfig.hostname, "dirty");
}

// A test or an exercise builds routers of its own; the next lab must not run
// on them, whichever router was live.
TEST_F(Activities, ALabAfterATestOrAnExerciseStartsOnAFreshLabRouter) {
    const std::vector<Strings> walks = {
        {"test1", "", "enable", "configure terminal", "hostname TESTANSWER"},
        {"troubleshooting6", "", "<B>", "", "enable"},
        {"troubleshooting1", "", "enable"},
    };
    for (const Strings& walk : walks) {
        ASSERT_TRUE(startActivity(sim, walk[0]));
        for (std::size_t i = 1; i < walk.size(); ++i) {
            if (walk[i] == "<B>")
                ASSERT_TRUE(pressRouterButton(sim, RouterId::b));
            else
                type(walk[i]);
        }
        ASSERT_TRUE(startActivity(sim, "routerStatus")) << walk[0];
        EXPECT_EQ(sim.activeRouter, RouterId::a) << walk[0];
        EXPECT_EQ(router().config(), routerConfig{}) << walk[0];
        EXPECT_EQ(router().mode, Mode::none) << walk[0];
        EXPECT_FALSE(twoRouterPanelOpen(sim)) << walk[0];
        EXPECT_TRUE(sim.output.text.ends_with("Router con0 is now available\r\n \r\n \r\n"
                                              "Press RETURN to get started."))
            << walk[0];
        // The lab's own router then carries on into the next lab.
        type("");
        ASSERT_TRUE(startActivity(sim, "routerModes"));
        EXPECT_EQ(router().mode, Mode::user) << walk[0];
    }
}

// --- tests ----------------------------------------------------------------------

TEST_F(Activities, TestsSetTheirNetworkAndBuildAFreshRouterEveryTime) {
    for (const char* test : {"test1", "test2"}) {
        markTopology();
        dirtyTheRouter();
        initTests(sim, test);
        EXPECT_EQ(sim.activity.kind, ActivityKind::test);
        EXPECT_EQ(sim.topology.kind, TopologyKind::singleRouter);
        EXPECT_EQ(topology(), labValues) << test;
        EXPECT_EQ(router().config(), routerConfig{}) << test;
        EXPECT_EQ(sim.startupConfig, routerConfig{}) << test;
        EXPECT_EQ(router().mode, Mode::none);
        EXPECT_TRUE(router().commandHistory.empty());
    }
    markTopology();
    initTests(sim, "test3");
    EXPECT_EQ(topology(), "220.14.5.2 220.14.5.4 220.14.5.0 194.4.5.5 194.4.5.13 unset "
                          "194.23.2.2 194.4.5.1 255.255.255.0 194.23.2.0");
    EXPECT_EQ(sim.activity.exerciseNumber, -1);
}

// --- troubleshooting: topology -----------------------------------------------------

TEST_F(Activities, ExercisesSetTheirNumberAndNetwork) {
    struct Row {
        const char* name;
        int number;
        int kind;
        const char* values;
    };
    // clang-format off
    const Row rows[] = {
        {"troubleshooting1", 1, 1, "128.16.31.5 128.16.31.6 128.16.0.0 132.104.15.15 124.34.25.20 "
                                   "unset 121.43.38.22 192.42.37.1 255.255.255.0 220.52.57.0"},
        {"troubleshooting2", 2, 1, "192.34.6.3 192.34.6.4 192.34.6.0 204.5.13.8 204.5.13.9 "
                                   "unset 196.101.5.2 204.5.13.1 255.255.255.0 196.101.5.0"},
        {"troubleshooting3", 2, 1, "192.34.6.3 192.34.6.4 192.34.6.0 204.5.13.8 204.5.13.9 "
                                   "unset 196.101.5.2 204.5.13.1 255.255.255.0 196.101.5.0"},
        {"troubleshooting4", 4, 2, "202.16.92.6 202.16.92.7 202.16.92.0 220.14.5.2 220.14.5.3 "
                                   "220.14.5.0 unset unset unset unset"},
        {"troubleshooting5", 5, 2, "202.16.92.6 202.16.92.7 202.16.92.0 220.14.5.2 220.14.5.3 "
                                   "220.14.5.0 unset unset unset unset"},
        {"troubleshooting6", 6, 2, "204.5.62.12 204.5.62.13 204.5.62.0 208.109.1.12 208.109.1.14 "
                                   "208.109.1.0 unset unset unset unset"},
    };
    // clang-format on
    for (const Row& row : rows) {
        markTopology();
        inittroubleshooting(sim, row.name);
        EXPECT_EQ(sim.activity.kind, ActivityKind::exercise) << row.name;
        EXPECT_EQ(sim.activity.exerciseNumber, row.number) << row.name;
        EXPECT_EQ(static_cast<int>(sim.topology.kind), row.kind) << row.name;
        EXPECT_EQ(topology(), row.values) << row.name;
        EXPECT_EQ(twoRouterPanelOpen(sim), row.kind == 2) << row.name;
    }
}

// --- troubleshooting: presets ------------------------------------------------------

TEST_F(Activities, SingleRouterExercisesStartFreshWithTheirFaults) {
    dirtyTheRouter();
    inittroubleshooting(sim, "troubleshooting1");
    routerConfig expected;
    expected.ethernet0 = addressed(expected.ethernet0, "192.34.5.6", true);
    EXPECT_EQ(router().config(), expected);
    EXPECT_EQ(sim.startupConfig, routerConfig{});
    EXPECT_EQ(router().mode, Mode::none);
    EXPECT_TRUE(sim.output.text.ends_with("Press RETURN to get started."));

    dirtyTheRouter();
    inittroubleshooting(sim, "troubleshooting2");
    expected = routerConfig{};
    expected.serial0 = addressed(expected.serial0, "196.101.5.1", false);
    expected.ethernet0 = addressed(expected.ethernet0, "192.34.6.1", true);
    expected.ripConfigured = true;
    expected.ripNetworks = {"192.34.6.0", "196.101.5.0"};
    EXPECT_EQ(router().config(), expected);

    // Exercise 3 is exercise 2 without its RIP section.
    inittroubleshooting(sim, "troubleshooting3");
    expected.ripConfigured = false;
    expected.ripNetworks.clear();
    EXPECT_EQ(router().config(), expected);
}

TEST_F(Activities, TwoRouterExercisesPresetRouterAAndTheParkedRouterB) {
    dirtyTheRouter();
    inittroubleshooting(sim, "troubleshooting4");
    EXPECT_EQ(sim.activeRouter, RouterId::a);
    routerConfig a = withHostname("RouterA");
    a.ethernet0 = addressed(a.ethernet0, "202.16.92.1", true);
    EXPECT_EQ(router().config(), a);
    EXPECT_EQ(sim.startupConfig, withHostname("RouterA"));
    EXPECT_TRUE(sim.output.text.ends_with("RouterA con0 is now available\r\n \r\n \r\n"
                                          "Press RETURN to get started."));
    // RouterB is not built yet; the topology already sees its Serial1 down.
    routerConfig b = withHostname("");
    EXPECT_EQ(sim.routerBStore.config(), b);

    inittroubleshooting(sim, "troubleshooting5");
    a = withHostname("RouterA");
    a.serial0 = addressed(a.serial0, "196.56.12.1", true);
    a.serial0.clockRate = 56000;
    a.ethernet0 = addressed(a.ethernet0, "202.16.92.1", true);
    a.ripConfigured = true;
    a.ripNetworks = {"202.16.92.0", "196.56.12.0"};
    EXPECT_EQ(router().config(), a);
    b = withHostname("");
    b.serial1 = addressed(b.serial1, "196.56.12.2", true);
    b.ethernet0 = addressed(b.ethernet0, "220.14.5.1", false);
    b.ripConfigured = true;
    b.ripNetworks = {"196.56.12.0"};
    EXPECT_EQ(sim.routerBStore.config(), b);

    inittroubleshooting(sim, "troubleshooting6");
    a = withHostname("RouterA");
    a.serial0 = addressed(a.serial0, "204.56.7.1", true);
    a.serial0.clockRate = 56000;
    a.ethernet0 = addressed(a.ethernet0, "204.5.62.1", true);
    a.ripConfigured = true;
    a.ripNetworks = {"204.5.62.0", "204.56.7.0"};
    EXPECT_EQ(router().config(), a);
    b = withHostname("");
    b.serial1 = addressed(b.serial1, "204.56.7.2", true);
    b.ethernet0 = addressed(b.ethernet0, "208.109.1.1", true);
    b.ethernet0.accessGroupOut = 12;
    b.ripConfigured = true;
    b.ripNetworks = {"208.109.1.0", "204.56.7.0"};
    b.accessLists = {{denyAny, "", "0.0.0.0", 12}};
    EXPECT_EQ(sim.routerBStore.config(), b);
}

TEST_F(Activities, RouterBRowsApplyWhileRouterBIsLive) {
    sim.activeRouter = RouterId::b;
    applyExercisePreset(sim, "4");
    routerConfig b;
    b.ethernet0 = addressed(b.ethernet0, "220.14.5.1", true);
    EXPECT_EQ(router().config(), b);

    buildFreshRouter(sim);
    applyExercisePreset(sim, "troubleshooting6");
    b = routerConfig{};
    b.serial1 = addressed(b.serial1, "204.56.7.2", true);
    b.ethernet0 = addressed(b.ethernet0, "208.109.1.1", true);
    b.ethernet0.accessGroupOut = 12;
    b.ripConfigured = true;
    b.ripNetworks = {"204.56.7.0", "208.109.1.0"};
    b.accessLists = {{denyAny, "", "0.0.0.0", 12}};
    EXPECT_EQ(router().config(), b);
    // Nothing is written into a store while RouterB is live.
    EXPECT_EQ(sim.routerAStore.config(), routerConfig{});
    EXPECT_EQ(sim.routerBStore.config(), routerConfig{});
}

TEST_F(Activities, PresetKeysThatMatchNoExerciseChangeNothing) {
    for (const char* key : {"", "1", "2", "3", "7", "troubleshooting", "TROUBLESHOOTING1", "lab"}) {
        applyExercisePreset(sim, key);
        EXPECT_EQ(router().config(), routerConfig{}) << key;
        EXPECT_EQ(sim.routerBStore.config(), routerConfig{}) << key;
    }
}

TEST_F(Activities, AnEarlierRouterBLeavesNothingInTheNextExercise) {
    inittroubleshooting(sim, "troubleshooting6");
    ASSERT_EQ(switchRouter(sim, RouterId::b), SwitchResult::Switched);
    router().hosts.push_back({"left", "10.1.1.1"});
    ASSERT_EQ(switchRouter(sim, RouterId::a), SwitchResult::Switched);

    inittroubleshooting(sim, "troubleshooting4");
    // Only what RouterA's preset writes: no access list, no RIP, no host of
    // the earlier RouterB.
    routerConfig b = withHostname("");
    b.serial1.shutdown = true;
    EXPECT_EQ(sim.routerBStore.config(), b);
    EXPECT_EQ(sim.routerBStore.consoleText, "");
}

TEST_F(Activities, PresetRipNetworksStayFreeOfDuplicates) {
    router().ripNetworks = {"196.56.12.0"};
    applyExercisePreset(sim, "troubleshooting5");
    EXPECT_EQ(router().ripNetworks, (Strings{"196.56.12.0", "202.16.92.0"}));
}

} // namespace
} // namespace kestro::testing
