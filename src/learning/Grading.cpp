#include "learning/Grading.h"

#include "Simulator.h"
#include "learning/Instructions.h"
#include "learning/PaneWriter.h"

#include <cmath>

namespace kestro {

long TestGrade::score() const {
    const int total = correct + incorrect;
    if (total == 0)
        return 0;
    return std::lround(1000.0 * correct / total);
}

bool TestGrade::passed() const {
    return score() >= passMark;
}

TestGrade gradeTest(const routerConfig& r, const std::vector<TestCheck>& checks) {
    TestGrade grade;
    for (const TestCheck& check : checks) {
        if (check.heading) {
            grade.lines.push_back({check.label, true, false, {}});
            continue;
        }
        // A check whose condition could not be read fails rather than passes.
        const bool ok = check.condition && conditionHolds(*check.condition, r);
        ReportLine line{check.label, false, ok, {}};
        if (!ok && check.condition) {
            ConditionWorld world;
            world.routerA = &r;
            line.detail = foundAndExpected(*check.condition, world);
        }
        grade.lines.push_back(std::move(line));
        ++(ok ? grade.correct : grade.incorrect);
    }
    return grade;
}

std::vector<TestCheck> testChecks(Simulator& sim, long testNumber) {
    std::vector<TestCheck> checks;
    ContentStore* store = sim.content();
    if (!store)
        return checks;
    const std::string name = "test" + std::to_string(testNumber);
    for (ContentStore::TestCheckRow& row : store->testChecks(name, "gradeTest")) {
        TestCheck check{std::move(row.label), row.heading, std::nullopt};
        if (!row.heading) {
            // The builder refuses a condition that cannot be read; only a
            // damaged database gets here.
            std::string error;
            check.condition = parseCondition(row.condition, error);
            if (!check.condition)
                sim.logError("gradeTest", name + ": " + error);
        }
        checks.push_back(std::move(check));
    }
    return checks;
}

std::string reportText(Simulator& sim) {
    const long test = sim.learning.currentTest;
    if (test < 1 || test > 3)
        return {};
    const TestGrade grade = gradeTest(sim.liveRouter.config(), testChecks(sim, test));
    const std::string n = std::to_string(test);
    std::vector<std::string> lines = {"Test " + n + " Report", "", "'Diagnostic Report': "};
    for (const ReportLine& line : grade.lines) {
        lines.push_back(line.heading ? line.text
                                     : line.text + (line.correct ? "Correct" : "Incorrect"));
        if (!line.detail.found.empty())
            lines.push_back("      Found: " + line.detail.found +
                            "; expected: " + line.detail.expected);
    }
    lines.push_back("   ");
    lines.push_back("Total Score: 1000");
    lines.push_back("Your Score: " + std::to_string(grade.score()));
    lines.push_back(grade.passed() ? "Your Grade: Pass!" : "Your Grade: Fail!");
    lines.push_back("   ");
    lines.push_back("Solution To Test " + n);
    lines.push_back("  ");
    const std::string key = "test" + n + "Solution";
    sim.learning.currentQuery = "Select * from tests where testName = '" + key + "'";
    if (ContentStore* store = sim.content())
        if (auto solution = store->testText(key, ("displayAnswerToTest" + n + " ").c_str()))
            lines.push_back(std::move(*solution));
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\r\n" : "") + lines[i];
    return text;
}

void DisplayLine_AnswerText(StyledDocument& doc, const std::string& line, bool title, bool centred,
                            bool testModeSelected, std::uint16_t& stepCounter) {
    const int size = testModeSelected ? 10 : 12;
    PaneWriter w(doc, false);
    w.plain(size);
    const std::vector<std::string> segments = styleLine(w, line, title, centred, size, stepCounter);
    if (title) {
        w.insert(segments[0]);
        w.lineBreak();
    } else {
        // Word by word, so "Incorrect" alone is italic and the grade's word
        // turns the rest of the line red.
        for (const std::string& word : splitAt(segments[0], ' ')) {
            w.attributes.italic = word.find("Incorrect") != std::string::npos;
            if (word.find("Fail") != std::string::npos || word.find("Pass") != std::string::npos)
                w.attributes.colour = red;
            w.insert(word + " ");
        }
        w.attributes.italic = false;
        if (segments.size() == 1)
            w.lineBreak();
    }
    writeQuotedSegments(w, segments);
    if (segments.size() > 1)
        w.lineBreak();
}

StyledDocument displayAnswerText(const std::string& text, bool testModeSelected) {
    StyledDocument doc;
    PaneWriter start(doc, true);
    std::uint16_t steps = 0;
    const std::vector<std::string> lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (trimBlanks(line).empty()) {
            if (i > 0)
                PaneWriter(doc, false).lineBreak();
            continue;
        }
        const bool title = i == 0 || (i > 1 && line.find("Solution") != std::string::npos);
        DisplayLine_AnswerText(doc, line, title, i == 1, testModeSelected, steps);
    }
    return doc;
}

void loadTestInstruction(Simulator& sim, const std::string& testName) {
    showStoredInstructions(
        sim, "Select * from tests where testName = '" + testName + "'", [&](ContentStore& store) {
            return store.testText(testName, ("loadTestInstruction :" + testName).c_str());
        });
}

void showAnswer(Simulator& sim) {
    // A menu choice overtakes a command still waiting in the console.
    Simulator::Command command(sim, Simulator::Command::activityStart);
    OpenWindows& w = sim.windows;
    w.welcomeForm = false;
    w.networkDiagramForm = false;
    w.flashCardForm = false;
    w.TopForm = false;
    disableSidePanel(sim);
    w.BottomForm = false;
    sim.sidePanel.showNetwork = true;
    // The report window's load: the live router is graded as the student
    // left it.
    w.showAnswerForm = true;
    sim.activity.kind = ActivityKind::report;
    sim.learning.reportDocument =
        displayAnswerText(reportText(sim), !sim.sidePanel.learnModeSelected);
}

} // namespace kestro
