#include "learning/Instructions.h"

#include "Simulator.h"
#include "learning/PaneWriter.h"

namespace kestro {

namespace {

// One line of an instruction pane or the welcome window. A step line is
// numbered and underlined; odd apostrophe segments are bold. The line goes
// into a paragraph of its own, except a title, which fills the paragraph the
// pane ends with.
void writeInstructionLine(PaneWriter& w, const std::string& line, bool isTitle, bool centred,
                          int stepSize, std::uint16_t& steps) {
    w.plain();
    const std::vector<std::string> segments = styleLine(w, line, isTitle, centred, stepSize, steps);
    if (!isTitle)
        w.lineBreak();
    w.insert(segments[0]);
    writeQuotedSegments(w, segments);
}

bool learnMode(const Simulator& sim) {
    return sim.sidePanel.learnModeSelected;
}

} // namespace

std::vector<std::string> styleLine(PaneWriter& w, const std::string& line, bool isTitle,
                                   bool centred, int stepSize, std::uint16_t& steps) {
    if (centred)
        w.alignment = Alignment::Centre;
    if (isTitle) {
        w.alignment = Alignment::Centre;
        w.attributes.bold = true;
        w.attributes.pointSize = 14;
        steps = 0;
    }
    std::string text = line;
    if (isStepLine(line)) {
        ++steps;
        text = replaceEvery(text, "Step:", "Step" + std::to_string(steps) + ":");
        w.attributes.pointSize = stepSize;
        w.attributes.underline = true;
    }
    return splitAt(text, '\'');
}

void writeQuotedSegments(PaneWriter& w, const std::vector<std::string>& segments) {
    for (std::size_t k = 1; k < segments.size(); ++k) {
        w.attributes.bold = k % 2 == 1;
        w.insert(segments[k]);
    }
}

std::string replaceEvery(std::string text, std::string_view from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::vector<std::string> splitAt(const std::string& text, char separator) {
    const std::vector<std::string_view> parts = splitOn(text, std::string_view(&separator, 1));
    return {parts.begin(), parts.end()};
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines = splitAt(text, '\n');
    for (std::string& line : lines)
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
    return lines;
}

bool isStepLine(const std::string& line) {
    const std::string t = trimBlanks(line);
    return t.substr(0, t.find(' ')).find("Step") != std::string::npos;
}

void showInstructionLine(Simulator& sim, const std::string& line, bool isTitle) {
    PaneWriter w(sim.learning.instructionDocument, false);
    writeInstructionLine(w, line, isTitle, false, 12, sim.learning.instructionSteps);
}

void displayInstructions(Simulator& sim, DisplayHow how) {
    LearningState& l = sim.learning;
    const bool append = how == DisplayHow::appendSolution;
    const std::vector<std::string> lines = splitLines(append ? l.solutionText : l.currentText);
    PaneWriter w(l.instructionDocument, !append);
    if (append) {
        w.lineBreak();
        w.lineBreak();
    }
    bool stepsBegun = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (trimBlanks(line).empty()) {
            if (i > 0)
                w.lineBreak();
            continue;
        }
        if (i == 0) {
            writeInstructionLine(w, line, true, false, 12, l.instructionSteps);
            continue;
        }
        const bool step = isStepLine(line);
        stepsBegun = stepsBegun || step;
        // Test Mode keeps the tasks and leaves out how to do them.
        if (stepsBegun && !learnMode(sim) && !step)
            continue;
        writeInstructionLine(w, line, false, false, 12, l.instructionSteps);
    }
}

void selectInstructionMode(Simulator& sim, bool learnMode) {
    sim.sidePanel.learnModeSelected = learnMode;
    displayInstructions(sim, DisplayHow::replace);
    if (learnMode && sim.activity.kind == ActivityKind::exercise)
        displayInstructions(sim, DisplayHow::appendSolution);
}

void showStoredInstructions(Simulator& sim, std::string query, const StoredText& fetch) {
    LearningState& l = sim.learning;
    l.currentQuery = std::move(query);
    if (ContentStore* store = sim.content())
        if (auto text = fetch(*store))
            l.currentText = std::move(*text);
    displayInstructions(sim, DisplayHow::replace);
}

void loadInstruction(Simulator& sim, const std::string& labName) {
    showStoredInstructions(
        sim, "Select * from Labs where LabName = '" + labName + "'", [&](ContentStore& store) {
            return store.labText(labName, ("loadInstruction :" + labName).c_str());
        });
}

namespace {

// The controls an activity governs besides "Show Answer".
void setActivityControls(SidePanelState& p, bool shown, bool modeChoice) {
    p.showInstructions = shown;
    p.showNetwork = shown;
    p.Frame1 = modeChoice;
    p.testMode = modeChoice;
    p.learnMode = modeChoice;
}

} // namespace

void disableSidePanel(Simulator& sim) {
    setActivityControls(sim.sidePanel, false, false);
    sim.sidePanel.showAnswer = false;
}

void enableActivityPanel(Simulator& sim, bool modeChoice) {
    setActivityControls(sim.sidePanel, true, modeChoice);
}

void loadWelcomeWindow(Simulator& sim) {
    // The welcome window takes the place of every lesson window; the next
    // lab starts on a fresh router.
    sim.windows = OpenWindows{};
    sim.windows.welcomeForm = true;
    disableSidePanel(sim);
    sim.activity.kind = ActivityKind::welcome;
}

void DisplayLine_WelcomeText(Simulator& sim, const std::string& line, bool isTitle, bool centred) {
    PaneWriter w(sim.learning.welcomeDocument, false);
    writeInstructionLine(w, line, isTitle, centred, learnMode(sim) ? 12 : 10,
                         sim.learning.welcomeSteps);
}

void displayWelcomeText(Simulator& sim) {
    LearningState& l = sim.learning;
    l.welcomeDocument = StyledDocument{};
    const std::vector<std::string> lines = splitLines(l.currentText);
    bool stepsBegun = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (trimBlanks(line).empty()) {
            if (i > 0)
                PaneWriter(l.welcomeDocument, false).lineBreak();
            continue;
        }
        const bool step = isStepLine(line);
        stepsBegun = stepsBegun || step;
        if (i == 0) {
            DisplayLine_WelcomeText(sim, line, true, false);
        } else if (i == 1) {
            DisplayLine_WelcomeText(sim, line, false, true); // the subtitle
        } else if (!stepsBegun || learnMode(sim) || step) {
            // Steps count on the window's own counter, which its title reset,
            // so the welcome texts number their steps from 1.
            DisplayLine_WelcomeText(sim, line, false, false);
        }
    }
}

