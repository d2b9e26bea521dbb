#include "content/ContentStore.h"

#include <gtest/gtest.h>

#include <sqlite3.h>
#include <sys/stat.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

using namespace kestro;
namespace fs = std::filesystem;

namespace {

// A folder of its own for one test, removed afterwards.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (fs::path(::testing::TempDir()) / "kestro-content-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~ScratchDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

void writeFile(const std::string& path, const std::string& content) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void makeDatabase(const std::string& path, const std::vector<std::string>& statements) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    for (const std::string& sql : statements) {
        char* message = nullptr;
        ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message), SQLITE_OK)
            << sql << ": " << (message ? message : "");
    }
    sqlite3_close(db);
}

// A small content database: the key tables with a few awkward keys.
class ContentStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        dbPath = dir / "DataStore.db";
        makeDatabase(dbPath,
                     {
                         "CREATE TABLE cmdInfo(cmd TEXT PRIMARY KEY COLLATE NOCASE, display TEXT)",
                         "CREATE TABLE Misc(id TEXT PRIMARY KEY COLLATE NOCASE, contents TEXT)",
                         "CREATE TABLE userModeCmds(cmd TEXT COLLATE NOCASE, implemented "
                         "INTEGER, ord INTEGER)",
                         "INSERT INTO cmdInfo VALUES ('bootText', 'BOOT'), ('show ?', 'HELP'), "
                         "('a''b', 'QUOTE'), ('null', NULL)",
                         "INSERT INTO Misc VALUES ('welcomeText', 'WELCOME')",
                         "INSERT INTO userModeCmds VALUES ('show', 1, 1), ('50%', 1, 2), "
                         "('500', 1, 3), ('a_b', 0, 4), ('axb', 0, 5), ('a\\b', 1, 6), "
                         "('a\\\\b', 1, 7), (NULL, NULL, 8)",
                     });
        std::string error;
        store = ContentStore::open(dbPath, error);
        ASSERT_NE(store, nullptr) << error;
        store->setFailureHandler(
            [this](const std::string& caller, int number, const std::string& description) {
                failures.push_back({caller, number, description});
            });
    }

    std::vector<std::string> column(const char* sql, const std::vector<std::string>& params) {
        std::vector<std::string> values;
        for (const auto& row : store->query(sql, params, "test"))
            values.push_back(row.at(0));
        return values;
    }

    struct Failure {
        std::string caller;
        int number;
        std::string description;
    };

    ScratchDir dir;
    std::string dbPath;
    std::unique_ptr<ContentStore> store;
    std::vector<Failure> failures;
};

const char* const likeQuery =
    "SELECT cmd FROM userModeCmds WHERE cmd LIKE ?1 ESCAPE '\\' ORDER BY ord";

} // namespace

// --- opening ------------------------------------------------------------------

TEST(ContentStoreOpen, MissingFileGivesNullNamesTheFileAndCreatesNothing) {
    ScratchDir dir;
    const std::string path = dir / "DataStore.db";
    std::string error;
    EXPECT_EQ(ContentStore::open(path, error), nullptr);
    EXPECT_EQ(error, "Cannot open the content database \"" + path + "\": the file does not exist.");
    EXPECT_FALSE(fs::exists(path));

    // A missing folder on the way is the same fault.
    EXPECT_EQ(ContentStore::open(dir / "no/such/DataStore.db", error), nullptr);
    EXPECT_NE(error.find("does not exist"), std::string::npos) << error;
}

