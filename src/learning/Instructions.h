// Instruction texts and their display: where each activity's text comes from
// and how a plain text becomes the styled document a pane shows (title,
// numbered steps, commands in bold, Learn Mode and Test Mode).
//
// Text conventions: lines end with CR LF; a line whose first word contains
// "Step" is a step ("Step:" is numbered "Step1:", "Step2:", ...); text
// between apostrophes is bold, the apostrophes are not shown.
#pragma once

#include "records/StyledText.h"
#include "records/Text.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestro {

class ContentStore;
class PaneWriter;
class Simulator;

enum class DisplayHow {
    replace,        // the pane shows currentText alone
    appendSolution, // solutionText is added below what the pane shows
};

// Rebuilds sim.learning.instructionDocument from currentText (replace) or adds
// solutionText below it. In Test Mode only the title, the lines before the
// first step and the step lines are shown.
void displayInstructions(Simulator& sim, DisplayHow how);
// Appends one formatted line to the instruction document.
void showInstructionLine(Simulator& sim, const std::string& line, bool isTitle);

// The side panel's "Learn Mode" (true) and "Test Mode" options: the
// instructions shown again, in Learn Mode with an exercise's solution below.
void selectInstructionMode(Simulator& sim, bool learnMode);

// Records the query, takes the text the content store gives into
// currentText and shows it; when it gives none (or there is no store) the
// previous text is shown again.
using StoredText = std::function<std::optional<std::string>(ContentStore&)>;
void showStoredInstructions(Simulator& sim, std::string query, const StoredText& fetch);

// The lab text of Labs by name into currentText, then shown; a missing row
// shows the previous text again.
void loadInstruction(Simulator& sim, const std::string& labName);

// The welcome window: "welcomeText", "studyPlan" or "disclaimer" from Misc
// into currentText, shown in sim.learning.welcomeDocument.
void setText(Simulator& sim, const std::string& idName);
// Opens the welcome window (activity kind 1): the lesson windows close and
// the side panel is disabled.
void loadWelcomeWindow(Simulator& sim);
// currentText into the welcome document: title, centred second line; in Test
// Mode steps are 10 pt and the lines between them are left out.
void displayWelcomeText(Simulator& sim);
// One line of the welcome window; centred for the subtitle.
void DisplayLine_WelcomeText(Simulator& sim, const std::string& line, bool isTitle, bool centred);

// The start-up reads: the boot text, the welcome text into currentText, and
// the message " Not Able To Access DB. Please Check README." when the welcome
// text does not name the product (no usable content store), followed by the
// database's file name when there is one.
void setWelcomeText(Simulator& sim);

// Disables every side-panel control an activity may enable; each loader then
// enables what its activity needs.
void disableSidePanel(Simulator& sim);
// What every activity enables: its instructions and its diagram, and the
// choice of Learn or Test Mode where the activity offers one.
void enableActivityPanel(Simulator& sim, bool modeChoice);

// --- line helpers shared by the formatters -----------------------------------

// Sets the writer up for one line of a pane: centred when asked; a title
// centred, bold and 14 pt, starting the step count afresh; a step line
// numbered and underlined at stepSize. Returns the line, numbered, cut at
// its apostrophes.
std::vector<std::string> styleLine(PaneWriter& w, const std::string& line, bool isTitle,
                                   bool centred, int stepSize, std::uint16_t& steps);
// Writes the segments after the first; those that stood between apostrophes
// are bold.
void writeQuotedSegments(PaneWriter& w, const std::vector<std::string>& segments);

// Every `from` replaced, left to right, by `to`.
std::string replaceEvery(std::string text, std::string_view from, const std::string& to);
// The parts between separators (n separators give n + 1 parts, empty ones
// included).
std::vector<std::string> splitAt(const std::string& text, char separator);
// Splits a text at its line ends (CR LF; a lone line feed counts too).
std::vector<std::string> splitLines(const std::string& text);
// The first blank-separated word of the trimmed line contains "Step".
bool isStepLine(const std::string& line);

} // namespace kestro
