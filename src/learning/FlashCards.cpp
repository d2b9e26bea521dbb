#include "learning/FlashCards.h"

#include "Simulator.h"
#include "learning/Instructions.h"

namespace kestro {

void loadFlashCards(Simulator& sim) {
    // A menu choice overtakes a command still waiting in the console.
    Simulator::Command command(sim, Simulator::Command::activityStart);
    // The flash cards take the place of every other window. The two-router
    // panel and the diagram go too: without a console they would drive
    // nothing.
    sim.windows = OpenWindows{.flashCardForm = true};
    disableSidePanel(sim);
    sim.activity.kind = ActivityKind::flashCards;
    sim.learning.currentQuery = "SELECT question, answer FROM flashCards ORDER BY random()";
    std::vector<FlashCard> cards;
    if (ContentStore* store = sim.content())
        cards = store->flashCards("loadflashCardsForm");
    sim.learning.deck = FlashCardDeck(std::move(cards));
}

} // namespace kestro
