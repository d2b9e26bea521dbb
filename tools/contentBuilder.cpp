// kestro-content-builder DATA_DIR OUT_DB
//
// Builds the content database from the plain text sources in DATA_DIR (laid
// out as data/README.md describes), so content is reviewed and diffed like
// code. Every fault is reported as "FILE:LINE: what is wrong" and ends the
// run with status 1; the database is written to OUT_DB.tmp and renamed only
// when complete, so a failed build never leaves a half-built file behind.

#include "learning/Networks.h"
#include "records/Checklist.h"
#include "records/Conditions.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The line separator of every text the simulator shows.
constexpr std::string_view lineSeparator = "\r\n";

// --- what the sources may hold ----------------------------------------------

struct TextKind {
    const char* folder;
    const char* table;
    const char* keyField; // header field and key column
    const char* bodyColumn;
    const char* solutionColumn; // only entries with a solution part
};

const TextKind textKinds[] = {
    {"cmdInfo", "cmdInfo", "cmd", "display", nullptr},
    {"misc", "Misc", "id", "contents", nullptr},
    {"labs", "Labs", "LabName", "labText", nullptr},
    {"tests", "tests", "testName", "testText", nullptr},
    {"troubleshooting", "troubleshooting", "labName", "troubleshootingText", "solutionText"},
};

constexpr std::string_view solutionMarker = "--- solutionText";

struct CommandTableKind {
    const char* name;
    bool hasInterface;
};

const CommandTableKind commandTables[] = {
    {"userModeCmds", false},
    {"privModeCmds", false},
    {"confModeCmds", false},
    {"lineModeCmds", false},
    {"ifModeCmds", true},
    {"configRouterRipModeCmds", false},
    {"configRouterIgrpModeCmds", false},
    {"userModeCmdsExtended", false},
    {"privModeCmdsExtended", false},
    {"confModeCmdsExtended", false},
    {"ifModeCmdsExtended", true},
    {"configRouterRipModeCmdsExtended", false},
    {"configRouterIgrpModeCmdsExtended", false},
};

// --- what was read ------------------------------------------------------------

struct TextEntry {
    std::string key;
    std::string body;
    std::string solution;
    std::string file;
    int line = 0; // of the key's header line
};

struct CommandRow {
    std::string cmd;
    int implemented = 0;
    std::string interface;
};

struct FlashCard {
    std::string question;
    std::string answer;
};

// One line of a test's diagnosis: a heading, or a check and its condition.
struct TestCheck {
    std::string label;
    bool heading = false;
    std::string condition;
};

// An activity's checklist source, validated once every command table is read.
struct ChecklistSource {
    std::string activity;
    std::string table; // of the activity's text
    std::string text;
    std::string file;
};

struct Content {
    std::map<std::string, std::vector<TextEntry>> texts; // by table
    std::map<std::string, std::vector<CommandRow>> commands;
    std::vector<FlashCard> flashCards;
    std::map<std::string, std::vector<TestCheck>> testChecks; // by test name
    std::vector<ChecklistSource> checklists;
};

class Faults {
public:
    void add(const std::string& file, int line, const std::string& what) {
        messages_.push_back(file + ":" + std::to_string(line) + ": " + what);
    }
    void add(const std::string& file, const std::string& what) {
        messages_.push_back(file + ": " + what);
    }
    bool any() const { return !messages_.empty(); }
    void print() const {
        for (const std::string& m : messages_)
            std::cerr << m << "\n";
    }

private:
    std::vector<std::string> messages_;
};

// --- small text helpers -------------------------------------------------------

// The key columns compare with NOCASE, which folds ASCII letters only.
std::string foldCase(std::string_view text) {
    std::string folded(text);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The lines of a file; a single final line feed ends the last line and does
// not start another.
std::vector<std::string_view> splitLines(std::string_view content) {
    if (!content.empty() && content.back() == '\n')
        content.remove_suffix(1);
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos) {
            lines.push_back(content.substr(start));
            return lines;
        }
        lines.push_back(content.substr(start, end - start));
        start = end + 1;
    }
}

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find('\t', start);
        if (end == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}

std::string join(const std::vector<std::string_view>& lines, std::size_t from, std::size_t to) {
    std::string text;
    for (std::size_t i = from; i < to; ++i) {
        if (i > from)
            text += lineSeparator;
        text += lines[i];
    }
    return text;
}

int lineOf(std::string_view content, std::size_t offset) {
    return 1 + static_cast<int>(std::count(content.begin(), content.begin() + offset, '\n'));
}

