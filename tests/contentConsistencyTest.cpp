// Keeps the command tables, the help screens and the code that reads them in
// step, on the content database the build makes from data/: the tables mark
// as implemented exactly what the dispatcher carries out, "?" on its own
// lists a mode's commands with the implemented ones in bold, Tab completes
// every implemented form, and every help screen context help asks for is
// there and printable.
#include "ConsoleFixture.h"

#include "console/Console.h"
#include "content/ContentStore.h"
#include "records/Text.h"
#include "registry/Dispatcher.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

using namespace kestro;
using namespace kestro::testing;
namespace fs = std::filesystem;

namespace {

struct ModeContent {
    const char* mode;
    const char* plainTable;
    const char* extendedTable; // null: the mode has none
    const char* screenKey;     // the screen of "?" typed alone
};

const ModeContent modeContent[] = {
    {"user", "userModeCmds", "userModeCmdsExtended", "usermode_cmds"},
    {"priv", "privModeCmds", "privModeCmdsExtended", "privmode_cmds"},
    {"conf", "confModeCmds", "confModeCmdsExtended", "confmode_cmds"},
    {"config-line", "lineModeCmds", nullptr, "linemode_cmds"},
    {"config-if", "ifModeCmds", "ifModeCmdsExtended", "ifmode_cmds"},
    {"config-routerRip", "configRouterRipModeCmds", "configRouterRipModeCmdsExtended",
     "configRouterMode_rip_cmds"},
    {"config-routerIgrp", "configRouterIgrpModeCmds", "configRouterIgrpModeCmdsExtended",
     "configRouterMode_igrp_cmds"},
};

// The screens the context help prints, and whether it prints them as help
// lines (a leading "$" marks a bold line) or plain (bold when the line's
// first word names an implemented command).
struct HelpScreen {
    std::string key;
    bool marked;
};

// The screens "?" prints: those the commands declare, the modes' own lists
// and the help command's screen.
std::vector<HelpScreen> declaredHelpScreens() {
    std::vector<HelpScreen> screens;
    auto add = [&](std::string_view key, bool marked) {
        const auto same = [&](const HelpScreen& s) { return s.key == key; };
        if (std::none_of(screens.begin(), screens.end(), same))
            screens.push_back({std::string(key), marked});
    };
    for (const CommandRow* row : commandRows())
        for (const HelpAnswer& answer : row->help)
            if (answer.text.kind == HelpText::Kind::screen ||
                answer.text.kind == HelpText::Kind::markedScreen)
                add(answer.text.key, answer.text.kind == HelpText::Kind::markedScreen);
    for (const char* key :
         {"privmode_cmds", "usermode_cmds", "confmode_cmds", "linemode_cmds", "ifmode_cmds",
          "configRouterMode_rip_cmds", "configRouterMode_igrp_cmds", "help"})
        add(key, false);
    return screens;
}

const std::string allInterfaces = "012";
const std::string listPlaceholder = "<1-99>";

struct CommandRow {
    std::string cmd;
    bool implemented = false;
    std::string interfaces; // "012" in tables without an interface column
};

bool hasInterfaceColumn(std::string_view table) {
    return table.starts_with("ifMode");
}

bool appliesTo(const CommandRow& row, char interface) {
    return row.interfaces.find(interface) != std::string::npos;
}

std::vector<std::string> splitAt(std::string_view text, std::string_view separator) {
    const std::vector<std::string_view> parts = splitOn(text, separator);
    return {parts.begin(), parts.end()};
}

std::vector<std::string> wordsOf(std::string_view cmd) {
    return splitAt(cmd, " ");
}

// The first word of a screen line as the emphasis rule sees it: trimmed and
// lower-cased; empty for a line of blanks.
std::string firstWord(std::string_view line) {
    const std::size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return {};
    const std::size_t end = line.find(' ', start);
    return toLowerAscii(line.substr(start, end == std::string_view::npos ? end : end - start));
}

// A command line of a listing: two blanks, then the command word.
bool isCommandLine(std::string_view line) {
    return line.size() > 2 && line.starts_with("  ") && line[2] != ' ';
}

bool isBlankLine(std::string_view line) {
    return !line.empty() && line.find_first_not_of(' ') == std::string_view::npos;
}

std::string withListNumber(std::string text, const std::string& number) {
    for (std::size_t at = text.find(listPlaceholder); at != std::string::npos;
         at = text.find(listPlaceholder, at))
        text.replace(at, listPlaceholder.size(), number);
    return text;
}

// The deny-list of real networking vendor, product and operating-system
// names, each ROT13-encoded so the repository never spells them. Matched at
// the start of a word, case ignored.
const char* const encodedDeniedNames[] = {
    "pvfpb",     "whavcre", "uhnjrv", "abegry",   "3pbz",      "argtrne", "yvaxflf", "pngnylfg",
    "zvpebfbsg", "yvahk",   "havk",   "fbynevf",  "znpvagbfu", "abiryy",  "argjner", "nccyr",
    "onalna",    "krebk",   "voz",    "urjyrgg",  "cnpxneq",   "vbf",     "ppan",    "ppac",
    "pprag",     "ppvr",    "mlkry",  "zvxebgvx", "sbegvarg",  "nevfgn",  "nqgena",
};
// Names that are also ordinary words in lower case: matched as written.
const char* const encodedDeniedCapitalised[] = {"Jvaqbjf", "ZF-QBF"};

std::string rot13(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>('a' + (c - 'a' + 13) % 26);
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>('A' + (c - 'A' + 13) % 26);
    }
    return out;
}

