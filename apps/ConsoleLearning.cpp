#include "ConsoleLearning.h"

#include "Simulator.h"
#include "learning/Catalogue.h"
#include "learning/Checklists.h"
#include "learning/Grading.h"
#include "learning/Instructions.h"

#include <algorithm>
#include <iostream>

namespace kestro {

namespace {

bool isOneOf(const std::string& value, std::initializer_list<const char*> names) {
    for (const char* n : names)
        if (value == n)
            return true;
    return false;
}

// Opening and closing tags around runs, nested so that a bold stretch inside
// an underlined step line reads <u>Step1: type <b>enable</b></u>.
struct Tags {
    const char* openBold;
    const char* closeBold;
    const char* openUnderline;
    const char* closeUnderline;
};

std::string paragraphText(const Paragraph& p, const Tags* tags) {
    std::string out;
    bool bold = false, underline = false;
    for (const TextRun& run : p.runs) {
        if (tags) {
            if (bold && (!run.bold || run.underline != underline)) {
                out += tags->closeBold;
                bold = false;
            }
            if (underline && !run.underline) {
                out += tags->closeUnderline;
                underline = false;
            }
            if (run.underline && !underline) {
                out += tags->openUnderline;
                underline = true;
            }
            if (run.bold && !bold) {
                out += tags->openBold;
                bold = true;
            }
        }
        out += run.text;
    }
    if (tags && bold)
        out += tags->closeBold;
    if (tags && underline)
        out += tags->closeUnderline;
    return out;
}

constexpr Tags htmlTags{"<b>", "</b>", "<u>", "</u>"};
constexpr Tags escapeTags{"\033[1m", "\033[22m", "\033[4m", "\033[24m"};

} // namespace

int ConsoleLearning::takeOption(int argc, char** argv, int& i, std::string& error) {
    const std::string arg = argv[i];
    if (arg == "--report") {
        report_ = true;
        return 1;
    }
    if (arg == "--check") {
        check_ = true;
        return 1;
    }
    if (arg != "--instructions")
        return 0;
    if (i + 1 >= argc ||
        !isOneOf(argv[i + 1], {"learn", "test", "welcome", "studyPlan", "disclaimer"})) {
        error = "--instructions needs learn, test, welcome, studyPlan or disclaimer";
        return -1;
    }
    instructions_ = argv[++i];
    return 1;
}

std::string ConsoleLearning::check(const std::string& activity, bool haveScript) const {
    if (check_ && instructions_.empty()) {
        if (report_)
            return "--check and --report cannot be given together";
        const ActivityType type = activityType(activity);
        if (type != ActivityType::guidedLab && type != ActivityType::troubleshooting)
            return "--check checks a lab or an exercise: " + activity + " has no checklist";
        if (!haveScript)
            return "--check checks what a script typed: give the script with --script FILE";
        return {};
    }
    if (!report_ || !instructions_.empty())
        return {};
    if (activityType(activity) != ActivityType::test)
        return "--report grades a test: use it with --activity test1, test2 or test3";
    if (!haveScript)
        return "--report grades what a script typed: give the script with --script FILE";
    return {};
}

namespace {

bool emptyParagraph(const Paragraph& p) {
    return p.plainText().empty();
}

// An exercise's instructions, then exactly two empty lines, then its
// solution: the break the pane puts between them is not kept, so the
// printed form does not depend on how either text ends.
std::string withSolution(Simulator& sim, bool bold) {
    StyledDocument& shown = sim.learning.instructionDocument;
    displayInstructions(sim, DisplayHow::replace);
    StyledDocument instructions = shown;
    displayInstructions(sim, DisplayHow::appendSolution);
    StyledDocument solution;
    solution.paragraphs.assign(shown.paragraphs.begin() +
                                   static_cast<std::ptrdiff_t>(instructions.paragraphs.size()),
                               shown.paragraphs.end());
    for (StyledDocument* d : {&instructions, &solution}) {
        auto& ps = d->paragraphs;
        while (!ps.empty() && emptyParagraph(ps.back()))
            ps.pop_back();
    }
    auto& ps = solution.paragraphs;
    ps.erase(ps.begin(), std::find_if_not(ps.begin(), ps.end(), emptyParagraph));
    if (ps.empty())
        return plainDocument(instructions, bold);
    return plainDocument(instructions, bold) + "\n\n\n" + plainDocument(solution, bold);
}

} // namespace

std::optional<int> ConsoleLearning::beforeSession(Simulator& sim, bool haveScript, bool bold) {
    if (check_ && instructions_.empty() && checklistProgress(sim).total == 0) {
        std::cerr << "kestro-console: --check: " << sim.learning.activityName
                  << " has no checklist\n";
        return 2;
    }
    if (instructions_.empty()) {
        if (!haveScript)
            std::cout << instructionsScreen(sim, 80) << std::flush;
        return std::nullopt;
    }
    if (instructions_ == "learn" || instructions_ == "test") {
        std::cout << instructionsOutput(sim, instructions_ == "learn", bold) << "\n";
    } else {
        setText(sim, instructions_ == "welcome" ? "welcomeText" : instructions_);
        std::cout << plainDocument(sim.learning.welcomeDocument, bold) << "\n";
    }
    return 0;
}

std::string ConsoleLearning::reportOutput(Simulator& sim) const {
    if (check_)
        return checklistOutput(sim, false);
    return replaceEvery(reportText(sim), "\r\n", "\n") + "\n";
}

int ConsoleLearning::exitStatus(const Simulator& sim) const {
    return check_ && !checklistProgress(sim).complete ? 1 : 0;
}

std::string learningOptionHelp() {
    return R"(  --instructions MODE
                   print the activity's instructions and leave: MODE learn
                   (everything, an exercise's solution below) or test (the
                   tasks only); welcome, studyPlan and disclaimer print those
                   texts. With --bold, bold text is <b>...</b> and underlined
                   text <u>...</u>
  --check          with --script and a lab or an exercise: print the
                   activity's checklist as the script left it instead of the
                   transcript; exit 0 when every item is met, 1 when not, 2
                   for an activity without a checklist
  --report         with --script and a test (--activity test1..test3): print
                   the graded report of the router the script left instead of
                   the transcript
)";
}

