// The side panel's buttons as rules over the open windows and the panel's
// own enabled controls: "Show Instructions And Terminal", "Show Network",
// "Show Answer/ Submit", "Learn Mode" and "Test Mode". The home-page button
// only opens a web page, which the front end does.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestro {

class Simulator;

void showInstructionsAndTerminal(Simulator& sim);
void showNetworkDiagram(Simulator& sim);

enum class SidePanelControl {
    showInstructions,
    showAnswer,
    showNetwork,
    homePageOnWeb,
    learnMode,
    testMode,
};

// The control by its stored name, its window's object name
// ("showInstructions", "showAnswer", ...); none for an unknown name.
std::optional<SidePanelControl> sidePanelControlNamed(std::string_view name);

// Presses the control; false for the home-page button, which the front end
// handles itself.
bool pressSidePanel(Simulator& sim, SidePanelControl control);

// The picture of the current activity's network, without folder; empty when
// the activity has none.
std::string currentDiagramFile(const Simulator& sim);
// The same diagram in words (see learning/Diagrams.h); empty when the
// activity has none.
std::vector<std::string> currentDiagramDescription(const Simulator& sim);

} // namespace kestro