bool startsWordAt(const std::string& text, std::size_t at) {
    return at == 0 || !std::isalnum(static_cast<unsigned char>(text[at - 1]));
}

class ContentConsistency : public ConsoleTest {
protected:
    ContentConsistency() : ConsoleTest(true) {}

    void SetUp() override {
        store = sim.content();
        ASSERT_NE(store, nullptr) << "the built content database " KESTRO_BIN_DIR
                                     "/DataStore.db is missing";
    }

    std::vector<CommandRow> rowsOf(const std::string& table) {
        const std::string sql = "SELECT cmd, implemented, " +
                                std::string(hasInterfaceColumn(table) ? "interface" : "'012'") +
                                " FROM " + table + " ORDER BY ord";
        std::vector<CommandRow> rows;
        for (const auto& fields : store->query(sql.c_str(), {}, "contentConsistencyTest"))
            rows.push_back({fields.at(0), fields.at(1) == "1", fields.at(2)});
        return rows;
    }

    std::set<std::string> implementedCommands(const std::string& table, char interface = '0') {
        std::set<std::string> commands;
        for (const CommandRow& row : rowsOf(table))
            if (row.implemented && appliesTo(row, interface))
                commands.insert(row.cmd);
        return commands;
    }

    std::vector<std::string> screenLines(const std::string& key) {
        const auto text = store->cmdInfo(key, "contentConsistencyTest");
        return text ? splitAt(*text, "\r\n") : std::vector<std::string>{};
    }

    // The live router in `mode` at the prompt of that mode, the session
    // started.
    void openMode(const std::string& mode, char interface = '0') {
        if (router().mode == Mode::none)
            startSession();
        enterMode(sim, modeNamed(mode));
        router().currentInterface = static_cast<Interface>(interface - '0');
        resetInputLine(sim);
    }

    struct PrintedLine {
        std::string text;
        bool bold;
    };

    // The output lines printed after `from`, each with whether any of it is
    // bold.
    std::vector<PrintedLine> printedSince(std::size_t from) const {
        const std::string& text = sim.output.text;
        std::vector<PrintedLine> lines;
        if (text.compare(from, 2, "\r\n") == 0)
            from += 2;
        while (from <= text.size()) {
            std::size_t end = text.find("\r\n", from);
            if (end == std::string::npos)
                end = text.size();
            bool bold = false;
            for (const BoldRun& run : sim.output.bold)
                bold = bold || (run.start < end && run.start + run.length > from);
            lines.push_back({text.substr(from, end - from), bold});
            from = end + 2;
        }
        return lines;
    }

