// Placeholder until the command tables are built: nothing counts as
// implemented, so help listings are never bold.
#include "recognition/Recognition.h"

namespace kestro {

bool checkIfCommandImplemented(Simulator&, const std::string&) { return false; }

} // namespace kestro
