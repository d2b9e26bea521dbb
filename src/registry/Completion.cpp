// Tab completion from the command tables of the current mode: the typed
// beginning is extended as far as every matching command agrees, and a
// command that alone can follow is written out with a space after it.
// Nothing is executed or printed; what cannot be completed comes back as
// typed.
#include "registry/Recognition.h"

#include "Simulator.h"
#include "console/LineHelpers.h"
#include "content/CommandTables.h"
#include "registry/Dispatcher.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

namespace kestro {

namespace {

struct Typed {
    std::string t; // as typed after the prompt
    std::string n; // normalised
    std::vector<std::string> w;
};

Typed typedParts(const Simulator& sim, const std::string& line) {
    Typed typed;
    const std::size_t promptLength = sim.liveRouter.prompt.size();
    typed.t = promptLength <= line.size() ? line.substr(promptLength) : std::string();
    typed.n = normaliseLine(sim, line);
    typed.w = splitWords(typed.n);
    return typed;
}

// The typed text with the missing end of the one command added, and a blank.
// Blanks typed after the last word are dropped first, so "sh " completes to
// "show " rather than splitting the word as "sh ow ".
std::string completedTyped(std::string typed, std::string_view missing) {
    typed.erase(typed.find_last_not_of(' ') + 1);
    typed.append(missing);
    typed += ' ';
    return typed;
}

// A list number isNumberInRange accepted, as the whole number it stands for
// (rounded half to even), without leading zeros.
std::string wholeNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    const long whole = static_cast<long>(std::nearbyint(value));
    return std::to_string(negative ? -whole : whole);
}

// Rows come in the order of the table's source, so the outcome of two rows
// where one begins the other does not depend on the store's whims.
std::vector<std::string> lookUp(Simulator& sim, Mode mode, TableKind kind, const std::string& text,
                                bool interfaceFilter, const char* caller) {
    CommandQuery q{mode, kind, text};
    if (interfaceFilter)
        q.interface = sim.liveRouter.currentInterface;
    return lookUpCommands(sim.content(), q, caller);
}

// The common-prefix rule. single: every row begins with all of the first
// row's command. Otherwise shared is the longest beginning all rows have,
// spelled as the table writes it (compared case for case).
struct Agreement {
    bool single;
    std::string first;
    std::string shared;
};

Agreement agree(const std::vector<std::string>& cmds) {
    const std::string& first = cmds.front();
    std::size_t common = first.size();
    for (const std::string& cmd : cmds) {
        std::size_t i = 0;
        while (i < common && i < cmd.size() && cmd[i] == first[i])
            ++i;
        common = i;
    }
    return {common == first.size(), first, first.substr(0, common)};
}

// The end of the command that was not typed: the first row's last
// (length of F - length of N) characters.
std::string missingEnd(const std::string& first, const std::string& normalised) {
    return normalised.size() < first.size() ? first.substr(normalised.size()) : std::string();
}

} // namespace

std::string completePartialCommand(Simulator& sim, const std::string& line) {
    Typed typed = typedParts(sim, line);
    if (typed.w.empty())
        return typed.t;

    const Mode mode = sim.liveRouter.mode;
    const TableKind kind = typed.w.size() == 1 ? TableKind::plain : TableKind::extended;
    if (commandTableName(mode, kind) == nullptr)
        return typed.t;
    if (kind == TableKind::extended) {
        if (mode == Mode::priv) {
            // The tables spell the show forms out: "show int e" is looked up
            // as "show interfaces e".
            replaceAll(typed.n, "int ", "interfaces ");
        } else if (mode == Mode::conf && typed.w[0] == "access-list") {
            return completeAccessListCmd(sim, line);
        } else if (mode == Mode::configIf &&
                   (typed.w[0] == "ip" ||
                    (typed.w.size() >= 3 && typed.w[0] == "no" && typed.w[1] == "ip"))) {
            return completeAccessGroupCmd(sim, line);
        }
    }
    // Interface configuration offers only what applies to the interface.
    const std::vector<std::string> cmds =
        lookUp(sim, mode, kind, typed.n, mode == Mode::configIf, "completePartialCommand");
    if (cmds.empty())
        return typed.t;
    const Agreement a = agree(cmds);
    if (a.single)
        return completedTyped(typed.t, missingEnd(a.first, typed.n));
    return a.shared;
}