    // The shortest beginning of `row`, at least its first word and one more
    // character, after which every row the completion lookup sees begins
    // with the whole row, so Tab must write the row out.
    std::string shortestUniquePrefix(const std::string& table, const std::vector<CommandRow>& rows,
                                     const std::string& row, char interface) {
        const std::size_t placeholder = row.find(listPlaceholder);
        for (std::size_t length = row.find(' ') + 2; length < row.size(); ++length) {
            const std::string prefix = row.substr(0, length);
            if (prefix.back() == ' ')
                continue; // normalising drops a trailing blank
            if (placeholder != std::string::npos && length > placeholder &&
                length < placeholder + listPlaceholder.size())
                continue; // a number cannot be typed in part
            // The number of an access group is only put back into the
            // lookup once the word after it has been started.
            if (hasInterfaceColumn(table) && placeholder != std::string::npos &&
                length > placeholder && length <= placeholder + listPlaceholder.size() + 1)
                continue;
            const std::vector<std::string> words = wordsOf(prefix);
            // ip and "no ip ..." lines are looked up without the interface
            // filter.
            const bool filtered =
                hasInterfaceColumn(table) &&
                !(words[0] == "ip" || (words.size() >= 3 && words[0] == "no" && words[1] == "ip"));
            const bool unique = std::all_of(rows.begin(), rows.end(), [&](const CommandRow& r) {
                if (filtered && !appliesTo(r, interface))
                    return true;
                return !r.cmd.starts_with(prefix) || r.cmd.starts_with(row);
            });
            if (unique)
                return prefix;
        }
        return row;
    }

    ContentStore* store = nullptr;
};

// --- the tables and the dispatcher --------------------------------------------

TEST_F(ContentConsistency, PlainTablesMarkExactlyTheFirstWordsTheDispatcherCarriesOut) {
    for (const ModeContent& m : modeContent) {
        std::set<std::string> handled;
        for (const HandledCommand& command : handledCommands())
            for (Mode mode : command.modes)
                if (modeName(mode) == m.mode)
                    handled.insert(command.word);
        std::set<std::string> implemented;
        for (const CommandRow& row : rowsOf(m.plainTable))
            if (row.implemented)
                implemented.insert(row.cmd);
        ASSERT_FALSE(implemented.empty()) << m.plainTable << " has no implemented row";

        for (const std::string& word : handled)
            EXPECT_TRUE(implemented.count(word))
                << m.plainTable << ": the dispatcher carries out \"" << word << "\" in mode "
                << m.mode << ", but no implemented row says so";
        for (const std::string& word : implemented)
            EXPECT_TRUE(handled.count(word))
                << m.plainTable << ": \"" << word << "\" is marked implemented, but the "
                << "dispatcher does not carry it out in mode " << m.mode;
    }
}

TEST_F(ContentConsistency, PlainTablesHoldFullWordsNotTheDispatchersShortForms) {
    // A short form as a row would make Tab stop at it and "?" list it twice.
    for (const ModeContent& m : modeContent)
        for (const CommandRow& row : rowsOf(m.plainTable)) {
            EXPECT_FALSE(isAcceptedAbbreviation(row.cmd)) << m.plainTable << ": " << row.cmd;
            EXPECT_EQ(row.cmd.find(' '), std::string::npos)
                << m.plainTable << " holds the multi-word row \"" << row.cmd << "\"";
        }
}

TEST_F(ContentConsistency, TablesAreInListingOrderWithoutDuplicates) {
    // The order of the rows is the order of listings and decides the
    // common-prefix rule: a command must come before its longer forms.
    for (const ModeContent& m : modeContent)
        for (const char* table : {m.plainTable, m.extendedTable}) {
            if (table == nullptr)
                continue;
            const std::vector<CommandRow> rows = rowsOf(table);
            ASSERT_FALSE(rows.empty()) << table << " is empty";
            for (std::size_t i = 1; i < rows.size(); ++i)
                EXPECT_LT(rows[i - 1].cmd, rows[i].cmd)
                    << table << ": \"" << rows[i].cmd << "\" is out of order or repeated";
        }
}

