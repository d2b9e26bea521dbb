// The configuration commands. Each handler runs on a line that took one of
// its forms, prints nothing on success and one of the shared messages (or
// its own fixed text) on wrong input.
#pragma once

#include "registry/CommandRow.h"

#include <string>
#include <vector>

namespace kestro {

class Simulator;

// What each configuration command takes in a mode: its forms and the
// handler of the form a line took, declared beside the handler.

// Global configuration mode.
ModeHandler accessListInConfiguration();
ModeHandler bannerInConfiguration();
ModeHandler cdpInConfiguration();
ModeHandler enableInConfiguration();
ModeHandler ipInConfiguration();
ModeHandler noInConfigurationMode();

// Interface and line configuration modes.
ModeHandler bandwidthOnInterface();
ModeHandler cdpOnInterface();
ModeHandler clockRateOnInterface();
ModeHandler descriptionOnInterface();
ModeHandler ipOnInterface();
ModeHandler keepaliveOnInterface();
ModeHandler noOnInterfaceMode();
ModeHandler shutdownOnInterface();
ModeHandler execTimeoutOnLine();
ModeHandler noOnLineMode();

// The router configuration modes, one handler each.
std::vector<ModeHandler> networkInRouting();
std::vector<ModeHandler> noInRouting();

// "no access-list N": removes every line of list N. Answers false, changing
// nothing, when N is not a list number 1-99.
bool removeAccessList(Simulator& sim, const std::string& number);

// The rows of the configuration commands.
const std::vector<CommandRow>& configurationCommands();
// The rows of hostname and of the commands that enter a configuration
// sub-mode or act on the selected line.
const std::vector<CommandRow>& modeEntryCommands();

} // namespace kestro