// Offset of the first byte that does not belong to a well-formed UTF-8
// sequence, if any.
std::optional<std::size_t> badUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length;
        if (c < 0x80)
            length = 1;
        else if (c >= 0xC2 && c <= 0xDF)
            length = 2;
        else if (c >= 0xE0 && c <= 0xEF)
            length = 3;
        else if (c >= 0xF0 && c <= 0xF4)
            length = 4;
        else
            return i;
        if (i + length > text.size())
            return i;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return i;
        i += length;
    }
    return std::nullopt;
}

// Reads a source file and rejects what no source may hold: CR characters
// (sources use LF line ends), NUL bytes and text that is not UTF-8.
std::optional<std::string> readSource(const fs::path& path, const std::string& name,
                                      Faults& faults) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        faults.add(name, "cannot be read");
        return std::nullopt;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        faults.add(name, "cannot be read");
        return std::nullopt;
    }
    std::string content = buffer.str();
    if (const std::size_t cr = content.find('\r'); cr != std::string::npos) {
        faults.add(name, lineOf(content, cr),
                   "carriage return character (sources use LF line ends only)");
        return std::nullopt;
    }
    if (const std::size_t nul = content.find('\0'); nul != std::string::npos) {
        faults.add(name, lineOf(content, nul), "NUL character");
        return std::nullopt;
    }
    if (auto bad = badUtf8(content)) {
        faults.add(name, lineOf(content, *bad), "text is not valid UTF-8");
        return std::nullopt;
    }
    return content;
}

// --- text entries ---------------------------------------------------------------

void readTextEntry(const TextKind& kind, std::string_view content, const std::string& name,
                   Content& out, Faults& faults) {
    const std::vector<std::string_view> lines = splitLines(content);
    std::optional<std::string> key;
    int keyLine = 0;
    std::size_t i = 0;
    for (; i < lines.size() && lines[i] != "---"; ++i) {
        const int lineNo = static_cast<int>(i) + 1;
        const std::string_view line = lines[i];
        const std::size_t colon = line.find(':');
        const std::string_view field =
            colon == std::string_view::npos ? std::string_view{} : line.substr(0, colon);
        if (field.empty() || field.find_first_of(" \t") != std::string_view::npos) {
            faults.add(name, lineNo, "expected a header line \"field: value\" or \"---\"");
            return;
        }
        if (field != kind.keyField) {
            faults.add(name, lineNo,
                       "unknown header field \"" + std::string(field) + "\" (entries under " +
                           kind.folder + "/ have \"" + kind.keyField + "\")");
            return;
        }
        if (key) {
            faults.add(name, lineNo, "header field \"" + std::string(field) + "\" given twice");
            return;
        }
        const std::string_view value = trimBlanks(line.substr(colon + 1));
        if (value.empty()) {
            faults.add(name, lineNo, "header field \"" + std::string(field) + "\" has no value");
            return;
        }
        key = std::string(value);
        keyLine = lineNo;
    }
    if (i == lines.size()) {
        faults.add(name, static_cast<int>(lines.size()), "no \"---\" line ends the header");
        return;
    }
    if (!key) {
        faults.add(name, static_cast<int>(i) + 1,
                   std::string("missing header field \"") + kind.keyField + "\"");
        return;
    }

    TextEntry entry;
    entry.key = *key;
    entry.file = name;
    entry.line = keyLine;
    const std::size_t bodyStart = i + 1;
    if (kind.solutionColumn) {
        std::size_t marker = lines.size();
        for (std::size_t k = bodyStart; k < lines.size(); ++k) {
            if (lines[k] != solutionMarker)
                continue;
            if (marker != lines.size()) {
                faults.add(name, static_cast<int>(k) + 1,
                           "second \"" + std::string(solutionMarker) + "\" line");
                return;
            }
            marker = k;
        }
        if (marker == lines.size()) {
            faults.add(name, static_cast<int>(lines.size()),
                       "no \"" + std::string(solutionMarker) + "\" line starts the solution");
            return;
        }
        entry.body = join(lines, bodyStart, marker);
        entry.solution = join(lines, marker + 1, lines.size());
    } else {
        entry.body = join(lines, bodyStart, lines.size());
    }
    out.texts[kind.table].push_back(std::move(entry));
}

// --- command tables and flash cards -----------------------------------------

bool isSkipped(std::string_view line) {
    return line.empty() || line.front() == '#';
}

