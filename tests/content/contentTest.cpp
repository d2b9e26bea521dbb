// The course content against the simulator: every lab text has a walk-through
// that carries out its steps without an unexpected error message and types
// every command the text quotes; every test's model solution scores 1000;
// every exercise's repair makes its promised results appear; the cards and
// the welcome texts are complete.
#include "ConsoleLearning.h"
#include "Frontends.h"

#include "Simulator.h"
#include "console/RecordingConsole.h"
#include "learning/Activities.h"
#include "learning/Checklists.h"
#include "learning/Grading.h"
#include "learning/Instructions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>

namespace kestro::testing {
namespace {

const std::string walkthroughs = std::string(KESTRO_SOURCE_DIR) + "/tests/walkthroughs/";

std::unique_ptr<ContentStore> builtContent() {
    std::string error;
    auto store = ContentStore::open(std::string(KESTRO_BIN_DIR) + "/DataStore.db", error);
    EXPECT_TRUE(store) << error;
    return store;
}

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// A fresh simulator on the built content, started on one activity, typing
// keystroke files into it.
class Session {
public:
    explicit Session(const std::string& activity) : sim(io, builtContent(), ::testing::TempDir()) {
        sim.random.seed(1);
        EXPECT_TRUE(startActivity(sim, activity)) << activity;
    }
    // Types the script; answers what was printed while it ran.
    std::string type(const std::string& script, const std::string& name) {
        std::string error;
        auto keys = parseScript(script, name, error);
        EXPECT_TRUE(keys) << error;
        const std::size_t mark = io.appended.size();
        if (keys)
            runScript(sim, io, *keys);
        return io.appended.substr(mark);
    }

