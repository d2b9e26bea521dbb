// Grading the three tests: each check, the score and the 801 pass mark, the
// report text and how the report window shows it.
#include "LearningFixture.h"

#include "learning/Activities.h"
#include "learning/Grading.h"

#include <functional>

namespace kestro::testing {
namespace {

// A router configured exactly as the test asks.
routerConfig solved(long test) {
    routerConfig r;
    if (test == 1) {
        r.historySize = 12;
        r.motdBanner = "MOTD Banner";
        r.consoleExecTimeoutMinutes = 22;
        r.consoleExecTimeoutSeconds = 33;
        r.consoleLogin = true;
        r.consolePassword = "rud548";
        r.hostname = "test1";
        r.enablePassword = "jel73";
    } else if (test == 2) {
        r.execBanner = "Router Test";
        r.domainLookup = false;
        r.vtyExecTimeoutMinutes = 30;
        r.vtyExecTimeoutSeconds = 20;
        r.vtyLogin = true;
        r.vtyPassword = "tiv362";
        r.hostname = "test2";
        r.enableSecret = "forul83";
    } else {
        r.ethernet0.ipAddress = "220.14.5.6";
        r.ethernet0.subnetMask = "255.255.255.0";
        r.ethernet0.shutdown = false;
        r.serial0.ipAddress = "194.23.2.1";
        r.serial0.subnetMask = "255.255.255.0";
        r.serial0.shutdown = false;
        r.serial0.clockRate = 56000;
        r.ripConfigured = true;
    }
    return r;
}

// The checks of a test as the course's content database keeps them.
std::vector<TestCheck> checksOf(long test) {
    static RecordingConsole io;
    static Simulator sim(io, openContent(std::string(KESTRO_BIN_DIR) + "/DataStore.db"));
    return testChecks(sim, test);
}

TEST(Grading, ScoresAndThePassMark) {
    struct Case {
        const char* what;
        long test;
        std::function<void(routerConfig&)> change;
        long score;
        bool passed;
    } cases[] = {
        {"all right", 1, [](routerConfig&) {}, 1000, true},
        {"banner wrong", 1, [](routerConfig& r) { r.motdBanner = "hello"; }, 857, true},
        {"two wrong", 1,
         [](routerConfig& r) {
             r.motdBanner.clear();
             r.consoleExecTimeoutSeconds = 0;
         },
         714, false},
        {"host name with a capital and a trailing blank", 1,
         [](routerConfig& r) { r.hostname = "Test1 "; }, 1000, true},
        {"banner text trimmed and case ignored", 1,
         [](routerConfig& r) { r.motdBanner = "  motd BANNER "; }, 1000, true},
        {"DNS lookup left on", 2, [](routerConfig& r) { r.domainLookup = true; }, 857, true},
        {"all right", 2, [](routerConfig&) {}, 1000, true},
        {"clock rate missing", 3, [](routerConfig& r) { r.serial0.clockRate = 0; }, 833, true},
        {"mask with a trailing blank", 3,
         [](routerConfig& r) { r.ethernet0.subnetMask = "255.255.255.0 "; }, 833, true},
        {"address with a leading zero", 3,
         [](routerConfig& r) { r.ethernet0.ipAddress = "220.14.5.06"; }, 833, true},
        {"two wrong", 3,
         [](routerConfig& r) {
             r.serial0.shutdown = true;
             r.ripConfigured = false;
         },
         667, false},
        {"fresh router", 3, [](routerConfig& r) { r = routerConfig{}; }, 0, false},
    };
    for (const Case& c : cases) {
        routerConfig r = solved(c.test);
        c.change(r);
        const TestGrade g = gradeTest(r, checksOf(c.test));
        EXPECT_EQ(g.score(), c.score) << c.test << ": " << c.what;
        EXPECT_EQ(g.passed(), c.passed) << c.test << ": " << c.what;
    }
    EXPECT_TRUE(checksOf(4).empty());
}

TEST(Grading, ReportTextOfASubmittedTest) {
    RecordingConsole io;
    Simulator sim(
        io,
        openContent(makeContent(
            "grading",
            {{"tests", {"test3Solution", "Do\r\nthis"}},
             {"testChecks", {"test3", "1", "1", "Part1> Configuring ethernet 0", ""}},
             {"testChecks", {"test3", "2", "0", "   1a> Address: ", "ripConfigured"}},
             {"testChecks",
              {"test3", "3", "0", "   2c> Providing clocking: ", "serial0.clockRate = 56000"}},
             {"testChecks", {"test3", "4", "0", "   2d> Damaged: ", "nofield"}}})),
        ::testing::TempDir());
    EXPECT_EQ(reportText(sim), ""); // no test yet
    initTests(sim, "test3");
    sim.liveRouter.config() = solved(3);
    sim.liveRouter.serial0.clockRate = 64000;
    EXPECT_EQ(reportText(sim),
              crlf({"Test 3 Report", "", "'Diagnostic Report': ", "Part1> Configuring ethernet 0",
                    "   1a> Address: Correct", "   2c> Providing clocking: Incorrect",
                    "      Found: Serial0: clock rate 64000; expected: Serial0: clock rate 56000",
                    "   2d> Damaged: Incorrect", "   ", "Total Score: 1000", "Your Score: 333",
                    "Your Grade: Fail!", "   ", "Solution To Test 3", "  ", "Do", "this"}));
    EXPECT_EQ(sim.learning.currentQuery, "Select * from tests where testName = 'test3Solution'");

    showAnswer(sim);
    EXPECT_EQ(sim.activity.kind, ActivityKind::report);
    EXPECT_EQ(picture(sim.learning.reportDocument)[0], "^[b14|Test 3 Report]");
}

TEST(Grading, ReportFormatting) {
    const std::string report =
        crlf({"Test 1 Report", "", "'Diagnostic Report': ", "Part1> x: Correct",
              "   2> y: Incorrect", "   ", "Your Grade: Fail!", "  ", "Solution To Test 1",
              "Step: do 'it'", "No Solution here"});
    EXPECT_EQ(picture(displayAnswerText(report, false)), (Lines{
                                                             "^[b14|Test 1 Report]",
                                                             "",
                                                             " [b|Diagnostic Report]: ",
                                                             "Part1> x: Correct ",
                                                             "   2> y: [i|Incorrect ]",
                                                             "",
                                                             "Your Grade: [r|Fail! ]",
                                                             "",
                                                             "^[b14|Solution To Test 1]",
                                                             "[u|Step1: do  ][bu|it]",
                                                             "^[b14|No Solution here]",
                                                             "",
                                                         }));
    // Test Mode makes the ordinary lines smaller; titles keep 14 pt.
    const Lines small = picture(displayAnswerText(crlf({"T", "sub", "x Pass"}), true));
    EXPECT_EQ(small, (Lines{"^[b14|T]", "^[10|sub ]", "[10|x ][r10|Pass ]", ""}));
}

} // namespace
} // namespace kestro::testing

