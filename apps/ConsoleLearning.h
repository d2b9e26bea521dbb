// What kestro-console shows of the learning layer: the instruction and
// welcome texts (--instructions), the graded report of a test (--report),
// and the instructions on the interactive terminal.
#pragma once

#include "records/StyledText.h"

#include <optional>
#include <string>

namespace kestro {

class Simulator;

class ConsoleLearning {
public:
    // Takes argv[i] when it is one of these options (and its value; i then
    // points at the value). 0: not one of them; 1: taken; -1: a fault,
    // described in `error`.
    int takeOption(int argc, char** argv, int& i, std::string& error);

    // Once every option is read: a fault that stops the program (exit 2),
    // or empty.
    std::string check(const std::string& activity, bool haveScript) const;

    // After the activity has started. --instructions prints its text and
    // answers the exit status; without it the interactive console shows the
    // instructions before the boot screen. Empty: go on to the console.
    std::optional<int> beforeSession(Simulator& sim, bool haveScript, bool bold);

    // --report and --check replace the transcript: the test's report, each
    // line end a line feed, then one more; or the checklist as --check
    // prints it.
    bool replacesTranscript() const { return report_ || check_; }
    std::string reportOutput(Simulator& sim) const;
    // The exit status once the output is written: for --check 0 when the
    // checklist is complete, else 1.
    int exitStatus(const Simulator& sim) const;

private:
    bool report_ = false;
    bool check_ = false;
    std::string instructions_; // learn, test, welcome, studyPlan or disclaimer
};

// The option lines for --help.
std::string learningOptionHelp();

// What --instructions learn|test prints for the current activity: the
// instructions as shown in that mode and, in Learn Mode for an exercise,
// exactly two empty lines and then the solution.
std::string instructionsOutput(Simulator& sim, bool learnMode, bool markup);

// A styled document as plain text, one line per paragraph; with `markup`,
// bold runs as <b>...</b> and underlined runs as <u>...</u>.
std::string plainDocument(const StyledDocument& doc, bool markup);
// For a terminal: bold and underline as escape codes, centred lines centred
// in `width` columns, lines ended with CR LF.
std::string terminalDocument(const StyledDocument& doc, int width);

// The interactive keys: shows the instructions again, or switches between
// Learn Mode and Test Mode and shows them. Returns what to write on the
// terminal.
std::string instructionsScreen(Simulator& sim, int width);
std::string switchInstructionMode(Simulator& sim, int width);

// The checklist as --check prints it (lines ended with a line feed): the
// activity's title, "[x] text" or "[ ] text" per item, an unmet item
// followed by indented "Found:" and "Hint:" lines, and "Progress: N of M
// (P%)". With `interactive`, as F4 shows it in the current mode: the
// feedback and the hints and solution revealed so far instead of the first
// hint.
std::string checklistOutput(Simulator& sim, bool interactive);
// F4 and F7 on the terminal: the checklist, and the next hint of the first
// unmet item (after its last hint, the step's solution). Lines end in CR LF.
std::string checklistScreen(Simulator& sim);
std::string nextHintScreen(Simulator& sim);

} // namespace kestro
