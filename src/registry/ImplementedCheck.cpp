// The implemented check: whether a help line's command is one the simulator
// carries out in the current mode. Used by the emphasis rule of help
// listings; the tables never decide how a command is carried out.
#include "registry/Recognition.h"

#include "Simulator.h"
#include "console/LineHelpers.h"
#include "content/CommandTables.h"

namespace kestro {

bool checkIfCommandImplemented(Simulator& sim, const std::string& line) {
    const std::string n = normaliseLine(sim, line);
    const std::vector<std::string> words = splitWords(n);
    if (words.empty())
        return false;
    // One word: the mode's plain table, where a prefix is enough ("sh" finds
    // show); more: the extended table. The typed text is matched literally,
    // so an apostrophe or a wildcard in it is a character like any other.
    CommandQuery q{sim.liveRouter.mode, words.size() == 1 ? TableKind::plain : TableKind::extended,
                   n};
    q.implementedOnly = true;
    if (q.mode == Mode::configIf)
        q.interface = sim.liveRouter.currentInterface;
    return !lookUpCommands(sim.content(), q, "checkIfCommandImplemented").empty();
}

} // namespace kestro
