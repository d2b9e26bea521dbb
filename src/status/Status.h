// show commands and ping.
#pragma once

#include <string>

namespace kestro {

class Simulator;

void processShowUser(Simulator& sim, const std::string& line);
void processShowPriv(Simulator& sim, const std::string& line);
void processPing(Simulator& sim, const std::string& line);

} // namespace kestro
