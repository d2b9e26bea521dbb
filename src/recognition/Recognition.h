// Command tables, Tab completion and "?" help.
#pragma once

#include <string>

namespace kestro {

class Simulator;

// Whether the whole input line (prompt included) names a command the
// simulator carries out in the live router's mode.
bool checkIfCommandImplemented(Simulator& sim, const std::string& line);
// The completed command text, without the prompt.
std::string completePartialCommand(Simulator& sim, const std::string& line);
// "?" typed: the whole input line, prompt and "?" included.
void showContextHelp(Simulator& sim, const std::string& line);
// The help command's screen.
void procesHelp(Simulator& sim);

} // namespace kestro
