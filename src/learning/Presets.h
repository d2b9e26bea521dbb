// The faulty starting configuration of each troubleshooting exercise.
#pragma once

#include <string>

namespace kestro {

class Simulator;

// Writes an exercise's faults into the live router (and, from RouterA, into
// the parked RouterB). key: an exercise name, or "4", "5", "6" as the
// two-router panel passes it when RouterB is first used. Other keys change
// nothing.
void applyExercisePreset(Simulator& sim, const std::string& key);

} // namespace kestro
