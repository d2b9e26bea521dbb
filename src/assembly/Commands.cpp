// The one place that knows every subsystem's commands: the registry
// dispatches, completes and helps from this list without including any of
// them.
#include "config/ConfigCommands.h"
#include "registry/Dispatcher.h"
#include "session/Copy.h"
#include "session/Session.h"
#include "status/Status.h"

namespace kestro {

const std::vector<const std::vector<CommandRow>*>& commandLists() {
    static const std::vector<const std::vector<CommandRow>*> lists = {
        &modeExitCommands(),      &modeEntryCommands(), &sessionCommands(),
        &configurationCommands(), &copyCommands(),      &statusCommands()};
    return lists;
}

} // namespace kestro
