// Writes into a styled document the way a rich-text pane is written: text is
// inserted at the end with the current attributes, and a line break starts a
// new paragraph. A paragraph takes the alignment in force when text is put
// into it, so a line's alignment is its own even when it starts with the
// break that ends the line before.
#pragma once

#include "records/StyledText.h"

#include <string_view>

namespace kestro {

class PaneWriter {
public:
    // clear: start from an empty pane (one empty paragraph).
    PaneWriter(StyledDocument& doc, bool clear) : doc_(doc) {
        if (clear)
            doc_.paragraphs.clear();
        if (doc_.paragraphs.empty())
            doc_.paragraphs.emplace_back();
    }

    // The attributes of the next inserted text (the run's text is ignored).
    TextRun attributes;
    Alignment alignment = Alignment::Left;

    // Selection back to ordinary text: navy, 12 pt, plain, left.
    void plain(int pointSize = 12) {
        attributes = TextRun{};
        attributes.pointSize = pointSize;
        alignment = Alignment::Left;
    }

    void lineBreak() { doc_.paragraphs.emplace_back(); }

    void insert(std::string_view text) {
        if (text.empty())
            return;
        Paragraph& p = doc_.paragraphs.back();
        p.alignment = alignment;
        if (!p.runs.empty()) {
            TextRun& last = p.runs.back();
            TextRun probe = attributes;
            probe.text = last.text;
            if (probe == last) {
                last.text += text;
                return;
            }
        }
        TextRun run = attributes;
        run.text = text;
        p.runs.push_back(std::move(run));
    }

private:
    StyledDocument& doc_;
};

} // namespace kestro
