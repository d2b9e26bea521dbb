// What the router console's terminal hands to the router above it. The
// terminal (this folder) owns the keys, line editing, history, paging and
// printing; what a completed line, Tab or "?" means is a rule of the router,
// defined by the layers above: Enter in session/LineEntry.cpp, Tab and "?"
// in registry/.
#pragma once

#include <string>

namespace kestro {

class Simulator;

// Enter: the input line completed in the current input state.
void completeLine(Simulator& sim);
// A key at the reload's "[confirm]".
void reloadConfirm(Simulator& sim, char32_t ch);

// Tab: the completed command text, without the prompt. A line that cannot
// be completed comes back as typed.
std::string completePartialCommand(Simulator& sim, const std::string& line);
// "?" typed: the whole input line, prompt and "?" included.
void showContextHelp(Simulator& sim, const std::string& line);
// Whether the whole input line (prompt included) names a command the
// simulator carries out in the live router's mode: at least one implemented
// row of the mode's table, applicable to the current interface, begins with
// the normalised text.
bool checkIfCommandImplemented(Simulator& sim, const std::string& line);

} // namespace kestro
