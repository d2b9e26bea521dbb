// Leaving modes: exit (which ends the session from an exec mode), end, and
// the help command that every mode answers.
#include "Simulator.h"
#include "console/Console.h"
#include "console/LineHelpers.h"
#include "registry/Recognition.h"
#include "session/Session.h"

namespace kestro {

namespace {

void exitCommand(const CommandContext& c) {
    Simulator& sim = c.sim;
    if (c.mode == Mode::user || c.mode == Mode::priv) {
        loadRouter(sim);
    } else if (c.mode == Mode::conf) {
        enterMode(sim, Mode::priv);
        printLine(sim, configuredFromConsole);
    } else if (isConfigurationMode(c.mode)) {
        enterMode(sim, Mode::conf);
    }
}

void endCommand(const CommandContext& c) {
    enterMode(c.sim, Mode::priv);
    resetInputLine(c.sim);
}

void helpCommand(const CommandContext& c) {
    procesHelp(c.sim);
}

} // namespace

const std::vector<CommandRow>& modeExitCommands() {
    static const std::vector<CommandRow> rows = {
        {"end",
         {},
         inEveryConfigurationMode(endCommand, {{{"end"}}, {}, true}),
         Elsewhere::unknownCommand},
        {"exit", {}, inEveryMode(exitCommand, {{{"exit"}}}), Elsewhere::nothing},
        {"help", {}, inEveryMode(helpCommand, {{{"help"}}, {}, true}), Elsewhere::nothing},
    };
    return rows;
}

} // namespace kestro
