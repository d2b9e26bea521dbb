// The line helpers every command handler shares: normalising and matching a
// typed line, the shared messages, and modes with their prompts. They read
// and write the live router's record only.
#pragma once

#include "records/RouterState.h"
#include "records/Text.h"

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

// The shared messages.
void printInvalidInput(Simulator& sim);
void printIncompleteCommand(Simulator& sim);
void printUnknownCommand(Simulator& sim);
void printUnrecognizedCommand(Simulator& sim);

inline constexpr const char* configuredFromConsole =
    "3d13h: %SYS-5-CONFIG_I: Configured from console by console";

// Prompt of a mode for the live router's host name.
std::string promptFor(const Simulator& sim, Mode mode);
// mode and prompt together.
void enterMode(Simulator& sim, Mode mode);

bool isConfigurationMode(Mode mode);

} // namespace kestro
