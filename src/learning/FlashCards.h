// The flash-card deck: the cards of one opening in their random order, the
// card shown, and which of "<--", "Show Answer" and "-->" can be pressed.
#pragma once

#include "records/FlashCardDeck.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kestro {

class Simulator;

void loadFlashCards(Simulator& sim);

} // namespace kestro
