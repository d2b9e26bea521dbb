// The study record: where it lives, what it keeps, export and import, the
// study order of due cards, and that nothing is lost when the program is
// killed, runs twice at once, or finds a damaged file.
#include "progress/Record.h"
#include "progress/RouterSnapshot.h"
#include "progress/Study.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace kestro {
namespace {

StudyTime at(const char* text) {
    return parseStudyTime(text).value();
}

// A fresh folder per test, removed at the end.
class RecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("kestro-record-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        path = (folder / "record.db").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    std::unique_ptr<Record> open() {
        std::string notice;
        auto record = Record::open(path, notice);
        EXPECT_TRUE(record) << notice;
        EXPECT_EQ(notice, "");
        return record;
    }

    fs::path folder;
    std::string path;
};

TEST_F(RecordTest, ThePathComesFromTheOptionTheVariableOrTheDataFolder) {
    struct Case {
        const char *option, *record, *xdg, *home, *expected;
    } cases[] = {
        {"/o/r.db", "/e/r.db", "/x", "/h", "/o/r.db"},
        {"", "/e/r.db", "/x", "/h", "/e/r.db"},
        {"", nullptr, "/x", "/h", "/x/kestro/record.db"},
        {"", nullptr, nullptr, "/h", "/h/.local/share/kestro/record.db"},
        {"", nullptr, "relative", "/h", "/h/.local/share/kestro/record.db"},
    };
    const char* names[] = {"KESTRO_RECORD", "XDG_DATA_HOME", "HOME"};
    std::optional<std::string> saved[3];
    for (int i = 0; i < 3; ++i)
        if (const char* v = std::getenv(names[i]))
            saved[i] = v;
    for (const Case& c : cases) {
        const char* values[] = {c.record, c.xdg, c.home};
        for (int i = 0; i < 3; ++i)
            values[i] ? setenv(names[i], values[i], 1) : unsetenv(names[i]);
        EXPECT_EQ(recordPath(c.option), c.expected);
    }
    for (int i = 0; i < 3; ++i)
        saved[i] ? setenv(names[i], saved[i]->c_str(), 1) : unsetenv(names[i]);
}

TEST_F(RecordTest, KeepsActivitiesBetweenOpenings) {
    {
        auto r = open();
        r->activityOpened("test1", at("2026-03-02T10:00:00Z"));
        r->activityOpened("test1", at("2026-03-01T09:00:00Z")); // a clock set back
        r->addSitting("test1", {at("2026-03-02T10:00:00Z"), 600});
        r->addSitting("test1", {at("2026-03-09T10:00:00Z"), 300});
        r->addTestAttempt("test1", {at("2026-03-02T10:10:00Z"), 900, {{"hostname", true}}});
        r->addTestAttempt("test1", {at("2026-03-09T10:05:00Z"), 700, {{"hostname", false}}});
        r->checklistProgress("lab_basic", 3, 5, false);
        r->checklistProgress("lab_basic", 2, 5, false); // a worse sitting keeps the best
        r->checklistProgress("lab_other", 5, 5, true);
        r->checklistProgress("lab_other", 1, 5, false); // completed stays
    }
    auto r = open();
    const auto test = r->activity("test1").value();
    EXPECT_EQ(isoTime(*test.firstOpened), "2026-03-01T09:00:00Z");
    EXPECT_EQ(isoTime(*test.lastOpened), "2026-03-02T10:00:00Z");
    EXPECT_EQ(test.secondsSpent, 900);
    EXPECT_EQ(test.bestScore, 900);
    EXPECT_EQ(test.lastScore, 700);
    EXPECT_EQ(r->testAttempts("test1").back().parts,
              (std::vector<PartResult>{{"hostname", false}}));
    EXPECT_EQ(r->secondsSince(at("2026-03-05T00:00:00Z")), 300);

    struct Expect {
        const char* name;
        const char* status;
        int percent;
    } expected[] = {{"lab_basic", "in progress", 60},
                    {"lab_other", "completed", 100},
                    {"test1", "in progress", 90}};
    const auto all = r->activities();
    ASSERT_EQ(all.size(), std::size(expected));
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].name, expected[i].name);
        EXPECT_EQ(all[i].status(), expected[i].status) << all[i].name;
        EXPECT_EQ(all[i].percent(), expected[i].percent) << all[i].name;
    }
    r->resetActivity("test1");
    EXPECT_FALSE(r->activity("test1"));
    EXPECT_TRUE(r->testAttempts("test1").empty());
}

