// ping: the command forms, access-list evaluation, the reachability rules of
// both topologies and the paced output.
#include "StatusFixture.h"
#include "status/Displays.h"

#include <set>

namespace kestro::testing {
namespace {

const std::string pingHeading(const std::string& target) {
    return "\r\nType escape sequence to abort.\r\nSending 5, 100-byte ICMP Echos to " + target +
           ", timeout is 2 seconds:";
}
// Five time-outs.
const std::string failed = "\r\n.....\r\nSuccess rate is 0 percent (0/5)";

// --- command forms ----------------------------------------------------------------

class PingCommand : public LabNetworkTest {
protected:
    PingCommand() { toPrivileged(); }
};

TEST_F(PingCommand, MissingOrMalformedTargets) {
    EXPECT_EQ(outputOf("ping"), incompleteCommand);
    EXPECT_EQ(outputOf("ping 10.1.1"), invalidInput);
    EXPECT_EQ(outputOf("ping server"), invalidInput);
    EXPECT_EQ(outputOf("ping 10.1.1.1 10.1.1.2"), invalidInput);
    EXPECT_TRUE(io.pauses.empty());
}

TEST_F(PingCommand, NoTopologyPrintsNothingAtAll) {
    sim.topology.kind = TopologyKind::none;
    EXPECT_EQ(outputOf("ping 192.168.1.10"), "");
    EXPECT_TRUE(io.pauses.empty());
}

TEST_F(PingCommand, UnreachableTargetShowsFiveDots) {
    EXPECT_EQ(outputOf("PING   192.168.1.10"), pingHeading("192.168.1.10") + failed);
}

TEST_F(PingCommand, ReachableTargetShowsRoundTripFiguresThatVary) {
    openLan();
    const std::string lead =
        "\r\n!!!!!\r\nSuccess rate is 100 percent (5/5), round-trip min/avg/max = ";
    std::set<std::vector<int>> seen;
    for (int run = 0; run < 30; ++run) {
        const std::string out = outputOf("ping 192.168.1.10");
        ASSERT_TRUE(out.starts_with(pingHeading("192.168.1.10") + lead)) << out;
        ASSERT_TRUE(out.ends_with(" ms")) << out;
        const std::string figures = out.substr(pingHeading("192.168.1.10").size() + lead.size());
        // min/avg/max: each a plain number in its own range.
        std::vector<int> values;
        figuresMasked("/" + figures.substr(0, figures.size() - 3), "/", 0, 99, &values);
        ASSERT_EQ(values.size(), 3u) << figures;
        EXPECT_TRUE(values[0] >= 20 && values[0] <= 24) << figures;
        EXPECT_TRUE(values[1] >= 25 && values[1] <= 29) << figures;
        EXPECT_TRUE(values[2] >= 30 && values[2] <= 34) << figures;
        EXPECT_EQ(figures.size(), std::string("20/25/30 ms").size());
        seen.insert(values);
    }
    EXPECT_GT(seen.size(), 1u);
}

// --- pacing ---------------------------------------------------------------------------

// A console on which the student keeps typing while ping waits, as a window
// that handles events during its pauses would deliver the keys.
class TypingConsole : public RecordingConsole {
public:
    bool pause(int ms) override {
        RecordingConsole::pause(ms);
        if (ms == 500 && sim != nullptr) {
            inputEnabledDuringDots.push_back(sim->input.enabled);
            pressKey(*sim, Key::character('x'));
            pressKey(*sim, Key::special(keyEnter));
        }
        if (ms != 500)
            return true;
        return halfSecondsLeft < 0 || halfSecondsLeft-- > 0;
    }
    Simulator* sim = nullptr;
    std::vector<bool> inputEnabledDuringDots;
    int halfSecondsLeft = -1; // negative: never interrupted
};

class PingPacing : public ::testing::Test {
protected:
    PingPacing() : sim(io, nullptr, ::testing::TempDir()) {
        buildFreshRouter(sim);
        pressKey(sim, Key::special(keyEnter));
        sim.topology.kind = TopologyKind::singleRouter;
        sim.topology.lanAHost1 = "192.168.1.10";
        sim.topology.lanANetwork = "192.168.1.0";
        openInterface(sim.liveRouter.ethernet0, "192.168.1.1");
        io.sim = &sim;
        io.pendingKeys = {' ', ' '};
    }
    std::string ping() {
        const std::size_t from = sim.output.text.size();
        pingTarget(sim, "192.168.1.10", false);
        return sim.output.text.substr(from);
    }

