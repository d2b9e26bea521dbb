// Read-only access to the content database. Every query is a prepared
// statement with the typed text bound as a parameter, so nothing the student
// types can change what a query means.
#pragma once

#include "records/FlashCard.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace kestro {

// Called when a query fails: the name of the procedure that asked, and the
// failure's number and description. The owner routes it to the error log.
using QueryFailureHandler =
    std::function<void(const std::string& caller, int number, const std::string& description)>;

// A troubleshooting exercise: what the student sees, and how it is repaired.
struct ExerciseTexts {
    std::string troubleshootingText;
    std::string solutionText;
};

// One row of a command table (see content/CommandTables.h).
struct CommandTableRow {
    std::string cmd;
    bool implemented = false;
    bool hasInterfaceColumn = false;
    std::string interfaces; // the interfaces the row applies to, e.g. "012"
};

class ContentStore {
public:
    // Opens the database file read-only. On failure returns null and puts a
    // sentence naming the file and the reason into `error`.
    static std::unique_ptr<ContentStore> open(const std::string& path, std::string& error);
    ~ContentStore();
    ContentStore(const ContentStore&) = delete;
    ContentStore& operator=(const ContentStore&) = delete;

    void setFailureHandler(QueryFailureHandler handler) { onFailure_ = std::move(handler); }

    // cmdInfo.display of the row whose cmd equals key (case ignored).
    std::optional<std::string> cmdInfo(std::string_view key, const char* caller);
    // Misc.contents of the row whose id equals key (case ignored).
    std::optional<std::string> misc(std::string_view id, const char* caller);

    // Labs.labText of a guided lab, tests.testText of "test1".."test3" or
    // "test1Solution".., the texts of a troubleshooting exercise (keys case
    // ignored).
    std::optional<std::string> labText(std::string_view labName, const char* caller);
    std::optional<std::string> testText(std::string_view testName, const char* caller);
    std::optional<ExerciseTexts> exercise(std::string_view exerciseName, const char* caller);
    // Every flash card, in a random order drawn afresh by each call.
    std::vector<FlashCard> flashCards(const char* caller);
    // The report lines of a test's diagnosis, in order: a heading, or a
    // check with its condition as written in the content.
    struct TestCheckRow {
        std::string label;
        bool heading = false;
        std::string condition;
    };
    std::vector<TestCheckRow> testChecks(std::string_view testName, const char* caller);
    // The checklist source of a lab or an exercise (data/README.md); empty
    // for an activity without one, or a database that has no checklists.
    std::optional<std::string> checklistSource(std::string_view activity, const char* caller);

    // Runs `sql` (prepared once per distinct text, then reused) with the
    // given text parameters bound in order; returns every row, each as its
    // columns' text. A failure is reported to the failure handler under
    // `caller` and gives an empty result.
    std::vector<std::vector<std::string>>
    query(const char* sql, const std::vector<std::string>& params, const char* caller);

    // Escapes LIKE wildcards ('%', '_') and the escape character ('\') in
    // typed text; patterns built with it must say ESCAPE '\'.
    static std::string escapeLike(std::string_view text);

    // Every row of the named command table in table order, read on first use
    // and kept. Null when it cannot be read: reported under `caller`, and
    // read again at the next use. `table` must be one of the known table
    // names, never typed text.
    const std::vector<CommandTableRow>* commandTable(const std::string& table, const char* caller);

    const std::string& path() const { return path_; }

private:
    ContentStore(sqlite3* db, std::string path);
    sqlite3_stmt* statementFor(const char* sql, const char* caller);
    void fail(const char* caller, int number, const std::string& description);

    sqlite3* db_;
    std::string path_;
    std::vector<std::pair<std::string, sqlite3_stmt*>> statements_;
    QueryFailureHandler onFailure_;
    int failures_ = 0;
    std::map<std::string, std::vector<CommandTableRow>, std::less<>> commandTables_;
};

} // namespace kestro