// Lower-case words separated by single blanks: what the recogniser matches
// typed words against.
std::optional<std::string> commandProblem(std::string_view cmd) {
    if (cmd.empty())
        return "the command is empty";
    if (cmd.front() == ' ' || cmd.back() == ' ')
        return "the command starts or ends with a blank";
    if (cmd.find("  ") != std::string_view::npos)
        return "the command has words separated by more than one blank";
    for (char c : cmd) {
        const auto u = static_cast<unsigned char>(c);
        if (c == ' ')
            continue;
        if (c >= 'A' && c <= 'Z')
            return "the command has upper-case letters (commands are lower case)";
        if (u <= 0x20 || u >= 0x7F)
            return "the command has a character other than printable ASCII";
    }
    return std::nullopt;
}

void readCommandTable(const CommandTableKind& kind, std::string_view content,
                      const std::string& name, Content& out, Faults& faults) {
    std::vector<CommandRow>& rows = out.commands[kind.name];
    std::map<std::string, int> firstLine;
    const std::vector<std::string_view> lines = splitLines(content);
    const std::size_t columns = kind.hasInterface ? 3 : 2;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i) + 1;
        if (isSkipped(lines[i]))
            continue;
        const std::vector<std::string_view> fields = splitTabs(lines[i]);
        if (fields.size() != columns) {
            faults.add(name, lineNo,
                       "expected " + std::to_string(columns) +
                           " tab-separated columns (cmd, implemented" +
                           (kind.hasInterface ? ", interface" : "") + "), found " +
                           std::to_string(fields.size()));
            continue;
        }
        CommandRow row;
        row.cmd = std::string(fields[0]);
        if (auto problem = commandProblem(row.cmd)) {
            faults.add(name, lineNo, *problem + ": \"" + row.cmd + "\"");
            continue;
        }
        if (fields[1] != "0" && fields[1] != "1") {
            faults.add(name, lineNo,
                       "implemented must be 0 or 1, found \"" + std::string(fields[1]) + "\"");
            continue;
        }
        row.implemented = fields[1] == "1" ? 1 : 0;
        if (kind.hasInterface) {
            row.interface = std::string(fields[2]);
            if (row.interface.empty() ||
                row.interface.find_first_not_of("012") != std::string::npos) {
                faults.add(name, lineNo,
                           "interface must be one or more of the digits 0, 1 and 2, found \"" +
                               row.interface + "\"");
                continue;
            }
        }
        if (auto [at, fresh] = firstLine.emplace(row.cmd, lineNo); !fresh) {
            faults.add(name, lineNo,
                       "duplicate command \"" + row.cmd + "\" (first on line " +
                           std::to_string(at->second) + ")");
            continue;
        }
        rows.push_back(std::move(row));
    }
}

void readFlashCards(std::string_view content, const std::string& name, Content& out,
                    Faults& faults) {
    const std::vector<std::string_view> lines = splitLines(content);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i) + 1;
        if (isSkipped(lines[i]))
            continue;
        const std::vector<std::string_view> fields = splitTabs(lines[i]);
        if (fields.size() != 2) {
            faults.add(name, lineNo,
                       "expected 2 tab-separated columns (question, answer), found " +
                           std::to_string(fields.size()));
            continue;
        }
        if (trimBlanks(fields[0]).empty() || trimBlanks(fields[1]).empty()) {
            faults.add(name, lineNo, "a flash card needs both a question and an answer");
            continue;
        }
        out.flashCards.push_back({std::string(fields[0]), std::string(fields[1])});
    }
}

// --- walking the data folder ------------------------------------------------

// A test's checks, one line each, in report order:
//   heading "TEXT"
//   check "TEXT" CONDITION
// "#" starts a comment line. The condition is validated here, so a check
// that names an unknown field or a value of the wrong kind never ships.
void readTestChecks(const std::string& test, std::string_view content, const std::string& name,
                    Content& out, Faults& faults) {
    std::vector<TestCheck> checks;
    int number = 0;
    for (std::string_view line : splitLines(content)) {
        ++number;
        line = trimBlanks(line);
        if (line.empty() || line.starts_with('#'))
            continue;
        const bool heading = line.starts_with("heading \"");
        if (!heading && !line.starts_with("check \"")) {
            faults.add(name, number, "a line is a heading \"TEXT\" or a check \"TEXT\" CONDITION");
            continue;
        }
        const std::size_t open = line.find('"');
        const std::size_t close = line.find('"', open + 1);
        if (close == std::string_view::npos) {
            faults.add(name, number, "the text has no closing quote");
            continue;
        }
        TestCheck c{std::string(line.substr(open + 1, close - open - 1)), heading,
                    std::string(trimBlanks(line.substr(close + 1)))};
        if (heading && !c.condition.empty()) {
            faults.add(name, number, "a heading has no condition");
            continue;
        }
        std::string error;
        kestro::ConditionOptions options;
        options.configurationOnly = true;
        if (!heading && !kestro::parseCondition(c.condition, error, options)) {
            faults.add(name, number, "condition: " + error);
            continue;
        }
        checks.push_back(std::move(c));
    }
    if (std::none_of(checks.begin(), checks.end(), [](const TestCheck& c) { return !c.heading; }))
        faults.add(name, "a test needs at least one check");
    out.testChecks[test] = std::move(checks);
}