TEST(ContentStoreOpen, FilesThatAreNotOurDatabaseGiveNullWithTheReason) {
    ScratchDir dir;
    std::string error;

    const std::string text = dir / "notes.db";
    writeFile(text, "this is just some text, long enough to look like a header.......\n");
    EXPECT_EQ(ContentStore::open(text, error), nullptr);
    EXPECT_NE(error.find("\"" + text + "\""), std::string::npos) << error;
    EXPECT_NE(error.find("not a database"), std::string::npos) << error;

    const std::string empty = dir / "empty.db";
    writeFile(empty, "");
    EXPECT_EQ(ContentStore::open(empty, error), nullptr);
    EXPECT_NE(error.find("\"" + empty + "\""), std::string::npos) << error;

    const std::string other = dir / "other.db";
    makeDatabase(other, {"CREATE TABLE something(x)"});
    EXPECT_EQ(ContentStore::open(other, error), nullptr);
    EXPECT_NE(error.find("\"" + other + "\""), std::string::npos) << error;
    EXPECT_NE(error.find("cmdInfo"), std::string::npos) << error;

    EXPECT_EQ(ContentStore::open(dir.path().string(), error), nullptr);
    EXPECT_NE(error.find("folder"), std::string::npos) << error;

    const std::string fifo = dir / "fifo.db";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ContentStore::open(fifo, error), nullptr);
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;

    // Root reads every file, so only another user sees the refusal.
    const std::string locked = dir / "locked.db";
    makeDatabase(locked, {"CREATE TABLE cmdInfo(cmd, display)"});
    fs::permissions(locked, fs::perms::none);
    if (::geteuid() != 0) {
        EXPECT_EQ(ContentStore::open(locked, error), nullptr);
        EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
    }
}

TEST_F(ContentStoreTest, IsReadOnly) {
    EXPECT_TRUE(store->query("INSERT INTO Misc VALUES ('x', 'y')", {}, "writer").empty());
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].caller, "writer");
    EXPECT_EQ(failures[0].number & 0xff, SQLITE_READONLY);
    EXPECT_EQ(store->misc("x", "test"), std::nullopt);
}

// --- lookups --------------------------------------------------------------------

TEST_F(ContentStoreTest, KeyLookupsIgnoreCase) {
    EXPECT_EQ(store->cmdInfo("bootText", "test"), "BOOT");
    EXPECT_EQ(store->cmdInfo("BOOTTEXT", "test"), "BOOT");
    EXPECT_EQ(store->cmdInfo("SHOW ?", "test"), "HELP");
    EXPECT_EQ(store->misc("WelcomeText", "test"), "WELCOME");
    EXPECT_EQ(store->cmdInfo("welcomeText", "test"), std::nullopt); // other table
    EXPECT_EQ(store->cmdInfo("null", "test"), "");                  // NULL reads as empty
    EXPECT_TRUE(failures.empty());
}

TEST_F(ContentStoreTest, TypedTextNeitherBreaksNorWidensAQuery) {
    EXPECT_EQ(store->cmdInfo("a'b", "test"), "QUOTE");
    for (const char* key : {"a'", "'", "%", "_ootText", "bootTex_", "bootText' OR '1'='1",
                            "bootText\" OR 1=1 --", "", "bootText "})
        EXPECT_EQ(store->cmdInfo(key, "test"), std::nullopt) << key;
    EXPECT_EQ(store->misc("%", "test"), std::nullopt);
    EXPECT_TRUE(failures.empty());
}

TEST_F(ContentStoreTest, EscapedLikePrefixMatchesTypedWildcardsLiterally) {
    using V = std::vector<std::string>;
    EXPECT_EQ(column(likeQuery, {ContentStore::escapeLike("50%") + "%"}), V{"50%"});
    EXPECT_EQ(column(likeQuery, {ContentStore::escapeLike("a_") + "%"}), V{"a_b"});
    EXPECT_EQ(column(likeQuery, {ContentStore::escapeLike("a\\") + "%"}), (V{"a\\b", "a\\\\b"}));
    EXPECT_EQ(column(likeQuery, {ContentStore::escapeLike("%") + "%"}), V{});
    EXPECT_EQ(column(likeQuery, {ContentStore::escapeLike("SH") + "%"}), V{"show"});
    // Unescaped, the same text would be a wildcard.
    EXPECT_EQ(column(likeQuery, {"5%"}), (V{"50%", "500"}));
    EXPECT_TRUE(failures.empty());
}

