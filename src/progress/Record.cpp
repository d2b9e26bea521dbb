#include "progress/Record.h"

#include <sqlite3.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace kestro {

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// Each step takes the schema from the version before it to its own number
// (the first from an empty file). A step is never changed once released;
// a new version adds one.
const char* const migrations[] = {
    // 1
    "CREATE TABLE activities("
    "  name TEXT PRIMARY KEY,"
    "  firstOpened TEXT, lastOpened TEXT,"
    "  checklistDone INTEGER NOT NULL DEFAULT 0,"
    "  checklistTotal INTEGER NOT NULL DEFAULT 0,"
    "  completed INTEGER NOT NULL DEFAULT 0,"
    "  keptState TEXT);"
    "CREATE TABLE sittings("
    "  activity TEXT NOT NULL, started TEXT NOT NULL, seconds INTEGER NOT NULL,"
    "  PRIMARY KEY(activity, started));"
    "CREATE TABLE attempts("
    "  activity TEXT NOT NULL, at TEXT NOT NULL, score INTEGER NOT NULL, parts TEXT NOT NULL,"
    "  PRIMARY KEY(activity, at, score));"
    "CREATE TABLE cards("
    "  card TEXT PRIMARY KEY, stability REAL NOT NULL, difficulty REAL NOT NULL,"
    "  due TEXT, reps INTEGER NOT NULL, lapses INTEGER NOT NULL, lastReview TEXT,"
    "  scheduledDays INTEGER NOT NULL, firstReview TEXT);",
};
constexpr int currentVersion = static_cast<int>(std::size(migrations));

// A prepared statement that finalises itself.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) {
            sqlite3_finalize(stmt_);
            stmt_ = nullptr;
        }
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return stmt_ != nullptr; }
    Statement& bind(int i, const std::string& text) {
        if (stmt_)
            sqlite3_bind_text(stmt_, i, text.data(), static_cast<int>(text.size()),
                              SQLITE_TRANSIENT);
        return *this;
    }
    Statement& bind(int i, const std::optional<StudyTime>& time) {
        if (stmt_) {
            if (time)
                bind(i, isoTime(*time));
            else
                sqlite3_bind_null(stmt_, i);
        }
        return *this;
    }
    Statement& bind(int i, long long value) {
        if (stmt_)
            sqlite3_bind_int64(stmt_, i, value);
        return *this;
    }
    Statement& bind(int i, double value) {
        if (stmt_)
            sqlite3_bind_double(stmt_, i, value);
        return *this;
    }
    // SQLITE_ROW, SQLITE_DONE or an error.
    int step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_ERROR; }
    bool done() { return step() == SQLITE_DONE; }

    std::string text(int c) const {
        const auto* t = sqlite3_column_text(stmt_, c);
        return t ? std::string(reinterpret_cast<const char*>(t),
                               static_cast<std::size_t>(sqlite3_column_bytes(stmt_, c)))
                 : std::string();
    }
    std::optional<StudyTime> time(int c) const {
        if (sqlite3_column_type(stmt_, c) == SQLITE_NULL)
            return std::nullopt;
        return parseStudyTime(text(c));
    }
    long long integer(int c) const { return sqlite3_column_int64(stmt_, c); }
    double real(int c) const { return sqlite3_column_double(stmt_, c); }
    bool null(int c) const { return sqlite3_column_type(stmt_, c) == SQLITE_NULL; }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

std::string envOr(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

int userVersion(sqlite3* db) {
    Statement s(db, "PRAGMA user_version");
    return s.step() == SQLITE_ROW ? static_cast<int>(s.integer(0)) : -1;
}

// Why an opened file cannot serve as the record; empty when it can.
std::string unreadable(sqlite3* db) {
    Statement check(db, "PRAGMA quick_check");
    if (!check.ok())
        return sqlite3_errmsg(db);
    const int rc = check.step();
    if (rc != SQLITE_ROW)
        return sqlite3_errmsg(db);
    if (check.text(0) != "ok")
        return "the file is damaged (" + check.text(0) + ")";
    const int version = userVersion(db);
    if (version > currentVersion)
        return "it was written by a newer version of the program (record version " +
               std::to_string(version) + ")";
    if (version == 0) {
        // A database of something else, not an empty new file.
        Statement tables(db, "SELECT count(*) FROM sqlite_master");
        if (tables.step() == SQLITE_ROW && tables.integer(0) > 0)
            return "it is a database of another kind";
    }
    return {};
}

sqlite3* openFile(const std::string& path, std::string& problem) {
    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        problem = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close(db);
        return nullptr;
    }
    // Another copy of the program may hold the file for a moment.
    sqlite3_busy_timeout(db, 10000);
    return db;
}