// Whether a checklist's "ran" term names a command the session can record:
// a show command as a whole implemented table row, any other by its first
// word.
bool knownCommand(const Content& content, std::string_view command) {
    const std::string lowered = foldCase(command);
    const bool show = lowered == "show" || lowered.starts_with("show ");
    const std::string first = lowered.substr(0, lowered.find(' '));
    for (const auto& [table, rows] : content.commands)
        for (const CommandRow& row : rows)
            if (row.implemented && row.cmd == (show ? lowered : first))
                return true;
    return false;
}

// Every checklist belongs to an activity's text and reads without a fault;
// RouterB exists only in the two-router exercises.
void checkChecklists(Content& out, Faults& faults) {
    const std::function<bool(std::string_view)> known = [&out](std::string_view command) {
        return knownCommand(out, command);
    };
    for (const ChecklistSource& c : out.checklists) {
        const auto& entries = out.texts[c.table];
        if (std::none_of(entries.begin(), entries.end(), [&](const TextEntry& e) {
                return foldCase(e.key) == foldCase(c.activity);
            })) {
            faults.add(c.file, "a checklist for \"" + c.activity + "\", which has no text here");
            continue;
        }
        kestro::ConditionOptions options;
        const kestro::ActivityNetwork* network = kestro::networkOf(c.activity);
        options.twoRouters = network && kestro::hasTwoRouters(network->exerciseNumber);
        options.knownCommand = &known;
        std::vector<kestro::ChecklistFault> found;
        kestro::parseChecklist(c.text, options, found);
        for (const kestro::ChecklistFault& f : found)
            faults.add(c.file, f.line, f.message);
    }
}

void readDataFolder(const fs::path& root, Content& out, Faults& faults) {
    std::vector<fs::path> files;
    std::error_code ec;
    fs::recursive_directory_iterator it(root, ec), end;
    if (ec) {
        faults.add(root.string(), "cannot be read: " + ec.message());
        return;
    }
    for (; it != end; it.increment(ec)) {
        if (ec) {
            faults.add(root.string(), "cannot be read: " + ec.message());
            return;
        }
        if (!it->is_directory(ec))
            files.push_back(it->path());
    }
    if (ec) {
        faults.add(root.string(), "cannot be read: " + ec.message());
        return;
    }
    // Sorted, so faults and duplicate reports come in the same order on every
    // machine.
    std::sort(files.begin(), files.end());

    for (const fs::path& path : files) {
        const fs::path relative = path.lexically_relative(root);
        const std::string name = path.string();
        std::vector<std::string> parts;
        for (const fs::path& part : relative)
            parts.push_back(part.string());
        const std::string top = parts.front();

        if (relative.filename() == "README.md")
            continue;
        if (!fs::is_regular_file(path, ec)) {
            faults.add(name, "unknown content file (not a regular file)");
            continue;
        }

        if (parts.size() == 1 && top == "flashcards.tsv") {
            if (auto content = readSource(path, name, faults))
                readFlashCards(*content, name, out, faults);
            continue;
        }
        if (parts.size() == 2 && top == "commands" && relative.extension() == ".tsv") {
            const std::string table = relative.stem().string();
            const auto kind =
                std::find_if(std::begin(commandTables), std::end(commandTables),
                             [&](const CommandTableKind& k) { return table == k.name; });
            if (kind == std::end(commandTables)) {
                faults.add(name, "unknown command table \"" + table + "\"");
                continue;
            }
            if (auto content = readSource(path, name, faults))
                readCommandTable(*kind, *content, name, out, faults);
            continue;
        }
        if (parts.size() == 2 && top == "tests" && relative.extension() == ".checks") {
            if (auto content = readSource(path, name, faults))
                readTestChecks(relative.stem().string(), *content, name, out, faults);
            continue;
        }
        const auto textKind = std::find_if(std::begin(textKinds), std::end(textKinds),
                                           [&](const TextKind& k) { return top == k.folder; });
        if (parts.size() == 2 && (top == "labs" || top == "troubleshooting") &&
            relative.extension() == ".checklist") {
            if (auto content = readSource(path, name, faults))
                out.checklists.push_back(
                    {relative.stem().string(), textKind->table, std::move(*content), name});
            continue;
        }
        if (parts.size() >= 2 && textKind != std::end(textKinds) &&
            relative.extension() == ".txt") {
            if (auto content = readSource(path, name, faults))
                readTextEntry(*textKind, *content, name, out, faults);
            continue;
        }
        faults.add(name, "unknown content file");
    }

    // Checks belong to a test the content has.
    for (const auto& entry : out.testChecks) {
        const std::string& test = entry.first;
        const auto& tests = out.texts["tests"];
        if (std::none_of(tests.begin(), tests.end(),
                         [&](const TextEntry& e) { return foldCase(e.key) == foldCase(test); }))
            faults.add((root / "tests" / (test + ".checks")).string(),
                       "checks for \"" + test + "\", which has no test text");
    }

    checkChecklists(out, faults);

    // Keys are unique per table whatever file they come from, with case
    // ignored as the database compares them.
    for (auto& [table, entries] : out.texts) {
        std::map<std::string, const TextEntry*> seen;
        for (const TextEntry& entry : entries) {
            auto [at, fresh] = seen.emplace(foldCase(entry.key), &entry);
            if (!fresh)
                faults.add(entry.file, entry.line,
                           "duplicate key \"" + entry.key + "\" (already in " + at->second->file +
                               ":" + std::to_string(at->second->line) + ")");
        }
    }
}

