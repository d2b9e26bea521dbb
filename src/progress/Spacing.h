// Flash-card scheduling by spaced repetition (FSRS-6 with its published
// default parameters, desired retention 0.9, whole days, no fuzz and no
// same-day learning steps). The arithmetic follows the reference scheduler
// step by step, rounding where it rounds, so a card gets the same due date
// on every implementation; tests/data/fsrs-vectors.json holds its answers.
#pragma once

#include "progress/Clock.h"

#include <optional>

namespace kestro {

// The four answers of a review, numbered as the keys 1 to 4.
enum class Rating { again = 1, hard = 2, good = 3, easy = 4 };

// What the record keeps of one card. A card never reviewed has no last
// review; its stability and difficulty are 0.
struct CardMemory {
    double stability = 0;
    double difficulty = 0;
    std::optional<StudyTime> due;
    int reps = 0;
    int lapses = 0;
    std::optional<StudyTime> lastReview;
    int scheduledDays = 0;

    bool isNew() const { return !lastReview; }
    bool operator==(const CardMemory&) const = default;
};

// The card after the answer `rating` given at `at`: new stability and
// difficulty, the next due date (`at` plus whole days), one more review, one
// more lapse when a reviewed card is answered Again. A review dated before
// the last one counts as the same day.
CardMemory reviewCard(const CardMemory& card, Rating rating, StudyTime at);

// The days until the next review for each answer, as reviewCard would give
// them: what a study window may show on the buttons.
struct NextIntervals {
    int again, hard, good, easy;
};
NextIntervals nextIntervals(const CardMemory& card, StudyTime at);

} // namespace kestro
