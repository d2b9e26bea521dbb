// What the study record says of the whole course, as the progress view and
// the console's table show it: labs completed per topic of the Labs menu,
// the tests' scores, the exercises repaired, the flash cards due and the
// time studied. Built from the record and the course's catalogue only.
#pragma once

#include "progress/Record.h"
#include "records/FlashCard.h"

#include <optional>
#include <string>
#include <vector>

namespace kestro {

class Simulator;

// The flash cards in content order, so a study session is the same each time.
std::vector<FlashCard> studyDeck(Simulator& sim);

// "1 day", "3 days"; "12 min", "2 h 5 min".
std::string daysText(int days);
std::string durationText(long seconds);

struct TopicProgress {
    std::string caption; // the Labs menu's submenu, or the lab's own caption
    int completed = 0;
    int total = 0;
};

struct TestProgress {
    std::string name; // "test1"
    std::string caption;
    std::vector<int> scores; // every attempt, oldest first, out of 1000
    std::optional<int> best;
    std::optional<int> last;
};

struct ActivityRow {
    std::string name;
    std::string caption; // as the menu shows it
    ActivityProgress progress;
};

struct ProgressOverview {
    std::vector<TopicProgress> topics; // labs with a checklist, in menu order
    std::vector<TestProgress> tests;
    int exercisesRepaired = 0;
    int exercisesTotal = 0;
    int deckSize = 0;
    int cardsStudied = 0;
    int newToday = 0;                    // new cards still offered today
    std::vector<int> forecast;           // cards due on each of seven days, today first
    long secondsThisWeek = 0;            // in the last seven days, today included
    std::vector<ActivityRow> activities; // every activity, in menu order
};

// The forecast's day `day` from today: "Today", "Tomorrow", "In 3 days".
std::string forecastDayLabel(int day);

// `record` may be null: everything is then not started.
ProgressOverview progressOverview(Simulator& sim, Record* record, StudyTime now);

// What a menu item of the activity tells besides its tick: "" when not
// started, "Completed", "40% done" or "Opened; no step done yet".
std::string progressNote(const ActivityProgress& activity);

// The record as the console prints it: one row per activity (status,
// percent, best score, last opened), then the cards and the week.
std::string progressTable(const ProgressOverview& overview);

} // namespace kestro