// --- writing the database ---------------------------------------------------

class Database {
public:
    explicit Database(const std::string& path) {
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) != SQLITE_OK) {
            const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
            sqlite3_close(db_);
            throw std::runtime_error(message);
        }
    }
    ~Database() {
        for (auto& [sql, statement] : statements_)
            sqlite3_finalize(statement);
        sqlite3_close(db_);
    }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void exec(const std::string& sql) {
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
            fail();
    }

    // Inserts one row; every value is bound, none is part of the SQL text.
    struct Value {
        std::optional<std::string> text;
        long long number = 0;
    };
    void insert(const std::string& sql, const std::vector<Value>& values) {
        sqlite3_stmt* statement = nullptr;
        auto found = statements_.find(sql);
        if (found != statements_.end()) {
            statement = found->second;
        } else {
            if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
                fail();
            statements_.emplace(sql, statement);
        }
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
        for (std::size_t i = 0; i < values.size(); ++i) {
            const int index = static_cast<int>(i) + 1;
            const int rc =
                values[i].text
                    ? sqlite3_bind_text(statement, index, values[i].text->data(),
                                        static_cast<int>(values[i].text->size()), SQLITE_TRANSIENT)
                    : sqlite3_bind_int64(statement, index, values[i].number);
            if (rc != SQLITE_OK)
                fail();
        }
        if (sqlite3_step(statement) != SQLITE_DONE)
            fail();
    }

    void close() {
        for (auto& [sql, statement] : statements_)
            sqlite3_finalize(statement);
        statements_.clear();
        const int rc = sqlite3_close(db_);
        if (rc != SQLITE_OK)
            throw std::runtime_error(sqlite3_errstr(rc));
        db_ = nullptr;
    }

private:
    [[noreturn]] void fail() {
        throw std::runtime_error(db_ ? sqlite3_errmsg(db_) : "out of memory");
    }

    sqlite3* db_ = nullptr;
    std::map<std::string, sqlite3_stmt*> statements_;
};