TEST(ContentStoreEscapeLike, EscapesWildcardsAndTheEscapeCharacterOnly) {
    EXPECT_EQ(ContentStore::escapeLike(""), "");
    EXPECT_EQ(ContentStore::escapeLike("show ip"), "show ip");
    EXPECT_EQ(ContentStore::escapeLike("a%b_c\\d'"), "a\\%b\\_c\\\\d'");
    EXPECT_EQ(ContentStore::escapeLike("%%"), "\\%\\%");
}

TEST_F(ContentStoreTest, QueryReturnsEveryRowAndColumnAsText) {
    const auto rows =
        store->query("SELECT cmd, implemented, ord FROM userModeCmds WHERE ord >= ?1 ORDER BY ord",
                     {"6"}, "test");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"a\\b", "1", "6"}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"", "", "8"}));
}

TEST_F(ContentStoreTest, ReusedStatementsStartAfresh) {
    const char* sql = "SELECT display FROM cmdInfo WHERE cmd = ?1";
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(column(sql, {"bootText"}), std::vector<std::string>{"BOOT"});
        EXPECT_EQ(column(sql, {"show ?"}), std::vector<std::string>{"HELP"});
        // The same text through the lookup shares the statement.
        EXPECT_EQ(store->cmdInfo("a'b", "test"), "QUOTE");
    }
    // A statement of several rows runs again from its first.
    const char* two = "SELECT cmd FROM userModeCmds WHERE implemented = ?1 ORDER BY ord";
    EXPECT_EQ(column(two, {"0"}), (std::vector<std::string>{"a_b", "axb"}));
    EXPECT_EQ(column(two, {"0"}), (std::vector<std::string>{"a_b", "axb"}));
    EXPECT_TRUE(failures.empty());
}

TEST_F(ContentStoreTest, FailuresAreReportedUnderTheCallerAndGiveNothing) {
    EXPECT_TRUE(store->query("SELECT nothing FROM cmdInfo", {}, "procA").empty());
    EXPECT_TRUE(store->query("SELECT nothing FROM cmdInfo", {}, "procB").empty());
    ASSERT_EQ(failures.size(), 2u); // a failed preparation is not cached
    EXPECT_EQ(failures[0].caller, "procA");
    EXPECT_EQ(failures[1].caller, "procB");
    EXPECT_EQ(failures[0].number, SQLITE_ERROR);
    EXPECT_NE(failures[0].description.find("nothing"), std::string::npos)
        << failures[0].description;

    failures.clear();
    EXPECT_TRUE(store->query("SELECT display FROM cmdInfo WHERE cmd = ?1", {}, "procC").empty());
    EXPECT_TRUE(
        store->query("SELECT display FROM cmdInfo WHERE cmd = ?1", {"a", "b"}, "procC").empty());
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0].number, SQLITE_RANGE);

    // Without a handler a failure is quiet.
    store->setFailureHandler({});
    EXPECT_TRUE(store->query("not sql", {}, "procD").empty());
    EXPECT_EQ(store->cmdInfo("bootText", "test"), "BOOT");
}

// --- the content builder --------------------------------------------------------

namespace {

struct BuildResult {
    int status = -1;
    std::string messages;
};

BuildResult runBuilder(const ScratchDir& scratch, const std::string& dataDir,
                       const std::string& outDb) {
    const std::string program = KESTRO_BIN_DIR "/kestro-content-builder";
    const std::string log = scratch / "builder.log";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<std::string> args{program, dataDir, outDb};
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    BuildResult result;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        result.messages = "cannot start " + program;
        return result;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.messages = readFile(log);
    return result;
}

class ContentBuilderTest : public ::testing::Test {
protected:
    std::string data(const std::string& name) const { return scratch / ("data/" + name); }
    void source(const std::string& name, const std::string& content) {
        writeFile(data(name), content);
    }
    BuildResult build() { return runBuilder(scratch, scratch / "data", outDb); }

