// The two-router panel: switching the console between RouterA and RouterB,
// RouterB built at its first use, each router's own saved configuration, and
// the refusal while the console is not at a plain prompt.
#include "ConsoleFixture.h"

#include "config/ConfigRendering.h"
#include "learning/Activities.h"
#include "learning/Catalogue.h"
#include "learning/StudyRecord.h"
#include "shell/ProgressOverview.h"

#include <chrono>
#include <filesystem>
#include <unistd.h>

namespace kestro::testing {
namespace {

class TwoRouter : public ConsoleTest {
protected:
    explicit TwoRouter(const char* exercise = "troubleshooting4") {
        EXPECT_TRUE(startActivity(sim, exercise));
    }

    SwitchResult toB() { return pressRouterButton(sim, RouterId::b).value(); }
    SwitchResult toA() { return pressRouterButton(sim, RouterId::a).value(); }

    // Everything of the live router a student can see or rely on.
    struct Snapshot {
        routerConfig config;
        std::string prompt;
        Mode mode;
        std::string output, input;
        std::vector<std::string> history;
        int historyIndex;
        std::size_t caret;
        routerConfig saved;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot() const {
        const routerState& r = sim.liveRouter;
        return {r.config(),       r.prompt,       r.mode,          sim.output.text,  sim.input.text,
                r.commandHistory, r.historyIndex, sim.input.caret, sim.startupConfig};
    }
};

constexpr const char* bootEnd = " con0 is now available\r\n \r\n \r\nPress RETURN to get started.";

TEST_F(TwoRouter, FirstUseOfRouterBBuildsItWithItsPreset) {
    toPrivileged();
    type("show ver", false);
    EXPECT_EQ(toB(), SwitchResult::Switched);
    EXPECT_EQ(sim.activeRouter, RouterId::b);
    EXPECT_EQ(router().hostname, "RouterB");
    EXPECT_EQ(router().mode, Mode::none);
    EXPECT_TRUE(sim.output.text.ends_with(std::string("RouterB") + bootEnd));
    EXPECT_EQ(inputLine(), "");
    EXPECT_TRUE(router().commandHistory.empty());
    routerConfig b;
    b.hostname = "RouterB";
    b.ethernet0.shutdown = false;
    b.ethernet0.ipAddress = "220.14.5.1";
    b.ethernet0.subnetMask = "255.255.255.0";
    EXPECT_EQ(router().config(), b);
    // RouterA is parked as it was, half-typed line included.
    EXPECT_EQ(sim.routerAStore.inputText, "RouterA#show ver");
    EXPECT_EQ(sim.routerAStore.mode, Mode::priv);
}

TEST_F(TwoRouter, RouterBIsBuiltOnlyOnceAndKeepsItsTranscript) {
    ASSERT_EQ(toB(), SwitchResult::Switched);
    startSession();
    type("enable");
    type("configure terminal");
    type("hostname rb");
    const Snapshot b = snapshot();
    ASSERT_EQ(toA(), SwitchResult::Switched);
    ASSERT_EQ(toB(), SwitchResult::Switched);
    EXPECT_EQ(snapshot(), b);
    EXPECT_EQ(inputLine(), "rb(config)#");
}

TEST_F(TwoRouter, SwitchingAwayAndBackReturnsRouterAExactly) {
    toConfiguration();
    type("hostname ra");
    type("interface serial 0");
    type("desc", false);
    pressKey(sim, Key::special(keyArrowLeft));
    const Snapshot a = snapshot();
    ASSERT_EQ(toB(), SwitchResult::Switched);
    startSession();
    type("enable");
    ASSERT_EQ(toA(), SwitchResult::Switched);
    Snapshot back = snapshot();
    // The caret comes back at the end of the line.
    EXPECT_EQ(back.caret, inputLine().size());
    back.caret = a.caret;
    EXPECT_EQ(back, a);
    EXPECT_EQ(router().mode, Mode::configIf);
    EXPECT_EQ(sim.activeRouter, RouterId::a);
    type("ription x", false);
    EXPECT_EQ(inputLine(), "ra(config-if)#description x");
}

TEST_F(TwoRouter, PressingTheLiveRoutersButtonDoesNothing) {
    toPrivileged();
    type("reload");
    const Snapshot a = snapshot();
    EXPECT_EQ(toA(), SwitchResult::AlreadyLive);
    EXPECT_EQ(snapshot(), a);
    EXPECT_TRUE(io.messages.empty());
}

TEST_F(TwoRouter, EachRouterKeepsItsOwnSavedConfiguration) {
    toConfiguration();
    type("hostname saveda");
    saveStartupConfig(sim);
    const routerConfig savedA = router().config();
    type("hostname unsaved");

    ASSERT_EQ(toB(), SwitchResult::Switched);
    // RouterB's first use resets its own saved configuration only.
    EXPECT_EQ(sim.startupConfig.hostname, "RouterB");
    EXPECT_TRUE(startupConfigText(sim).find("hostname RouterB") != std::string::npos);
    startSession();
    type("enable");
    type("configure terminal");
    type("hostname savedb");
    saveStartupConfig(sim);
    const routerConfig savedB = router().config();

    ASSERT_EQ(toA(), SwitchResult::Switched);
    EXPECT_EQ(sim.startupConfig, savedA);
    EXPECT_TRUE(startupConfigText(sim).find("hostname saveda") != std::string::npos);
    loadStartupConfig(sim); // copy startup-config running-config
    EXPECT_EQ(router().hostname, "saveda");

    ASSERT_EQ(toB(), SwitchResult::Switched);
    EXPECT_EQ(sim.startupConfig, savedB);
}

TEST_F(TwoRouter, SwitchingIsRefusedWhileAQuestionIsOpen) {
    toPrivileged();
    type("reload");
    ASSERT_EQ(sim.console.inputState, InputState::ReloadConfirm);
    const Snapshot a = snapshot();
    EXPECT_EQ(toB(), SwitchResult::Refused);
    EXPECT_EQ(io.messages, std::vector<std::string>{" Please switch router when at prompt"});
    EXPECT_EQ(snapshot(), a);
    EXPECT_EQ(sim.activeRouter, RouterId::a);
    // RouterB was not built by the refused press.
    EXPECT_EQ(sim.routerBStore.hostname, "");

    type("n", false);
    EXPECT_EQ(toB(), SwitchResult::Switched);
}

TEST_F(TwoRouter, SwitchingIsRefusedDuringAListing) {
    toPrivileged();
    io.lines = 3;
    std::vector<std::optional<SwitchResult>> pressed;
    io.keySource = [&]() -> std::optional<int> {
        pressed.push_back(pressRouterButton(sim, RouterId::b));
        return 'q';
    };
    printPaged(sim, "1\r\n2\r\n3\r\n4\r\n5");
    ASSERT_FALSE(pressed.empty());
    EXPECT_EQ(pressed.front(), SwitchResult::Refused);
    EXPECT_EQ(io.messages.front(), " Please switch router when at prompt");
    EXPECT_EQ(sim.activeRouter, RouterId::a);
    EXPECT_EQ(router().hostname, "RouterA");
}

TEST_F(TwoRouter, AnExerciseStartedOnRouterBGoesBackToRouterAFirst) {
    ASSERT_EQ(toB(), SwitchResult::Switched);
    startSession();
    router().enablePassword = "x";
    type("enable"); // a password question is open on RouterB
    ASSERT_NE(sim.console.inputState, InputState::Normal);

    ASSERT_TRUE(startActivity(sim, "troubleshooting5"));
    EXPECT_EQ(sim.activeRouter, RouterId::a);
    EXPECT_EQ(sim.console.inputState, InputState::Normal);
    EXPECT_EQ(router().hostname, "RouterA");
    // RouterA's rows of the preset, not RouterB's.
    EXPECT_EQ(router().serial0.ipAddress, "196.56.12.1");
    EXPECT_EQ(router().serial0.clockRate, 56000);
    EXPECT_EQ(router().ethernet0.ipAddress, "202.16.92.1");
    EXPECT_FALSE(router().ethernet0.shutdown);
    EXPECT_EQ(sim.startupConfig.hostname, "RouterA");
    EXPECT_TRUE(sim.output.text.ends_with(std::string("RouterA") + bootEnd));

    // RouterB is rebuilt for the new exercise at its next use.
    EXPECT_EQ(sim.routerBStore.hostname, "");
    ASSERT_EQ(toB(), SwitchResult::Switched);
    EXPECT_EQ(router().hostname, "RouterB");
    EXPECT_EQ(router().serial1.ipAddress, "196.56.12.2");
    EXPECT_TRUE(router().ethernet0.shutdown);
    EXPECT_EQ(router().ripNetworks, std::vector<std::string>{"196.56.12.0"});
    EXPECT_TRUE(router().enablePassword.empty());
}

TEST_F(TwoRouter, TheButtonsExistOnlyInTheTwoRouterExercises) {
    for (const char* single : {"troubleshooting1", "test2", "routerStatus"}) {
        ASSERT_TRUE(startActivity(sim, single));
        const std::string before = sim.output.text;
        EXPECT_EQ(pressRouterButton(sim, RouterId::b), std::nullopt) << single;
        EXPECT_EQ(sim.activeRouter, RouterId::a);
        EXPECT_EQ(sim.output.text, before);
    }
}

class TwoRouterExercise6 : public TwoRouter {
protected:
    TwoRouterExercise6() : TwoRouter("troubleshooting6") {}
};

TEST_F(TwoRouterExercise6, RouterBListsItsAccessListInItsConfiguration) {
    ASSERT_EQ(toB(), SwitchResult::Switched);
    const std::string text = runningConfigText(sim);
    EXPECT_NE(text.find("access-list 12 deny   any"), std::string::npos) << text;
    EXPECT_NE(text.find(" ip access-group 12 out"), std::string::npos) << text;
    EXPECT_NE(text.find("hostname RouterB"), std::string::npos) << text;
}

} // namespace
} // namespace kestro::testing

namespace kestro::testing {
namespace {

// A switch moves each transcript between the console and the parked record:
// nothing is copied, so thousands of switches over a long transcript stay
// cheap and the live record never holds a stale copy.
TEST_F(TwoRouter, SwitchesMoveTheTranscriptsInsteadOfCopyingThem) {
    toPrivileged();
    for (int i = 0; i < 2000; ++i)
        printLine(sim, "a long transcript line of the kind show commands print .......");
    const std::string transcriptA = sim.output.text;
    ASSERT_GT(transcriptA.size(), 100'000u);
    toB();
    const std::string transcriptB = sim.output.text;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 4000; ++i) {
        ASSERT_EQ(toA(), SwitchResult::Switched);
        ASSERT_EQ(toB(), SwitchResult::Switched);
    }
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(sim.output.text, transcriptB);
    EXPECT_EQ(sim.routerAStore.consoleText, transcriptA);
    EXPECT_TRUE(sim.liveRouter.consoleText.empty());
    toA();
    EXPECT_EQ(sim.output.text, transcriptA);
    EXPECT_TRUE(sim.liveRouter.consoleText.empty());
    // Copying 100 kB twice per switch would take seconds even unoptimised.
    EXPECT_LT(took, std::chrono::seconds(2));
}

// Both routers, the live one's console and half-typed line, and each one's
// saved configuration come back from the record as they were left.
TEST_F(TwoRouter, LeftRoutersComeBackWhenTheExerciseIsResumed) {
    toPrivileged();
    type("copy running-config startup-config");
    type("");
    EXPECT_EQ(toB(), SwitchResult::Switched);
    toConfiguration();
    type("hostname Branch");
    type("interface ethernet 0", false);
    const Snapshot left = snapshot();
    const routerState parkedA = sim.routerAStore;
    const routerConfig savedA = sim.routerAStartupStore;

    const std::string path = ::testing::TempDir() + "/resume-" + std::to_string(getpid()) + ".db";
    std::filesystem::remove(path);
    std::string notice;
    auto record = Record::open(path, notice);
    ActivityRecorder recorder(record.get());
    recorder.opened(sim, StudyTime{});
    recorder.leaving(sim, StudyTime{std::chrono::seconds{90}});
    EXPECT_EQ(record->activity("troubleshooting4")->secondsSpent, 90);

    ASSERT_TRUE(startActivity(sim, "troubleshooting4"));
    EXPECT_NE(snapshot(), left);
    ASSERT_TRUE(recorder.canResume("troubleshooting4"));
    ASSERT_TRUE(recorder.resume(sim));
    EXPECT_EQ(snapshot(), left);
    EXPECT_EQ(sim.activeRouter, RouterId::b);
    EXPECT_EQ(sim.routerAStore, parkedA);
    EXPECT_EQ(sim.routerAStartupStore, savedA);
    EXPECT_EQ(toA(), SwitchResult::Switched);
    EXPECT_EQ(router().mode, Mode::priv);

    recorder.startAgain(sim);
    EXPECT_FALSE(recorder.canResume("troubleshooting4"));
    record.reset();
    std::filesystem::remove(path);
}

} // namespace
} // namespace kestro::testing

namespace kestro::testing {
namespace {

// The overview the progress view and --progress show: labs per topic of the
// Labs menu (only those with a checklist), exercises repaired, each test's
// score history, and what a menu item's tooltip says.
class ProgressOverviewTest : public ConsoleTest {
protected:
    ProgressOverviewTest() : ConsoleTest(true) {}
};

TEST_F(ProgressOverviewTest, CountsWhatTheRecordHolds) {
    const std::string path = ::testing::TempDir() + "/overview-" + std::to_string(getpid()) + ".db";
    std::filesystem::remove(path);
    std::string notice;
    auto record = Record::open(path, notice);
    ASSERT_TRUE(record);
    record->checklistProgress("settingHostname", 5, 5, true);
    record->checklistProgress("managingPasswords", 2, 5, false);
    record->checklistProgress("troubleshooting4", 3, 3, true);
    const StudyTime t{std::chrono::hours{24 * 400}};
    record->addTestAttempt("test1", {t, 430, {}});
    record->addTestAttempt("test1", {t + std::chrono::minutes{5}, 860, {}});

    const ProgressOverview o = progressOverview(sim, record.get(), t);
    const auto topic = std::find_if(o.topics.begin(), o.topics.end(), [](const TopicProgress& p) {
        return p.caption == "Passwords And Identification";
    });
    ASSERT_NE(topic, o.topics.end());
    EXPECT_EQ(topic->completed, 1);
    EXPECT_EQ(topic->total, 2);
    EXPECT_EQ(o.topics.front().caption, "Starting Up"); // "About The Labs" has nothing to do
    EXPECT_EQ(std::make_pair(o.exercisesRepaired, o.exercisesTotal), std::make_pair(1, 6));
    EXPECT_EQ(o.tests.front().scores, (std::vector<int>{430, 860}));
    EXPECT_EQ(o.tests.front().best, 860);
    EXPECT_EQ(o.activities.size(), activityNames().size());

    const std::pair<const char*, const char*> notes[] = {{"settingHostname", "Completed"},
                                                         {"managingPasswords", "40% done"},
                                                         {"test1", "86% done"},
                                                         {"routerModes", ""}};
    for (const auto& [name, note] : notes) {
        ActivityProgress a;
        for (const ActivityRow& row : o.activities)
            if (row.name == name)
                a = row.progress;
        EXPECT_EQ(progressNote(a), note) << name;
    }
    record.reset();
    std::filesystem::remove(path);
}

} // namespace
} // namespace kestro::testing