TEST_F(ContentConsistency, ExtendedRowsBuildOnACommandOfTheirMode) {
    for (const ModeContent& m : modeContent) {
        if (m.extendedTable == nullptr)
            continue;
        std::map<std::string, CommandRow> plain;
        for (const CommandRow& row : rowsOf(m.plainTable))
            plain[row.cmd] = row;
        for (const CommandRow& row : rowsOf(m.extendedTable)) {
            const std::vector<std::string> words = wordsOf(row.cmd);
            EXPECT_GE(words.size(), 2u) << m.extendedTable << ": \"" << row.cmd << "\"";
            const auto first = plain.find(words[0]);
            if (first == plain.end()) {
                ADD_FAILURE() << m.extendedTable << ": \"" << row.cmd << "\" begins with \""
                              << words[0] << "\", which " << m.plainTable << " lacks";
                continue;
            }
            if (row.implemented) {
                EXPECT_TRUE(first->second.implemented)
                    << m.extendedTable << ": \"" << row.cmd << "\" is implemented but \""
                    << words[0] << "\" is not";
            }
            for (char interface : row.interfaces)
                EXPECT_TRUE(appliesTo(first->second, interface))
                    << m.extendedTable << ": \"" << row.cmd << "\" applies to interface "
                    << interface << ", \"" << words[0] << "\" does not";
        }
    }
}

TEST_F(ContentConsistency, ClockRateRowsApplyToTheSerialInterfacesOnly) {
    int clockRows = 0;
    for (const char* table : {"ifModeCmds", "ifModeCmdsExtended"})
        for (const CommandRow& row : rowsOf(table)) {
            if (!row.cmd.starts_with("clock") && !row.cmd.starts_with("no clock"))
                continue;
            ++clockRows;
            EXPECT_EQ(row.interfaces, "01") << table << ": \"" << row.cmd << "\"";
        }
    EXPECT_GE(clockRows, 3); // clock, clock rate, no clock rate
}

// --- the help screens -----------------------------------------------------------

TEST_F(ContentConsistency, EveryHelpScreenTheContextHelpNamesExists) {
    for (const HelpScreen& screen : declaredHelpScreens())
        EXPECT_TRUE(store->cmdInfo(screen.key, "contentConsistencyTest").has_value())
            << "no cmdInfo row \"" << screen.key << "\"";
}

// The other way round: a stored "?" screen that no command declares would
// never be shown.
TEST_F(ContentConsistency, EveryStoredQuestionMarkScreenIsDeclaredByACommand) {
    for (const auto& row : store->query("SELECT cmd FROM cmdInfo WHERE cmd LIKE '%?%'", {},
                                        "contentConsistencyTest")) {
        const std::string& key = row.front();
        const auto named = [&](const HelpScreen& s) { return s.key == key; };
        const std::vector<HelpScreen> screens = declaredHelpScreens();
        EXPECT_TRUE(std::any_of(screens.begin(), screens.end(), named))
            << "no command declares the help screen \"" << key << "\"";
    }
}

TEST_F(ContentConsistency, HelpScreensMarkBoldLinesOnlyWhenPrintedAsHelpLines) {
    // Printed plain, a "$" would show as it stands; printed as help lines, a
    // screen without any "$" line would bold nothing.
    for (const HelpScreen& screen : declaredHelpScreens()) {
        const std::vector<std::string> lines = screenLines(screen.key);
        const auto dollarLines = std::count_if(
            lines.begin(), lines.end(), [](const auto& line) { return line.starts_with("$"); });
        if (screen.marked)
            EXPECT_GT(dollarLines, 0) << screen.key << " marks no line with \"$\"";
        else
            EXPECT_EQ(dollarLines, 0) << screen.key << " is printed plain but has \"$\" lines";
        for (const std::string& line : lines)
            if (line.starts_with("$")) {
                EXPECT_TRUE(line.starts_with("$  ") && line.size() > 3)
                    << screen.key << ": a marked line is \"$\", two blanks and the text: \"" << line
                    << "\"";
            }
    }
}

