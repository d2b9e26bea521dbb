// The saved configuration and the two-router parking of the live record.
#pragma once

#include "records/RouterState.h"

#include <string>

namespace kestro {

class Simulator;

void resetStartupConfig(Simulator& sim);
void loadStartupConfig(Simulator& sim);
void saveStartupConfig(Simulator& sim);

enum class SwitchResult { Switched, AlreadyLive, Refused };

// Parks the live router (with its console texts) and makes `target` live. Refused with " Please
// switch router when at prompt" while a question or a listing is open or a command is running.
SwitchResult switchRouter(Simulator& sim, RouterId target);
// The same move without asking: for an activity start, which ends whatever
// the console was doing.
void moveRouterLive(Simulator& sim, RouterId target);
// The live router's parked console texts back on screen: the transcript,
// its bold runs and the half-typed line.
void showLiveConsole(Simulator& sim);

inline constexpr const char* switchRefusal = " Please switch router when at prompt";

} // namespace kestro
