#include "learning/Grading.h"

#include "Simulator.h"
#include "learning/Instructions.h"
#include "learning/PaneWriter.h"

#include <cmath>

namespace kestro {

namespace {

std::string lowered(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool textIs(const std::string& field, const char* expected) {
    return lowered(trimBlanks(field)) == expected;
}

class Checks {
public:
    void heading(const char* text) { grade.lines.push_back({text, true, false}); }
    void check(const char* text, bool ok) {
        grade.lines.push_back({text, false, ok});
        ++(ok ? grade.correct : grade.incorrect);
    }
    TestGrade grade;
};

} // namespace

long TestGrade::score() const {
    const int total = correct + incorrect;
    if (total == 0)
        return 0;
    return std::lround(1000.0 * correct / total);
}

bool TestGrade::passed() const {
    return score() >= passMark;
}

TestGrade gradeTest(const routerConfig& r, long testNumber) {
    Checks c;
    switch (testNumber) {
    case 1:
        c.check("Part1> Setting terminal history to 12: ", r.historySize == 12);
        c.check("Part2> MOTD banner: ", textIs(r.motdBanner, "motd banner"));
        c.heading("Part3> Configuring console 0");
        c.check("   3a> Setting timeout: ",
                r.consoleExecTimeoutMinutes == 22 && r.consoleExecTimeoutSeconds == 33);
        c.check("   3b> Enabling login: ", r.consoleLogin);
        c.check("   3c> Setting password: ", textIs(r.consolePassword, "rud548"));
        c.check("Part4> Setting host name: ", textIs(r.hostname, "test1"));
        c.check("Part5> Setting unencrypted priviledged mode password: ",
                textIs(r.enablePassword, "jel73"));
        break;
    case 2:
        c.check("Part1> Setting EXEC banner: ", textIs(r.execBanner, "router test"));
        c.check("Part2> Disabling DNS lookup: ", !r.domainLookup);
        c.heading("Part3> Configuring vty lines");
        c.check("   3a> Setting timeout: ",
                r.vtyExecTimeoutMinutes == 30 && r.vtyExecTimeoutSeconds == 20);
        c.check("   3b> Enabling login: ", r.vtyLogin);
        c.check("   3c> Setting password: ", textIs(r.vtyPassword, "tiv362"));
        c.check("Part4> Setting host name: ", textIs(r.hostname, "test2"));
        c.check("Part5> Setting encrypted password: ", textIs(r.enableSecret, "forul83"));
        break;
    case 3:
        c.heading("Part1> Configuring ethernet 0");
        c.check("   1a> Configuring ethernet 0 ip address: ",
                r.ethernet0.ipAddress == "220.14.5.6" && r.ethernet0.subnetMask == "255.255.255.0");
        c.check("   1b> Bringing up ethernet 0: ", !r.ethernet0.shutdown);
        c.heading("Part2> Configuring serial 0");
        c.check("   2a> Configuring serial 0 ip address: ",
                r.serial0.ipAddress == "194.23.2.1" && r.serial0.subnetMask == "255.255.255.0");
        c.check("   2b> Bringing up serial 0: ", !r.serial0.shutdown);
        c.check("   2c> Providing clocking: ", r.serial0.clockRate == 56000);
        c.check("Part3> Enabling RIP routing: ", r.ripConfigured);
        break;
    default:
        break;
    }
    return c.grade;
}

std::string reportText(Simulator& sim) {
    const long test = sim.learning.currentTest;
    if (test < 1 || test > 3)
        return {};
    const TestGrade grade = gradeTest(sim.liveRouter.config(), test);
    const std::string n = std::to_string(test);
    std::vector<std::string> lines = {"Test " + n + " Report", "", "'Diagnostic Report': "};
    for (const ReportLine& line : grade.lines)
        lines.push_back(line.heading ? line.text
                                     : line.text + (line.correct ? "Correct" : "Incorrect"));
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
    if (centred)
        w.alignment = Alignment::Centre;
    if (title) {
        w.alignment = Alignment::Centre;
        w.attributes.bold = true;
        w.attributes.pointSize = 14;
        stepCounter = 0;
    }
    std::string text = line;
    if (isStepLine(line)) {
        ++stepCounter;
        text = replaceEvery(text, "Step:", "Step" + std::to_string(stepCounter) + ":");
        w.attributes.pointSize = size;
        w.attributes.underline = true;
    }
    const std::vector<std::string> segments = splitAt(text, '\'');
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
    for (std::size_t k = 1; k < segments.size(); ++k) {
        w.attributes.bold = k % 2 == 1;
        w.insert(segments[k]);
    }
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
    LearningState& l = sim.learning;
    l.currentQuery = "Select * from tests where testName = '" + testName + "'";
    if (ContentStore* store = sim.content()) {
        const std::string caller = "loadTestInstruction :" + testName;
        if (auto text = store->testText(testName, caller.c_str()))
            l.currentText = std::move(*text);
    }
    displayInstructions(sim, DisplayHow::replace);
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