TEST_F(ContentConsistency, HelpScreensEndWithALineOfBlanksAndHaveNoEmptyLines) {
    // Paged output drops empty lines, so a blank line has to hold blanks.
    for (const HelpScreen& screen : declaredHelpScreens()) {
        const std::vector<std::string> lines = screenLines(screen.key);
        ASSERT_GE(lines.size(), 2u) << screen.key;
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_FALSE(lines[i].empty()) << screen.key << ": line " << i + 1 << " is empty";
        EXPECT_TRUE(isBlankLine(lines.back()))
            << screen.key << " does not end with a line of blanks";
        EXPECT_FALSE(isBlankLine(lines[lines.size() - 2]))
            << screen.key << " ends with more than one blank line";
    }
}

TEST_F(ContentConsistency, QuestionMarkScreensListTheRowsOfTheirModeInOrder) {
    for (const ModeContent& m : modeContent) {
        std::vector<std::string> listed;
        for (const std::string& line : screenLines(m.screenKey))
            if (isCommandLine(line))
                listed.push_back(firstWord(line));
        std::vector<std::string> rows;
        for (const CommandRow& row : rowsOf(m.plainTable)) {
            rows.push_back(row.cmd);
            if (row.implemented) {
                EXPECT_NE(std::find(listed.begin(), listed.end(), row.cmd), listed.end())
                    << m.screenKey << " does not list the implemented command \"" << row.cmd
                    << "\"";
            }
        }
        // What "?" lists is what Tab completes from.
        EXPECT_EQ(listed, rows) << m.screenKey << " and " << m.plainTable << " disagree";
    }
}

TEST_F(ContentConsistency, QuestionMarkScreensShowExactlyTheImplementedCommandsInBold) {
    struct Case {
        const ModeContent* mode;
        char interface;
    };
    std::vector<Case> cases;
    for (const ModeContent& m : modeContent) {
        cases.push_back({&m, '0'});
        if (std::string_view(m.mode) == "config-if")
            cases.push_back({&m, '2'}); // Ethernet0 has no clock
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode->mode) + " on interface " + c.interface);
        const std::set<std::string> implemented =
            implementedCommands(c.mode->plainTable, c.interface);
        openMode(c.mode->mode, c.interface);
        const std::size_t from = sim.output.text.size();
        type("?", false);
        std::vector<PrintedLine> printed = printedSince(from);
        ASSERT_FALSE(printed.empty());
        printed.erase(printed.begin()); // the echo of the request

        std::vector<std::string> expectedText;
        for (const std::string& line : screenLines(c.mode->screenKey))
            if (!line.empty())
                expectedText.push_back(line);
        std::vector<std::string> printedText;
        for (const PrintedLine& line : printed)
            printedText.push_back(line.text);
        ASSERT_EQ(printedText, expectedText) << "\"?\" does not print " << c.mode->screenKey;

        for (const PrintedLine& line : printed)
            EXPECT_EQ(line.bold, implemented.count(firstWord(line.text)) == 1)
                << c.mode->screenKey << ": \"" << line.text << "\"";
    }
}