void writeDatabase(const std::string& path, const Content& content) {
    Database db(path);
    db.exec("BEGIN");
    db.exec("CREATE TABLE Misc(id TEXT PRIMARY KEY COLLATE NOCASE, contents TEXT)");
    db.exec("CREATE TABLE cmdInfo(cmd TEXT PRIMARY KEY COLLATE NOCASE, display TEXT)");
    db.exec("CREATE TABLE Labs(LabName TEXT PRIMARY KEY COLLATE NOCASE, labText TEXT)");
    db.exec("CREATE TABLE tests(testName TEXT PRIMARY KEY COLLATE NOCASE, testText TEXT)");
    db.exec("CREATE TABLE troubleshooting(labName TEXT PRIMARY KEY COLLATE NOCASE, "
            "troubleshootingText TEXT, solutionText TEXT)");
    db.exec("CREATE TABLE flashCards(ID INTEGER PRIMARY KEY, question TEXT, answer TEXT)");
    db.exec("CREATE TABLE testChecks(testName TEXT COLLATE NOCASE, position INTEGER, "
            "heading INTEGER, label TEXT, condition TEXT)");
    db.exec("CREATE TABLE checklists(activity TEXT PRIMARY KEY COLLATE NOCASE, source TEXT)");
    for (const CommandTableKind& kind : commandTables)
        db.exec(std::string("CREATE TABLE ") + kind.name +
                "(cmd TEXT COLLATE NOCASE, implemented INTEGER, ord INTEGER" +
                (kind.hasInterface ? ", interface TEXT" : "") + ")");

    for (const TextKind& kind : textKinds) {
        const auto entries = content.texts.find(kind.table);
        if (entries == content.texts.end())
            continue;
        std::string sql =
            std::string("INSERT INTO ") + kind.table + "(" + kind.keyField + ", " + kind.bodyColumn;
        if (kind.solutionColumn)
            sql += std::string(", ") + kind.solutionColumn + ") VALUES (?1, ?2, ?3)";
        else
            sql += ") VALUES (?1, ?2)";
        for (const TextEntry& entry : entries->second) {
            std::vector<Database::Value> values{{entry.key}, {entry.body}};
            if (kind.solutionColumn)
                values.push_back({entry.solution});
            db.insert(sql, values);
        }
    }

    for (const CommandTableKind& kind : commandTables) {
        const auto rows = content.commands.find(kind.name);
        if (rows == content.commands.end())
            continue;
        const std::string sql =
            std::string("INSERT INTO ") + kind.name +
            (kind.hasInterface ? "(cmd, implemented, ord, interface) VALUES (?1, ?2, ?3, ?4)"
                               : "(cmd, implemented, ord) VALUES (?1, ?2, ?3)");
        long long ord = 0;
        for (const CommandRow& row : rows->second) {
            std::vector<Database::Value> values{
                {row.cmd}, {std::nullopt, row.implemented}, {std::nullopt, ++ord}};
            if (kind.hasInterface)
                values.push_back({row.interface});
            db.insert(sql, values);
        }
    }

    long long id = 0;
    for (const FlashCard& card : content.flashCards)
        db.insert("INSERT INTO flashCards(ID, question, answer) VALUES (?1, ?2, ?3)",
                  {{std::nullopt, ++id}, {card.question}, {card.answer}});

    for (const auto& [test, checks] : content.testChecks) {
        long long position = 0;
        for (const TestCheck& c : checks)
            db.insert("INSERT INTO testChecks(testName, position, heading, label, condition) "
                      "VALUES (?1, ?2, ?3, ?4, ?5)",
                      {{test},
                       {std::nullopt, ++position},
                       {std::nullopt, c.heading ? 1 : 0},
                       {c.label},
                       {c.condition}});
    }

    for (const ChecklistSource& c : content.checklists)
        db.insert("INSERT INTO checklists(activity, source) VALUES (?1, ?2)",
                  {{c.activity}, {c.text}});

    db.exec("COMMIT");
    db.close();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: kestro-content-builder DATA_DIR OUT_DB\n";
        return 2;
    }
    const fs::path dataDir = argv[1];
    const std::string outPath = argv[2];

    std::error_code ec;
    if (!fs::is_directory(dataDir, ec)) {
        std::cerr << dataDir.string() << ": not a folder\n";
        return 1;
    }

    Content content;
    Faults faults;
    readDataFolder(dataDir, content, faults);
    if (faults.any()) {
        faults.print();
        return 1;
    }

    const std::string tmpPath = outPath + ".tmp";
    auto removeTemporary = [&] {
        fs::remove(tmpPath, ec);
        fs::remove(tmpPath + "-journal", ec);
    };
    removeTemporary();
    try {
        writeDatabase(tmpPath, content);
    } catch (const std::exception& e) {
        std::cerr << tmpPath << ": cannot write the database: " << e.what() << "\n";
        removeTemporary();
        return 1;
    }
    fs::rename(tmpPath, outPath, ec);
    if (ec) {
        std::cerr << outPath << ": cannot replace the database: " << ec.message() << "\n";
        removeTemporary();
        return 1;
    }
    return 0;
}
