#include "console/LineHelpers.h"

#include "Simulator.h"
#include "console/Console.h"

namespace kestro {

std::string normaliseText(std::string_view text) {
    const std::string lowered = toLowerAscii(trimBlanks(text));
    std::string out;
    out.reserve(lowered.size());
    for (char c : lowered) {
        if (c == ' ' && !out.empty() && out.back() == ' ')
            continue;
        out += c;
    }
    return out;
}

std::string normaliseLine(const Simulator& sim, std::string_view line) {
    const std::string& prompt = sim.liveRouter.prompt;
    // The prompt is looked for in the line; when it is not there, the text
    // is taken from one character before the prompt's length, as the
    // router always has.
    std::size_t from;
    if (prompt.empty()) {
        from = 0;
    } else {
        const std::size_t at = line.find(prompt);
        from = at == std::string_view::npos ? prompt.size() - 1 : at + prompt.size();
    }
    if (from > line.size())
        from = line.size();
    return normaliseText(line.substr(from));
}

std::vector<std::string> splitWords(std::string_view normalised) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start < normalised.size()) {
        std::size_t end = normalised.find(' ', start);
        if (end == std::string_view::npos)
            end = normalised.size();
        words.emplace_back(normalised.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

void printInvalidInput(Simulator& sim) {
    sim.facts.pending.rejected = true;
    // Without a command being dispatched (a line ended by Ctrl-Z), the mark
    // goes under the first character typed.
    const std::size_t column = sim.console.invalidMarker.value_or(sim.liveRouter.prompt.size());
    printLine(sim, std::string(column, ' ') + "^");
    printLine(sim, "% Invalid input detected at '^' marker.");
}

void printIncompleteCommand(Simulator& sim) {
    sim.facts.pending.rejected = true;
    printLine(sim, "% Incomplete command.");
    printLine(sim, " ");
}

void printUnknownCommand(Simulator& sim) {
    sim.facts.pending.rejected = true;
    if (sim.liveRouter.mode == Mode::user)
        printLine(sim, "% Unknown command or computer name, or unable to find computer address");
    else
        printInvalidInput(sim);
}

void printUnrecognizedCommand(Simulator& sim) {
    sim.facts.pending.rejected = true;
    printLine(sim, "% Unrecognized command");
    sim.console.helpEmphasis = false;
}

std::string promptFor(const Simulator& sim, Mode mode) {
    const std::string& h = sim.liveRouter.hostname;
    switch (mode) {
    case Mode::none:
        return "";
    case Mode::user:
        return h + ">";
    case Mode::priv:
        return h + "#";
    case Mode::conf:
        return h + "(config)#";
    case Mode::configIf:
        return h + "(config-if)#";
    case Mode::configLine:
        return h + "(config-line)#";
    case Mode::configRouterRip:
    case Mode::configRouterIgrp:
        return h + "(config-router)#";
    }
    return "";
}

void enterMode(Simulator& sim, Mode mode) {
    sim.liveRouter.mode = mode;
    sim.liveRouter.prompt = promptFor(sim, mode);
}

bool isConfigurationMode(Mode mode) {
    return mode == Mode::conf || mode == Mode::configIf || mode == Mode::configLine ||
           mode == Mode::configRouterRip || mode == Mode::configRouterIgrp;
}

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    if (from.empty())
        return;
    std::size_t at = 0;
    while ((at = text.find(from, at)) != std::string::npos) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
}

} // namespace kestro