TEST_F(ContentConsistency, SubcommandScreensListEveryImplementedContinuation) {
    // A screen for "<words> ?" lists, among others, the next word of every
    // implemented command that begins with those words.
    struct Continuations {
        const char* key;
        const char* table;
        std::vector<std::string> prefixes;
    };
    const Continuations screens[] = {
        {"show_user", "userModeCmdsExtended", {"show"}},
        {"show_ip_?_user", "userModeCmdsExtended", {"show ip"}},
        {"terminal_?", "userModeCmdsExtended", {"terminal"}},
        {"show_priv", "privModeCmdsExtended", {"show"}},
        {"show_ip_?_priv", "privModeCmdsExtended", {"show ip"}},
        {"show_cdp_?", "privModeCmdsExtended", {"show cdp"}},
        {"show_cdp_interface_?", "privModeCmdsExtended", {"show cdp interface"}},
        {"show_interfaces_?", "privModeCmdsExtended", {"show interfaces"}},
        {"copy_?", "privModeCmdsExtended", {"copy"}},
        {"copy_run_?",
         "privModeCmdsExtended",
         {"copy running-config", "copy startup-config", "copy tftp"}},
        {"configure_?", "privModeCmdsExtended", {"configure"}},
        {"terminal_?", "privModeCmdsExtended", {"terminal"}},
        {"banner_?", "confModeCmdsExtended", {"banner"}},
        {"enable_?", "confModeCmdsExtended", {"enable"}},
        {"interface_?", "confModeCmdsExtended", {"interface"}},
        {"ip_?", "confModeCmdsExtended", {"ip"}},
        {"no_?", "confModeCmdsExtended", {"no"}},
        {"no_banner_?", "confModeCmdsExtended", {"no banner"}},
        {"no_enable_?", "confModeCmdsExtended", {"no enable"}},
        {"no_ip_?", "confModeCmdsExtended", {"no ip"}},
        {"no_ip_http_?", "confModeCmdsExtended", {"no ip http"}},
        {"no_router_?", "confModeCmdsExtended", {"no router"}},
        {"router_?", "confModeCmdsExtended", {"router"}},
        {"ip_?_ifmode", "ifModeCmdsExtended", {"ip"}},
        {"no_?_ifmode", "ifModeCmdsExtended", {"no"}},
        {"no_ip_?_ifmode", "ifModeCmdsExtended", {"no ip"}},
        {"no_?_configRouterRipMode", "configRouterRipModeCmdsExtended", {"no"}},
        {"no_?_configRouterIgrpMode", "configRouterIgrpModeCmdsExtended", {"no"}},
    };
    for (const Continuations& screen : screens) {
        std::set<std::string> listed;
        for (const std::string& line : screenLines(screen.key))
            listed.insert(firstWord(line));
        for (const std::string& prefix : screen.prefixes) {
            const std::size_t next = wordsOf(prefix).size();
            int continuations = 0;
            for (const CommandRow& row : rowsOf(screen.table)) {
                if (!row.implemented || !row.cmd.starts_with(prefix + " "))
                    continue;
                ++continuations;
                const std::string word = wordsOf(row.cmd).at(next);
                EXPECT_TRUE(listed.count(word)) << screen.key << " does not list \"" << word
                                                << "\", the next word of \"" << row.cmd << "\"";
            }
            EXPECT_GT(continuations, 0)
                << screen.table << " has no implemented command beginning \"" << prefix << "\"";
        }
    }
}

TEST_F(ContentConsistency, ImplementedLongerFormsAreTakenByTheCommandsDeclaredForms) {
    // Each implemented row of an extended table is a line, or the beginning
    // of a line, that its command's forms take in that mode.
    for (const ModeContent& m : modeContent) {
        if (m.extendedTable == nullptr)
            continue;
        const Mode mode = modeNamed(m.mode);
        for (const CommandRow& row : rowsOf(m.extendedTable)) {
            if (!row.implemented)
                continue;
            const std::vector<std::string> words = splitWords(withListNumber(row.cmd, "10"));
            const kestro::CommandRow* command = commandRowFor(words.front());
            ASSERT_NE(command, nullptr) << row.cmd;
            for (const ModeHandler& h : command->handlers) {
                if (h.mode != mode || h.syntax.forms.empty())
                    continue;
                const std::vector<std::string> spelled = spelledOut(words, h.syntax.aliases);
                EXPECT_TRUE(std::any_of(h.syntax.forms.begin(), h.syntax.forms.end(),
                                        [&](const Form& f) {
                                            return f.id >= 0 &&
                                                   matchForm(f, spelled) != FormMatch::invalid;
                                        }))
                    << m.extendedTable << ": no form of \"" << command->word << "\" in mode "
                    << m.mode << " takes \"" << row.cmd << "\"";
            }
        }
    }
}

