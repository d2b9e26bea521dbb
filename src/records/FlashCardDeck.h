// The flash-card deck: the cards in the order they are shown, the current
// card and which of its buttons work.
#pragma once

#include "records/FlashCard.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kestro {

class FlashCardDeck {
public:
    // An empty deck: no card, nothing to move to or reveal.
    FlashCardDeck() = default;
    // The cards in the order they are shown; the first card is current.
    explicit FlashCardDeck(std::vector<FlashCard> cards);

    // "-->", "<--" and "Show Answer". A press on a disabled button does
    // nothing, so a front end cannot move past either end.
    void next();
    void previous();
    void reveal();

    // "Question: " and "Answer: ", each followed by two line breaks and the
    // card's text (the answer only once revealed).
    std::string questionText() const;
    std::string answerText() const;

    bool backEnabled() const { return back_; }
    bool showAnswerEnabled() const { return !cards_.empty(); }
    bool forwardEnabled() const { return forward_; }

    // Where a text box hands the keyboard focus on: "-->" while it is
    // enabled, else "Show Answer".
    bool focusGoesForward() const { return forward_; }

    std::size_t size() const { return cards_.size(); }
    std::size_t position() const { return position_; }
    bool revealed() const { return revealed_; }
    const std::vector<FlashCard>& cards() const { return cards_; }

private:
    void lookAround();

    std::vector<FlashCard> cards_;
    std::size_t position_ = 0;
    bool revealed_ = false;
    bool back_ = false;
    bool forward_ = false;
};

// The menu's "Load Flash Cards": the lesson windows close, the side panel is
// disabled and a fresh deck in a new random order opens at its first card.
} // namespace kestro
