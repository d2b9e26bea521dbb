#include "content/ContentStore.h"

#include <sqlite3.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kestro {

namespace {

std::string cannotOpen(const std::string& path, const std::string& reason) {
    return "Cannot open the content database \"" + path + "\": " + reason;
}

// The reason a path cannot be a database file, checked before SQLite sees it
// so the message says what is really wrong instead of "unable to open".
std::optional<std::string> fileProblem(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::string("the file does not exist.");
        return std::string("the file cannot be read (") + std::strerror(errno) + ").";
    }
    if (S_ISDIR(info.st_mode))
        return std::string("it is a folder, not a file.");
    // SQLite would only say "unable to open database file".
    if (!S_ISREG(info.st_mode))
        return std::string("it is not a regular file.");
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::string("the file cannot be read (") + std::strerror(errno) + ").";
    ::close(fd);
    return std::nullopt;
}

} // namespace

std::unique_ptr<ContentStore> ContentStore::open(const std::string& path, std::string& error) {
    error.clear();
    if (auto problem = fileProblem(path)) {
        error = cannotOpen(path, *problem);
        return nullptr;
    }

    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    if (rc != SQLITE_OK) {
        error = cannotOpen(path, std::string(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)) + ".");
        sqlite3_close(db);
        return nullptr;
    }

    // SQLite reads the file lazily: only preparing a statement shows whether
    // it is a database at all and whether it holds our tables.
    sqlite3_stmt* probe = nullptr;
    const int probeRc =
        sqlite3_prepare_v2(db, "SELECT display FROM cmdInfo LIMIT 1", -1, &probe, nullptr);
    if (probeRc != SQLITE_OK) {
        const int primary = probeRc & 0xff;
        if (primary == SQLITE_NOTADB)
            error = cannotOpen(path, "the file is not a database.");
        else if (primary == SQLITE_ERROR)
            error = cannotOpen(path, std::string("the file is not a content database (") +
                                         sqlite3_errmsg(db) + ").");
        else
            error = cannotOpen(path, std::string(sqlite3_errmsg(db)) + ".");
        sqlite3_finalize(probe);
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_finalize(probe);

    return std::unique_ptr<ContentStore>(new ContentStore(db, path));
}

ContentStore::ContentStore(sqlite3* db, std::string path) : db_(db), path_(std::move(path)) {}

ContentStore::~ContentStore() {
    for (auto& entry : statements_)
        sqlite3_finalize(entry.second);
    sqlite3_close(db_);
}

void ContentStore::fail(const char* caller, int number, const std::string& description) {
    ++failures_;
    if (onFailure_)
        onFailure_(caller ? caller : "", number, description);
}

sqlite3_stmt* ContentStore::statementFor(const char* sql, const char* caller) {
    for (auto& entry : statements_) {
        if (entry.first == sql) {
            sqlite3_reset(entry.second);
            sqlite3_clear_bindings(entry.second);
            return entry.second;
        }
    }
    sqlite3_stmt* statement = nullptr;
    const int rc = sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    if (rc != SQLITE_OK || statement == nullptr) {
        // An empty or comment-only text prepares to no statement at all.
        fail(caller, rc == SQLITE_OK ? SQLITE_MISUSE : rc,
             rc == SQLITE_OK ? "the query text holds no statement" : sqlite3_errmsg(db_));
        sqlite3_finalize(statement);
        return nullptr;
    }
    statements_.emplace_back(sql, statement);
    return statement;
}

std::vector<std::vector<std::string>>
ContentStore::query(const char* sql, const std::vector<std::string>& params, const char* caller) {
    std::vector<std::vector<std::string>> rows;
    if (sql == nullptr) {
        fail(caller, SQLITE_MISUSE, "no query text");
        return rows;
    }
    sqlite3_stmt* statement = statementFor(sql, caller);
    if (statement == nullptr)
        return rows;

    // Left unreset, a statement keeps its read transaction and the bound
    // values; finish it whichever way the run ends.
    auto finish = [statement] {
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
    };

    const int wanted = sqlite3_bind_parameter_count(statement);
    if (static_cast<int>(params.size()) != wanted) {
        fail(caller, SQLITE_RANGE,
             "the query takes " + std::to_string(wanted) + " parameter(s), " +
                 std::to_string(params.size()) + " given");
        finish();
        return rows;
    }
    for (int i = 0; i < wanted; ++i) {
        const std::string& value = params[static_cast<std::size_t>(i)];
        const int rc = sqlite3_bind_text(statement, i + 1, value.data(),
                                         static_cast<int>(value.size()), SQLITE_TRANSIENT);
        if (rc != SQLITE_OK) {
            fail(caller, rc, sqlite3_errmsg(db_));
            finish();
            return rows;
        }
    }

    const int columns = sqlite3_column_count(statement);
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        std::vector<std::string>& row = rows.emplace_back();
        row.reserve(static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            const auto* text = sqlite3_column_text(statement, c);
            const int bytes = sqlite3_column_bytes(statement, c);
            if (text == nullptr)
                row.emplace_back();
            else
                row.emplace_back(reinterpret_cast<const char*>(text),
                                 static_cast<std::size_t>(bytes));
        }
    }
    if (rc != SQLITE_DONE) {
        fail(caller, rc, sqlite3_errmsg(db_));
        rows.clear();
    }
    finish();
    return rows;
}