TEST_F(ContentConsistency, ShowFormsAreImplementedExactlyWhenTheShowHandlerDisplaysThem) {
    // show changes nothing, so every form can be tried: an implemented form
    // displays something, any other is answered as incomplete or invalid.
    for (const ModeContent& m : modeContent) {
        if (m.extendedTable == nullptr)
            continue;
        int showRows = 0;
        for (const CommandRow& row : rowsOf(m.extendedTable)) {
            if (!row.cmd.starts_with("show "))
                continue;
            ++showRows;
            openMode(m.mode);
            const std::string out = outputOf(row.cmd);
            const bool refused = out.find("% Invalid input") != std::string::npos ||
                                 out.find("% Incomplete command") != std::string::npos;
            EXPECT_EQ(row.implemented, !refused)
                << m.extendedTable << ": \"" << row.cmd << "\" is marked "
                << (row.implemented ? "implemented" : "not implemented") << " but prints: " << out;
        }
        if (std::string_view(m.mode) == "user" || std::string_view(m.mode) == "priv") {
            EXPECT_GT(showRows, 0) << m.extendedTable << " has no show forms";
        }
    }
}

// --- Tab -----------------------------------------------------------------------

TEST_F(ContentConsistency, ImplementedExtendedFormsCompleteWithTabFromAUniquePrefix) {
    for (const ModeContent& m : modeContent) {
        if (m.extendedTable == nullptr)
            continue;
        const std::vector<CommandRow> rows = rowsOf(m.extendedTable);
        for (const CommandRow& row : rows) {
            if (!row.implemented)
                continue;
            const char interface = row.interfaces.at(0);
            const std::string prefix =
                shortestUniquePrefix(m.extendedTable, rows, row.cmd, interface);
            const std::string typed = withListNumber(prefix, "10");
            openMode(m.mode, interface);
            type(typed, false);
            press(keyTab);
            EXPECT_EQ(inputLine(), router().prompt + withListNumber(row.cmd, "10") + " ")
                << m.mode << " (interface " << interface << "): Tab on \"" << typed << "\"";
            ctrl('U');
        }
    }
}

// --- names -----------------------------------------------------------------------

TEST_F(ContentConsistency, DataTreeNamesNoRealVendorProductOrSystem) {
    std::vector<std::string> denied;
    for (const char* name : encodedDeniedNames)
        denied.push_back(rot13(name));
    std::vector<std::string> deniedAsWritten;
    for (const char* name : encodedDeniedCapitalised)
        deniedAsWritten.push_back(rot13(name));

    const fs::path data = fs::path(KESTRO_SOURCE_DIR) / "data";
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(data)) {
        if (!entry.is_regular_file())
            continue;
        ++files;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        const std::string text = content.str();
        const std::string lower = toLowerAscii(text);
        const std::string where = entry.path().lexically_relative(data).string();
        // The report names the word in its encoded form only.
        for (std::size_t i = 0; i < denied.size(); ++i)
            for (std::size_t at = lower.find(denied[i]); at != std::string::npos;
                 at = lower.find(denied[i], at + 1))
                EXPECT_FALSE(startsWordAt(lower, at))
                    << where << " names a real vendor, product or system (ROT13 \""
                    << encodedDeniedNames[i] << "\") at offset " << at;
        for (std::size_t i = 0; i < deniedAsWritten.size(); ++i)
            for (std::size_t at = text.find(deniedAsWritten[i]); at != std::string::npos;
                 at = text.find(deniedAsWritten[i], at + 1))
                EXPECT_FALSE(startsWordAt(text, at))
                    << where << " names a real product or system (ROT13 \""
                    << encodedDeniedCapitalised[i] << "\") at offset " << at;
    }
    EXPECT_GT(files, 0) << "nothing found under " << data;
}

} // namespace