    TypingConsole io;
    Simulator sim;
};

TEST_F(PingPacing, FiveHalfSecondPausesAndNoKeyTakenBeforeTheResult) {
    const std::string out = ping();
    std::vector<int> dots;
    for (int ms : io.pauses)
        if (ms == 500)
            dots.push_back(ms);
    EXPECT_EQ(dots.size(), 5u);
    EXPECT_EQ(io.inputEnabledDuringDots, std::vector<bool>(5, false));
    // Nothing typed reached the router: no echo, no command run.
    EXPECT_EQ(out.find(sim.liveRouter.prompt), std::string::npos) << out;
    EXPECT_EQ(sim.liveRouter.commandHistory.size(), 0u);
    EXPECT_NE(out.find("!!!!!\r\nSuccess rate is 100 percent (5/5)"), std::string::npos) << out;
    EXPECT_EQ(io.pendingKeys.size(), 2u) << "no key was waited for";
    EXPECT_EQ(sim.input.text, sim.liveRouter.prompt);
    EXPECT_TRUE(sim.input.enabled);
}

TEST_F(PingPacing, MarksAppearOneByOne) {
    std::vector<std::string> rows;
    const std::size_t from = sim.output.text.size();
    // Record the output at every half-second pause.
    class Snapshotting : public RecordingConsole {
    public:
        explicit Snapshotting(Simulator& s, std::vector<std::string>& r) : s_(s), r_(r) {}
        bool pause(int ms) override {
            if (ms == 500)
                r_.push_back(s_.output.text);
            return true;
        }

    private:
        Simulator& s_;
        std::vector<std::string>& r_;
    } watcher(sim, rows);
    sim.setIo(watcher);
    pingTarget(sim, "192.168.1.10", false);
    sim.setIo(io);
    ASSERT_EQ(rows.size(), 5u);
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_TRUE(rows[i].substr(from).ends_with(":\r\n" + std::string(i + 1, '!')))
            << rows[i].substr(from);
}

TEST_F(PingPacing, InterruptedPauseStopsTheOutput) {
    io.halfSecondsLeft = 4; // the fifth half-second wait is interrupted
    const std::string out = ping();
    EXPECT_EQ(out.find("Success rate"), std::string::npos) << out;
    EXPECT_TRUE(out.ends_with(":\r\n!!!!!")) << out;
    EXPECT_TRUE(sim.input.enabled);
    EXPECT_EQ(sim.input.text, sim.liveRouter.prompt);
}

TEST_F(PingPacing, SilentQueryPrintsAndWaitsNothing) {
    const std::size_t from = sim.output.text.size();
    io.pauses.clear();
    EXPECT_TRUE(pingTarget(sim, "192.168.1.10", true));
    EXPECT_FALSE(pingTarget(sim, "192.168.1.99", true));
    EXPECT_EQ(sim.output.text.substr(from), "");
    EXPECT_TRUE(io.pauses.empty());
}

// --- access-list evaluation ---------------------------------------------------------

TEST(PingAccessList, NoListOrNoNumberDeniesNothing) {
    routerState r;
    EXPECT_FALSE(listDeniesAddress(r, 5, "10.1.1.1"));
    r.accessLists = {aclEntry(5, denyAny)};
    EXPECT_FALSE(listDeniesAddress(r, 0, "10.1.1.1"));
    EXPECT_TRUE(listDeniesAddress(r, 5, "10.1.1.1"));
}

TEST(PingAccessList, AppliedListWithoutEntriesDeniesEverything) {
    routerState r;
    r.accessLists = {aclEntry(1, permitAny)};
    EXPECT_TRUE(listDeniesAddress(r, 2, "10.1.1.1"));
}

TEST(PingAccessList, FirstDecidingEntryWinsThenImplicitDeny) {
    routerState r;
    r.accessLists = {aclEntry(9, permitAny), aclEntry(4, denyWildcard, "192.54.5.0", "0.0.0.255"),
                     aclEntry(4, permitAny)};
    EXPECT_TRUE(listDeniesAddress(r, 4, "192.54.5.0"));
    EXPECT_TRUE(listDeniesAddress(r, 4, "192.54.5.200"));
    EXPECT_FALSE(listDeniesAddress(r, 4, "192.54.6.1"));
    EXPECT_FALSE(listDeniesAddress(r, 4, "10.0.0.1"));

    r.accessLists = {aclEntry(6, permitHost, "10.0.0.1"), aclEntry(6, denyHost, "10.0.0.2"),
                     aclEntry(6, permitWildcard, "10.0.0.0", "0.0.0.255")};
    EXPECT_FALSE(listDeniesAddress(r, 6, "10.0.0.1"));
    EXPECT_TRUE(listDeniesAddress(r, 6, "10.0.0.2"));
    EXPECT_FALSE(listDeniesAddress(r, 6, "10.0.0.3"));
    EXPECT_TRUE(listDeniesAddress(r, 6, "10.0.1.3")) << "no entry decides";
}

// --- reachability, lab topology -----------------------------------------------------

class PingLab : public LabNetworkTest {
protected:
    bool reaches(const std::string& target) { return pingTarget(sim, target, true); }
};

TEST_F(PingLab, OwnLanNeedsTheRightNetworkAndTheOutboundList) {
    EXPECT_FALSE(reaches("192.168.1.10"));
    openLan();
    EXPECT_TRUE(reaches("192.168.1.10"));
    EXPECT_TRUE(reaches("192.168.1.11"));
    EXPECT_TRUE(reaches("192.168.1.1"));
    EXPECT_FALSE(reaches("192.168.1.12")) << "not a host of the activity";

    router().accessLists = {aclEntry(10, denyHost, "192.168.1.10")};
    router().ethernet0.accessGroupOut = 10;
    EXPECT_FALSE(reaches("192.168.1.10"));
    EXPECT_FALSE(reaches("192.168.1.11")) << "implicit deny";
    EXPECT_TRUE(reaches("192.168.1.1")) << "the router's own address";
    router().ethernet0.accessGroupOut = 11; // applied but has no entries
    EXPECT_FALSE(reaches("192.168.1.11"));

    router().ethernet0.accessGroupOut = 0;
    openInterface(router().ethernet0, "192.168.7.1");
    EXPECT_FALSE(reaches("192.168.1.10")) << "LAN addressed in the wrong network";
}

TEST_F(PingLab, NeighbourSerialNeedsOnlyTheRipNetworkTheLanBehindNeedsRouterRip) {
    openLink();
    EXPECT_TRUE(reaches("192.168.2.1"));
    EXPECT_FALSE(reaches("192.168.2.2"));
    router().ripNetworks = {"192.168.2.0"};
    EXPECT_TRUE(reaches("192.168.2.2"));
    EXPECT_FALSE(reaches("192.168.3.1"));
    EXPECT_FALSE(reaches("192.168.3.10"));
    router().ripConfigured = true;
    EXPECT_TRUE(reaches("192.168.3.1"));
    EXPECT_TRUE(reaches("192.168.3.10"));

    router().accessLists = {aclEntry(20, denyHost, "192.168.3.10"), aclEntry(20, permitAny)};
    router().serial0.accessGroupOut = 20;
    EXPECT_FALSE(reaches("192.168.3.10"));
    EXPECT_TRUE(reaches("192.168.3.11"));

    router().serial0.clockRate = 0;
    EXPECT_FALSE(reaches("192.168.2.1"));
    EXPECT_FALSE(reaches("192.168.2.2"));
}

TEST_F(PingLab, Serial1AddressIsNeverPingable) {
    openInterface(router().serial1, "10.9.9.1");
    EXPECT_FALSE(reaches("10.9.9.1"));
}

// --- reachability, two routers ------------------------------------------------------

class PingTwoRouter : public TwoRouterTest {
protected:
    bool reaches(const std::string& target) { return pingTarget(sim, target, true); }
};

TEST_F(PingTwoRouter, FarEndOfTheLinkWithoutRip) {
    openLinkOnA();
    EXPECT_TRUE(reaches("192.168.2.1"));
    EXPECT_FALSE(reaches("192.168.2.2"));
    openLinkOnB();
    EXPECT_TRUE(reaches("192.168.2.2"));

    // RouterB's inbound list on its link end is read from RouterB.
    routerB().accessLists = {aclEntry(3, denyHost, "192.168.2.2")};
    routerB().serial1.accessGroupIn = 3;
    EXPECT_FALSE(reaches("192.168.2.2"));
    router().accessLists = {aclEntry(3, permitAny)};
    EXPECT_FALSE(reaches("192.168.2.2")) << "RouterA's list 3 does not count";
}

TEST_F(PingTwoRouter, RemoteLanHostsNeedRipOnBothAndTheExpectedNetwork) {
    openLinkOnA();
    openLinkOnB();
    ripOnA();
    EXPECT_FALSE(reaches("192.168.3.10"));
    EXPECT_FALSE(reaches("192.168.3.1"));
    ripOnB();
    EXPECT_TRUE(reaches("192.168.3.10"));
    EXPECT_TRUE(reaches("192.168.3.11"));
    EXPECT_TRUE(reaches("192.168.3.1"));

    sim.topology.lanBNetwork = "192.168.30.0";
    EXPECT_FALSE(reaches("192.168.3.10")) << "RouterB's LAN is not where it should be";
    EXPECT_TRUE(reaches("192.168.3.1")) << "its Ethernet address still answers";
}

TEST_F(PingTwoRouter, OutboundListsOnBothRoutersCount) {
    fullyConfigured();
    routerB().accessLists = {aclEntry(8, denyHost, "192.168.3.10"), aclEntry(8, permitAny)};
    routerB().ethernet0.accessGroupOut = 8;
    EXPECT_FALSE(reaches("192.168.3.10"));
    EXPECT_TRUE(reaches("192.168.3.11"));

    router().accessLists = {aclEntry(9, denyHost, "192.168.3.1"), aclEntry(9, permitAny)};
    router().serial0.accessGroupOut = 9;
    EXPECT_FALSE(reaches("192.168.3.1"));
    EXPECT_TRUE(reaches("192.168.3.11"));
}

TEST_F(PingTwoRouter, OwnSerialAddressWhileEnabled) {
    // RouterA's Serial1 has no cable and is never up.
    openInterface(router().serial1, "10.9.9.1");
    EXPECT_FALSE(reaches("10.9.9.1"));
    // Serial0 answers once open and clocked, though its line protocol is down.
    openLinkOnA();
    ASSERT_EQ(lineProtocolSuffix(sim, Interface::serial0), ", line protocol is down");
    EXPECT_TRUE(reaches("192.168.2.1"));
}

TEST_F(PingTwoRouter, FromRouterBTheRolesSwap) {
    fullyConfigured();
    sim.routerAStore = sim.liveRouter;
    sim.liveRouter = sim.routerBStore;
    sim.activeRouter = RouterId::b;
    EXPECT_TRUE(reaches("192.168.2.2"));
    EXPECT_TRUE(reaches("192.168.2.1"));
    EXPECT_TRUE(reaches("192.168.3.10")) << "own LAN";
    EXPECT_TRUE(reaches("192.168.1.10"));
    EXPECT_TRUE(reaches("192.168.1.1"));
}

} // namespace
} // namespace kestro::testing
