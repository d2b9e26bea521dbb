#include "platform/ErrorLog.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <thread>

using namespace kestro;
namespace fs = std::filesystem;

namespace {

const std::string errorSentence =
    "The Application encountered an error. Behavior maybe unpredictable.";

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

// Sets an environment variable for one test and puts the old value back.
class EnvOverride {
public:
    EnvOverride(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~EnvOverride() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

// The text of one record, with the time stamp's shape checked, not its value.
std::string recordPattern(const std::string& op, int number, const std::string& description) {
    return "\"Error Occurred at \\d{1,2}/\\d{1,2}/\\d{4} \\d{1,2}:\\d\\d:\\d\\d (AM|PM)\"\n"
           "\"In function " +
           op + "\"\n\" Error number  =" + std::to_string(number) +
           "\"\n\" Description : " + description + "\"\n\" \"\n\" \"\n";
}

class ErrorLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::path(::testing::TempDir()) / "kestro-log-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        appFolder = dir / "app";
        fs::create_directories(appFolder);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }

    ErrorLog makeLog(const fs::path& folder) {
        return ErrorLog(folder.string(),
                        [this](const std::string& text) { boxes.push_back(text); });
    }

    fs::path dir;
    fs::path appFolder;
    std::vector<std::string> boxes;
    // Keeps the real per-user folder out of every test.
    EnvOverride xdg{"XDG_DATA_HOME", nullptr};
};

} // namespace

TEST_F(ErrorLogTest, FirstRecordReplacesTheOldLogLaterOnesAppend) {
    const fs::path logFile = appFolder / "ErrorLog.txt";
    writeFile(logFile, "left from the last run\n");
    ErrorLog log = makeLog(appFolder);
    EXPECT_EQ(log.primaryLogPath(), logFile.string());

    log.logError("procA", 5, "bad thing");
    EXPECT_FALSE(log.firstError);
    EXPECT_EQ(log.lastLogPath(), logFile.string());
    log.logError("procB", -2147217900, "no such table: x");

    const std::regex both(recordPattern("procA", 5, "bad thing") +
                          recordPattern("procB", -2147217900, "no such table: x"));
    EXPECT_TRUE(std::regex_match(readFile(logFile), both)) << readFile(logFile);

    // A new run starts the log over.
    ErrorLog nextRun = makeLog(appFolder);
    nextRun.logError("procC", 1, "x");
    EXPECT_TRUE(std::regex_match(readFile(logFile), std::regex(recordPattern("procC", 1, "x"))))
        << readFile(logFile);
}

TEST_F(ErrorLogTest, RecordLinesAreQuotedExactly) {
    ErrorLog log = makeLog(appFolder);
    log.logError("", 0, "");
    const std::string text = readFile(appFolder / "ErrorLog.txt");
    const std::size_t second = text.find('\n') + 1;
    EXPECT_EQ(text.substr(second), "\"In function \"\n\" Error number  =0\"\n\" Description : \"\n"
                                   "\" \"\n\" \"\n");

    // A line break inside the description would split the record.
    log.logError("op", 3, "first\r\nsecond\nthird");
    EXPECT_NE(readFile(appFolder / "ErrorLog.txt").find("\" Description : first  second third\"\n"),
              std::string::npos);
}

TEST_F(ErrorLogTest, MessageBoxNamesTheLogWritten) {
    ErrorLog log = makeLog(appFolder);
    log.logError("op", 1, "d");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0],
              errorSentence + "\n Please see details at " + (appFolder / "ErrorLog.txt").string());

    // No message box is no fault.
    ErrorLog quiet(appFolder.string(), {});
    EXPECT_NO_THROW(quiet.logError("op", 1, "d"));
}

TEST_F(ErrorLogTest, UnwritableAppFolderFallsBackToTheUserDataFolder) {
    const fs::path data = dir / "xdg" / "deeper";
    EnvOverride xdgHere("XDG_DATA_HOME", data.c_str());
    const fs::path fallback = data / "kestro" / "ErrorLog.txt";
    ASSERT_EQ(ErrorLog::fallbackLogPath(), fallback.string());
    writeFile(fallback, "left from the last run\n");

    ErrorLog log = makeLog("/proc/nonexistent");
    EXPECT_NO_THROW(log.logError("op", 7, "d"));
    EXPECT_EQ(log.lastLogPath(), fallback.string());
    EXPECT_TRUE(std::regex_match(readFile(fallback), std::regex(recordPattern("op", 7, "d"))))
        << readFile(fallback);
    log.logError("op2", 8, "e");
    EXPECT_TRUE(std::regex_match(readFile(fallback), std::regex(recordPattern("op", 7, "d") +
                                                                recordPattern("op2", 8, "e"))));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], errorSentence + "\n Please see details at " + fallback.string());
}

TEST_F(ErrorLogTest, NothingWritableStillTellsTheUserAndNeverThrows) {
    EnvOverride xdgNowhere("XDG_DATA_HOME", "/proc/nonexistent");
    ErrorLog log = makeLog("/proc/nonexistent");
    EXPECT_NO_THROW(log.logError("op", 1, "d"));
    EXPECT_EQ(log.lastLogPath(), "");
    // Nothing written: the first record that is written still starts afresh.
    EXPECT_TRUE(log.firstError);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], errorSentence +
                            "\n The error could not be written to /proc/nonexistent/ErrorLog.txt.");

    ErrorLog throwingBox("/proc/nonexistent",
                         [](const std::string&) { throw std::runtime_error("box failed"); });
    EXPECT_NO_THROW(throwingBox.logError("op", 1, "d"));
}

