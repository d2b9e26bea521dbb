// The study record: one SQLite file per user that keeps progress between
// runs (activities opened, time spent, checklist progress, test attempts,
// the routers an activity was left with, flash-card memories). Every change
// is one transaction; two running copies of the program share the file
// (WAL journal, busy time-out) without losing a write. A file that cannot
// be read is moved aside and a fresh record started: the record never stops
// the program.
#pragma once

#include "progress/Clock.h"
#include "progress/Spacing.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace kestro {

// The record's file: `option` (--record FILE) when given, else
// $KESTRO_RECORD, else $XDG_DATA_HOME/kestro/record.db, else
// ~/.local/share/kestro/record.db.
std::string recordPath(const std::string& option = {});

// One part of a test attempt's report and whether it was right.
struct PartResult {
    std::string part;
    bool correct = false;
    bool operator==(const PartResult&) const = default;
};

struct TestAttempt {
    StudyTime at;
    int score = 0; // out of 1000
    std::vector<PartResult> parts;
    bool operator==(const TestAttempt&) const = default;
};

// One stretch of time spent in an activity.
struct Sitting {
    StudyTime started;
    long seconds = 0;
    bool operator==(const Sitting&) const = default;
};

// What the record knows of one activity.
struct ActivityProgress {
    std::string name;
    std::optional<StudyTime> firstOpened;
    std::optional<StudyTime> lastOpened;
    long secondsSpent = 0;
    int checklistDone = 0; // best progress reached
    int checklistTotal = 0;
    bool completed = false;
    std::optional<int> bestScore;
    std::optional<int> lastScore;
    bool hasKeptState = false;

    // "completed", "in progress" (opened, or some progress) or "not started".
    std::string status() const;
    // 100 once completed; else the best checklist progress; else a test's
    // best score out of 1000 as a percentage; else 0.
    int percent() const;
};

struct StoredCard {
    std::string card; // the card's question
    CardMemory memory;
    std::optional<StudyTime> firstReview;
};

class Record {
public:
    // Opens or creates the record at `path` (its folder is made when
    // missing). A file that is not a record this program can read (not
    // SQLite, damaged, written by a newer version) is renamed to
    // "<path>.damaged-<UTC time>" and a fresh record started; `notice` then
    // names both files. Null only when no record can be kept at all (the
    // folder cannot be written): `notice` says why, and the program goes on
    // without one.
    static std::unique_ptr<Record> open(const std::string& path, std::string& notice);
    ~Record();
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;

    const std::string& path() const { return path_; }
    // The schema version this program writes.
    static int schemaVersion();

    // Called when a change cannot be written (disk full, the other copy
    // holding the file past the time-out): the operation and SQLite's words.
    using FailureHandler = std::function<void(const std::string& operation, const std::string&)>;
    void setFailureHandler(FailureHandler handler) { onFailure_ = std::move(handler); }

    // --- activities (each call is one transaction; false when not written)
    bool activityOpened(const std::string& activity, StudyTime at);
    bool addSitting(const std::string& activity, Sitting sitting);
    // Keeps the best progress reached: a lower count never replaces a higher
    // one, and completed stays set.
    bool checklistProgress(const std::string& activity, int done, int total, bool completed);
    bool markCompleted(const std::string& activity);
    bool addTestAttempt(const std::string& activity, const TestAttempt& attempt);

    std::optional<ActivityProgress> activity(const std::string& name);
    // Every activity the record knows, by name.
    std::vector<ActivityProgress> activities();
    std::vector<TestAttempt> testAttempts(const std::string& activity);
    std::vector<Sitting> sittings(const std::string& activity);
    // Seconds of sittings started at or after `since`, in every activity.
    long secondsSince(StudyTime since);

    // The routers an activity was left with (snapshot text, see
    // RouterSnapshot.h); empty when none is kept.
    bool keepState(const std::string& activity, const std::string& snapshot);
    std::optional<std::string> keptState(const std::string& activity);
    bool forgetState(const std::string& activity);

    // Forgets everything of one activity, or of every activity and card.
    bool resetActivity(const std::string& activity);
    bool resetAll();

    // --- flash cards
    bool saveCard(const std::string& card, const CardMemory& memory, StudyTime reviewedAt);
    std::optional<CardMemory> card(const std::string& card);
    std::vector<StoredCard> cards();
    // Cards whose first review fell in [from, to): the new cards studied.
    int cardsFirstReviewed(StudyTime from, StudyTime to);

    // --- export and import (JSON, shape in the README)
    std::string exportJson(StudyTime now);
    // Merges an exported document: nothing newer in the record is replaced
    // (later reviews win, best progress and scores stay, attempts and
    // sittings are joined). One transaction. False with `error` set when the
    // text is not an export.
    bool importJson(const std::string& text, std::string& error);

private:
    Record(sqlite3* db, std::string path);
    bool run(const char* operation, const std::function<bool()>& work);
    bool exec(const char* sql);
    bool fail(const char* operation);

    sqlite3* db_;
    std::string path_;
    FailureHandler onFailure_;
};

} // namespace kestro
