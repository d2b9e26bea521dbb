// The command dispatcher, the mode machine and the line helpers every
// handler shares.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestro {

class Simulator;

// The text after the prompt, trimmed, lower-cased (ASCII letters only) and
// with runs of blanks reduced to one.
std::string normaliseLine(const Simulator& sim, std::string_view line);
std::string normaliseText(std::string_view text);
std::vector<std::string> splitWords(std::string_view normalised);
std::string toLowerAscii(std::string_view text);

enum PatternMatch : int { patternMatch = 0, patternInvalid = 1, patternIncomplete = 2 };

// Compares the normalised line with a template of words in which "variable"
// stands for any one word: 0 match, 1 invalid, 2 incomplete.
int matchPattern(const Simulator& sim, std::string_view line, std::string_view pattern);

// The shared messages.
void printInvalidInput(Simulator& sim);
void printIncompleteCommand(Simulator& sim);
void printUnknownCommand(Simulator& sim);
void printUnrecognizedCommand(Simulator& sim);
// The message for a template result other than a match: incomplete for 2,
// invalid input otherwise.
void printMismatch(Simulator& sim, int result);

inline constexpr const char* configuredFromConsole =
    "3d13h: %SYS-5-CONFIG_I: Configured from console by console";

void dispatchCommand(Simulator& sim, const std::string& line);

// The first words the dispatcher carries out, each with the modes in which it
// does (elsewhere it answers with a shared message or does nothing). The
// command tables mark exactly these as implemented.
struct HandledCommand {
    const char* word;
    std::vector<const char*> modes;
};
const std::vector<HandledCommand>& handledCommands();
// The short forms the dispatcher accepts besides full words ("en", "sh",
// "int", "conf" ... "configur").
bool isAcceptedAbbreviation(std::string_view word);

// Prompt of a mode for the live router's host name.
std::string promptFor(const Simulator& sim, std::string_view mode);
// mode and prompt together.
void enterMode(Simulator& sim, const std::string& mode);

bool isConfigurationMode(std::string_view mode);

} // namespace kestro
