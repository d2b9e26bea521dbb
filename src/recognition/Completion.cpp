// Placeholder until completion from the command tables is built: the typed
// text comes back unchanged.
#include "recognition/Recognition.h"

#include "Simulator.h"

namespace kestro {

std::string completePartialCommand(Simulator& sim, const std::string& line) {
    const std::size_t n = sim.liveRouter.prompt.size();
    return n <= line.size() ? line.substr(n) : std::string();
}

} // namespace kestro
