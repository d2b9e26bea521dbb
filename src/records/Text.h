// Plain ASCII text helpers shared from the bottom layer up: router text is
// compared without regard to case or to the blanks around it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestro {

// Only ASCII letters change; other bytes pass through as typed.
inline std::string toLowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The text without the spaces at either end (tabs and line ends stay).
inline std::string trimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// The text without blanks, tabs and line ends at either end: a banner typed
// over several lines keeps the line end before its closing delimiter.
inline std::string trimSpace(std::string_view text) {
    constexpr std::string_view space = " \t\r\n";
    const std::size_t first = text.find_first_not_of(space);
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(space) - first + 1));
}

// The parts between separators; empty parts are kept, so "1..2" split at
// "." gives three parts and the empty text gives one.
inline std::vector<std::string_view> splitOn(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

} // namespace kestro
