// How kestro-console writes a styled document: plain, with <b>/<u> markup,
// and for the terminal.
#include "ConsoleLearning.h"

#include <gtest/gtest.h>

namespace kestro::testing {
namespace {

TextRun run(const char* text, bool bold, bool underline) {
    TextRun r;
    r.text = text;
    r.bold = bold;
    r.underline = underline;
    return r;
}

TEST(ConsoleLearning, DocumentsAsTextMarkupAndEscapeCodes) {
    StyledDocument doc;
    doc.paragraphs.push_back({Alignment::Centre, {run("Title", true, false)}});
    doc.paragraphs.push_back({});
    doc.paragraphs.push_back(
        {Alignment::Left,
         {run("Step1: type ", false, true), run("enable", true, true), run(" now", false, true),
          run(" and ", false, false), run("exit", true, false)}});
    EXPECT_EQ(plainDocument(doc, false), "Title\n\nStep1: type enable now and exit");
    EXPECT_EQ(plainDocument(doc, true),
              "<b>Title</b>\n\n<u>Step1: type <b>enable</b> now</u> and <b>exit</b>");
    EXPECT_EQ(terminalDocument(doc, 11),
              "   \033[1mTitle\033[22m\r\n\r\n\033[4mStep1: type \033[1menable\033[22m "
              "now\033[24m and \033[1mexit\033[22m\r\n");
}

} // namespace
} // namespace kestro::testing
