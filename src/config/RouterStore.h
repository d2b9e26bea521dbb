// The saved configuration and the two-router parking of the live record.
#pragma once

#include <string>

namespace kestro {

class Simulator;

void resetStartupConfig(Simulator& sim);
void loadStartupConfig(Simulator& sim);
void saveStartupConfig(Simulator& sim);

enum class SwitchResult { Switched, AlreadyLive, Refused };

// Parks the live router (with its console texts) and makes `target` (0
// RouterA, 1 RouterB) live. Refused with " Please switch router when at
// prompt" while a question or a listing is open or a command is running.
SwitchResult switchRouter(Simulator& sim, long target);
// The same move without asking: for an activity start, which ends whatever
// the console was doing.
void moveRouterLive(Simulator& sim, long target);

inline constexpr const char* switchRefusal = " Please switch router when at prompt";

} // namespace kestro