TEST(RouterSnapshot, EveryFieldComesBackExactly) {
    KeptRouters kept;
    kept.active = RouterId::b;
    routerState a;
    a.historySize = 20;
    a.hostname = "Kiosk";
    a.enableSecret = "s";
    a.enablePassword = "p";
    a.motdBanner = "motd \"quoted\"\r\nline";
    a.execBanner = "e";
    a.loginBanner = "l";
    a.auxLogin = a.consoleLogin = a.vtyLogin = true;
    a.auxPassword = "ap";
    a.consolePassword = "cp";
    a.vtyPassword = "vp";
    a.domainLookup = false;
    a.domainName = "lab.example";
    a.httpServer = true;
    a.auxExecTimeoutMinutes = 1;
    a.auxExecTimeoutSeconds = 2;
    a.consoleExecTimeoutMinutes = 3;
    a.consoleExecTimeoutSeconds = 4;
    a.vtyExecTimeoutMinutes = 5;
    a.vtyExecTimeoutSeconds = 6;
    a.cdpRun = false;
    a.cdpTimer = 30;
    a.cdpHoldtime = 90;
    a.serial0 = {false, 64, 64000, "to B", 5, false, "10.0.0.1", "255.255.255.0", 10, 11};
    a.serial1.description = "spare";
    a.ethernet0.ipAddress = "192.168.1.1";
    a.nameServers = {"10.1.1.1", "10.1.1.2"};
    a.hosts = {{"pc", "192.168.1.10"}};
    a.ripNetworks = {"10.0.0.0"};
    a.ripConfigured = a.igrpConfigured = true;
    a.igrpNetworks = {{100, "192.168.1.0"}};
    a.accessLists = {{permitHost, "1.2.3.4", "0.0.0.0", 10}};
    a.ipRouting = false;
    a.prompt = "Kiosk(config-if)#";
    a.savedPrompt = "Kiosk#";
    a.commandHistory = {"enable", "configure terminal"};
    a.historyIndex = 3;
    a.savedLine = "sh";
    a.mode = Mode::configIf;
    a.currentLine = "vty";
    a.failedPasswordCount = 2;
    a.currentInterface = Interface::serial1;
    a.copyDialogue = "copy";
    a.igrpAs = 100;
    a.consoleText = "Router>\r\nü ✓";
    a.consoleBold = {{0, 7}};
    a.inputText = "Kiosk(config-if)#shut";
    routerConfig saved = a.config();
    saved.hostname = "Saved";
    kept.routers = {{a, saved}, {routerState{}, routerConfig{}}};
    EXPECT_EQ(readSnapshot(snapshotText(kept)), kept);
    for (const char* bad : {"", "{", "{\"version\": 99}", "[1,2]"})
        EXPECT_FALSE(readSnapshot(bad)) << bad;
}