    // Builds data that must be refused; the fault names `where`, and an
    // earlier database is left as it was.
    void expectFault(const std::string& where, const std::string& what) {
        writeFile(outDb, "previous");
        const BuildResult result = build();
        EXPECT_EQ(result.status, 1) << result.messages;
        EXPECT_NE(result.messages.find(where + ": "), std::string::npos)
            << "expected " << where << " in: " << result.messages;
        EXPECT_NE(result.messages.find(what), std::string::npos)
            << "expected '" << what << "' in: " << result.messages;
        EXPECT_EQ(readFile(outDb), "previous");
        EXPECT_FALSE(fs::exists(outDb + ".tmp"));
    }

    std::unique_ptr<ContentStore> openBuilt() {
        std::string error;
        auto store = ContentStore::open(outDb, error);
        EXPECT_NE(store, nullptr) << error;
        return store;
    }

    void SetUp() override { fs::create_directories(scratch / "data"); }

    ScratchDir scratch;
    std::string outDb = scratch / "DataStore.db";
};

} // namespace

TEST_F(ContentBuilderTest, BuildsEveryKindOfSource) {
    source("README.md", "about\n");
    // Blanks at the ends of lines are part of a help screen.
    source("cmdInfo/help/showHelp.txt", "cmd:  show ?  \n---\nFirst line\n   \nlast  \n");
    source("cmdInfo/noFinalNewline.txt", "cmd: x\n---\none\ntwo");
    source("cmdInfo/endsWithBreak.txt", "cmd: y\n---\none\n\n");
    source("cmdInfo/emptyBody.txt", "cmd: z\n---\n");
    source("misc/welcome.txt", "id: welcomeText\n---\nHello\n--- solutionText\n");
    source("labs/lab1.txt", "LabName: Lab 1\n---\nDo this.\n");
    source("tests/t1.txt", "testName: Test <1>\n---\nQ?\n");
    source("troubleshooting/t.txt",
           "labName: Broken link\n---\nFind it.\n--- solutionText\nFixed.\nDone.\n");
    source("commands/userModeCmds.tsv",
           "# cmd\timplemented\n\nshow version\t1\nenable\t1\nconnect\t0\n");
    source("commands/ifModeCmds.tsv", "ip address\t1\t012\nclock rate\t1\t12\n");
    source("flashcards.tsv", "# question\tanswer\nWhat is RIP?\tA protocol\n\nQ2\tA2\n");

    const BuildResult result = build();
    ASSERT_EQ(result.status, 0) << result.messages;
    EXPECT_FALSE(fs::exists(outDb + ".tmp"));
    auto store = openBuilt();
    ASSERT_NE(store, nullptr);

    EXPECT_EQ(store->cmdInfo("SHOW ?", "t"), "First line\r\n   \r\nlast  ");
    EXPECT_EQ(store->cmdInfo("x", "t"), "one\r\ntwo");
    EXPECT_EQ(store->cmdInfo("y", "t"), "one\r\n");
    EXPECT_EQ(store->cmdInfo("z", "t"), "");
    // Only troubleshooting entries have a solution part.
    EXPECT_EQ(store->misc("welcometext", "t"), "Hello\r\n--- solutionText");

    using Rows = std::vector<std::vector<std::string>>;
    EXPECT_EQ(store->query("SELECT labText FROM Labs WHERE LabName = ?1", {"lab 1"}, "t"),
              (Rows{{"Do this."}}));
    EXPECT_EQ(store->query("SELECT testText FROM tests WHERE testName = ?1", {"Test <1>"}, "t"),
              (Rows{{"Q?"}}));
    EXPECT_EQ(
        store->query("SELECT troubleshootingText, solutionText FROM troubleshooting", {}, "t"),
        (Rows{{"Find it.", "Fixed.\r\nDone."}}));
    EXPECT_EQ(store->query("SELECT cmd, implemented, ord FROM userModeCmds ORDER BY ord", {}, "t"),
              (Rows{{"show version", "1", "1"}, {"enable", "1", "2"}, {"connect", "0", "3"}}));
    EXPECT_EQ(store->query("SELECT cmd, interface FROM ifModeCmds ORDER BY ord", {}, "t"),
              (Rows{{"ip address", "012"}, {"clock rate", "12"}}));
    EXPECT_EQ(store->query("SELECT ID, question, answer FROM flashCards ORDER BY ID", {}, "t"),
              (Rows{{"1", "What is RIP?", "A protocol"}, {"2", "Q2", "A2"}}));
}

