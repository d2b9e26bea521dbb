// Formatted text as data: what the instruction panes, the welcome window and
// the test report show. The core builds it; each front end only renders it
// (the desktop as rich text, the terminal with escape codes), and tests read
// it directly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestro {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 128;
    bool operator==(const Colour&) const = default;
};

inline constexpr Colour navy{0, 0, 128};
inline constexpr Colour red{255, 0, 0};

enum class Alignment { Left, Centre };

// A stretch of text with one set of attributes. Never holds a line break.
struct TextRun {
    std::string text;
    Colour colour = navy;
    int pointSize = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const TextRun&) const = default;
};

// One line of the pane as the student sees it; an empty paragraph is a blank
// line.
struct Paragraph {
    Alignment alignment = Alignment::Left;
    std::vector<TextRun> runs;
    bool operator==(const Paragraph&) const = default;

    // The paragraph's text without attributes.
    std::string plainText() const;
};

struct StyledDocument {
    std::vector<Paragraph> paragraphs;
    bool operator==(const StyledDocument&) const = default;

    // The whole text, paragraphs joined by "\n".
    std::string plainText() const;
};

} // namespace kestro
