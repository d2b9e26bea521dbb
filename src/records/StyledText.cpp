#include "records/StyledText.h"

namespace kestro {

std::string Paragraph::plainText() const {
    std::string text;
    for (const TextRun& run : runs)
        text += run.text;
    return text;
}

std::string StyledDocument::plainText() const {
    std::string text;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += paragraphs[i].plainText();
    }
    return text;
}

} // namespace kestro
