// Command tables, Tab completion and "?" help.
#pragma once

#include <string>

namespace kestro {

class Simulator;

// Whether the whole input line (prompt included) names a command the
// simulator carries out in the live router's mode: at least one implemented
// row of the mode's table, applicable to the current interface, begins with
// the normalised text.
bool checkIfCommandImplemented(Simulator& sim, const std::string& line);

// The completed command text, without the prompt. A line that cannot be
// completed comes back as typed.
std::string completePartialCommand(Simulator& sim, const std::string& line);
// Completion of "access-list N ..." in configuration mode: the list number
// is looked up as the tables' "<1-99>" and put back in the result.
std::string completeAccessListCmd(Simulator& sim, const std::string& line);
// Completion of "ip ..." and "no ip ..." in interface mode, with the list
// number of an access-group line handled as above.
std::string completeAccessGroupCmd(Simulator& sim, const std::string& line);

// "?" typed: the whole input line, prompt and "?" included.
void showContextHelp(Simulator& sim, const std::string& line);
// "?" directly after a word: the commands (or next words) beginning with
// it, on one line. text is the normalised line, ending with "?".
void listCommandsStartingWithString(Simulator& sim, const std::string& text);
// The help command's screen.
void procesHelp(Simulator& sim);

} // namespace kestro