    RecordingConsole io;
    Simulator sim;
};

// The script spelling of a key a text names in apostrophes, or empty for a
// command (typed as it stands).
std::string scriptSpelling(const std::string& quoted) {
    static const std::pair<const char*, const char*> keys[] = {
        {"tab", "<tab>"},           {"enter", "\n"},
        {"esc", "<esc>"},           {"backspace", "<backspace>"},
        {"delete", "<delete>"},     {"up", "<up>"},
        {"down", "<down>"},         {"left", "<left>"},
        {"right", "<right>"},       {"up arrow", "<up>"},
        {"down arrow", "<down>"},   {"left arrow", "<left>"},
        {"right arrow", "<right>"}, {"home", "<home>"},
        {"end", "<end>"},           {"space", "<space>"},
        {"esc-f", "<esc+f>"},       {"esc-b", "<esc+b>"},
    };
    const std::string q = lowered(quoted);
    for (auto [name, spelling] : keys)
        if (q == name)
            return spelling;
    if (q.size() == 6 && q.starts_with("ctrl-") && q[5] >= 'a' && q[5] <= 'z')
        return std::string("<c-") + q[5] + ">";
    return {};
}

// Every apostrophe-quoted command or key of the text that the typed scripts
// do not contain.
std::vector<std::string> untyped(const std::string& text, const std::string& typed) {
    const std::string haystack = lowered(typed);
    std::vector<std::string> missing;
    for (const std::string& line : splitLines(text)) {
        const std::vector<std::string> segments = splitAt(line, '\'');
        for (std::size_t k = 1; k < segments.size(); k += 2) {
            const std::string& quoted = segments[k];
            const std::string key = scriptSpelling(quoted);
            bool found = haystack.find(key.empty() ? lowered(quoted) : key) != std::string::npos;
            if (!found && key == "<space>") // a blank typed as it is
                found = haystack.find(' ') != std::string::npos;
            if (!found && key == "\n")
                found = haystack.find("<enter>") != std::string::npos;
            if (!found)
                missing.push_back(quoted);
        }
    }
    return missing;
}

std::string joined(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& i : items)
        out += "\n  '" + i + "'";
    return out;
}

// --- guided labs -----------------------------------------------------------------

class Labs : public ::testing::TestWithParam<std::string> {};

TEST_P(Labs, WalkThroughCarriesOutEveryStepWithoutUnexpectedErrors) {
    const std::string lab = GetParam();
    Session run(lab);
    const auto text = run.sim.content()->labText(lab, "contentTest");
    ASSERT_TRUE(text) << "no Labs row for " << lab << " (data/labs/" << lab << ".txt)";
    const std::string base = walkthroughs + "labs/" + lab;
    const auto keys = readFile(base + ".keys");
    ASSERT_TRUE(keys) << "no walk-through " << base << ".keys";

    std::set<std::string> allowed;
    if (const auto allow = readFile(base + ".allow"))
        for (const std::string& line : splitLines(*allow))
            if (!trimBlanks(line).empty())
                allowed.insert(trimBlanks(line));
    const std::string output = run.type(*keys, base + ".keys");
    std::vector<std::string> unexpected;
    for (const std::string& line : splitLines(output)) {
        const std::string t = trimBlanks(line);
        const bool error = t.starts_with("% Invalid") || t.starts_with("% Incomplete") ||
                           t.starts_with("% Unknown");
        if (error && !allowed.contains(t))
            unexpected.push_back(t);
    }
    EXPECT_TRUE(unexpected.empty()) << lab << " shows" << joined(unexpected);
    const auto missing = untyped(*text, *keys);
    EXPECT_TRUE(missing.empty()) << lab << ": the walk-through never types" << joined(missing);
}

INSTANTIATE_TEST_SUITE_P(Content, Labs, ::testing::ValuesIn(guidedLabNames()),
                         [](const auto& info) { return info.param; });

// --- tests -----------------------------------------------------------------------

class Tests : public ::testing::TestWithParam<std::string> {};

TEST_P(Tests, ModelSolutionScores1000) {
    const std::string test = GetParam();
    Session run(test);
    ContentStore& store = *run.sim.content();
    ASSERT_TRUE(store.testText(test, "contentTest")) << "no tests row " << test;
    const auto solution = store.testText(test + "Solution", "contentTest");
    ASSERT_TRUE(solution) << "no tests row " << test << "Solution";
    const std::string path = walkthroughs + "tests/" + test + ".keys";
    const auto keys = readFile(path);
    ASSERT_TRUE(keys) << "no walk-through " << path;
    run.type(*keys, path);
    const std::string report = reportText(run.sim);
    EXPECT_NE(report.find("Your Score: 1000\r\nYour Grade: Pass!"), std::string::npos) << report;
    const auto missing = untyped(*solution, *keys);
    EXPECT_TRUE(missing.empty()) << test << ": the model solution never types" << joined(missing);
}

INSTANTIATE_TEST_SUITE_P(Content, Tests, ::testing::Values("test1", "test2", "test3"),
                         [](const auto& info) { return info.param; });

// --- troubleshooting exercises ---------------------------------------------------

class Exercises : public ::testing::TestWithParam<std::string> {};

TEST_P(Exercises, RepairMakesThePromisedResultsAppear) {
    const std::string exercise = GetParam();
    const std::string base = walkthroughs + "troubleshooting/" + exercise;
    const auto keys = readFile(base + ".keys");
    const auto verify = readFile(base + ".verify");
    const auto expect = readFile(base + ".expect");
    ASSERT_TRUE(keys && verify && expect) << "missing " << base << ".keys, .verify or .expect";
    std::vector<std::string> promised;
    for (const std::string& line : splitLines(*expect))
        if (!line.empty())
            promised.push_back(line);
    ASSERT_FALSE(promised.empty()) << base << ".expect promises nothing";

    Session repaired(exercise);
    const auto texts = repaired.sim.content()->exercise(exercise, "contentTest");
    ASSERT_TRUE(texts) << "no troubleshooting row " << exercise;
    EXPECT_FALSE(texts->troubleshootingText.empty());
    EXPECT_FALSE(texts->solutionText.empty());
    repaired.type(*keys, base + ".keys");
    const std::string after = repaired.type(*verify, base + ".verify");
    std::vector<std::string> absent;
    for (const std::string& line : promised)
        if (after.find(line) == std::string::npos)
            absent.push_back(line);
    EXPECT_TRUE(absent.empty()) << exercise << " after the repair lacks" << joined(absent)
                                << "\n--- output ---\n"
                                << after;

    Session faulty(exercise);
    faulty.type("\n", "boot");
    const std::string before = faulty.type(*verify, base + ".verify");
    EXPECT_TRUE(
        std::any_of(promised.begin(), promised.end(),
                    [&](const std::string& l) { return before.find(l) == std::string::npos; }))
        << exercise << ": everything promised shows before the repair too";

    const auto missing = untyped(texts->solutionText, *keys + *verify);
    EXPECT_TRUE(missing.empty()) << exercise << ": the repair never types" << joined(missing);
}

INSTANTIATE_TEST_SUITE_P(Content, Exercises,
                         ::testing::Values("troubleshooting1", "troubleshooting2",
                                           "troubleshooting3", "troubleshooting4",
                                           "troubleshooting5", "troubleshooting6"),
                         [](const auto& info) { return info.param; });

// --- checklists -----------------------------------------------------------------

const std::vector<std::string>& exerciseNames() {
    static const std::vector<std::string> names = {"troubleshooting1", "troubleshooting2",
                                                   "troubleshooting3", "troubleshooting4",
                                                   "troubleshooting5", "troubleshooting6"};
    return names;
}

// An activity's own walk-through: a lab's keys; an exercise's repair, then
// its check.
std::optional<std::string> walkThroughOf(const std::string& activity) {
    if (activityType(activity) == ActivityType::guidedLab)
        return readFile(walkthroughs + "labs/" + activity + ".keys");
    const std::string base = walkthroughs + "troubleshooting/" + activity;
    const auto keys = readFile(base + ".keys");
    const auto verify = readFile(base + ".verify");
    if (!keys || !verify)
        return std::nullopt;
    return *keys + *verify;
}

class Checklists : public ::testing::TestWithParam<std::string> {};

// Typed line by line, the walk-through ticks every item at last, and the
// progress never falls; every item is unmet before some line of it (so no
// item holds from the start), and a fresh session or an exercise's preset
// is not complete.
TEST_P(Checklists, WalkThroughCompletesTheChecklistStepByStep) {
    const std::string activity = GetParam();
    Session run(activity);
    const ChecklistProgress start = checklistProgress(run.sim);
    if (start.total == 0) {
        ASSERT_EQ(activityType(activity), ActivityType::guidedLab)
            << activity << " has no checklist (troubleshooting/" << activity << ".checklist)";
        GTEST_SKIP() << activity << " has no checklist yet";
    }
    const auto keys = walkThroughOf(activity);
    ASSERT_TRUE(keys) << "no walk-through for " << activity;
    std::vector<bool> everUnmet(start.total, false);
    auto note = [&] {
        const std::vector<bool>& met = run.sim.learning.checklist.met;
        for (std::size_t i = 0; i < met.size(); ++i)
            everUnmet[i] = everUnmet[i] || !met[i];
    };
    note();
    EXPECT_FALSE(start.complete) << activity << ": complete before anything is typed";
    std::size_t last = start.met;
    std::size_t from = 0;
    int lineNumber = 0;
    while (from < keys->size()) {
        const std::size_t end = std::min(keys->find('\n', from), keys->size() - 1);
        run.type(keys->substr(from, end + 1 - from), activity);
        from = end + 1;
        ++lineNumber;
        const ChecklistProgress now = checklistProgress(run.sim);
        EXPECT_GE(now.met, last) << activity << ": progress falls at line " << lineNumber;
        last = now.met;
        note();
    }
    const ChecklistProgress done = checklistProgress(run.sim);
    EXPECT_TRUE(done.complete) << activity << " ends at " << done.met << " of " << done.total;
    for (std::size_t i = 0; i < everUnmet.size(); ++i)
        EXPECT_TRUE(everUnmet[i]) << activity << ": the item \""
                                  << run.sim.learning.checklist.list->items[i].text
                                  << "\" is met throughout";
}

std::vector<std::string> checklistActivities() {
    std::vector<std::string> all = guidedLabNames();
    all.insert(all.end(), exerciseNames().begin(), exerciseNames().end());
    return all;
}

INSTANTIATE_TEST_SUITE_P(Content, Checklists, ::testing::ValuesIn(checklistActivities()),
                         [](const auto& info) { return info.param; });

// The labs still waiting for their checklist, listed so nobody forgets them.
TEST(Content, LabsWithoutAChecklistAreListed) {
    std::vector<std::string> missing;
    for (const std::string& lab : guidedLabNames()) {
        Session run(lab);
        if (checklistProgress(run.sim).total == 0 && lab != "aboutTheLabs")
            missing.push_back(lab);
    }
    std::cout << "Labs without a checklist yet (" << missing.size() << "):" << joined(missing)
              << "\n";
}

// --- cards and welcome texts -------------------------------------------------------

TEST(Content, EveryFlashCardHasAQuestionAndAnAnswer) {
    auto store = builtContent();
    ASSERT_TRUE(store);
    const auto cards = store->flashCards("contentTest");
    EXPECT_GE(cards.size(), 80u);
    for (const FlashCard& card : cards) {
        EXPECT_FALSE(trimBlanks(card.question).empty()) << card.answer;
        EXPECT_FALSE(trimBlanks(card.answer).empty()) << card.question;
    }
}

TEST(Content, WelcomeTextsExistAndTheWelcomeNamesTheProduct) {
    auto store = builtContent();
    ASSERT_TRUE(store);
    for (const char* id : {"welcomeText", "studyPlan", "disclaimer"})
        EXPECT_TRUE(store->misc(id, "contentTest")) << "no Misc row " << id;
    EXPECT_NE(store->misc("welcomeText", "contentTest").value_or("").find("Kestro"),
              std::string::npos);
}

} // namespace
} // namespace kestro::testing
