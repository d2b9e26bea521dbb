// A command's syntax, written once beside its row in the notation of its help
// texts, and read by the dispatcher (which form a line is), by "?" (which
// answer a line asks for) and by Tab (where a list number stands).
//
// A form is its words in order, separated by blanks:
//   ip              a keyword, typed in full
//   int|erface      a keyword that may be cut anywhere after the bar
//   show/sh         a keyword with other accepted spellings
//   A.B.C.D         a dotted-quad address
//   <1-99>          a number in that range; <0-35791>:7 at most 7 characters
//   WORD            any one word
//   ...             any further words, none included (only last)
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestro {

struct SyntaxWord {
    enum class Kind { keyword, address, number, word, rest };
    Kind kind = Kind::keyword;
    std::vector<std::string> spellings; // keyword: the full word first
    std::size_t shortest = 0;           // keyword: a beginning this long will do (0: none)
    long low = 0, high = 0;             // number
    std::size_t maxLength = 0;          // number: 0 for no limit

    bool takes(std::string_view typed) const;
};

// What a line that stops inside a form is told.
enum class WhenShort { incomplete, invalid };

// Form ids below 0 answer the line themselves instead of running the
// handler.
inline constexpr int answerIncomplete = -1;
inline constexpr int answerInvalid = -2;

struct Form {
    Form(const char* spelling, int id = 0, WhenShort whenShort = WhenShort::incomplete);

    std::string_view spelling;
    std::vector<SyntaxWord> words;
    int id;
    WhenShort whenShort;
};

enum class FormMatch { match, shortOf, invalid };

FormMatch matchForm(const Form& form, const std::vector<std::string>& words);

// A short form typed as one or more words and spelled out before the forms
// are tried ("s0" for "serial 0"), anywhere or only where more words follow.
struct Alias {
    enum class Where { anywhere, notLast };
    std::string_view from;
    std::string_view to;
    Where where = Where::anywhere;
};

std::vector<std::string> spelledOut(std::vector<std::string> words,
                                    const std::vector<Alias>& aliases);

// The forms a handler takes in one mode. Without forms the handler takes
// whatever follows its first word.
struct Syntax {
    std::vector<Form> forms;
    std::vector<Alias> aliases = {};
    // A line that fits no form: incomplete or invalid input, or the mode's
    // unknown-command message.
    bool unknownWhenUnfit = false;
};

// The first form a line's words (aliases spelled out) take wholly; null
// with `incomplete` set when the line stops inside a form that says so.
struct Parsed {
    const Form* form = nullptr;
    bool incomplete = false;
    std::vector<std::string> words;
};
Parsed parseLine(const Syntax& syntax, std::vector<std::string> words);

// Every spelling of a form with its alternatives written out ("show
// startup-config/config" is two), for the record of commands run.
std::vector<std::string> formSpellings(const Form& form);

// The words a form took (aliases already spelled out) as the form spells
// them: a keyword cut short, or given in a shorter spelling that begins its
// full one ("shut" of "shutdown/shut"), written in full; a choice ("login"
// of "motd/login/exec"), addresses, numbers and free words as typed.
std::string fullSpelling(const Form& form, const std::vector<std::string>& words);

} // namespace kestro