bool execOn(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Brings the schema up to date in one transaction; another copy opening
// the same new file at the same moment waits and then finds it done.
bool migrate(sqlite3* db, std::string& problem, int& code) {
    auto failed = [&] {
        code = sqlite3_errcode(db) & 0xff;
        problem = sqlite3_errmsg(db);
        execOn(db, "ROLLBACK");
        return false;
    };
    if (!execOn(db, "BEGIN IMMEDIATE"))
        return failed();
    int version = userVersion(db);
    for (; version >= 0 && version < currentVersion; ++version)
        if (!execOn(db, migrations[version]))
            return failed();
    const std::string setVersion = "PRAGMA user_version = " + std::to_string(currentVersion);
    if (version < 0 || !execOn(db, setVersion.c_str()) || !execOn(db, "COMMIT"))
        return failed();
    return true;
}

// Another copy holding the file past the time-out: the file is sound and
// must not be set aside.
bool busy(int code) {
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

std::string asideName(const std::string& path) {
    std::string stamp = isoTime(studyNow());
    for (char& c : stamp)
        if (c == ':')
            c = '-';
    std::string aside = path + ".damaged-" + stamp;
    for (int n = 2; fs::exists(aside); ++n)
        aside = path + ".damaged-" + stamp + "-" + std::to_string(n);
    return aside;
}

} // namespace

std::string recordPath(const std::string& option) {
    if (!option.empty())
        return option;
    if (std::string env = envOr("KESTRO_RECORD"); !env.empty())
        return env;
    if (std::string data = envOr("XDG_DATA_HOME"); !data.empty() && data.front() == '/')
        return data + "/kestro/record.db";
    return envOr("HOME") + "/.local/share/kestro/record.db";
}

int Record::schemaVersion() {
    return currentVersion;
}

namespace {

// Opens the file, checks it is a record this program reads, turns WAL on
// and brings the schema forward. Null, with the problem and SQLite's
// primary result code, when a step fails.
sqlite3* openWorking(const std::string& path, std::string& problem, int& code) {
    sqlite3* db = openFile(path, problem);
    if (!db)
        return nullptr;
    problem = unreadable(db);
    code = sqlite3_errcode(db) & 0xff;
    // WAL lets a reader and a writer work at once; it is kept in the file.
    if (problem.empty() && !execOn(db, "PRAGMA journal_mode = WAL")) {
        problem = sqlite3_errmsg(db);
        code = sqlite3_errcode(db) & 0xff;
    }
    if (problem.empty())
        migrate(db, problem, code);
    if (problem.empty()) {
        execOn(db, "PRAGMA synchronous = FULL");
        return db;
    }
    sqlite3_close(db);
    return nullptr;
}

// A fresh record where the unreadable one was; null with the problem.
sqlite3* openFresh(const std::string& path, std::string& problem) {
    int code = SQLITE_OK;
    sqlite3* db = openFile(path, problem);
    if (db && execOn(db, "PRAGMA journal_mode = WAL") && migrate(db, problem, code)) {
        execOn(db, "PRAGMA synchronous = FULL");
        return db;
    }
    if (db)
        problem = sqlite3_errmsg(db);
    sqlite3_close(db);
    return nullptr;
}

// Sets an unreadable record aside with its journal, saying so in `notice`;
// false when it is there and cannot be moved.
bool setAside(const std::string& path, const std::string& problem, std::string& notice) {
    std::error_code ec;
    if (!fs::exists(path, ec))
        return true;
    const std::string aside = asideName(path);
    fs::rename(path, aside, ec);
    if (ec) {
        notice = "The study record \"" + path + "\" cannot be read (" + problem +
                 ") nor moved aside (" + ec.message() + "): progress is not kept in this run.";
        return false;
    }
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        if (fs::exists(path + suffix, ec))
            fs::rename(path + suffix, aside + suffix, ec);
    notice = "The study record \"" + path + "\" could not be read (" + problem +
             "). It was moved to \"" + aside + "\" and a fresh record was started.";
    return true;
}

} // namespace

std::unique_ptr<Record> Record::open(const std::string& path, std::string& notice) {
    notice.clear();
    std::error_code ec;
    const fs::path folder = fs::path(path).parent_path();
    if (!folder.empty())
        fs::create_directories(folder, ec);
    if (fs::is_directory(path, ec)) {
        notice = "The study record \"" + path +
                 "\" is a folder, not a file: progress is not kept in this run.";
        return nullptr;
    }
    std::string problem;
    int code = SQLITE_OK;
    if (sqlite3* db = openWorking(path, problem, code))
        return std::unique_ptr<Record>(new Record(db, path));
    if (busy(code)) {
        notice = "The study record \"" + path + "\" is held by another copy of the program (" +
                 problem + "): progress is not kept in this run.";
        return nullptr;
    }
    if (!setAside(path, problem, notice))
        return nullptr;
    std::string again;
    if (sqlite3* db = openFresh(path, again))
        return std::unique_ptr<Record>(new Record(db, path));
    notice += std::string(notice.empty() ? "" : "\n") + "The study record \"" + path +
              "\" cannot be created (" + (again.empty() ? problem : again) +
              "): progress is not kept in this run.";
    return nullptr;
}

Record::Record(sqlite3* db, std::string path) : db_(db), path_(std::move(path)) {}

Record::~Record() {
    sqlite3_close(db_);
}

bool Record::exec(const char* sql) {
    return execOn(db_, sql);
}

bool Record::fail(const char* operation) {
    if (onFailure_)
        onFailure_(operation, sqlite3_errmsg(db_));
    return false;
}

// One change, all or nothing. BEGIN IMMEDIATE takes the write lock at once
// (waiting up to the busy time-out), so two copies never interleave a
// read-modify-write.
bool Record::run(const char* operation, const std::function<bool()>& work) {
    if (!exec("BEGIN IMMEDIATE"))
        return fail(operation);
    if (!work()) {
        fail(operation);
        exec("ROLLBACK");
        return false;
    }
    if (!exec("COMMIT")) {
        fail(operation);
        exec("ROLLBACK");
        return false;
    }
    return true;
}

namespace {

bool ensureActivity(sqlite3* db, const std::string& name) {
    return Statement(db, "INSERT OR IGNORE INTO activities(name) VALUES (?1)").bind(1, name).done();
}

// An opening widens the span between the first and the last.
bool noteOpened(sqlite3* db, const std::string& activity, StudyTime at) {
    return ensureActivity(db, activity) &&
           Statement(db, "UPDATE activities SET firstOpened = coalesce(min(firstOpened, ?2), ?2),"
                         " lastOpened = coalesce(max(lastOpened, ?2), ?2) WHERE name = ?1")
               .bind(1, activity)
               .bind(2, std::optional(at))
               .done();
}

// A sitting already kept keeps the longer of the two times.
bool noteSitting(sqlite3* db, const std::string& activity, StudyTime started, long long seconds) {
    return ensureActivity(db, activity) &&
           Statement(db, "INSERT INTO sittings(activity, started, seconds) VALUES (?1, ?2, ?3)"
                         " ON CONFLICT DO UPDATE SET seconds = max(seconds, excluded.seconds)")
               .bind(1, activity)
               .bind(2, std::optional(started))
               .bind(3, seconds)
               .done();
}

} // namespace

bool Record::activityOpened(const std::string& activity, StudyTime at) {
    return run("activityOpened", [&] { return noteOpened(db_, activity, at); });
}

bool Record::addSitting(const std::string& activity, Sitting sitting) {
    if (sitting.seconds <= 0)
        return true;
    return run("addSitting", [&] {
        return noteSitting(db_, activity, sitting.started, static_cast<long long>(sitting.seconds));
    });
}

namespace {

// Best progress: the larger share wins; a share of a longer list wins a tie.
const char* const progressUpdate =
    "UPDATE activities SET"
    " checklistDone = CASE WHEN ?3 > 0 AND (checklistTotal = 0 OR"
    "   ?2 * checklistTotal > checklistDone * ?3 OR"
    "   (?2 * checklistTotal = checklistDone * ?3 AND ?3 > checklistTotal))"
    "   THEN ?2 ELSE checklistDone END,"
    " checklistTotal = CASE WHEN ?3 > 0 AND (checklistTotal = 0 OR"
    "   ?2 * checklistTotal > checklistDone * ?3 OR"
    "   (?2 * checklistTotal = checklistDone * ?3 AND ?3 > checklistTotal))"
    "   THEN ?3 ELSE checklistTotal END,"
    " completed = max(completed, ?4) WHERE name = ?1";

bool updateProgress(sqlite3* db, const std::string& activity, int done, int total, bool completed) {
    return ensureActivity(db, activity) && Statement(db, progressUpdate)
                                               .bind(1, activity)
                                               .bind(2, static_cast<long long>(done))
                                               .bind(3, static_cast<long long>(total))
                                               .bind(4, completed ? 1LL : 0LL)
                                               .done();
}

std::string partsJson(const std::vector<PartResult>& parts) {
    json j = json::array();
    for (const PartResult& p : parts)
        j.push_back({{"part", p.part}, {"correct", p.correct}});
    return j.dump();
}

std::vector<PartResult> partsFrom(const json& j) {
    std::vector<PartResult> parts;
    if (j.is_array())
        for (const json& p : j)
            if (p.is_object())
                parts.push_back({p.value("part", ""), p.value("correct", false)});
    return parts;
}

bool insertAttempt(sqlite3* db, const std::string& activity, const TestAttempt& a) {
    return ensureActivity(db, activity) &&
           Statement(db, "INSERT OR IGNORE INTO attempts(activity, at, score, parts)"
                         " VALUES (?1, ?2, ?3, ?4)")
               .bind(1, activity)
               .bind(2, std::optional(a.at))
               .bind(3, static_cast<long long>(a.score))
               .bind(4, partsJson(a.parts))
               .done();
}

} // namespace

bool Record::checklistProgress(const std::string& activity, int done, int total, bool completed) {
    done = std::max(0, std::min(done, total));
    return run("checklistProgress",
               [&] { return updateProgress(db_, activity, done, total, completed); });
}

bool Record::markCompleted(const std::string& activity) {
    return run("markCompleted", [&] { return updateProgress(db_, activity, 0, 0, true); });
}

bool Record::addTestAttempt(const std::string& activity, const TestAttempt& attempt) {
    return run("addTestAttempt", [&] { return insertAttempt(db_, activity, attempt); });
}

std::vector<ActivityProgress> Record::activities() {
    std::vector<ActivityProgress> out;
    Statement s(db_, "SELECT name, firstOpened, lastOpened,"
                     " (SELECT coalesce(sum(seconds), 0) FROM sittings WHERE activity = name),"
                     " checklistDone, checklistTotal, completed,"
                     " (SELECT max(score) FROM attempts WHERE activity = name),"
                     " (SELECT score FROM attempts WHERE activity = name ORDER BY at DESC LIMIT 1),"
                     " keptState IS NOT NULL FROM activities ORDER BY name");
    while (s.step() == SQLITE_ROW) {
        ActivityProgress a;
        a.name = s.text(0);
        a.firstOpened = s.time(1);
        a.lastOpened = s.time(2);
        a.secondsSpent = static_cast<long>(s.integer(3));
        a.checklistDone = static_cast<int>(s.integer(4));
        a.checklistTotal = static_cast<int>(s.integer(5));
        a.completed = s.integer(6) != 0;
        if (!s.null(7))
            a.bestScore = static_cast<int>(s.integer(7));
        if (!s.null(8))
            a.lastScore = static_cast<int>(s.integer(8));
        a.hasKeptState = s.integer(9) != 0;
        out.push_back(std::move(a));
    }
    return out;
}

std::optional<ActivityProgress> Record::activity(const std::string& name) {
    for (ActivityProgress& a : activities())
        if (a.name == name)
            return std::move(a);
    return std::nullopt;
}

std::vector<TestAttempt> Record::testAttempts(const std::string& activity) {
    std::vector<TestAttempt> out;
    Statement s(db_, "SELECT at, score, parts FROM attempts WHERE activity = ?1 ORDER BY at");
    s.bind(1, activity);
    while (s.step() == SQLITE_ROW) {
        const json parts = json::parse(s.text(2), nullptr, false);
        out.push_back(
            {s.time(0).value_or(StudyTime{}), static_cast<int>(s.integer(1)), partsFrom(parts)});
    }
    return out;
}

std::vector<Sitting> Record::sittings(const std::string& activity) {
    std::vector<Sitting> out;
    Statement s(db_, "SELECT started, seconds FROM sittings WHERE activity = ?1 ORDER BY started");
    s.bind(1, activity);
    while (s.step() == SQLITE_ROW)
        out.push_back({s.time(0).value_or(StudyTime{}), static_cast<long>(s.integer(1))});
    return out;
}

long Record::secondsSince(StudyTime since) {
    Statement s(db_, "SELECT coalesce(sum(seconds), 0) FROM sittings WHERE started >= ?1");
    s.bind(1, std::optional(since));
    return s.step() == SQLITE_ROW ? static_cast<long>(s.integer(0)) : 0;
}

bool Record::keepState(const std::string& activity, const std::string& snapshot) {
    return run("keepState", [&] {
        return ensureActivity(db_, activity) &&
               Statement(db_, "UPDATE activities SET keptState = ?2 WHERE name = ?1")
                   .bind(1, activity)
                   .bind(2, snapshot)
                   .done();
    });
}

std::optional<std::string> Record::keptState(const std::string& activity) {
    Statement s(db_, "SELECT keptState FROM activities WHERE name = ?1 AND keptState IS NOT NULL");
    s.bind(1, activity);
    if (s.step() != SQLITE_ROW)
        return std::nullopt;
    return s.text(0);
}

bool Record::forgetState(const std::string& activity) {
    return run("forgetState", [&] {
        return Statement(db_, "UPDATE activities SET keptState = NULL WHERE name = ?1")
            .bind(1, activity)
            .done();
    });
}

bool Record::resetActivity(const std::string& activity) {
    return run("resetActivity", [&] {
        for (const char* sql :
             {"DELETE FROM activities WHERE name = ?1", "DELETE FROM sittings WHERE activity = ?1",
              "DELETE FROM attempts WHERE activity = ?1"})
            if (!Statement(db_, sql).bind(1, activity).done())
                return false;
        return true;
    });
}

bool Record::resetAll() {
    return run("resetAll", [&] {
        return exec("DELETE FROM activities; DELETE FROM sittings; DELETE FROM attempts;"
                    " DELETE FROM cards;");
    });
}

namespace {

bool writeCard(sqlite3* db, const StoredCard& c) {
    const CardMemory& m = c.memory;
    return Statement(db, "INSERT OR REPLACE INTO cards(card, stability, difficulty, due, reps,"
                         " lapses, lastReview, scheduledDays, firstReview)"
                         " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)")
        .bind(1, c.card)
        .bind(2, m.stability)
        .bind(3, m.difficulty)
        .bind(4, m.due)
        .bind(5, static_cast<long long>(m.reps))
        .bind(6, static_cast<long long>(m.lapses))
        .bind(7, m.lastReview)
        .bind(8, static_cast<long long>(m.scheduledDays))
        .bind(9, c.firstReview)
        .done();
}

const char* const cardColumns = "SELECT card, stability, difficulty, due, reps, lapses, "
                                "lastReview, scheduledDays, firstReview FROM cards";

StoredCard cardFrom(const Statement& s) {
    StoredCard c;
    c.card = s.text(0);
    c.memory.stability = s.real(1);
    c.memory.difficulty = s.real(2);
    c.memory.due = s.time(3);
    c.memory.reps = static_cast<int>(s.integer(4));
    c.memory.lapses = static_cast<int>(s.integer(5));
    c.memory.lastReview = s.time(6);
    c.memory.scheduledDays = static_cast<int>(s.integer(7));
    c.firstReview = s.time(8);
    return c;
}

} // namespace

bool Record::saveCard(const std::string& card, const CardMemory& memory, StudyTime reviewedAt) {
    return run("saveCard", [&] {
        Statement first(db_, "SELECT firstReview FROM cards WHERE card = ?1");
        first.bind(1, card);
        std::optional<StudyTime> firstReview = reviewedAt;
        if (first.step() == SQLITE_ROW && !first.null(0))
            firstReview = first.time(0);
        return writeCard(db_, {card, memory, firstReview});
    });
}

std::optional<CardMemory> Record::card(const std::string& card) {
    Statement s(db_, (std::string(cardColumns) + " WHERE card = ?1").c_str());
    s.bind(1, card);
    if (s.step() != SQLITE_ROW)
        return std::nullopt;
    return cardFrom(s).memory;
}

std::vector<StoredCard> Record::cards() {
    std::vector<StoredCard> out;
    Statement s(db_, (std::string(cardColumns) + " ORDER BY card").c_str());
    while (s.step() == SQLITE_ROW)
        out.push_back(cardFrom(s));
    return out;
}

int Record::cardsFirstReviewed(StudyTime from, StudyTime to) {
    Statement s(db_, "SELECT count(*) FROM cards WHERE firstReview >= ?1 AND firstReview < ?2");
    s.bind(1, std::optional(from)).bind(2, std::optional(to));
    return s.step() == SQLITE_ROW ? static_cast<int>(s.integer(0)) : 0;
}

std::string ActivityProgress::status() const {
    if (completed)
        return "completed";
    if (lastOpened || checklistDone > 0 || bestScore)
        return "in progress";
    return "not started";
}

int ActivityProgress::percent() const {
    if (completed)
        return 100;
    if (checklistTotal > 0)
        return checklistDone * 100 / checklistTotal;
    if (bestScore)
        return *bestScore / 10;
    return 0;
}

// --- export and import --------------------------------------------------------

namespace {

// The export keeps its keys in the order written, so it reads as documented.
using ordered = nlohmann::ordered_json;

ordered timeText(const std::optional<StudyTime>& t) {
    return t ? ordered(isoTime(*t)) : ordered(nullptr);
}

std::optional<StudyTime> timeFrom(const json& j, const char* key) {
    if (!j.contains(key) || !j.at(key).is_string())
        return std::nullopt;
    return parseStudyTime(j.at(key).get<std::string>());
}

constexpr const char* exportFormat = "kestro-study-record";

} // namespace

std::string Record::exportJson(StudyTime now) {
    ordered activitiesOut = ordered::array();
    for (const ActivityProgress& a : activities()) {
        ordered attempts = ordered::array();
        for (const TestAttempt& t : testAttempts(a.name)) {
            ordered parts = ordered::array();
            for (const PartResult& p : t.parts)
                parts.push_back({{"part", p.part}, {"correct", p.correct}});
            attempts.push_back({{"at", isoTime(t.at)}, {"score", t.score}, {"parts", parts}});
        }
        ordered sittingsOut = ordered::array();
        for (const Sitting& s : sittings(a.name))
            sittingsOut.push_back({{"started", isoTime(s.started)}, {"seconds", s.seconds}});
        activitiesOut.push_back({
            {"name", a.name},
            {"status", a.status()},
            {"percent", a.percent()},
            {"bestScore", a.bestScore ? ordered(*a.bestScore) : ordered(nullptr)},
            {"lastScore", a.lastScore ? ordered(*a.lastScore) : ordered(nullptr)},
            {"firstOpened", timeText(a.firstOpened)},
            {"lastOpened", timeText(a.lastOpened)},
            {"secondsSpent", a.secondsSpent},
            {"checklist", {{"done", a.checklistDone}, {"total", a.checklistTotal}}},
            {"completed", a.completed},
            {"attempts", attempts},
            {"sittings", sittingsOut},
        });
    }
    ordered cardsOut = ordered::array();
    for (const StoredCard& c : cards())
        cardsOut.push_back({
            {"card", c.card},
            {"due", timeText(c.memory.due)},
            {"stability", c.memory.stability},
            {"difficulty", c.memory.difficulty},
            {"reps", c.memory.reps},
            {"lapses", c.memory.lapses},
            {"lastReview", timeText(c.memory.lastReview)},
            {"scheduledDays", c.memory.scheduledDays},
            {"firstReview", timeText(c.firstReview)},
        });
    const ordered doc = {{"format", exportFormat},
                         {"version", 1},
                         {"exported", isoTime(now)},
                         {"activities", activitiesOut},
                         {"cards", cardsOut}};
    return doc.dump(2) + "\n";
}

namespace {

// One activity of an export merged in: openings widen, the best progress
// stays, attempts and sittings are joined. Throws on a missing name.
bool importActivity(sqlite3* db, const json& a) {
    const std::string name = a.at("name").get<std::string>();
    if (!ensureActivity(db, name))
        return false;
    for (const char* key : {"firstOpened", "lastOpened"})
        if (auto t = timeFrom(a, key); t && !noteOpened(db, name, *t))
            return false;
    const json checklist = a.value("checklist", json::object());
    if (!updateProgress(db, name, checklist.value("done", 0), checklist.value("total", 0),
                        a.value("completed", false)))
        return false;
    for (const json& t : a.value("attempts", json::array())) {
        auto at = timeFrom(t, "at");
        if (at &&
            !insertAttempt(db, name,
                           {*at, t.value("score", 0), partsFrom(t.value("parts", json::array()))}))
            return false;
    }
    for (const json& s : a.value("sittings", json::array())) {
        auto started = timeFrom(s, "started");
        if (started && !noteSitting(db, name, *started, s.value("seconds", 0LL)))
            return false;
    }
    return true;
}

// One card of an export merged in: the later review wins, the earlier first
// review stays. Throws on a missing question.
bool importCard(sqlite3* db, const json& c) {
    StoredCard incoming;
    incoming.card = c.at("card").get<std::string>();
    incoming.memory.stability = c.value("stability", 0.0);
    incoming.memory.difficulty = c.value("difficulty", 0.0);
    incoming.memory.due = timeFrom(c, "due");
    incoming.memory.reps = c.value("reps", 0);
    incoming.memory.lapses = c.value("lapses", 0);
    incoming.memory.lastReview = timeFrom(c, "lastReview");
    incoming.memory.scheduledDays = c.value("scheduledDays", 0);
    incoming.firstReview = timeFrom(c, "firstReview");
    if (!incoming.memory.lastReview)
        return true; // never reviewed there: nothing to bring
    Statement s(db, (std::string(cardColumns) + " WHERE card = ?1").c_str());
    s.bind(1, incoming.card);
    if (s.step() == SQLITE_ROW) {
        const StoredCard mine = cardFrom(s);
        if (mine.memory.lastReview && *mine.memory.lastReview >= *incoming.memory.lastReview)
            return true;
        if (mine.firstReview &&
            (!incoming.firstReview || *mine.firstReview < *incoming.firstReview))
            incoming.firstReview = mine.firstReview;
    }
    return writeCard(db, incoming);
}

} // namespace

bool Record::importJson(const std::string& text, std::string& error) {
    const json doc = json::parse(text, nullptr, false);
    if (doc.is_discarded() || !doc.is_object() || doc.value("format", "") != exportFormat ||
        !doc.contains("activities") || !doc.contains("cards")) {
        error = "the file is not an export of the study record";
        return false;
    }
    bool written = run("importJson", [&] {
        try {
            for (const json& a : doc.at("activities"))
                if (!importActivity(db_, a))
                    return false;
            for (const json& c : doc.at("cards"))
                if (!importCard(db_, c))
                    return false;
            return true;
        } catch (const json::exception& e) {
            error = std::string("the export is not complete (") + e.what() + ")";
            return false;
        }
    });
    if (!written && error.empty())
        error = std::string("the record could not be written (") + sqlite3_errmsg(db_) + ")";
    return written;
}

} // namespace kestro
