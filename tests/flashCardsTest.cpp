// The flash-card deck: its texts and which buttons can be pressed at every
// card, the empty and one-card decks, and a fresh order per opening.
#include "LearningFixture.h"

#include "learning/FlashCards.h"

namespace kestro::testing {
namespace {

const std::string q = "Question: \r\n\r\n";
const std::string a = "Answer: ";

// Position, "<--", "Show Answer", "-->", then the two texts.
std::string state(const FlashCardDeck& d) {
    return std::to_string(d.position()) + (d.backEnabled() ? " <" : " -") +
           (d.showAnswerEnabled() ? "s" : "-") + (d.forwardEnabled() ? ">" : "-") + " " +
           d.questionText() + " | " + d.answerText();
}

TEST(FlashCards, ButtonsAndTextsThroughAWholeDeck) {
    FlashCardDeck deck(std::vector<FlashCard>{{"q1", "a1"}, {"q2", "a2"}, {"q3", "a3"}});
    struct Step {
        void (FlashCardDeck::*press)();
        std::string after;
    } steps[] = {
        {nullptr, "0 -s> " + q + "q1 | " + a},
        {&FlashCardDeck::reveal, "0 -s> " + q + "q1 | " + a + "\r\n\r\na1"},
        {&FlashCardDeck::reveal, "0 -s> " + q + "q1 | " + a + "\r\n\r\na1"},
        {&FlashCardDeck::previous, "0 -s> " + q + "q1 | " + a + "\r\n\r\na1"}, // disabled
        {&FlashCardDeck::next, "1 <s> " + q + "q2 | " + a},
        {&FlashCardDeck::next, "2 <s- " + q + "q3 | " + a},
        {&FlashCardDeck::next, "2 <s- " + q + "q3 | " + a}, // disabled
        {&FlashCardDeck::previous, "1 <s> " + q + "q2 | " + a},
        {&FlashCardDeck::previous, "0 -s> " + q + "q1 | " + a},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        if (steps[i].press)
            (deck.*steps[i].press)();
        EXPECT_EQ(state(deck), steps[i].after) << "step " << i;
    }
    EXPECT_TRUE(deck.focusGoesForward());
}

TEST(FlashCards, SmallDecksDisableWhatCannotBeDone) {
    FlashCardDeck one(std::vector<FlashCard>{{"only", "one"}});
    EXPECT_EQ(state(one), "0 -s- " + q + "only | " + a);
    one.next();
    EXPECT_EQ(one.position(), 0u);
    EXPECT_FALSE(one.focusGoesForward());

    FlashCardDeck none;
    for (auto press : {&FlashCardDeck::next, &FlashCardDeck::previous, &FlashCardDeck::reveal})
        (none.*press)();
    EXPECT_EQ(state(none), "0 --- " + q + "The deck is empty. | " + a);
}

TEST(FlashCards, EveryOpeningDrawsANewOrderAndReplacesTheLessonWindows) {
    std::vector<Row> rows;
    for (int i = 1; i <= 30; ++i)
        rows.push_back({"flashCards", {std::to_string(i), "q" + std::to_string(i), "a"}});
    RecordingConsole io;
    Simulator sim(io, openContent(makeContent("cards", rows)), ::testing::TempDir());
    sim.windows.TopForm = sim.windows.BottomForm = sim.windows.MultiRouterTopForm = true;
    sim.sidePanel.showNetwork = true;
    loadFlashCards(sim);
    const auto first = sim.learning.deck.cards();
    EXPECT_EQ(first.size(), 30u);
    OpenWindows onlyCards;
    onlyCards.flashCardForm = true;
    EXPECT_EQ(sim.windows, onlyCards);
    EXPECT_FALSE(sim.sidePanel.showNetwork);
    EXPECT_EQ(sim.activity.kind, ActivityKind::flashCards);
    sim.learning.deck.next();
    loadFlashCards(sim);
    EXPECT_EQ(sim.learning.deck.position(), 0u);
    EXPECT_NE(sim.learning.deck.cards(), first);
}

} // namespace
} // namespace kestro::testing