std::optional<std::string> ContentStore::cmdInfo(std::string_view key, const char* caller) {
    auto rows = query("SELECT display FROM cmdInfo WHERE cmd = ?1", {std::string(key)}, caller);
    if (rows.empty() || rows.front().empty())
        return std::nullopt;
    return std::move(rows.front().front());
}

std::optional<std::string> ContentStore::misc(std::string_view id, const char* caller) {
    auto rows = query("SELECT contents FROM Misc WHERE id = ?1", {std::string(id)}, caller);
    if (rows.empty() || rows.front().empty())
        return std::nullopt;
    return std::move(rows.front().front());
}

namespace {
std::optional<std::string> firstText(std::vector<std::vector<std::string>> rows) {
    if (rows.empty() || rows.front().empty())
        return std::nullopt;
    return std::move(rows.front().front());
}
} // namespace

std::optional<std::string> ContentStore::labText(std::string_view labName, const char* caller) {
    return firstText(
        query("SELECT labText FROM Labs WHERE LabName = ?1", {std::string(labName)}, caller));
}

std::optional<std::string> ContentStore::testText(std::string_view testName, const char* caller) {
    return firstText(
        query("SELECT testText FROM tests WHERE testName = ?1", {std::string(testName)}, caller));
}

std::optional<ExerciseTexts> ContentStore::exercise(std::string_view exerciseName,
                                                    const char* caller) {
    auto rows = query("SELECT troubleshootingText, solutionText FROM troubleshooting "
                      "WHERE labName = ?1",
                      {std::string(exerciseName)}, caller);
    if (rows.empty() || rows.front().size() < 2)
        return std::nullopt;
    return ExerciseTexts{std::move(rows.front()[0]), std::move(rows.front()[1])};
}

std::vector<FlashCard> ContentStore::flashCards(const char* caller) {
    std::vector<FlashCard> cards;
    for (auto& row : query("SELECT question, answer FROM flashCards ORDER BY random()", {}, caller))
        if (row.size() == 2)
            cards.push_back({std::move(row[0]), std::move(row[1])});
    return cards;
}

std::vector<ContentStore::TestCheckRow> ContentStore::testChecks(std::string_view testName,
                                                                 const char* caller) {
    std::vector<TestCheckRow> checks;
    for (auto& row : query("SELECT label, heading, condition FROM testChecks "
                           "WHERE testName = ?1 ORDER BY position",
                           {std::string(testName)}, caller))
        if (row.size() == 3)
            checks.push_back({std::move(row[0]), row[1] == "1", std::move(row[2])});
    return checks;
}

std::optional<std::string> ContentStore::checklistSource(std::string_view activity,
                                                         const char* caller) {
    // A database built before checklists existed is not damaged: it has none.
    if (query("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'checklists'", {},
              caller)
            .empty())
        return std::nullopt;
    return firstText(query("SELECT source FROM checklists WHERE activity = ?1",
                           {std::string(activity)}, caller));
}

std::string ContentStore::escapeLike(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        if (c == '%' || c == '_' || c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

const std::vector<CommandTableRow>* ContentStore::commandTable(const std::string& table,
                                                               const char* caller) {
    if (const auto found = commandTables_.find(table); found != commandTables_.end())
        return &found->second;
    // Only the interface configuration tables say which interfaces a row
    // applies to.
    const bool hasInterface = table.starts_with("ifMode");
    const std::string sql = "SELECT cmd, implemented" +
                            std::string(hasInterface ? ", interface" : "") + " FROM " + table +
                            " ORDER BY ord";
    const int failuresBefore = failures_;
    const auto rows = query(sql.c_str(), {}, caller);
    if (failures_ != failuresBefore)
        return nullptr;
    std::vector<CommandTableRow> loaded;
    loaded.reserve(rows.size());
    for (const auto& row : rows) {
        CommandTableRow r;
        r.cmd = row.at(0);
        r.implemented = row.at(1) == "1";
        r.hasInterfaceColumn = hasInterface;
        if (hasInterface)
            r.interfaces = row.at(2);
        loaded.push_back(std::move(r));
    }
    return &commandTables_.emplace(table, std::move(loaded)).first->second;
}

} // namespace kestro
