// Command tables, Tab completion and "?" help.
#pragma once

#include "console/ConsoleRules.h"

#include <string>

namespace kestro {

class Simulator;

// Tab, "?" and the implemented-command check are declared with the
// terminal's other router rules in console/ConsoleRules.h.

// Completion of "access-list N ..." in configuration mode: the list number
// is looked up as the tables' "<1-99>" and put back in the result.
std::string completeAccessListCmd(Simulator& sim, const std::string& line);
// Completion of "ip ..." and "no ip ..." in interface mode, with the list
// number of an access-group line handled as above.
std::string completeAccessGroupCmd(Simulator& sim, const std::string& line);

// "?" directly after a word: the commands (or next words) beginning with
// it, on one line. text is the normalised line, ending with "?".
void listCommandsStartingWithString(Simulator& sim, const std::string& text);
// The help command's screen.
void procesHelp(Simulator& sim);

} // namespace kestro