// A damaged, foreign or newer file is moved aside with a message naming both
// files, and a fresh record starts; the program goes on.
TEST_F(RecordTest, AnUnreadableRecordIsSetAsideAndAFreshOneStarted) {
    struct Case {
        const char* name;
        void (*make)(const std::string& path);
        const char* reason;
    } cases[] = {
        {"not a database",
         [](const std::string& p) { std::ofstream(p) << "these are my notes, not a database"; },
         "file is not a database"},
        {"newer version",
         [](const std::string& p) {
             std::string notice;
             Record::open(p, notice).reset();
             sqlite3* db = nullptr;
             sqlite3_open(p.c_str(), &db);
             sqlite3_exec(db, "PRAGMA user_version = 99", nullptr, nullptr, nullptr);
             sqlite3_close(db);
         },
         "it was written by a newer version"},
        {"damaged",
         [](const std::string& p) {
             {
                 std::string notice;
                 auto r = Record::open(p, notice);
                 for (int i = 0; i < 200; ++i)
                     r->addTestAttempt("test1", {StudyTime{std::chrono::seconds{i}}, i, {}});
             }
             // Overwrite the middle of the file, past the header.
             std::fstream f(p, std::ios::in | std::ios::out | std::ios::binary);
             f.seekp(4096 + 100);
             f << std::string(8192, '\x5a');
         },
         "the file is damaged"},
        {"another program's database",
         [](const std::string& p) {
             sqlite3* db = nullptr;
             sqlite3_open(p.c_str(), &db);
             sqlite3_exec(db, "CREATE TABLE photos(x)", nullptr, nullptr, nullptr);
             sqlite3_close(db);
         },
         "it is a database of another kind"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(folder);
        fs::create_directories(folder);
        c.make(path);
        std::string notice;
        auto record = Record::open(path, notice);
        ASSERT_TRUE(record) << notice;
        EXPECT_NE(notice.find("could not be read (" + std::string(c.reason)), std::string::npos)
            << notice;
        EXPECT_NE(notice.find("\"" + path + "\""), std::string::npos) << notice;
        const auto aside = notice.find("moved to \"" + path + ".damaged-");
        ASSERT_NE(aside, std::string::npos) << notice;
        const std::string asidePath =
            notice.substr(aside + 10, notice.find('"', aside + 10) - aside - 10);
        EXPECT_TRUE(fs::exists(asidePath)) << asidePath;
        EXPECT_TRUE(record->activityOpened("lab", StudyTime{}));
        EXPECT_EQ(record->activities().size(), 1u);
    }
}

TEST_F(RecordTest, ImportMergesAndNeverOverwritesNewerProgress) {
    std::string older;
    {
        auto r = open();
        r->checklistProgress("lab_a", 2, 4, false);
        r->addTestAttempt("test1", {at("2026-03-01T10:00:00Z"), 600, {}});
        r->saveCard("q1", reviewCard({}, Rating::good, at("2026-03-01T10:00:00Z")),
                    at("2026-03-01T10:00:00Z"));
        r->saveCard("q2", reviewCard({}, Rating::again, at("2026-03-01T10:00:00Z")),
                    at("2026-03-01T10:00:00Z"));
        older = r->exportJson(at("2026-03-01T12:00:00Z"));
        // Later progress on this computer.
        r->checklistProgress("lab_a", 4, 4, true);
        const CardMemory q1 = *r->card("q1");
        r->saveCard("q1", reviewCard(q1, Rating::easy, at("2026-03-04T10:00:00Z")),
                    at("2026-03-04T10:00:00Z"));
    }
    auto r = open();
    const std::string before = r->exportJson(at("2026-03-05T00:00:00Z"));
    std::string error;
    ASSERT_TRUE(r->importJson(older, error)) << error;
    EXPECT_EQ(r->exportJson(at("2026-03-05T00:00:00Z")), before);

    // An export from elsewhere brings what is new to this record.
    auto otherPath = (folder / "other.db").string();
    std::string notice;
    auto other = Record::open(otherPath, notice);
    other->addTestAttempt("test1", {at("2026-03-06T10:00:00Z"), 950, {}});
    other->saveCard("q2", reviewCard(*r->card("q2"), Rating::good, at("2026-03-06T10:00:00Z")),
                    at("2026-03-06T10:00:00Z"));
    ASSERT_TRUE(r->importJson(other->exportJson(at("2026-03-06T12:00:00Z")), error)) << error;
    EXPECT_EQ(r->activity("test1")->bestScore, 950);
    EXPECT_EQ(r->testAttempts("test1").size(), 2u);
    EXPECT_EQ(r->card("q2")->reps, 2);
    EXPECT_TRUE(r->activity("lab_a")->completed);

    for (const char* bad : {"", "{}", "[1]", "{\"format\":\"kestro-study-record\"}"}) {
        EXPECT_FALSE(r->importJson(bad, error)) << bad;
        EXPECT_NE(error, "");
    }
}

TEST_F(RecordTest, StudyShowsNewCardsUpToTheDailyLimitThenDueOnesOldestFirst) {
    const StudyTime now = at("2026-03-10T09:00:00Z");
    std::vector<FlashCard> deck;
    for (int i = 0; i < 30; ++i)
        deck.push_back({"q" + std::to_string(i), "a"});
    auto r = open();
    // q0..q2 studied before: q1 due long ago, q0 due yesterday, q2 not yet.
    r->saveCard("q0", reviewCard({}, Rating::good, at("2026-03-06T09:00:00Z")), now);
    r->saveCard("q1", reviewCard({}, Rating::good, at("2026-02-01T09:00:00Z")), now);
    r->saveCard("q2", reviewCard({}, Rating::easy, at("2026-03-09T09:00:00Z")), now);
    // Three new cards studied today already leave room for 17.
    StudySession s(deck, r.get(), now);
    EXPECT_EQ(s.newCards(), 17);
    EXPECT_EQ(s.dueCards(), 2);
    std::vector<std::string> order;
    while (!s.finished()) {
        order.push_back(s.current().question + (s.currentIsPractice() ? "*" : ""));
        EXPECT_FALSE(s.answer(Rating::good, now)) << "answered before the answer was shown";
        s.reveal();
        // The first new card and the oldest due card are forgotten.
        const bool forget = order.back() == "q3" || order.back() == "q1";
        EXPECT_TRUE(s.answer(forget ? Rating::again : Rating::good, now));
    }
    EXPECT_EQ(order.front(), "q3");
    EXPECT_EQ(order[16], "q19");
    const std::vector<std::string> tail(order.end() - 4, order.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"q1", "q0", "q3*", "q1*"}));
    EXPECT_EQ(s.rated(), 19);
    EXPECT_EQ(r->card("q3")->reps, 1) << "practice is not a second rating";
    EXPECT_EQ(r->card("q1")->lapses, 1);
    // The forecast counts what is now due day by day.
    const auto forecast = dueForecast(*r, now);
    EXPECT_EQ(forecast.size(), 7u);
    EXPECT_EQ(forecast[1], 2); // q3 and q1, answered Again, return tomorrow
    EXPECT_EQ(StudySession(deck, r.get(), now).size(), 0u) << "nothing more today";
}

