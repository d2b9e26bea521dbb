#include "registry/Dispatcher.h"

#include "Simulator.h"
#include "console/Console.h"

#include <algorithm>
#include <map>

namespace kestro {

namespace {

// Every row, indexed by its full word and its short forms.
struct CommandIndex {
    std::vector<const CommandRow*> rows;
    std::map<std::string, const CommandRow*, std::less<>> byWord;
};

const CommandIndex& commandIndex() {
    static const CommandIndex index = [] {
        CommandIndex i;
        for (const std::vector<CommandRow>* list : commandLists())
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

std::vector<ModeHandler> sameIn(std::initializer_list<Mode> modes, CommandHandler handler,
                                const Syntax& syntax) {
    std::vector<ModeHandler> handlers;
    for (Mode mode : modes)
        handlers.push_back({mode, handler, syntax});
    return handlers;
}

std::vector<ModeHandler> inEveryConfigurationMode(CommandHandler handler, const Syntax& syntax) {
    std::vector<ModeHandler> handlers;
    for (Mode mode : configurationModes)
        handlers.push_back({mode, handler, syntax});
    return handlers;
}

std::vector<ModeHandler> inEveryMode(CommandHandler handler, const Syntax& syntax) {
    std::vector<ModeHandler> handlers = sameIn({Mode::user, Mode::priv}, handler, syntax);
    for (const ModeHandler& h : inEveryConfigurationMode(handler, syntax))
        handlers.push_back(h);
    return handlers;
}

const CommandRow* commandRowFor(std::string_view word) {
    const auto& byWord = commandIndex().byWord;
    const auto found = byWord.find(word);
    return found == byWord.end() ? nullptr : found->second;
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

namespace {

// The configuration as it is now, shared with the last run's copy while
// unchanged, so a long session keeps few copies.
std::shared_ptr<const routerConfig> snapshot(const routerConfig& now,
                                             const std::shared_ptr<const routerConfig>& last) {
    if (last && *last == now)
        return last;
    return std::make_shared<const routerConfig>(now);
}

// Records a command that was carried out, not one the router answered with
// an error message: as its form spells it (every short form typed counts as
// the command), as typed with its first word written out (a step may ask
// for a short form), and in any spellings its handler names.
void recordRun(Simulator& sim, const std::vector<std::string>& words, const CommandRow& row,
               std::string spelled) {
    SessionFacts::Pending& pending = sim.facts.pending;
    if (pending.rejected)
        return;
    CommandRun run;
    run.router = sim.activeRouter;
    run.succeeded = pending.succeeded;
    run.spellings = std::move(pending.spellings);
    std::string typed = row.word;
    for (std::size_t i = 1; i < words.size(); ++i)
        typed += " " + words[i];
    for (std::string* s : {&spelled, &typed})
        if (!s->empty() &&
            std::find(run.spellings.begin(), run.spellings.end(), *s) == run.spellings.end())
            run.spellings.push_back(std::move(*s));
    const bool aLive = sim.activeRouter == RouterId::a;
    const CommandRun* last = sim.facts.runs.empty() ? nullptr : &sim.facts.runs.back();
    run.routerA = snapshot(aLive ? sim.liveRouter.config() : sim.routerAStore.config(),
                           last ? last->routerA : nullptr);
    if (sim.topology.kind == TopologyKind::twoRouters)
        run.routerB = snapshot(aLive ? sim.routerBStore.config() : sim.liveRouter.config(),
                               last ? last->routerB : nullptr);
    sim.facts.runs.push_back(std::move(run));
}

// Runs the handler on a line that takes one of its forms (or on any line,
// for a handler without forms); answers any other line itself. Gives back
// the line as the form it took spells it; empty for a handler without forms.
std::string runHandler(Simulator& sim, const std::string& line,
                       const std::vector<std::string>& words, Mode mode, const ModeHandler& h) {
    if (h.syntax.forms.empty()) {
        h.handler(CommandContext{sim, line, words, mode});
        return {};
    }
    const Parsed parsed = parseLine(h.syntax, words);
    const int id = parsed.form ? parsed.form->id : 0;
    if (parsed.form && id >= 0) {
        h.handler(CommandContext{sim, line, parsed.words, mode, id, &h.syntax});
        return fullSpelling(*parsed.form, parsed.words);
    }
    if (h.syntax.unknownWhenUnfit && !parsed.form)
        printUnknownCommand(sim);
    else if (parsed.incomplete || id == answerIncomplete)
        printIncompleteCommand(sim);
    else
        printInvalidInput(sim);
    return {};
}

} // namespace

void dispatchCommand(Simulator& sim, const std::string& line) {
    const std::string n = normaliseLine(sim, line);
    // An empty line does nothing in any mode.
    if (n.empty())
        return;
    sim.facts.pending = {};
    const std::vector<std::string> words = splitWords(n);
    // The mode is read once: a handler that changes it must not make a later
    // row of the same command see the new mode.
    const Mode mode = sim.liveRouter.mode;
    // Found before any handler changes the prompt or the mode; printed only
    // with an invalid-input message.
    sim.console.invalidMarker = invalidInputColumn(sim, line);
    struct Forget {
        Simulator& sim;
        ~Forget() { sim.console.invalidMarker.reset(); }
    } forget{sim};
    const auto& byWord = commandIndex().byWord;
    const auto found = byWord.find(words.front());
    if (found == byWord.end()) {
        printUnknownCommand(sim);
        return;
    }
    const CommandRow& row = *found->second;
    for (const ModeHandler& h : row.handlers) {
        if (mode == h.mode) {
            recordRun(sim, words, row, runHandler(sim, line, words, mode, h));
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