TEST_F(ContentBuilderTest, EmptyDataStillCreatesEveryTable) {
    ASSERT_EQ(build().status, 0);
    auto store = openBuilt();
    ASSERT_NE(store, nullptr);
    std::vector<std::string> failed;
    store->setFailureHandler(
        [&](const std::string& caller, int, const std::string&) { failed.push_back(caller); });
    for (const char* sql :
         {"SELECT cmd, implemented, ord FROM userModeCmds",
          "SELECT cmd FROM privModeCmds",
          "SELECT cmd FROM confModeCmds",
          "SELECT cmd FROM lineModeCmds",
          "SELECT cmd FROM configRouterRipModeCmds",
          "SELECT cmd FROM configRouterIgrpModeCmds",
          "SELECT cmd FROM userModeCmdsExtended",
          "SELECT cmd FROM privModeCmdsExtended",
          "SELECT cmd FROM confModeCmdsExtended",
          "SELECT cmd FROM configRouterRipModeCmdsExtended",
          "SELECT cmd FROM configRouterIgrpModeCmdsExtended",
          "SELECT cmd, implemented, ord, interface FROM ifModeCmds",
          "SELECT cmd, implemented, ord, interface FROM ifModeCmdsExtended",
          "SELECT id, contents FROM Misc",
          "SELECT LabName, labText FROM Labs",
          "SELECT testName, testText FROM tests",
          "SELECT labName, troubleshootingText, solutionText FROM troubleshooting",
          "SELECT ID, question, answer FROM flashCards",
          "SELECT testName, position, heading, label, condition FROM testChecks",
          "SELECT cmd FROM lineModeCmdsExtended"})
        EXPECT_TRUE(store->query(sql, {}, sql).empty());
    EXPECT_EQ(failed, std::vector<std::string>{"SELECT cmd FROM lineModeCmdsExtended"});
}

TEST_F(ContentBuilderTest, RejectsBadCommandLinesWithFileAndLine) {
    const std::string file = data("commands/userModeCmds.tsv");
    const std::vector<std::pair<std::string, std::string>> cases{
        {"show", "expected 2 tab-separated columns"},
        {"show\t1\textra", "expected 2 tab-separated columns"},
        {"show\t2", "implemented must be 0 or 1"},
        {"show\t", "implemented must be 0 or 1"},
        {"Show\t1", "upper-case"},
        {"show  version\t1", "more than one blank"},
        {"show \t1", "starts or ends with a blank"},
        {" show\t1", "starts or ends with a blank"},
        {"\t1", "the command is empty"},
        {"enable\t0", "duplicate command \"enable\" (first on line 2)"},
    };
    for (const auto& [line, what] : cases) {
        SCOPED_TRACE(line);
        source("commands/userModeCmds.tsv", "# header\nenable\t1\n" + line + "\nlater\t1\n");
        expectFault(file + ":3", what);
    }
}

TEST_F(ContentBuilderTest, RejectsBadInterfaceColumns) {
    const std::string file = data("commands/ifModeCmdsExtended.tsv");
    for (const std::string line :
         {"shutdown\t1\t", "shutdown\t1\t3", "shutdown\t1\t0 1", "shutdown\t1"}) {
        SCOPED_TRACE(line);
        source("commands/ifModeCmdsExtended.tsv", line + "\n");
        expectFault(file + ":1", line == "shutdown\t1" ? "expected 3" : "interface must be");
    }
}