// --- durability: real processes ----------------------------------------------

// Runs `body` in a child process; returns its pid.
template <typename Body> pid_t child(Body body) {
    const pid_t pid = fork();
    if (pid == 0) {
        int status = 1;
        try {
            status = body();
        } catch (...) {
        }
        _exit(status);
    }
    return pid;
}

TEST_F(RecordTest, AKilledWriterLosesAtMostTheChangeBeingWritten) {
    open().reset();
    int acks[2];
    ASSERT_EQ(pipe(acks), 0);
    const pid_t writer = child([&] {
        close(acks[0]);
        std::string notice;
        auto r = Record::open(path, notice);
        for (int i = 0;; ++i) {
            if (!r->addTestAttempt("test1", {StudyTime{std::chrono::seconds{i}}, i % 1000, {}}))
                return 3;
            // Acknowledged only once committed.
            if (write(acks[1], "x", 1) != 1)
                return 4;
        }
    });
    close(acks[1]);
    int acknowledged = 0;
    char byte;
    while (acknowledged < 150 && read(acks[0], &byte, 1) == 1)
        ++acknowledged;
    kill(writer, SIGKILL);
    int status = 0;
    waitpid(writer, &status, 0);
    while (read(acks[0], &byte, 1) == 1)
        ++acknowledged;
    close(acks[0]);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped on its own: " << status;

    auto r = open();
    const auto kept = static_cast<int>(r->testAttempts("test1").size());
    EXPECT_GE(kept, acknowledged);
    EXPECT_LE(kept, acknowledged + 1);
    EXPECT_TRUE(r->activityOpened("lab", StudyTime{}));
}

TEST_F(RecordTest, TwoCopiesWritingAtOnceLoseNothing) {
    open().reset();
    constexpr int each = 150;
    std::vector<pid_t> writers;
    for (int w = 0; w < 2; ++w)
        writers.push_back(child([&, w] {
            std::string notice;
            auto r = Record::open(path, notice);
            if (!r)
                return 2;
            for (int i = 0; i < each; ++i) {
                const std::string card = "w" + std::to_string(w) + "-" + std::to_string(i);
                if (!r->saveCard(card, reviewCard({}, Rating::good, StudyTime{}), StudyTime{}) ||
                    !r->checklistProgress("lab", i + 1, each, false))
                    return 3;
            }
            return 0;
        }));
    for (pid_t pid : writers) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    auto r = open();
    EXPECT_EQ(r->cards().size(), 2u * each);
    EXPECT_EQ(r->activity("lab")->checklistDone, each);
}

} // namespace
} // namespace kestro
