// One row per command: the dispatcher reads these and nothing else. Each
// subsystem declares the rows of its commands next to their handlers; the
// list of handled commands and the accepted short forms are derived from the
// rows. Adding a command takes a handler and one row.
#pragma once

#include "records/RouterState.h"

#include <string>
#include <vector>

namespace kestro {

class Simulator;

// What a handler gets: the whole input line (prompt included), its
// normalised words and the mode it was typed in (read once, before any
// handler runs).
struct CommandContext {
    Simulator& sim;
    const std::string& line;
    const std::vector<std::string>& words;
    Mode mode;
};

using CommandHandler = void (*)(const CommandContext&);
using LineHandler = void (*)(Simulator&, const std::string&);

// A handler that takes only the input line.
template <LineHandler handler> void withLine(const CommandContext& c) {
    handler(c.sim, c.line);
}

// What the command answers in a mode that has no handler for it.
enum class Elsewhere { invalidInput, unknownCommand, nothing };

struct ModeHandler {
    Mode mode;
    CommandHandler handler;
};

struct CommandRow {
    const char* word;                    // the full first word
    std::vector<const char*> shortForms; // accepted besides the full word
    std::vector<ModeHandler> handlers;   // one per mode that carries it out
    Elsewhere elsewhere;

    bool handledIn(Mode mode) const;
};

// The modes a handler list names: the two exec modes and the five
// configuration modes.
inline constexpr Mode execModes[] = {Mode::user, Mode::priv};
inline constexpr Mode configurationModes[] = {Mode::conf, Mode::configIf, Mode::configLine,
                                              Mode::configRouterRip, Mode::configRouterIgrp};

// The same handler in each of `modes`.
std::vector<ModeHandler> sameIn(std::initializer_list<Mode> modes, CommandHandler handler);
std::vector<ModeHandler> inEveryConfigurationMode(CommandHandler handler);
std::vector<ModeHandler> inEveryMode(CommandHandler handler);

} // namespace kestro