std::string instructionsOutput(Simulator& sim, bool learnMode, bool markup) {
    selectInstructionMode(sim, learnMode);
    if (learnMode && sim.activity.kind == ActivityKind::exercise)
        return withSolution(sim, markup);
    return plainDocument(sim.learning.instructionDocument, markup);
}

std::string plainDocument(const StyledDocument& doc, bool markup) {
    std::string out;
    for (std::size_t i = 0; i < doc.paragraphs.size(); ++i)
        out += (i ? "\n" : "") + paragraphText(doc.paragraphs[i], markup ? &htmlTags : nullptr);
    return out;
}

std::string terminalDocument(const StyledDocument& doc, int width) {
    std::string out;
    for (const Paragraph& p : doc.paragraphs) {
        const std::size_t length = p.plainText().size();
        if (p.alignment == Alignment::Centre && static_cast<int>(length) < width)
            out += std::string((static_cast<std::size_t>(width) - length) / 2, ' ');
        out += paragraphText(p, &escapeTags) + "\r\n";
    }
    return out;
}

std::string instructionsScreen(Simulator& sim, int width) {
    const bool learn = sim.sidePanel.learnModeSelected;
    const std::string rule(static_cast<std::size_t>(width > 0 ? width : 80), '-');
    return "\r\n" + rule + "\r\n" + terminalDocument(sim.learning.instructionDocument, width) +
           rule + "\r\n" + (learn ? "Learn Mode" : "Test Mode") +
           " (F2 shows the instructions again, F3 switches to " +
           (learn ? "Test Mode" : "Learn Mode") + ")\r\n";
}

std::string switchInstructionMode(Simulator& sim, int width) {
    // A test offers no choice: its side panel keeps both options disabled.
    if (!sim.sidePanel.learnMode || !sim.sidePanel.testMode)
        return "\r\nLearn Mode and Test Mode cannot be chosen in this activity.\r\n";
    selectInstructionMode(sim, !sim.sidePanel.learnModeSelected);
    return instructionsScreen(sim, width);
}

namespace {

std::string activityTitle(const Simulator& sim) {
    const std::string& text = sim.learning.currentText;
    return trimBlanks(text.substr(0, text.find_first_of("\r\n")));
}

} // namespace

std::string checklistOutput(Simulator& sim, bool interactive) {
    const bool learn = !interactive || sim.sidePanel.learnModeSelected;
    std::string out = activityTitle(sim) + "\n";
    const std::vector<ChecklistItemView> view = checklistView(sim, learn);
    for (std::size_t i = 0; i < view.size(); ++i) {
        const ChecklistItemView& item = view[i];
        out += (item.met ? "[x] " : "[ ] ") + item.text + "\n";
        if (item.met)
            continue;
        if (interactive && !item.feedback.empty())
            out += "    " + item.feedback + "\n";
        if (!item.found.empty())
            out += "    Found: " + item.found + "\n";
        if (!interactive) {
            // The view lists the items in the checklist's order.
            const ChecklistItem& own = sim.learning.checklist.list->items[i];
            out += "    Hint: " + own.hints.front() + "\n";
            continue;
        }
        for (const std::string& hint : item.hints)
            out += "    Hint: " + hint + "\n";
        for (const std::string& line : item.solution)
            out += "    Solution: " + line + "\n";
    }
    const ChecklistProgress p = checklistProgress(sim);
    out += "Progress: " + std::to_string(p.met) + " of " + std::to_string(p.total) + " (" +
           std::to_string(p.percent) + "%)\n";
    return out;
}

std::string checklistScreen(Simulator& sim) {
    if (checklistProgress(sim).total == 0)
        return "\r\nThis activity has no checklist.\r\n";
    return "\r\n" + replaceEvery(checklistOutput(sim, true), "\n", "\r\n") +
           "(F4 shows the checklist again, F7 gives the next hint)\r\n";
}

std::string nextHintScreen(Simulator& sim) {
    if (checklistProgress(sim).total == 0)
        return "\r\nThis activity has no checklist.\r\n";
    const std::optional<HintReveal> hint = revealNextHint(sim);
    if (!hint)
        return "\r\nEvery item of the checklist is met.\r\n";
    const ChecklistItem& item = sim.learning.checklist.list->items[hint->item];
    std::string out = "\r\n" + std::string(hint->solution ? "Solution" : "Hint") + " for \"" +
                      item.text + "\":\r\n";
    for (const std::string& line : hint->lines)
        out += "    " + line + "\r\n";
    return out;
}

} // namespace kestro
