#include "registry/Syntax.h"

#include "console/LineHelpers.h"
#include "records/AddressUtils.h"
#include "records/Text.h"

#include <algorithm>
#include <charconv>

namespace kestro {

namespace {

long numberIn(std::string_view text) {
    long value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// "<low-high>" or "<low-high>:maxLength".
SyntaxWord numberWord(std::string_view token) {
    SyntaxWord w;
    w.kind = SyntaxWord::Kind::number;
    const std::size_t close = token.find('>');
    const std::size_t dash = token.find('-', 2);
    w.low = numberIn(token.substr(1, dash - 1));
    w.high = numberIn(token.substr(dash + 1, close - dash - 1));
    if (close + 1 < token.size())
        w.maxLength = static_cast<std::size_t>(numberIn(token.substr(close + 2)));
    return w;
}

SyntaxWord keywordWord(std::string_view token) {
    SyntaxWord w;
    for (std::string_view spelling : splitOn(token, "/"))
        w.spellings.emplace_back(spelling);
    std::string& full = w.spellings.front();
    if (const std::size_t bar = full.find('|'); bar != std::string::npos) {
        w.shortest = bar;
        full.erase(bar, 1);
    }
    return w;
}

SyntaxWord parseWord(std::string_view token) {
    SyntaxWord w;
    if (token == "...")
        w.kind = SyntaxWord::Kind::rest;
    else if (token == "A.B.C.D")
        w.kind = SyntaxWord::Kind::address;
    else if (token == "WORD")
        w.kind = SyntaxWord::Kind::word;
    else if (token.size() > 2 && token.front() == '<' && token.find('-', 2) != std::string::npos)
        w = numberWord(token);
    else
        w = keywordWord(token);
    return w;
}

bool startsWith(const std::vector<std::string>& words, std::size_t at,
                const std::vector<std::string>& part) {
    if (at + part.size() > words.size())
        return false;
    return std::equal(part.begin(), part.end(), words.begin() + static_cast<std::ptrdiff_t>(at));
}

} // namespace

bool SyntaxWord::takes(std::string_view typed) const {
    switch (kind) {
    case Kind::keyword:
        if (std::find(spellings.begin(), spellings.end(), typed) != spellings.end())
            return true;
        return shortest > 0 && typed.size() >= shortest && spellings.front().starts_with(typed);
    case Kind::address:
        return isValidIpAddress(typed);
    case Kind::number:
        return (maxLength == 0 || typed.size() <= maxLength) && isNumberInRange(typed, low, high);
    case Kind::word:
    case Kind::rest:
        return true;
    }
    return false;
}

Form::Form(const char* text, int formId, WhenShort shortAnswer)
    : spelling(text), id(formId), whenShort(shortAnswer) {
    for (const std::string& token : splitWords(spelling))
        words.push_back(parseWord(token));
}

FormMatch matchForm(const Form& form, const std::vector<std::string>& words) {
    for (std::size_t i = 0; i < form.words.size(); ++i) {
        if (form.words[i].kind == SyntaxWord::Kind::rest)
            return FormMatch::match;
        if (i >= words.size())
            return FormMatch::shortOf;
        if (!form.words[i].takes(words[i]))
            return FormMatch::invalid;
    }
    return words.size() == form.words.size() ? FormMatch::match : FormMatch::invalid;
}

std::vector<std::string> spelledOut(std::vector<std::string> words,
                                    const std::vector<Alias>& aliases) {
    for (const Alias& alias : aliases) {
        const std::vector<std::string> from = splitWords(alias.from);
        const std::vector<std::string> to = splitWords(alias.to);
        std::vector<std::string> out;
        for (std::size_t i = 0; i < words.size();) {
            const bool more = i + from.size() < words.size();
            if (startsWith(words, i, from) && (alias.where == Alias::Where::anywhere || more)) {
                out.insert(out.end(), to.begin(), to.end());
                i += from.size();
            } else {
                out.push_back(std::move(words[i++]));
            }
        }
        words = std::move(out);
    }
    return words;
}

Parsed parseLine(const Syntax& syntax, std::vector<std::string> words) {
    Parsed parsed;
    parsed.words = spelledOut(std::move(words), syntax.aliases);
    for (const Form& form : syntax.forms) {
        const FormMatch m = matchForm(form, parsed.words);
        if (m == FormMatch::match) {
            parsed.form = &form;
            return parsed;
        }
        if (m == FormMatch::shortOf && form.whenShort == WhenShort::incomplete)
            parsed.incomplete = true;
    }
    return parsed;
}

std::vector<std::string> formSpellings(const Form& form) {
    std::vector<std::string> texts = {""};
    for (const SyntaxWord& w : form.words) {
        const std::vector<std::string> one = {"WORD"};
        const std::vector<std::string>& choices =
            w.kind == SyntaxWord::Kind::keyword ? w.spellings : one;
        std::vector<std::string> longer;
        for (const std::string& text : texts)
            for (const std::string& choice : choices)
                longer.push_back(text.empty() ? choice : text + " " + choice);
        texts = std::move(longer);
    }
    return texts;
}

std::string fullSpelling(const Form& form, const std::vector<std::string>& words) {
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        std::string_view word = words[i];
        if (i < form.words.size() && form.words[i].kind == SyntaxWord::Kind::keyword) {
            // Another spelling that begins the first one abbreviates it.
            const std::string& full = form.words[i].spellings.front();
            if (full.starts_with(word))
                word = full;
        }
        text += text.empty() ? "" : " ";
        text += word;
    }
    return text;
}

} // namespace kestro
