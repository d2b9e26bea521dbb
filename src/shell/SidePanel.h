// The side panel's buttons as rules over the open windows and the panel's
// own enabled controls: "Show Instructions And Terminal", "Show Network",
// "Show Answer/ Submit", "Learn Mode" and "Test Mode". The home-page button
// only opens a web page, which the front end does.
#pragma once

#include <string>

namespace kestro {

class Simulator;

void showInstructionsAndTerminal(Simulator& sim);
void showNetworkDiagram(Simulator& sim);

// The control by its name ("showInstructions", "showNetwork", "showAnswer",
// "learnMode", "testMode"); false for a name that is not one of them.
bool pressSidePanel(Simulator& sim, const std::string& control);

// The picture of the current activity's network, without folder; empty when
// the activity has none.
std::string currentDiagramFile(const Simulator& sim);

} // namespace kestro
