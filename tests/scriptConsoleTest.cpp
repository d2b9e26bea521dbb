// The keystroke script reader and parser, and kestro-console's refusal of bad
// files and options.
#include "Frontends.h"
#include "Simulator.h"
#include "console/RecordingConsole.h"
#include "learning/Activities.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

using namespace kestro;
namespace fs = std::filesystem;

namespace {

// The keys as a compact text: characters as they are, special keys as {code},
// Ctrl letters as ^x, the other kinds by name.
std::string describe(const std::vector<ScriptKey>& keys) {
    std::string out;
    for (const ScriptKey& k : keys) {
        switch (k.kind) {
        case ScriptKey::escDown:
            out += "[escDown]";
            break;
        case ScriptKey::escUp:
            out += "[escUp]";
            break;
        case ScriptKey::routerA:
            out += "[A]";
            break;
        case ScriptKey::routerB:
            out += "[B]";
            break;
        case ScriptKey::press:
            if (k.key.ctrl)
                out += "^" + std::string(1, static_cast<char>(k.key.code - 'A' + 'a'));
            else if (k.key.ch >= 32)
                out += static_cast<char>(k.key.ch);
            else
                out += "{" + std::to_string(k.key.code) + "}";
            break;
        }
    }
    return out;
}

TEST(ScriptParser, KeyNamesAndLineEnds) {
    struct Case {
        std::string text, keys;
    } cases[] = {
        {"en\n", "en{13}"},
        {"en", "en"}, // no line end, no Enter
        {"a\r\nb\n", "a{13}b{13}"},
        {"conf t\\\n<Tab>\n", "conf t{9}{13}"},
        {"\\\n", ""},
        {"<lt>x<Space><Enter>", "<x {13}"},
        {"<Up><Down><Left><Right><Home><End><Backspace><Delete><Esc>",
         "{38}{40}{37}{39}{36}{35}{8}{46}{27}"},
        {"<C-a><C-z>", "^a^z"},
        {"<Esc+f>", "[escDown]f[escUp]"},
        {"<RouterA><RouterB>", "[A][B]"},
        {"\n\n", "{13}{13}"},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto keys = parseScript(c.text, "s", error);
        ASSERT_TRUE(keys) << c.text << ": " << error;
        EXPECT_EQ(describe(*keys), c.keys) << c.text;
    }
}

TEST(ScriptParser, BadKeyNamesNameTheLine) {
    struct Case {
        std::string text, error;
    } cases[] = {
        {"ok\n<Bogus>\n", "s:2: unknown key name <Bogus>; write <lt> for a literal <"},
        {"a <b", "s:1: unknown key name <b>; write <lt> for a literal <"},
        {"<C-A>", "s:1: unknown key name <C-A>; write <lt> for a literal <"},
        {"<>", "s:1: unknown key name <>; write <lt> for a literal <"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(parseScript(c.text, "s", error)) << c.text;
        EXPECT_EQ(error, c.error);
    }
}

TEST(ScriptReader, ReadsAFileAndRefusesBadOnesWithOneMessage) {
    const fs::path dir = fs::temp_directory_path() / ("kestroScript" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "good.keys") << "enable\n";
    // Sparse: over the limit without writing 64 MB.
    fs::resize_file((std::ofstream(dir / "huge.keys"), dir / "huge.keys"), maxScriptBytes + 1);
    std::string error;
    EXPECT_EQ(readScriptFile((dir / "good.keys").string(), error), "enable\n");

    struct Case {
        std::string path, error;
    } cases[] = {
        {dir.string(), "it is a folder"},
        {(dir / "missing").string(), "No such file or directory"},
        {"/proc/self/mem", "Input/output error"},
        {(dir / "huge.keys").string(), "it is larger than 64 MB"},
        {"/dev/zero", "it is larger than 64 MB"},
    };
    for (const Case& c : cases) {
        error.clear();
        EXPECT_FALSE(readScriptFile(c.path, error)) << c.path;
        EXPECT_EQ(error, "cannot read the script file " + c.path + ": " + c.error);
    }
    fs::remove_all(dir);
}

// Runs kestro-console with the arguments; answers its status and what it
// wrote to standard error. `out` redirects its standard output.
std::pair<int, std::string> runConsole(const std::string& args,
                                       const std::string& out = ">/dev/null") {
    const std::string command =
        std::string(KESTRO_BIN_DIR) + "/kestro-console " + args + " 2>&1 " + out + " </dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string text;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        text += buffer;
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
}

TEST(ConsoleOptions, BadFilesAndNumbersEndWithStatus2AndOneMessage) {
    struct Case {
        std::string args, message;
    } cases[] = {
        {"--script /", "cannot read the script file /: it is a folder"},
        {"--script /proc/self/mem",
         "cannot read the script file /proc/self/mem: Input/output error"},
        {"--lines abc", "--lines needs a number from 1 to 2147483647"},
        {"--lines 4294967296", "--lines needs a number from 1 to 2147483647"},
        {"--lines 0", "--lines needs a number from 1 to 2147483647"},
        {"--seed 4294967296", "--seed needs a number from 0 to 4294967295"},
        {"--seed -1", "--seed needs a number from 0 to 4294967295"},
        {"--seed ''", "--seed needs a number from 0 to 4294967295"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(runConsole(c.args), std::make_pair(2, "kestro-console: " + c.message + "\n"))
            << c.args;
    EXPECT_EQ(runConsole("--seed 4294967295 --lines 2147483647 --script /dev/null").first, 0);
}

// Output that cannot be written (a full disk, a closed standard output) is a
// failure: a teacher's grades must not vanish with status 0.
TEST(ConsoleOptions, OutputThatCannotBeWrittenEndsWithStatus1AndOneMessage) {
    const std::string full = "kestro-console: cannot write the output: No space left on device\n";
    const std::string closed = "kestro-console: cannot write the output: Bad file descriptor\n";
    const std::pair<const char*, const char*> cases[] = {
        {"--activity test1 --script /dev/null --report", ">/dev/full"},
        {"--script /dev/null", ">/dev/full"},
        {"--instructions learn", ">/dev/full"},
        {"--activity test2 --instructions test", ">/dev/full"},
        {"--help", ">/dev/full"},
        {"--script /dev/null", ">&-"},
        {"--activity test1 --script /dev/null --report", ">&-"},
    };
    for (const auto& [args, out] : cases)
        EXPECT_EQ(runConsole(args, out),
                  std::make_pair(1, std::string(out) == ">&-" ? closed : full))
            << args << " " << out;
}

// Standard output and status of kestro-console, standard error dropped.
std::pair<int, std::string> consoleOutput(const std::string& args) {
    return runConsole(args, "2>/dev/null");
}

std::string walkthrough(const std::string& name) {
    return std::string(KESTRO_SOURCE_DIR) + "/tests/walkthroughs/" + name;
}

// --check and --grade: what they print and their status, from a fresh
// session, a finished walk-through and wrong uses.
TEST(ConsoleOptions, CheckAndGradePrintTheChecklistOrOneRowPerFile) {
    const std::string t1 = walkthrough("troubleshooting/troubleshooting1");
    const std::string test1 = walkthrough("tests/test1.keys");
    struct Case {
        std::string args;
        int status;
        std::vector<std::string> lines; // some lines of the output, in order
    } cases[] = {
        {"--activity troubleshooting1 --script /dev/null --check",
         1,
         {"Troubleshooting Exercise 1: The LAN Does Not Answer", "[ ] Look at the routing table",
          "    Found: \"show ip route\" not run",
          "    Found: Ethernet0: ip address 192.34.5.6 255.255.255.0",
          "    Found: a ping from RouterA to 128.16.31.5 fails", "Progress: 0 of 5 (0%)"}},
        {"--activity troubleshooting1 --script " + t1 + ".keys --check",
         1,
         {"[x] Give Ethernet0 the planned address on the office LAN", "Progress: 4 of 5 (80%)"}},
        {"--activity test1 --script /dev/null --check", 2, {}},
        {"--activity aboutTheLabs --script /dev/null --check", 2, {}},
        {"--activity troubleshooting1 --check", 2, {}},
        {"--activity test1 --grade " + test1 + " /dev/null /missing.keys --csv -",
         1,
         {"file,score,grade,Part1> Setting terminal history to 12,Part2> MOTD banner,3a> Setting "
          "timeout,3b> Enabling login,3c> Setting password,Part4> Setting host name,Part5> "
          "Setting unencrypted priviledged mode password",
          test1 + ",1000,Pass,Correct,Correct,Correct,Correct,Correct,Correct,Correct",
          "/dev/null,0,Fail,Incorrect,Incorrect,Incorrect,Incorrect,Incorrect,Incorrect,Incorrect",
          "/missing.keys,cannot read the script file /missing.keys: No such file or directory"}},
        {"--activity troubleshooting1 --grade /dev/null",
         0,
         {"file,Look at the routing table,Look at the status and the address of Ethernet0,Give "
          "Ethernet0 the planned address on the office LAN,Both office hosts answer a ping,See "
          "the office LAN in the routing table,percent",
          "/dev/null,not met,not met,not met,not met,not met,0"}},
        {"--activity aboutTheLabs --grade /dev/null", 2, {}},
        {"--activity test1 --grade", 2, {}},
        {"--activity test1 --csv -", 2, {}},
    };
    for (const Case& c : cases) {
        const auto [status, out] = consoleOutput(c.args);
        EXPECT_EQ(status, c.status) << c.args << "\n" << out;
        std::size_t from = 0;
        for (const std::string& line : c.lines) {
            const std::size_t at = out.find(line + "\n", from);
            EXPECT_NE(at, std::string::npos) << c.args << ": no line " << line << " in\n" << out;
            from = at == std::string::npos ? from : at;
        }
    }
}

// A class of 300 is marked at once: well under two seconds.
TEST(ConsoleOptions, GradingThreeHundredFilesTakesWellUnderTwoSeconds) {
    std::string files;
    for (int i = 0; i < 300; ++i)
        files += " " + walkthrough("tests/test1.keys");
    const auto start = std::chrono::steady_clock::now();
    const auto [status, out] = consoleOutput("--activity test1 --grade" + files);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(status, 0);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 301);
    // About 0.1 s on an idle machine; the bound leaves room for a loaded one
    // and for the sanitizers' slower build.
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(took, std::chrono::seconds(20));
#else
    EXPECT_LT(took, std::chrono::seconds(2));
#endif
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The transcript written while the keys are typed is the one of the
// transcript tests, with the pane kept whole and with it forgetting what is
// written after every key (a long script's bounded memory), and with the
// keys read from the text as they are typed.
TEST(ScriptTranscript, WrittenAsTypedWithThePaneWholeOrForgotten) {
    std::string error;
    int cases = 0;
    for (const auto& entry :
         fs::directory_iterator(fs::path(KESTRO_SOURCE_DIR) / "tests/transcripts")) {
        if (entry.path().extension() != ".keys")
            continue;
        fs::path argsPath = entry.path();
        std::ifstream argsFile(argsPath.replace_extension(".args"));
        std::string activity = "lab", word;
        std::optional<std::uint32_t> seed;
        int lines = 1000000;
        bool bold = false, console = true;
        while (argsFile >> word) {
            if (word == "--activity")
                argsFile >> activity;
            else if (word == "--seed")
                argsFile >> seed.emplace();
            else if (word == "--lines")
                argsFile >> lines;
            else
                bold = bold || word == "--bold", console = console && word == "--bold";
        }
        if (!console)
            continue;
        fs::path expectedPath = entry.path();
        const std::string script = readFile(entry.path().string());
        const std::string expected = readFile(expectedPath.replace_extension(".expected").string());
        for (const std::size_t forgetAbove : {0, 1}) {
            for (const bool fromText : {false, true}) {
                RecordingConsole io;
                io.lines = lines;
                auto content =
                    ContentStore::open(std::string(KESTRO_BIN_DIR) + "/DataStore.db", error);
                ASSERT_TRUE(content) << error;
                Simulator sim(io, std::move(content), ::testing::TempDir());
                if (seed)
                    sim.random.seed(*seed);
                ASSERT_TRUE(startActivity(sim, activity)) << activity;
                std::ostringstream out;
                const TranscriptOutput output{out, bold, forgetAbove};
                ScriptReader reader(script, "s");
                if (fromText)
                    runScript(sim, io, reader, &output);
                else
                    runScript(sim, io, *parseScript(script, "s", error), &output);
                EXPECT_EQ(out.str(), expected)
                    << entry.path() << " forgetting above " << forgetAbove;
            }
        }
        ++cases;
    }
    EXPECT_GE(cases, 10);
}

} // namespace