namespace kestro::testing {
namespace {

// The conditions the content writes: what each term accepts and the faults
// the content builder reports instead of shipping a check that never holds.
TEST(Conditions, ReadAndMetOrRefusedWithTheReason) {
    routerConfig r;
    r.hostname = " Test1 ";
    r.serial0.clockRate = 56000;
    r.domainLookup = false;
    r.execBanner = "Router Test\r\n";
    const std::pair<const char*, bool> met[] = {
        {"hostname is \"test1\"", true},
        {"execBanner is \"router test\"", true}, // typed over several lines
        {"hostname = \"test1\"", false},         // "=" is exact
        {"serial0.clockRate = 56000 and not domainLookup", true},
        {"serial0.clockRate = 64000", false},
        {"not serial0.shutdown", false},
        {"domainLookup = no and cdpRun", true},
        {"historySize = 10 and ethernet0.bandwidth = 10000", true},
    };
    for (const auto& [text, holds] : met) {
        std::string error;
        const auto c = parseCondition(text, error);
        ASSERT_TRUE(c) << text << ": " << error;
        EXPECT_EQ(conditionHolds(*c, r), holds) << text;
    }
    const std::pair<const char*, const char*> refused[] = {
        {"", "a condition term is missing"},
        {"hostnam is \"x\"", "unknown field \"hostnam\""},
        {"hostname", "\"hostname\" is not a yes/no field: compare it with a value"},
        {"historySize = \"12\"", "\"historySize\" cannot hold \"12\""},
        {"historySize is \"12\"", "\"historySize\" cannot hold \"12\""},
        {"domainLookup = 1", "\"domainLookup\" cannot hold 1"},
        {"hostname is \"x", "a text has no closing quote"},
        {"cdpRun or httpServer", "\"and\" expected before \"or\""},
        {"cdpRun and", "a condition term is missing"},
        {"serial0.clockRate =", "\"serial0.clockRate\" is compared with nothing"},
    };
    for (const auto& [text, message] : refused) {
        std::string error;
        EXPECT_FALSE(parseCondition(text, error)) << text;
        EXPECT_EQ(error, message) << text;
    }
}

} // namespace
} // namespace kestro::testing
