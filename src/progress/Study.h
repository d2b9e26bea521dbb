// "Study due cards": the cards due today, new ones first (at most
// newCardsPerDay a day), then the reviewed ones that are due, oldest due
// first. A card answered Again comes back once at the end as practice,
// answered without a second rating.
#pragma once

#include "progress/Record.h"
#include "records/FlashCard.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kestro {

inline constexpr int newCardsPerDay = 20;

class StudySession {
public:
    // `deck`: every card of the course, in content order (a card is known by
    // its question). `record` gives each card's memory and how many new
    // cards were already studied today; it may be null (every card new).
    StudySession(const std::vector<FlashCard>& deck, Record* record, StudyTime now);

    bool finished() const { return position_ >= queue_.size(); }
    // The card shown; only while not finished.
    const FlashCard& current() const { return queue_[position_].card; }
    bool currentIsPractice() const { return queue_[position_].practice; }
    bool revealed() const { return revealed_; }
    void reveal() { revealed_ = !finished(); }

    // Answers the shown card (only once revealed; false otherwise, or when
    // finished). A first showing is rated: the card's memory is scheduled
    // and saved in the record. A practice showing only moves on.
    bool answer(Rating rating, StudyTime at);

    // Cards in this session (practice repeats included), how many were
    // answered, and the first showings rated so far.
    std::size_t size() const { return queue_.size(); }
    std::size_t position() const { return position_; }
    int rated() const { return rated_; }
    int newCards() const { return newCards_; }
    int dueCards() const { return dueCards_; }

    // "New card", "Due since 2026-03-01" or "Practice after Again".
    std::string label() const;
    // What each answer would schedule, in days (for the four buttons).
    NextIntervals intervals(StudyTime at) const;

private:
    struct Item {
        FlashCard card;
        CardMemory memory;
        bool practice = false;
    };
    std::vector<Item> queue_;
    std::size_t position_ = 0;
    bool revealed_ = false;
    int rated_ = 0;
    int newCards_ = 0;
    int dueCards_ = 0;
    Record* record_;
};

// Cards due on each of the next `days` local days, today first (today
// includes every overdue card; cards never studied are not counted).
std::vector<int> dueForecast(Record& record, StudyTime now, int days = 7);

} // namespace kestro