TEST_F(ContentBuilderTest, RejectsBadTextEntries) {
    const std::string file = data("cmdInfo/a.txt");
    const std::vector<std::tuple<std::string, std::string, std::string>> cases{
        {"cmd: a\nbody\n", ":2", "expected a header line"},
        {"cmd: a\n", ":1", "no \"---\" line ends the header"},
        {"---\nbody\n", ":1", "missing header field \"cmd\""},
        {"id: a\n---\n", ":1", "unknown header field \"id\""},
        {"cmd: a\ncmd: b\n---\n", ":2", "given twice"},
        {"cmd:   \n---\n", ":1", "has no value"},
        {"cmd: a\n---\nline\r\nline\n", ":3", "carriage return"},
        {"cmd: a\n---\n\xff\n", ":3", "UTF-8"},
    };
    for (const auto& [content, line, what] : cases) {
        SCOPED_TRACE(content);
        source("cmdInfo/a.txt", content);
        expectFault(file + line, what);
    }
    fs::remove(file);

    source("troubleshooting/t.txt", "labName: L\n---\nonly the problem\n");
    expectFault(data("troubleshooting/t.txt") + ":3", "no \"--- solutionText\" line");
    source("troubleshooting/t.txt", "labName: L\n---\n--- solutionText\n--- solutionText\n");
    expectFault(data("troubleshooting/t.txt") + ":4", "second \"--- solutionText\"");
}

TEST_F(ContentBuilderTest, RejectsTestChecksThatCannotBeRead) {
    source("tests/t1.txt", "testName: t1\n---\ntext\n");
    const std::string file = data("tests/t1.checks");
    const std::vector<std::tuple<std::string, std::string, std::string>> cases{
        {"check \"A: \" hostnam is \"x\"\n", ":1", "condition: unknown field \"hostnam\""},
        {"heading \"H\"\ncheck \"A: \" historySize = \"12\"\n", ":2", "cannot hold"},
        {"heading \"H\" cdpRun\ncheck \"A: \" cdpRun\n", ":1", "a heading has no condition"},
        {"verify \"A\" cdpRun\n", ":1", "a line is a heading"},
        {"check \"A: cdpRun\n", ":1", "no closing quote"},
        {"# only a comment\nheading \"H\"\n", "", "a test needs at least one check"},
    };
    for (const auto& [content, line, what] : cases) {
        SCOPED_TRACE(content);
        source("tests/t1.checks", content);
        expectFault(file + line, what);
    }
    source("tests/t2.checks", "check \"A: \" cdpRun\n");
    expectFault(data("tests/t2.checks"), "checks for \"t2\", which has no test text");
}

TEST_F(ContentBuilderTest, RejectsDuplicateKeysAcrossFilesIgnoringCase) {
    source("cmdInfo/a.txt", "cmd: bootText\n---\none\n");
    source("cmdInfo/sub/b.txt", "cmd: BOOTTEXT\n---\ntwo\n");
    expectFault(data("cmdInfo/sub/b.txt") + ":1",
                "duplicate key \"BOOTTEXT\" (already in " + data("cmdInfo/a.txt") + ":1)");

    // The same key in different tables is no clash.
    fs::remove(data("cmdInfo/sub/b.txt"));
    source("misc/b.txt", "id: bootText\n---\ntwo\n");
    EXPECT_EQ(build().status, 0);
}

TEST_F(ContentBuilderTest, RejectsUnknownFiles) {
    for (const std::string name : {"notes.txt", "cmdInfo/a.md", "commands/sub/userModeCmds.tsv",
                                   "lineModeCmds.tsv", "pictures/x.txt", "cmdInfo.txt"}) {
        SCOPED_TRACE(name);
        source(name, "cmd: a\n---\n");
        expectFault(data(name), "unknown content file");
        fs::remove(data(name));
    }
    source("commands/lineModeCmdsExtended.tsv", "");
    expectFault(data("commands/lineModeCmdsExtended.tsv"),
                "unknown command table \"lineModeCmdsExtended\"");
}

