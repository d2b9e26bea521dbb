// The line helpers every command handler shares: normalising and matching a
// typed line, the shared messages, and modes with their prompts. They read
// and write the live router's record only.
#pragma once

#include "records/RouterState.h"
#include "records/Text.h"

#include <initializer_list>
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
// Replaces every `from` in text, left to right, never inside a replacement.
void replaceAll(std::string& text, std::string_view from, std::string_view to);

enum PatternMatch : int { patternMatch = 0, patternInvalid = 1, patternIncomplete = 2 };

// Compares the normalised line with a template of words in which "variable"
// stands for any one word: 0 match, 1 invalid, 2 incomplete.
int matchPattern(const Simulator& sim, std::string_view line, std::string_view pattern);

// Matches the line against each template in turn; answers the index of the
// first match, or -1 after printing the incomplete message (when any
// template found the line too short) or the invalid-input message.
int matchOneOf(Simulator& sim, std::string_view line, std::initializer_list<const char*> templates);

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

// Prompt of a mode for the live router's host name.
std::string promptFor(const Simulator& sim, Mode mode);
// mode and prompt together.
void enterMode(Simulator& sim, Mode mode);

bool isConfigurationMode(Mode mode);

} // namespace kestro
