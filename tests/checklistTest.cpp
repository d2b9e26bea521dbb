// The condition language and the checklist core: what the reader refuses,
// what found/expected texts say, and a small exercise's checklist through
// commands, hints and completion.
#include "LearningFixture.h"

#include "console/Console.h"
#include "learning/Activities.h"
#include "learning/Checklists.h"
#include "records/Checklist.h"

namespace kestro::testing {
namespace {

TEST(Conditions, TheReaderRefusesWhatCanNeverBeMet) {
    ConditionOptions oneRouter, twoRouters, test;
    twoRouters.twoRouters = true;
    test.configurationOnly = true;
    struct Case {
        const char* text;
        const ConditionOptions* options;
        const char* error; // empty: accepted
    } cases[] = {
        {"hostname is \"a\" and not serial0.shutdown", &oneRouter, ""},
        {"ran \"conf t\" on RouterA after cdpTimer = 30", &oneRouter, ""},
        {"ran \"ping 1.2.3.4\" successfully on RouterB", &twoRouters, ""},
        {"ping from RouterB to 1.2.3.4 succeeds and RouterB.accessLists has 12", &twoRouters, ""},
        {"not either.ripNetworks has \"1.0.0.0\"", &twoRouters, ""},
        {"hostnam is \"a\"", &oneRouter, "unknown field \"hostnam\""},
        {"historySize = 900", &oneRouter, "\"historySize\" never holds 900 (0 to 256)"},
        {"serial0.ipAddress = \"1.2.3\"", &oneRouter,
         "\"serial0.ipAddress\" never holds 1.2.3: it is not an IP address"},
        {"serial0.subnetMask = \"255.0.255.0\"", &oneRouter,
         "\"serial0.subnetMask\" never holds 255.0.255.0: it is not a subnet mask"},
        {"hostname is \"a\" and hostname is \"b\"", &oneRouter,
         "\"hostname\" is asked two ways that cannot both hold"},
        {"cdpRun and not cdpRun", &oneRouter, "\"cdpRun\" is asked two ways that cannot both hold"},
        {"RouterB.cdpRun", &oneRouter, "this activity has no RouterB"},
        {"ping from RouterB to 1.2.3.4 succeeds", &oneRouter, "this activity has no RouterB"},
        {"ran \"show ip route\"", &test,
         "\"ran\" cannot be checked here: only the configuration's "
         "fields can"},
        {"ran \"show ip route\" after ran \"enable\"", &oneRouter,
         "\"ran\" cannot be checked here: only the configuration's fields can"},
        {"ran \"ping 1.2.3.4\" successfully after", &oneRouter, "a condition term is missing"},
        {"ran \"enable\" successfully", &oneRouter, "only a ping runs successfully or not"},
        {"ripNetworks = \"1.0.0.0\"", &oneRouter, "\"ripNetworks\" is a list: ask what it has"},
        {"hostname has \"a\"", &oneRouter, "\"has\" asks a list, and \"hostname\" is none"},
        {"cdpTimer is \"30\"", &oneRouter, "\"cdpTimer\" cannot hold \"30\""},
    };
    for (const Case& c : cases) {
        std::string error;
        const bool read = parseCondition(c.text, error, *c.options).has_value();
        EXPECT_EQ(read, std::string(c.error).empty()) << c.text << ": " << error;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(Conditions, FoundAndExpectedSayWhatAConfigurationLineSays) {
    routerConfig r;
    r.consoleExecTimeoutMinutes = 30;
    r.ripNetworks = {"10.0.0.0"};
    r.accessLists = {{denyAny, "", "", 12}};
    struct Case {
        const char* condition;
        const char* found;
        const char* expected;
    } cases[] = {
        {"consoleExecTimeoutMinutes = 22 and consoleExecTimeoutSeconds = 33", "exec-timeout 30 0",
         "exec-timeout 22 33"},
        {"serial0.ipAddress = \"1.1.1.1\" and serial0.subnetMask = \"255.0.0.0\"",
         "Serial0: no ip address", "Serial0: ip address 1.1.1.1 255.0.0.0"},
        {"not serial0.shutdown", "Serial0: shutdown", "Serial0: no shutdown"},
        {"ripNetworks has \"20.0.0.0\"", "network 10.0.0.0", "network 20.0.0.0"},
        {"not accessLists has 12", "access-list 12", "no access-list 12"},
        {"hostname is \"router\"", "", ""},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto condition = parseCondition(c.condition, error);
        ASSERT_TRUE(condition) << error;
        ConditionWorld world;
        world.routerA = &r;
        const FoundExpected fe = foundAndExpected(*condition, world);
        EXPECT_EQ(fe.found, c.found) << c.condition;
        EXPECT_EQ(fe.expected, c.expected) << c.condition;
    }
}

TEST(Conditions, TypedCommandsMatchWrittenOnes) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"configure t", "configure terminal", true},
        {"copy run start", "copy running-config startup-config", true},
        {"ping 1.1.1.1", "ping 1.1.1.10", false},
        {"show ip route", "show ip", false},
        {"SHOW  IP ROUTE", "show ip route", true},
    };
    for (const auto& [recorded, written, match] : cases)
        EXPECT_EQ(commandMatches(recorded, written), match) << recorded << " / " << written;
}

// A one-router exercise with a three-item checklist, typed into.
class ChecklistCore : public ::testing::Test {
protected:
    ChecklistCore()
        : sim(io,
              openContent(makeContent(
                  "checklist",
                  {{"troubleshooting", {"troubleshooting1", "Exercise\r\nStep: do", "Fix"}},
                   {"checklists", {"troubleshooting1", source}}})),
              ::testing::TempDir()) {
        startActivity(sim, "troubleshooting1");
    }
    void type(const std::string& line) {
        for (char c : line)
            pressKey(sim, Key::character(static_cast<unsigned char>(c)));
        pressKey(sim, Key::special(keyEnter));
    }

