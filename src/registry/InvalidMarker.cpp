// Where the "^" of the invalid-input message goes: under the first word of
// the line that no command of the mode's tables can take at that place.
#include "registry/Dispatcher.h"

#include "Simulator.h"
#include "content/CommandTables.h"

#include <cctype>

namespace kestro {

namespace {

struct TypedWord {
    std::size_t column; // from the start of the prompt
    std::string text;   // lower case
};

// The words after the prompt, with their columns. The prompt is found in
// the line as the dispatcher finds it.
std::vector<TypedWord> typedWords(const Simulator& sim, std::string_view line) {
    const std::string& prompt = sim.liveRouter.prompt;
    std::size_t origin = 0;
    std::size_t from = 0;
    if (!prompt.empty()) {
        const std::size_t at = line.find(prompt);
        origin = at == std::string_view::npos ? 0 : at;
        from = at == std::string_view::npos ? prompt.size() - 1 : at + prompt.size();
    }
    std::vector<TypedWord> words;
    for (std::size_t i = std::min(from, line.size()); i < line.size();) {
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        const std::size_t end = std::min(line.find(' ', i), line.size());
        TypedWord w{i - origin, std::string(line.substr(i, end - i))};
        for (char& c : w.text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        words.push_back(std::move(w));
        i = end;
    }
    return words;
}

// "s0" and "e0" stand for two words of the tables ("serial 0").
std::vector<TypedWord> spelledOut(std::vector<TypedWord> words) {
    std::vector<TypedWord> out;
    for (TypedWord& w : words) {
        if (w.text.size() == 2 && (w.text[0] == 's' || w.text[0] == 'e') &&
            std::isdigit(static_cast<unsigned char>(w.text[1]))) {
            out.push_back({w.column, w.text[0] == 's' ? "serial" : "ethernet"});
            out.push_back({w.column, w.text.substr(1)});
        } else {
            out.push_back(std::move(w));
        }
    }
    return out;
}

// A table word takes a typed word that begins it, and a placeholder such as
// "<1-99>" takes any word.
bool takes(std::string_view tableWord, std::string_view typed) {
    if (tableWord.starts_with('<'))
        return true;
    if (typed.size() > tableWord.size())
        return false;
    for (std::size_t i = 0; i < typed.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(tableWord[i])) != typed[i])
            return false;
    return true;
}

std::vector<std::vector<std::string>> tableRows(Simulator& sim, Mode mode, TableKind kind) {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& cmd :
         lookUpCommands(sim.content(), {mode, kind, ""}, "invalidInputColumn"))
        rows.push_back(splitWords(cmd));
    return rows;
}

} // namespace

std::size_t invalidInputColumn(Simulator& sim, std::string_view line) {
    const std::vector<TypedWord> words = spelledOut(typedWords(sim, line));
    if (words.empty())
        return sim.liveRouter.prompt.size();
    const Mode mode = sim.liveRouter.mode;
    // The first word: a command carried out in this mode (a short form
    // spelled out), or the beginning of a word of the mode's one-word table.
    std::string first = words[0].text;
    bool known = false;
    if (const CommandRow* row = commandRowFor(first)) {
        first = row->word;
        known = row->handledIn(mode);
    }
    for (const std::vector<std::string>& row : tableRows(sim, mode, TableKind::plain))
        known = known || (!row.empty() && takes(row[0], first));
    if (!known)
        return words[0].column;
    // Later words: the longer forms that agree so far. A command with no
    // longer form takes whatever follows as its values, as does a form that
    // ends before the word.
    std::vector<std::vector<std::string>> rows;
    for (std::vector<std::string>& row : tableRows(sim, mode, TableKind::extended))
        if (!row.empty() && takes(row[0], first))
            rows.push_back(std::move(row));
    for (std::size_t i = 1; i < words.size() && !rows.empty(); ++i) {
        std::vector<std::vector<std::string>> agreeing;
        bool valuesFollow = false;
        for (std::vector<std::string>& row : rows) {
            if (row.size() <= i)
                valuesFollow = true;
            else if (takes(row[i], words[i].text))
                agreeing.push_back(std::move(row));
        }
        if (valuesFollow)
            break;
        if (agreeing.empty())
            return words[i].column;
        rows = std::move(agreeing);
    }
    // Every word is one the tables know: the value that was refused is
    // marked, which is the last word as a rule.
    return words.back().column;
}

} // namespace kestro
