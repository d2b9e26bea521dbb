// How a console session begins and ends, and how the student moves between
// privilege levels.
#pragma once

#include "registry/CommandRow.h"

#include <string>
#include <vector>

namespace kestro {

class Simulator;

// The boot screen: boot text, "Press RETURN to get started.", history cleared.
void loadRouter(Simulator& sim);
// Factory defaults (with an optional host name) loaded into the live router,
// then the boot screen.
void buildFreshRouter(Simulator& sim, const std::string& hostname = "");
// Enter on the boot screen.
void startSession(Simulator& sim);

void processEnable(Simulator& sim, const std::vector<std::string>& words);
void checkEnableSecret(Simulator& sim, const std::string& line);
void checkEnablePassword(Simulator& sim, const std::string& line);
void checkLoginPassword(Simulator& sim, const std::string& line);

void configureQuestion(Simulator& sim, const std::string& line);

void reloadConfirm(Simulator& sim, char32_t ch);

// The rows of the session commands: enable, disable, configure, reload,
// terminal, logout.
const std::vector<CommandRow>& sessionCommands();
// The rows of exit, end and help.
const std::vector<CommandRow>& modeExitCommands();

} // namespace kestro
