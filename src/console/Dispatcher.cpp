#include "console/Dispatcher.h"

#include "Simulator.h"
#include "config/AddressUtils.h"
#include "config/ConfigCommands.h"
#include "console/Console.h"
#include "console/Copy.h"
#include "console/Session.h"
#include "recognition/Recognition.h"
#include "status/Status.h"

#include <algorithm>
#include <map>

namespace kestro {

namespace {

void processInterfaceEntry(Simulator& sim, const std::string& line) {
    std::string n = normaliseLine(sim, line);
    static const std::pair<const char*, const char*> spellings[] = {
        {"int ", "interface "}, {" e0", " ethernet 0"},  {" s0", " serial 0"},
        {" s1", " serial 1"},   {" e 0", " ethernet 0"}, {" s 0", " serial 0"},
        {" s 1", " serial 1"},
    };
    for (const auto& [from, to] : spellings)
        replaceAll(n, from, to);
    const std::string rewritten = sim.liveRouter.prompt + n;
    const int which = matchOneOf(
        sim, rewritten, {"interface serial 0", "interface serial 1", "interface ethernet 0"});
    if (which < 0)
        return;
    enterMode(sim, Mode::configIf);
    sim.liveRouter.currentInterface = static_cast<Interface>(which);
}

void processLineEntry(Simulator& sim, const std::string& line) {
    std::string n = normaliseLine(sim, line);
    replaceAll(n, "con ", "console ");
    const std::string rewritten = sim.liveRouter.prompt + n;
    const int which = matchOneOf(sim, rewritten, {"line aux 0", "line console 0", "line vty 0 4"});
    if (which < 0)
        return;
    static const char* const lines[] = {"aux", "con", "vty"};
    enterMode(sim, Mode::configLine);
    sim.liveRouter.currentLine = lines[which];
}

void processRouterEntry(Simulator& sim, const std::string& line) {
    routerState& r = sim.liveRouter;
    const int rip = matchPattern(sim, line, "router rip");
    if (rip == patternMatch) {
        if (r.ipRouting) {
            r.ripConfigured = true;
            enterMode(sim, Mode::configRouterRip);
        } else {
            printLine(sim, "IP routing not enabled");
        }
        return;
    }
    const int igrp = matchPattern(sim, line, "router igrp variable");
    if (igrp == patternMatch) {
        const std::vector<std::string> words = splitWords(normaliseLine(sim, line));
        if (isNumberInRange(words[2], 1, 65535)) {
            if (r.ipRouting) {
                r.igrpAs = *numericValue(words[2]);
                r.igrpConfigured = true;
                enterMode(sim, Mode::configRouterIgrp);
            } else {
                printLine(sim, "IP routing not enabled");
            }
            return;
        }
    }
    if (rip == patternIncomplete || igrp == patternIncomplete)
        printIncompleteCommand(sim);
    else
        printInvalidInput(sim);
}

void process_hostname(Simulator& sim, const std::vector<std::string>& words) {
    if (sim.liveRouter.mode != Mode::conf) {
        printUnknownCommand(sim);
        return;
    }
    if (words.size() == 1) {
        printIncompleteCommand(sim);
    } else if (words.size() > 2) {
        printInvalidInput(sim);
    } else {
        sim.liveRouter.hostname = words[1];
        sim.liveRouter.prompt = sim.liveRouter.hostname + "(config)#";
    }
}

// login and password act on the line selected by the line command.
void processLineLogin(Simulator& sim, const std::string& line) {
    if (matchOneOf(sim, line, {"login"}) < 0)
        return;
    if (bool* flag = sim.liveRouter.currentLineLogin())
        *flag = true;
    else
        printInvalidInput(sim);
}

void processLinePassword(Simulator& sim, const std::string& line) {
    if (matchOneOf(sim, line, {"password variable"}) < 0)
        return;
    if (std::string* password = sim.liveRouter.currentLinePassword())
        *password = splitWords(normaliseLine(sim, line))[1];
    else
        printInvalidInput(sim);
}

void exitCommand(const CommandContext& c) {
    Simulator& sim = c.sim;
    if (matchPattern(sim, c.line, "exit") != patternMatch) {
        printInvalidInput(sim);
        return;
    }
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
    if (matchPattern(c.sim, c.line, "end") == patternMatch) {
        enterMode(c.sim, Mode::priv);
        resetInputLine(c.sim);
    } else {
        printUnknownCommand(c.sim);
    }
}

void helpCommand(const CommandContext& c) {
    if (matchPattern(c.sim, c.line, "help") == patternMatch)
        procesHelp(c.sim);
    else
        printUnknownCommand(c.sim);
}

void hostnameCommand(const CommandContext& c) {
    process_hostname(c.sim, c.words);
}

// The mode machine's own commands: leaving modes and entering the
// configuration sub-modes.
const std::vector<CommandRow>& modeCommands() {
    static const std::vector<CommandRow> rows = {
        {"end", {}, inEveryConfigurationMode(endCommand), Elsewhere::unknownCommand},
        {"exit", {}, inEveryMode(exitCommand), Elsewhere::nothing},
        {"help", {}, inEveryMode(helpCommand), Elsewhere::nothing},
        {"hostname", {}, {{Mode::conf, hostnameCommand}}, Elsewhere::unknownCommand},
        {"interface",
         {"int"},
         {{Mode::conf, withLine<processInterfaceEntry>}},
         Elsewhere::unknownCommand},
        {"line", {}, {{Mode::conf, withLine<processLineEntry>}}, Elsewhere::unknownCommand},
        {"login", {}, {{Mode::configLine, withLine<processLineLogin>}}, Elsewhere::unknownCommand},
        {"password",
         {},
         {{Mode::configLine, withLine<processLinePassword>}},
         Elsewhere::unknownCommand},
        {"router", {}, {{Mode::conf, withLine<processRouterEntry>}}, Elsewhere::invalidInput},
    };
    return rows;
}

// Every row, indexed by its full word and its short forms.
struct CommandIndex {
    std::vector<const CommandRow*> rows;
    std::map<std::string, const CommandRow*, std::less<>> byWord;
};

const CommandIndex& commandIndex() {
    static const CommandIndex index = [] {
        CommandIndex i;
        for (const auto* list : {&modeCommands(), &sessionCommands(), &configurationCommands(),
                                 &copyCommands(), &statusCommands()})
            for (const CommandRow& row : *list) {
                i.rows.push_back(&row);
                i.byWord.emplace(row.word, &row);
                for (const char* shortForm : row.shortForms)
                    i.byWord.emplace(shortForm, &row);
            }
        return i;
    }();
    return index;
}

} // namespace

bool CommandRow::handledIn(Mode mode) const {
    return std::any_of(handlers.begin(), handlers.end(),
                       [&](const ModeHandler& h) { return mode == h.mode; });
}

std::vector<ModeHandler> sameIn(std::initializer_list<Mode> modes, CommandHandler handler) {
    std::vector<ModeHandler> handlers;
    for (Mode mode : modes)
        handlers.push_back({mode, handler});
    return handlers;
}

std::vector<ModeHandler> inEveryConfigurationMode(CommandHandler handler) {
    std::vector<ModeHandler> handlers;
    for (Mode mode : configurationModes)
        handlers.push_back({mode, handler});
    return handlers;
}

std::vector<ModeHandler> inEveryMode(CommandHandler handler) {
    std::vector<ModeHandler> handlers = sameIn({Mode::user, Mode::priv}, handler);
    for (const ModeHandler& h : inEveryConfigurationMode(handler))
        handlers.push_back(h);
    return handlers;
}

std::vector<const CommandRow*> commandRows() {
    return commandIndex().rows;
}

const std::vector<HandledCommand>& handledCommands() {
    static const std::vector<HandledCommand> commands = [] {
        std::vector<HandledCommand> c;
        for (const CommandRow* row : commandIndex().rows) {
            HandledCommand h{row->word, {}};
            for (const ModeHandler& m : row->handlers)
                h.modes.push_back(m.mode);
            c.push_back(std::move(h));
        }
        return c;
    }();
    return commands;
}

bool isAcceptedAbbreviation(std::string_view word) {
    for (const CommandRow* row : commandIndex().rows)
        for (const char* shortForm : row->shortForms)
            if (word == shortForm)
                return true;
    return false;
}

void dispatchCommand(Simulator& sim, const std::string& line) {
    const std::string n = normaliseLine(sim, line);
    // An empty line does nothing in any mode.
    if (n.empty())
        return;
    const std::vector<std::string> words = splitWords(n);
    // The mode is read once: a handler that changes it must not make a later
    // row of the same command see the new mode.
    const Mode mode = sim.liveRouter.mode;
    const auto& byWord = commandIndex().byWord;
    const auto found = byWord.find(words.front());
    if (found == byWord.end()) {
        printUnknownCommand(sim);
        return;
    }
    const CommandRow& row = *found->second;
    for (const ModeHandler& h : row.handlers) {
        if (mode == h.mode) {
            h.handler(CommandContext{sim, line, words, mode});
            return;
        }
    }
    switch (row.elsewhere) {
    case Elsewhere::invalidInput:
        printInvalidInput(sim);
        break;
    case Elsewhere::unknownCommand:
        printUnknownCommand(sim);
        break;
    case Elsewhere::nothing:
        break;
    }
}

} // namespace kestro
