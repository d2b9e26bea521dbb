#include "records/FlashCardDeck.h"

namespace kestro {

namespace {
const std::string twoBreaks = "\r\n\r\n";
}

FlashCardDeck::FlashCardDeck(std::vector<FlashCard> cards) : cards_(std::move(cards)) {
    lookAround();
}

// The buttons follow the cards on either side of the current one; on load
// too, so a deck of one card cannot be stepped past its end.
void FlashCardDeck::lookAround() {
    back_ = !cards_.empty() && position_ > 0;
    forward_ = !cards_.empty() && position_ + 1 < cards_.size();
}

void FlashCardDeck::next() {
    if (!forward_)
        return;
    ++position_;
    revealed_ = false;
    lookAround();
}

void FlashCardDeck::previous() {
    if (!back_)
        return;
    --position_;
    revealed_ = false;
    lookAround();
}

void FlashCardDeck::reveal() {
    if (!cards_.empty())
        revealed_ = true;
}

std::string FlashCardDeck::questionText() const {
    if (cards_.empty())
        return "Question: " + twoBreaks + "The deck is empty.";
    return "Question: " + twoBreaks + cards_[position_].question;
}

std::string FlashCardDeck::answerText() const {
    if (!revealed_)
        return "Answer: ";
    return "Answer: " + twoBreaks + cards_[position_].answer;
}

} // namespace kestro