TEST_F(ContentBuilderTest, ShippedContentBuildsAndHoldsTheBootScreen) {
    const BuildResult result = runBuilder(scratch, KESTRO_SOURCE_DIR "/data", outDb);
    ASSERT_EQ(result.status, 0) << result.messages;
    auto store = openBuilt();
    ASSERT_NE(store, nullptr);
    const auto boot = store->cmdInfo("bootText", "t");
    ASSERT_TRUE(boot.has_value());
    EXPECT_NE(boot->find("\r\nKestro Router Software (KRS), KR1600 Software (KR1600-I-L), Version "
                         "11.3(4), RELEASE SOFTWARE\r\n"),
              std::string::npos);
    EXPECT_NE(boot->find("\r\n1 Ethernet/IEEE 802.3 interface(s)\r\n2 Serial network "
                         "interface(s)\r\n"),
              std::string::npos);
    // The session adds the start-up prompt itself.
    EXPECT_EQ(boot->find("Press RETURN"), std::string::npos);
    EXPECT_NE(boot->back(), '\n');
}

namespace {

// Runs a shell command; answers its status and what it wrote to standard
// error.
std::pair<int, std::string> runCaptured(const std::string& command) {
    FILE* pipe = ::popen((command + " 2>&1 >/dev/null </dev/null").c_str(), "r");
    std::string text;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        text += buffer;
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
}

} // namespace

// Without a screen anyone sees, a content database fault is written to
// standard error, names the file, and nothing waits for a click.
TEST(DesktopStartUp, ContentFaultsReachStandardErrorAndNothingWaits) {
    const fs::path desktop = fs::path(KESTRO_BIN_DIR) / "kestro";
    if (!fs::exists(desktop))
        GTEST_SKIP() << "the desktop program is not built";
    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
        int status;
        std::string says;
    };
    const Case cases[] = {
        {"missing", [](const std::string&) {}, 1, "the file does not exist."},
        {"not a database", [](const std::string& p) { writeFile(p, std::string(200, 'x')); }, 1,
         "the file is not a database."},
        {"empty tables",
         [](const std::string& p) {
             makeDatabase(
                 p, {"CREATE TABLE cmdInfo(cmd, display)", "CREATE TABLE Misc(id, contents)"});
         },
         0, " holds no welcome text."},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        fs::copy_file(desktop, dir / "kestro");
        c.make(dir / "DataStore.db");
        // Started from a folder of its own, with no screen anyone sees.
        const auto [status, text] =
            runCaptured("cd '" + dir.path().string() +
                        "' && QT_QPA_PLATFORM=offscreen timeout 60 ./kestro "
                        "--skip-countdown --quit-when-shown");
        EXPECT_EQ(status, c.status) << c.name << ": " << text;
        EXPECT_NE(text.find("\"" + (dir / "DataStore.db") + "\""), std::string::npos)
            << c.name << ": " << text;
        EXPECT_NE(text.find(c.says), std::string::npos) << c.name << ": " << text;
    }
}

// A screenshot folder that cannot be made ends the run with a message.
TEST(DesktopStartUp, AScreenshotFolderThatCannotBeMadeIsAFailure) {
    const fs::path tour = fs::path(KESTRO_BIN_DIR) / "kestro-screenshots";
    if (!fs::exists(tour))
        GTEST_SKIP() << "the desktop program is not built";
    const auto [status, text] =
        runCaptured("QT_QPA_PLATFORM=offscreen timeout 60 '" + tour.string() + "' /proc/none");
    EXPECT_EQ(status, 2);
    EXPECT_NE(text.find("kestro-screenshots: cannot make the folder /proc/none\n"),
              std::string::npos)
        << text;
}
