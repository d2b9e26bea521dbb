// The loaders of every activity: the topology values a guided lab, a test or
// a troubleshooting exercise sets, the fresh router it builds and the
// exercise's faults. The names live in the catalogue, the networks and the
// faults in their own tables.
#pragma once

#include "config/RouterStore.h"
#include "learning/Catalogue.h"
#include "learning/Presets.h"

#include <optional>
#include <string>

namespace kestro {

class Simulator;

// Guided lab: lab topology; a fresh router only when no console is open
// yet, so consecutive labs continue on the same router.
void initLabs(Simulator& sim, const std::string& labName);
// Test "test1".."test3": its topology and a fresh router.
void initTests(Simulator& sim, const std::string& testName);
// Exercise "troubleshooting1".."troubleshooting6": its topology, a fresh
// router (saved host name "RouterA" for the two-router exercises, RouterB
// left to be built at its first use) and the exercise's preset.
void inittroubleshooting(Simulator& sim, const std::string& exerciseName);

// The exercise's text and solution from the store into currentText and
// solutionText, shown; in Learn Mode the solution follows the instructions.
void loadTroubleshootingText(Simulator& sim, const std::string& exerciseName);

// Starts the named activity (an activityNames() entry, or "lab" for a
// guided lab); false for an unknown name, which changes nothing.
bool startActivity(Simulator& sim, const std::string& name);

// The two-router panel is open during the two-router exercises only.
bool twoRouterPanelOpen(const Simulator& sim);
// The panel's "Router A" and "Router B" buttons. Empty when the panel is not
// open: there is no button to press.
std::optional<SwitchResult> pressRouterButton(Simulator& sim, RouterId target);

} // namespace kestro
