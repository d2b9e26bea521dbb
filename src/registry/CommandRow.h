// One row per command, declared once beside its handlers: its first word
// and accepted short forms, the handler of each mode with the forms it takes
// there (registry/Syntax.h), what other modes answer, and what "?" prints
// after its words. Dispatch, the list of handled commands, the short forms
// and the "?" answers are all read from the rows. Adding a command takes its
// row and handler, and its table rows and help screens in data/.
#pragma once

#include "records/RouterState.h"
#include "registry/Syntax.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestro {

class Simulator;

// What a handler gets: the whole input line (prompt included), its
// normalised words with the handler's short forms spelled out, the mode it
// was typed in (read once, before any handler runs) and, for a handler with
// forms, the id of the form the words took and the handler's syntax.
struct CommandContext {
    Simulator& sim;
    const std::string& line;
    const std::vector<std::string>& words;
    Mode mode;
    int form = 0;
    const Syntax* syntax = nullptr;
};

using CommandHandler = void (*)(const CommandContext&);
using LineHandler = void (*)(Simulator&, const std::string&);

// A handler that takes only the input line.
template <LineHandler handler> void withLine(const CommandContext& c) {
    handler(c.sim, c.line);
}

// What the command answers in a mode that has no handler for it.
enum class Elsewhere { invalidInput, unknownCommand, nothing };

// A line that fits none of the syntax's forms is answered by the
// dispatcher without running the handler.
struct ModeHandler {
    Mode mode;
    CommandHandler handler;
    Syntax syntax = {};
};

// What "?" prints for one spelling of a command.
struct HelpText {
    enum class Kind { screen, markedScreen, lines, pagedLines, silent, unknownCommand };
    Kind kind = Kind::silent;
    std::string_view key;                // a stored help screen (the screen kinds)
    std::vector<std::string_view> lines; // fixed lines; a leading "$" marks a bold line
    bool blankAfter = true;              // a closing blank line after fixed lines
};

// A stored help screen, printed plain or with the implemented commands bold.
HelpText helpScreen(std::string_view key);
HelpText markedHelpScreen(std::string_view key);
// Fixed lines, one at a time or as one paged block.
HelpText helpLines(std::initializer_list<std::string_view> lines, bool blankAfter = true);
HelpText pagedHelpLines(std::initializer_list<std::string_view> lines, bool blankAfter = true);
// Answered with nothing more, or with the mode's unknown-command message.
HelpText helpSilence();
HelpText helpUnknownCommand();

// One "?" answer of a command: in one of `modes`, when the typed words take
// one of `spellings` wholly. A spelling is a form (registry/Syntax.h) of the
// words before and including "?". A command's answers are tried in order;
// the first that matches answers.
struct HelpAnswer {
    std::vector<Mode> modes;
    std::vector<Form> spellings;
    HelpText text;
};

struct CommandRow {
    const char* word;                    // the full first word
    std::vector<const char*> shortForms; // accepted besides the full word
    std::vector<ModeHandler> handlers;   // one per mode that carries it out
    Elsewhere elsewhere;
    std::vector<HelpAnswer> help = {}; // what "?" after its words prints

    bool handledIn(Mode mode) const;
};

// The modes a handler or help list names: the two exec modes and the five
// configuration modes.
inline constexpr Mode execModes[] = {Mode::user, Mode::priv};
inline constexpr Mode configurationModes[] = {Mode::conf, Mode::configIf, Mode::configLine,
                                              Mode::configRouterRip, Mode::configRouterIgrp};
// Every mode a command can be typed in (a function: rows are built when
// first asked for, which may be during another file's static start-up).
inline std::vector<Mode> everyMode() {
    return {Mode::user,
            Mode::priv,
            Mode::conf,
            Mode::configIf,
            Mode::configLine,
            Mode::configRouterRip,
            Mode::configRouterIgrp};
}

// The same handler in each of `modes`.
std::vector<ModeHandler> sameIn(std::initializer_list<Mode> modes, CommandHandler handler,
                                const Syntax& syntax = {});
std::vector<ModeHandler> inEveryConfigurationMode(CommandHandler handler,
                                                  const Syntax& syntax = {});
std::vector<ModeHandler> inEveryMode(CommandHandler handler, const Syntax& syntax = {});

} // namespace kestro