TEST_F(ErrorLogTest, FallbackFolderFollowsTheDataHomeRules) {
    EnvOverride home("HOME", "/home/student");
    {
        EnvOverride unset("XDG_DATA_HOME", nullptr);
        EXPECT_EQ(ErrorLog::fallbackLogPath(), "/home/student/.local/share/kestro/ErrorLog.txt");
    }
    {
        EnvOverride empty("XDG_DATA_HOME", "");
        EXPECT_EQ(ErrorLog::fallbackLogPath(), "/home/student/.local/share/kestro/ErrorLog.txt");
    }
    {
        EnvOverride relative("XDG_DATA_HOME", "relative/dir");
        EXPECT_EQ(ErrorLog::fallbackLogPath(), "/home/student/.local/share/kestro/ErrorLog.txt");
    }
    EnvOverride absolute("XDG_DATA_HOME", "/srv/data");
    EXPECT_EQ(ErrorLog::fallbackLogPath(), "/srv/data/kestro/ErrorLog.txt");
}

TEST(ErrorLogTime, UsesMonthDayYearAndATwelveHourClock) {
    auto at = [](int year, int month, int day, int hour, int minute, int second) {
        std::tm t{};
        t.tm_year = year - 1900;
        t.tm_mon = month - 1;
        t.tm_mday = day;
        t.tm_hour = hour;
        t.tm_min = minute;
        t.tm_sec = second;
        return formatLogTime(t);
    };
    EXPECT_EQ(at(2026, 12, 8, 3, 4, 5), "12/8/2026 3:04:05 AM");
    EXPECT_EQ(at(2026, 1, 31, 0, 0, 0), "1/31/2026 12:00:00 AM");
    EXPECT_EQ(at(2026, 1, 31, 12, 0, 0), "1/31/2026 12:00:00 PM");
    EXPECT_EQ(at(2026, 1, 31, 13, 59, 9), "1/31/2026 1:59:09 PM");
    EXPECT_EQ(at(1999, 7, 4, 23, 59, 59), "7/4/1999 11:59:59 PM");
    EXPECT_EQ(at(2000, 7, 4, 11, 10, 0), "7/4/2000 11:10:00 AM");
}

// --- the browser ----------------------------------------------------------------

TEST(OpenBrowser, TellsTheUserWhereToGoWhenTheBrowserCannotOpen) {
    std::vector<std::string> boxes;
    auto box = [&](const std::string& text) { boxes.push_back(text); };
    std::vector<std::string> asked;

    openBrowser("http://www.example.com/a b?x='1'&y", box, [&](const std::string& address) {
        asked.push_back(address);
        return false;
    });
    EXPECT_EQ(asked, std::vector<std::string>{"http://www.example.com/a b?x='1'&y"});
    EXPECT_EQ(boxes, std::vector<std::string>{
                         "Unable to open browser.Please visit http://www.example.com/a b?x='1'&y"});

    boxes.clear();
    openBrowser("http://www.example.com", box, [](const std::string&) { return true; });
    EXPECT_TRUE(boxes.empty());

    openBrowser("http://www.example.com", box,
                [](const std::string&) -> bool { throw std::runtime_error("no"); });
    EXPECT_EQ(boxes, std::vector<std::string>{
                         "Unable to open browser.Please visit http://www.example.com"});
}

TEST(StartProgram, ReportsHowTheProgramEnded) {
    using namespace std::chrono_literals;
    EXPECT_TRUE(startProgram({"true"}, 3s));
    EXPECT_FALSE(startProgram({"false"}, 3s));
    EXPECT_FALSE(startProgram({"kestro-no-such-program-anywhere"}, 3s));
    EXPECT_FALSE(startProgram({}, 3s));
}

TEST(StartProgram, PassesArgumentsWithoutAShell) {
    std::string pattern = (fs::path(::testing::TempDir()) / "kestro-spawn-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path dir = pattern;
    const std::string name = "a b;touch c&$(touch d)|e";
    EXPECT_TRUE(startProgram({"touch", (dir / name).string()}, std::chrono::seconds(3)));
    std::vector<std::string> made;
    for (const auto& entry : fs::directory_iterator(dir))
        made.push_back(entry.path().filename().string());
    EXPECT_EQ(made, std::vector<std::string>{name});
    fs::remove_all(dir);
}

TEST(StartProgram, DoesNotWaitLongAndLeavesNoZombie) {
    std::string pattern = (fs::path(::testing::TempDir()) / "kestro-spawn-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path pidFile = fs::path(pattern) / "pid";

    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(startProgram({"sh", "-c", "echo $$ > \"$0\"; sleep 0.5", pidFile.string()},
                             std::chrono::milliseconds(100)));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(450));

    // The child outlives the wait; once it ends it must be reaped, or it
    // would still answer signal 0 as a zombie.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    pid_t pid = 0;
    while (pid == 0 && std::chrono::steady_clock::now() < deadline) {
        std::istringstream(readFile(pidFile)) >> pid;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_GT(pid, 0);
    bool gone = false;
    while (!gone && std::chrono::steady_clock::now() < deadline) {
        gone = ::kill(pid, 0) != 0 && errno == ESRCH;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(gone);
    fs::remove_all(pattern);
}
