// How kestro-console writes a styled document: plain, with <b>/<u> markup,
// and for the terminal.
#include "ConsoleLearning.h"

#include "Simulator.h"
#include "console/RecordingConsole.h"
#include "learning/Activities.h"

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

// --instructions: Learn Mode puts an exercise's solution after exactly two
// empty lines; Test Mode and the labs have none.
TEST(ConsoleLearning, InstructionsPrintAnExercisesSolutionAfterTwoEmptyLines) {
    for (int n = 1; n <= 6; ++n) {
        const std::string exercise = "troubleshooting" + std::to_string(n);
        RecordingConsole io;
        std::string error;
        Simulator sim(io, ContentStore::open(std::string(KESTRO_BIN_DIR) + "/DataStore.db", error),
                      ::testing::TempDir());
        ASSERT_TRUE(startActivity(sim, exercise)) << error;
        const std::string title = "Solution To Troubleshooting Exercise " + std::to_string(n);
        const std::string learn = instructionsOutput(sim, true, false);
        const std::size_t at = learn.find("\n\n\n" + title + "\n");
        EXPECT_NE(at, std::string::npos) << exercise;
        EXPECT_NE(learn[at - 1], '\n') << exercise;
        EXPECT_EQ(instructionsOutput(sim, false, false).find(title), std::string::npos);
        EXPECT_EQ(instructionsOutput(sim, true, false), learn) << "asked twice";
    }
    RecordingConsole io;
    std::string error;
    Simulator sim(io, ContentStore::open(std::string(KESTRO_BIN_DIR) + "/DataStore.db", error),
                  ::testing::TempDir());
    ASSERT_TRUE(startActivity(sim, "routerStartUp"));
    EXPECT_EQ(instructionsOutput(sim, true, false).find("\n\n\n"), std::string::npos);
}

} // namespace
} // namespace kestro::testing