void setText(Simulator& sim, const std::string& idName) {
    // A menu choice overtakes a command still waiting in the console.
    Simulator::Command command(sim, Simulator::Command::activityStart);
    loadWelcomeWindow(sim);
    LearningState& l = sim.learning;
    l.currentQuery = "Select * from Misc where id='" + idName + "'";
    l.welcomeTextId = idName;
    if (ContentStore* store = sim.content())
        if (auto text = store->misc(idName, "setText"))
            l.currentText = std::move(*text);
    displayWelcomeText(sim);
}

void setWelcomeText(Simulator& sim) {
    LearningState& l = sim.learning;
    if (ContentStore* store = sim.content()) {
        l.currentQuery = "Select * from cmdInfo where cmd='bootText'";
        if (auto boot = store->cmdInfo("bootText", "frmSplash"))
            sim.console.bootText = std::move(*boot);
        l.currentQuery = "Select * from Misc where id='welcomeText'";
        l.welcomeTextId = "welcomeText";
        if (auto welcome = store->misc("welcomeText", "frmSplash"))
            l.currentText = std::move(*welcome);
    }
    if (l.currentText.find("Kestro") == std::string::npos) {
        // Which file was read, so the student knows which one to rebuild.
        const ContentStore* store = sim.content();
        sim.io().messageBox(
            " Not Able To Access DB. Please Check README." +
            (store ? "\n\nThe content database \"" + store->path() + "\" holds no welcome text."
                   : std::string()));
    }
}

} // namespace kestro
