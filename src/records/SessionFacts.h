// What the student has done in the current activity, beyond what the
// configuration holds: the commands run and the configurations they were run
// against, so a checklist can ask "was show ip route run after the repair".
#pragma once

#include "records/RouterState.h"

#include <memory>
#include <string>
#include <vector>

namespace kestro {

struct CommandRun {
    RouterId router = RouterId::a;
    // The command as recorded: as its declared form spells it ("interface
    // serial 0" for "int s0"), as typed with its first word written out, and
    // a show command in each spelling that reaches its display ("show ip
    // access-lists", "show access-lists").
    std::vector<std::string> spellings;
    bool succeeded = true; // a ping: whether it was answered
    // Both routers' configurations when it ran (RouterB's null outside the
    // two-router exercises); shared with the runs before while unchanged.
    std::shared_ptr<const routerConfig> routerA;
    std::shared_ptr<const routerConfig> routerB;
};

struct SessionFacts {
    std::vector<CommandRun> runs;

    // Set while one command runs, read when it ends.
    struct Pending {
        std::vector<std::string> spellings; // set by a handler that names its command
        bool succeeded = true;
        bool rejected = false; // the router answered with an error message
    } pending;
};

} // namespace kestro