namespace {

// A list number typed where the declared forms of the line's command hold a
// number word: its place in the line, the number as a whole number and the
// placeholder the command tables write there ("<1-99>").
struct ListNumber {
    std::size_t at = 0;
    std::string number;
    std::string placeholder;
};

// The line's words are a whole command of the mode: a form with a handler
// takes them all.
bool isWholeCommand(const CommandRow& row, Mode mode, const std::vector<std::string>& words) {
    for (const ModeHandler& h : row.handlers)
        if (h.mode == mode)
            for (const Form& form : h.syntax.forms)
                if (form.id >= 0 && matchForm(form, words) == FormMatch::match)
                    return true;
    return false;
}

// The first number word of the mode's forms of the line's command whose
// earlier words the line takes, when the line holds a number in its range
// there. A line that stops at the number and is already a whole command
// ("ip access-group 5") has nothing for the tables to complete: none.
std::optional<ListNumber> listNumber(Mode mode, const std::vector<std::string>& w) {
    const CommandRow* row = w.empty() ? nullptr : commandRowFor(w.front());
    if (row == nullptr)
        return std::nullopt;
    for (const ModeHandler& h : row->handlers) {
        if (h.mode != mode)
            continue;
        for (const Form& form : h.syntax.forms)
            for (std::size_t i = 0; i < form.words.size() && i < w.size(); ++i) {
                const SyntaxWord& slot = form.words[i];
                if (slot.kind == SyntaxWord::Kind::number) {
                    if (!slot.takes(w[i]) || (i + 1 == w.size() && isWholeCommand(*row, mode, w)))
                        return std::nullopt;
                    return ListNumber{i, wholeNumber(w[i]),
                                      "<" + std::to_string(slot.low) + "-" +
                                          std::to_string(slot.high) + ">"};
                }
                if (!slot.takes(w[i]))
                    break;
            }
    }
    return std::nullopt;
}

// The extended table's rows that begin with the normalised line (the
// interface filter left out), agreed on; none when no row does.
std::optional<Agreement> extendedRows(Simulator& sim, Mode mode, const std::string& normalised,
                                      const char* caller) {
    const std::vector<std::string> cmds =
        lookUp(sim, mode, TableKind::extended, normalised, false, caller);
    if (cmds.empty())
        return std::nullopt;
    return agree(cmds);
}

// The words before the number, then `last`.
std::string headThen(const std::vector<std::string>& w, std::size_t at, const std::string& last) {
    std::string text;
    for (std::size_t i = 0; i < at; ++i)
        text += w[i] + " ";
    return text + last;
}

} // namespace

std::string completeAccessListCmd(Simulator& sim, const std::string& line) {
    Typed typed = typedParts(sim, line);
    std::string k;
    std::string s;
    if (const std::optional<ListNumber> n = listNumber(Mode::conf, typed.w)) {
        k = headThen(typed.w, n->at, n->number);
        s = headThen(typed.w, n->at, n->placeholder);
        replaceAll(typed.n, k, s);
    }

    const std::optional<Agreement> a =
        extendedRows(sim, Mode::conf, typed.n, "completeAccessListCmd");
    if (!a)
        return typed.t;
    std::string r = a->single ? completedTyped(typed.t, missingEnd(a->first, typed.n)) : a->shared;
    replaceAll(r, s, k);
    return r;
}

std::string completeAccessGroupCmd(Simulator& sim, const std::string& line) {
    Typed typed = typedParts(sim, line);
    // The number is looked up as the tables' placeholder, which without a
    // number typed is taken out of the result.
    std::string k;
    std::string placeholder = "<1-99>";
    if (const std::optional<ListNumber> n = listNumber(Mode::configIf, typed.w)) {
        k = n->number;
        placeholder = n->placeholder;
        replaceAll(typed.n, k, placeholder);
    }

    // Access-group lines are completed on every interface.
    const std::optional<Agreement> a =
        extendedRows(sim, Mode::configIf, typed.n, "completeAccessGroupCmd");
    if (!a)
        return typed.t;
    if (a->single) {
        std::string end = missingEnd(a->first, typed.n);
        end.erase(end.find_last_not_of(' ') + 1);
        std::string r = completedTyped(typed.t, end);
        replaceAll(r, placeholder, k);
        return r;
    }
    std::string r = a->shared;
    replaceAll(r, placeholder, k);
    // Without a typed number the placeholder leaves two blanks behind.
    if (r.ends_with("  ")) {
        r.erase(r.find_last_not_of(' ') + 1);
        r += ' ';
    }
    return r;
}

} // namespace kestro
