// Handlers of the configuration commands. Each takes the whole input line,
// prompt included, prints nothing on success and one of the shared messages
// (or its own fixed text) on wrong input.
#pragma once

#include "registry/CommandRow.h"

#include <string>
#include <vector>

namespace kestro {

class Simulator;

// Global configuration mode.
void processBanner(Simulator& sim, const std::string& line);
void processEnableConf(Simulator& sim, const std::string& line);
void processGlobalCdp(Simulator& sim, const std::string& line);
void processGlobalIp(Simulator& sim, const std::string& line);
void processNoConf(Simulator& sim, const std::string& line);

// Interface and line configuration modes.
void processInterfaceIp(Simulator& sim, const std::string& line);
void processBandwidth(Simulator& sim, const std::string& line);
void processClockRate(Simulator& sim, const std::string& line);
void processInterfaceCdp(Simulator& sim, const std::string& line);
void processDescription(Simulator& sim, const std::string& line);
void processKeepalive(Simulator& sim, const std::string& line);
void processShutdown(Simulator& sim, const std::string& line);
void processNoInterface(Simulator& sim, const std::string& line);
void processNoLine(Simulator& sim, const std::string& line);
void processExecTimeout(Simulator& sim, const std::string& line);

// Standard access lists.
void processAccessList(Simulator& sim, const std::string& line);
// "no access-list N": removes every line of list N. Answers false, changing
// nothing, when N is not a list number 1-99.
bool removeAccessList(Simulator& sim, const std::string& number);

// Router configuration modes.
void processNetworkRip(Simulator& sim, const std::string& line);
void processNetworkIgrp(Simulator& sim, const std::string& line);
void processNoRouterRip(Simulator& sim, const std::string& line);
void processNoRouterIgrp(Simulator& sim, const std::string& line);

// The rows of the configuration commands.
const std::vector<CommandRow>& configurationCommands();
// The rows of hostname and of the commands that enter a configuration
// sub-mode or act on the selected line.
const std::vector<CommandRow>& modeEntryCommands();

} // namespace kestro
