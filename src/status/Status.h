// show commands and ping.
#pragma once

#include <ctime>
#include <string>

namespace kestro {

class Simulator;

void processShowUser(Simulator& sim, const std::string& line);
void processShowPriv(Simulator& sim, const std::string& line);
void processPing(Simulator& sim, const std::string& line);

// The show clock line for a local time, e.g. "*09:04:03 UTC Mon Mar 5 2007 ".
std::string clockLine(const std::tm& t);

} // namespace kestro
