#include "shell/ProgressOverview.h"

#include "Simulator.h"
#include "learning/Catalogue.h"
#include "progress/Study.h"
#include "records/Text.h"
#include "shell/MenuTree.h"

#include <algorithm>
#include <map>
#include <sstream>

namespace kestro {

std::vector<FlashCard> studyDeck(Simulator& sim) {
    std::vector<FlashCard> deck;
    if (ContentStore* store = sim.content())
        for (auto& row : store->query("SELECT question, answer FROM flashCards ORDER BY ID", {},
                                      "studyDueCards"))
            if (row.size() == 2)
                deck.push_back({std::move(row[0]), std::move(row[1])});
    return deck;
}

std::string daysText(int days) {
    return std::to_string(days) + (days == 1 ? " day" : " days");
}

std::string durationText(long seconds) {
    const long minutes = seconds / 60;
    if (minutes < 60)
        return std::to_string(minutes) + " min";
    return std::to_string(minutes / 60) + " h " + std::to_string(minutes % 60) + " min";
}

std::string forecastDayLabel(int day) {
    if (day == 0)
        return "Today";
    if (day == 1)
        return "Tomorrow";
    return "In " + daysText(day);
}

namespace {

// Labs and their topics: a lab without a checklist (the reading-only ones)
// has nothing to complete and is left out.
void addTopics(Simulator& sim, const std::map<std::string, ActivityProgress>& known,
               ProgressOverview& overview) {
    const LabGroup* open = nullptr;
    for (const GuidedLab& lab : guidedLabs()) {
        ContentStore* store = sim.content();
        const auto source = store ? store->checklistSource(lab.name, "progressOverview")
                                  : std::optional<std::string>();
        if (!source || source->empty())
            continue;
        if (lab.group == nullptr || lab.group != open || overview.topics.empty())
            overview.topics.push_back(
                {trimBlanks(lab.group ? lab.group->caption : lab.caption), 0, 0});
        open = lab.group;
        TopicProgress& topic = overview.topics.back();
        ++topic.total;
        if (const auto a = known.find(std::string(lab.name));
            a != known.end() && a->second.completed)
            ++topic.completed;
    }
}

} // namespace

ProgressOverview progressOverview(Simulator& sim, Record* record, StudyTime now) {
    ProgressOverview overview;
    std::map<std::string, ActivityProgress> known;
    if (record)
        for (ActivityProgress& a : record->activities())
            known.emplace(a.name, std::move(a));
    for (const std::string& name : activityNames()) {
        ActivityRow row{name, activityCaption(name), {}};
        if (const auto a = known.find(name); a != known.end())
            row.progress = a->second;
        row.progress.name = name;
        const ActivityType type = activityType(name);
        if (type == ActivityType::test) {
            TestProgress test{
                name, row.caption, {}, row.progress.bestScore, row.progress.lastScore};
            if (record)
                for (const TestAttempt& attempt : record->testAttempts(name))
                    test.scores.push_back(attempt.score);
            overview.tests.push_back(std::move(test));
        } else if (type == ActivityType::troubleshooting) {
            ++overview.exercisesTotal;
            overview.exercisesRepaired += row.progress.completed ? 1 : 0;
        }
        overview.activities.push_back(std::move(row));
    }
    addTopics(sim, known, overview);

    const std::vector<FlashCard> deck = studyDeck(sim);
    overview.deckSize = static_cast<int>(deck.size());
    overview.forecast.assign(7, 0);
    int newStudiedToday = 0;
    if (record) {
        overview.cardsStudied = static_cast<int>(record->cards().size());
        overview.forecast = dueForecast(*record, now);
        overview.secondsThisWeek =
            record->secondsSince(startOfLocalDay(now) - std::chrono::days{6});
        newStudiedToday = record->cardsFirstReviewed(startOfLocalDay(now), endOfLocalDay(now));
    }
    overview.newToday = std::min(std::max(0, newCardsPerDay - newStudiedToday),
                                 overview.deckSize - overview.cardsStudied);
    return overview;
}

std::string progressNote(const ActivityProgress& activity) {
    if (activity.completed)
        return "Completed";
    if (activity.percent() > 0)
        return std::to_string(activity.percent()) + "% done";
    if (activity.lastOpened)
        return "Opened; no step done yet";
    return {};
}

namespace {

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

std::string rightAligned(const std::string& text, std::size_t width) {
    return std::string(width - std::min(width, text.size()), ' ') + text;
}

} // namespace

std::string progressTable(const ProgressOverview& overview) {
    std::ostringstream out;
    out << padded("Activity", 32) << padded("Status", 13) << "Percent  Best score  Last opened\n";
    for (const ActivityRow& row : overview.activities) {
        const ActivityProgress& a = row.progress;
        out << padded(row.name, 32) << padded(a.status(), 13)
            << rightAligned(std::to_string(a.percent()) + "%", 7)
            << rightAligned(a.bestScore ? std::to_string(*a.bestScore) : "-", 12) << "  "
            << (a.lastOpened ? isoDate(*a.lastOpened) : "-") << "\n";
    }
    out << "\nFlash cards: " << overview.cardsStudied << " of " << overview.deckSize
        << " studied; due today " << overview.forecast[0] << ", new today up to "
        << overview.newToday << ".\n"
        << "Due in the next days:";
    for (std::size_t i = 1; i < overview.forecast.size(); ++i)
        out << " " << overview.forecast[i];
    out << "\nTime studied in the last seven days: " << durationText(overview.secondsThisWeek)
        << ".\n";
    return out.str();
}

} // namespace kestro
