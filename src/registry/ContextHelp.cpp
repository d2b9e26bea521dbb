// "?" help: after a space it lists what may follow the words typed so far,
// directly after a word it lists the commands that begin with it, and alone
// it lists the commands of the mode. What follows a command's words is
// declared on its row (CommandRow::help): fixed lines or help screens of the
// content store; while one is printed, helpEmphasis makes the console show
// the implemented commands in bold.
#include "registry/Recognition.h"

#include "registry/Dispatcher.h"

#include "Simulator.h"
#include "console/Console.h"
#include "console/LineHelpers.h"
#include "content/CommandTables.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace kestro {

namespace {

// A closing blank line: printLine writes nothing for an empty text, so it
// is made of as many blanks as the answer's first line is indented.
std::string blankFor(std::string_view firstLine) {
    if (firstLine.starts_with('$'))
        firstLine.remove_prefix(1);
    const std::size_t indent = firstLine.find_first_not_of(' ');
    const std::size_t count = indent == std::string_view::npos ? firstLine.size() : indent;
    return std::string(count == 0 ? 1 : count, ' ');
}

// One "?" request being answered from the command's help declarations.
// answer() returns whether the request was answered (a silent ending and
// another message count as answered); otherwise "% Unrecognized command"
// follows.
class Request {
public:
    Request(Simulator& sim, const std::string& line)
        : sim_(sim), n_(normaliseLine(sim, line)), w_(splitWords(n_)), mode_(sim.liveRouter.mode) {}

    bool answer();

private:
    bool matches(const HelpAnswer& a) const;
    bool print(const HelpText& text);
    // "?" alone: the mode's own list of commands.
    bool modeCommands();

    Simulator& sim_;
    std::string n_;
    std::vector<std::string> w_;
    Mode mode_;
};

bool Request::matches(const HelpAnswer& a) const {
    if (std::find(a.modes.begin(), a.modes.end(), mode_) == a.modes.end())
        return false;
    return std::any_of(a.spellings.begin(), a.spellings.end(),
                       [&](const Form& s) { return matchForm(s, w_) == FormMatch::match; });
}

bool Request::print(const HelpText& text) {
    switch (text.kind) {
    case HelpText::Kind::screen:
    case HelpText::Kind::markedScreen:
        // A missing screen prints nothing; the request still counts as
        // answered.
        if (ContentStore* content = sim_.content())
            if (auto screen = content->cmdInfo(text.key, "showContextHelp"))
                printPaged(sim_, *screen, text.kind == HelpText::Kind::markedScreen);
        return true;
    case HelpText::Kind::lines:
        for (std::string_view line : text.lines)
            printLine(sim_, line, line.starts_with('$'), false);
        if (text.blankAfter && !text.lines.empty())
            printLine(sim_, blankFor(text.lines.front()), false, false);
        return true;
    case HelpText::Kind::pagedLines: {
        std::string block;
        for (std::string_view line : text.lines)
            block += (block.empty() ? "" : "\r\n") + std::string(line);
        if (text.blankAfter && !text.lines.empty())
            block += "\r\n" + blankFor(text.lines.front());
        printPaged(sim_, block, true);
        return true;
    }
    case HelpText::Kind::silent:
        return true;
    case HelpText::Kind::unknownCommand:
        printUnknownCommand(sim_);
        return true;
    }
    return false;
}

bool Request::modeCommands() {
    static constexpr std::pair<Mode, std::string_view> screens[] = {
        {Mode::priv, "privmode_cmds"},
        {Mode::user, "usermode_cmds"},
        {Mode::conf, "confmode_cmds"},
        {Mode::configLine, "linemode_cmds"},
        {Mode::configIf, "ifmode_cmds"},
        {Mode::configRouterRip, "configRouterMode_rip_cmds"},
        {Mode::configRouterIgrp, "configRouterMode_igrp_cmds"},
    };
    for (const auto& [mode, key] : screens) {
        if (mode_ == mode)
            return print(helpScreen(key));
    }
    return true;
}

bool Request::answer() {
    if (n_ == "?")
        return modeCommands();
    const CommandRow* row = w_.empty() ? nullptr : commandRowFor(w_.front());
    if (!row)
        return false;
    for (const HelpAnswer& a : row->help)
        if (matches(a))
            return print(a.text);
    return false;
}

} // namespace

void showContextHelp(Simulator& sim, const std::string& typedLine) {
    // The caller may pass the input line itself, which the echo resets to
    // the prompt.
    const std::string line = typedLine;
    printLine(sim, line, false, false);
    std::string n = normaliseLine(sim, line);
    if (n.empty())
        n = "blank_enter";
    const std::vector<std::string> w = splitWords(n);
    if (w.empty() || w.back() != "?") {
        listCommandsStartingWithString(sim, n);
        return;
    }

    sim.console.helpEmphasis = true;
    sim.console.helpTemplate = line;
    // An answer that is the invalid-input message marks the words before "?".
    sim.console.invalidMarker =
        invalidInputColumn(sim, std::string_view(line).substr(0, line.rfind('?')));
    Request request(sim, line);
    if (!request.answer())
        printUnrecognizedCommand(sim);
    sim.console.helpEmphasis = false;
    sim.console.invalidMarker.reset();
}

void listCommandsStartingWithString(Simulator& sim, const std::string& text) {
    const std::string prefix = text.empty() ? std::string() : text.substr(0, text.size() - 1);
    const bool severalWords = text.find(' ') != std::string::npos;

    // Every interface's commands are listed.
    const std::vector<std::string> rows = lookUpCommands(
        sim.content(),
        {sim.liveRouter.mode, severalWords ? TableKind::extended : TableKind::plain, prefix},
        "listCommandsStartingWithString");
    if (rows.empty()) {
        printUnrecognizedCommand(sim);
        return;
    }

    std::string listing;
    if (!severalWords) {
        for (const std::string& cmd : rows)
            listing += cmd + " ";
    } else {
        // The word being typed is word k of each command; a word already
        // on the line, even inside a longer one, is not repeated.
        const std::size_t k = splitWords(text).size() - 1;
        for (const std::string& cmd : rows) {
            const std::vector<std::string> cmdWords = splitWords(cmd);
            if (k >= cmdWords.size())
                continue;
            if (listing.find(cmdWords[k]) == std::string::npos)
                listing += cmdWords[k] + " ";
        }
    }
    printLine(sim, listing, false, false);
}

HelpText helpScreen(std::string_view key) {
    return {HelpText::Kind::screen, key, {}, false};
}

HelpText markedHelpScreen(std::string_view key) {
    return {HelpText::Kind::markedScreen, key, {}, false};
}

HelpText helpLines(std::initializer_list<std::string_view> lines, bool blankAfter) {
    return {HelpText::Kind::lines, {}, lines, blankAfter};
}

HelpText pagedHelpLines(std::initializer_list<std::string_view> lines, bool blankAfter) {
    return {HelpText::Kind::pagedLines, {}, lines, blankAfter};
}

HelpText helpSilence() {
    return {};
}

HelpText helpUnknownCommand() {
    return {HelpText::Kind::unknownCommand, {}, {}, false};
}

void procesHelp(Simulator& sim) {
    if (ContentStore* content = sim.content()) {
        if (auto screen = content->cmdInfo("help", "procesHelp"))
            printPaged(sim, *screen, false);
    }
}

} // namespace kestro
