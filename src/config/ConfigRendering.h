// The configuration as text: the running configuration of the live router
// and the saved one, line by line, and the displays that print them. The
// copy command and its questions are declared in config/ConfigCommands.h.
#pragma once

#include <string>

namespace kestro {

class Simulator;
struct routerConfig;

// The configuration listing of any configuration record, lines joined by
// CR LF (no line break at the end).
std::string configurationText(const routerConfig& config);

// The listing of the live router / of the saved configuration.
std::string runningConfigText(const Simulator& sim);
std::string startupConfigText(const Simulator& sim);

// "show running-config" and "show startup-config": "Building
// configuration..." after a blank line, a pause, then the paged listing.
void showRunningConfig(Simulator& sim);
void showStartupConfig(Simulator& sim);

} // namespace kestro