    static constexpr const char* source = R"(item: Look at the routes
check: ran "show ip route"
feedback: not yet
hint: idea
hint: shape
solution: show ip route
item: Address Ethernet0
check: ethernet0.ipAddress = "128.16.31.1" and ethernet0.subnetMask = "255.255.0.0"
feedback: wrong address
hint: only hint
solution: interface ethernet 0
solution: ip address 128.16.31.1 255.255.0.0
item: Check the routes after the repair
check: ran "show ip route" after ethernet0.ipAddress = "128.16.31.1"
feedback: not since
hint: again
solution: show ip route
)";
    RecordingConsole io;
    Simulator sim;
};

TEST_F(ChecklistCore, CommandsTickItemsAndTheHintLadderEndsInTheSolution) {
    EXPECT_EQ(checklistProgress(sim).total, 3u);
    // The ladder: first unmet item's hints in order, then its solution.
    const std::vector<std::pair<std::vector<std::string>, bool>> ladder = {
        {{"idea"}, false},
        {{"shape"}, false},
        {{"show ip route"}, true},
        {{"show ip route"}, true}};
    for (const auto& [lines, solution] : ladder) {
        const auto hint = revealNextHint(sim);
        ASSERT_TRUE(hint);
        EXPECT_EQ(hint->item, 0u);
        EXPECT_EQ(hint->lines, lines);
        EXPECT_EQ(hint->solution, solution);
    }
    // Test Mode hides an unmet item's feedback until a hint was asked for.
    const auto testView = checklistView(sim, false);
    EXPECT_EQ(testView[0].feedback, "not yet");
    EXPECT_EQ(testView[0].solution, std::vector<std::string>{"show ip route"});
    EXPECT_EQ(testView[1].feedback, "");
    EXPECT_EQ(checklistView(sim, true)[1].found, "Ethernet0: ip address 192.34.5.6 255.255.255.0");

    type("");
    type("enable");
    type("show ip rout"); // a rejected command is not a run
    EXPECT_EQ(checklistProgress(sim).met, 0u);
    type("show ip route");
    EXPECT_EQ(checklistProgress(sim).met, 1u);
    EXPECT_EQ(revealNextHint(sim)->item, 1u);
    type("conf t");
    type("int e0");
    type("ip address 128.16.31.1 255.255.0.0");
    type("end");
    EXPECT_EQ(checklistProgress(sim).met, 2u) << "the routes were shown before the repair";
    EXPECT_EQ(takeCompletionMessage(sim), "");
    type("show ip route");
    const ChecklistProgress done = checklistProgress(sim);
    EXPECT_TRUE(done.complete);
    EXPECT_EQ(done.percent, 100);
    EXPECT_EQ(takeCompletionMessage(sim), "The fault is repaired.");
    EXPECT_EQ(takeCompletionMessage(sim), "");
    EXPECT_FALSE(revealNextHint(sim));

    // Undoing the repair lowers the progress but not the best.
    type("conf t");
    type("int e0");
    type("no ip address");
    EXPECT_EQ(checklistProgress(sim).met, 2u);
    EXPECT_EQ(checklistProgress(sim).best, 3u);
}

// Each line, typed in turn, meets the step that names its command in full,
// which nothing typed before it met.
TEST_F(ChecklistCore, EveryAcceptedShortFormCountsAsTheCommand) {
    const std::pair<const char*, const char*> typedAndWritten[] = {
        {"en", "enable"},
        {"conf t", "configure terminal"},
        {"int s0", "interface serial 0"},
        {"ip address 10.1.1.1 255.0.0.0", "ip address 10.1.1.1 255.0.0.0"},
        {"clock rate 64000", "clock rate 64000"},
        {"no shut", "no shutdown"},
        {"exit", "exit"},
        {"int e 0", "interface ethernet 0"},
        {"end", "end"},
        {"sh run", "show running-config"},
        {"sh int s0", "show interfaces serial 0"},
        {"copy run start", "copy running-config startup-config"},
    };
    auto met = [&](const char* written) {
        std::string error;
        const auto c = parseCondition("ran \"" + std::string(written) + "\"", error);
        ConditionWorld world;
        world.facts = &sim.facts;
        return c && conditionHolds(*c, world);
    };
    type("");
    for (const auto& [typed, written] : typedAndWritten) {
        EXPECT_FALSE(met(written)) << written;
        type(typed);
        EXPECT_TRUE(met(written)) << typed;
    }
}

} // namespace
} // namespace kestro::testing
