// show commands and ping.
#pragma once

#include "registry/CommandRow.h"

#include <ctime>
#include <string>
#include <vector>

namespace kestro {

class Simulator;

// ping in an exec mode.
ModeHandler pingIn(Mode mode);

// The rows of show and ping.
const std::vector<CommandRow>& statusCommands();

// The show clock line for a local time and the milliseconds of its second,
// e.g. "*09:04:03.042 UTC Mon Mar 5 2007".
std::string clockLine(const std::tm& t, int milliseconds);

} // namespace kestro
