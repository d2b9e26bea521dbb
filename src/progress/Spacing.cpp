#include "progress/Spacing.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kestro {

namespace {

// The published FSRS-6 defaults (w0..w20).
constexpr std::array<double, 21> w = {
    0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194, 0.001,  1.8722, 0.1666, 0.796,
    1.4835, 0.0614, 0.2629, 1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542,
};
constexpr double requestRetention = 0.9;
constexpr double minStability = 0.001;
constexpr double maxStability = 36500;
constexpr int maxInterval = 36500;

// Rounding as the reference does it: halves go up, towards +infinity.
double roundHalfUp(double x) {
    const double down = std::floor(x);
    return x - down >= 0.5 ? down + 1 : down;
}
double round8(double x) {
    return roundHalfUp(x * 1e8) / 1e8;
}
double clamp(double x, double low, double high) {
    return std::min(std::max(x, low), high);
}

const double decay = -w[20];
const double factor = round8(std::exp(std::pow(decay, -1) * std::log(0.9)) - 1);
const double intervalModifier = round8((std::pow(requestRetention, 1 / decay) - 1) / factor);

double retrievability(int elapsedDays, double stability) {
    return round8(std::pow(1 + factor * elapsedDays / stability, decay));
}

double initialDifficulty(Rating g) {
    return round8(w[4] - std::exp((static_cast<int>(g) - 1) * w[5]) + 1);
}

double nextDifficulty(double d, Rating g) {
    const double delta = -w[6] * (static_cast<int>(g) - 3);
    const double damped = d + round8(delta * (10 - d) / 9);
    const double reverted = round8(w[7] * initialDifficulty(Rating::easy) + (1 - w[7]) * damped);
    return clamp(reverted, 1, 10);
}

double recallStability(double d, double s, double r, Rating g) {
    const double hardPenalty = g == Rating::hard ? w[15] : 1;
    const double easyBonus = g == Rating::easy ? w[16] : 1;
    return round8(clamp(s * (1 + std::exp(w[8]) * (11 - d) * std::pow(s, -w[9]) *
                                     (std::exp((1 - r) * w[10]) - 1) * hardPenalty * easyBonus),
                        minStability, maxStability));
}

double forgetStability(double d, double s, double r) {
    return round8(clamp(w[11] * std::pow(d, -w[12]) * (std::pow(s + 1, w[13]) - 1) *
                            std::exp((1 - r) * w[14]),
                        minStability, maxStability));
}

struct Memory {
    double stability, difficulty;
};

Memory nextMemory(const CardMemory& card, int elapsed, Rating g) {
    if (card.isNew())
        return {std::max(w[static_cast<int>(g) - 1], 0.1), clamp(initialDifficulty(g), 1, 10)};
    const double s = card.stability, d = card.difficulty;
    const double r = retrievability(elapsed, s);
    double next;
    if (g == Rating::again)
        // Without same-day steps a lapse never raises stability.
        next = clamp(round8(s), minStability, forgetStability(d, s, r));
    else
        next = recallStability(d, s, r, g);
    return {next, nextDifficulty(d, g)};
}

int interval(double stability) {
    const double days = roundHalfUp(stability * intervalModifier);
    return static_cast<int>(std::min(std::max(1.0, days), double(maxInterval)));
}

int elapsedDays(const CardMemory& card, StudyTime at) {
    if (card.isNew())
        return 0;
    return std::max(0, calendarDaysBetween(*card.lastReview, at));
}

// The four intervals, kept in order: each answer waits at least a day
// longer than the one below it.
std::array<int, 4> intervals(const std::array<Memory, 4>& next) {
    std::array<int, 4> days{};
    for (std::size_t i = 0; i < 4; ++i)
        days[i] = interval(next[i].stability);
    days[0] = std::min(days[0], days[1]);
    days[1] = std::max(days[1], days[0] + 1);
    days[2] = std::max(days[2], days[1] + 1);
    days[3] = std::max(days[3], days[2] + 1);
    return days;
}

std::array<Memory, 4> allAnswers(const CardMemory& card, StudyTime at) {
    const int elapsed = elapsedDays(card, at);
    std::array<Memory, 4> next{};
    for (int g = 1; g <= 4; ++g)
        next[static_cast<std::size_t>(g - 1)] = nextMemory(card, elapsed, static_cast<Rating>(g));
    return next;
}

} // namespace

CardMemory reviewCard(const CardMemory& card, Rating rating, StudyTime at) {
    const auto next = allAnswers(card, at);
    const auto days = intervals(next);
    const auto index = static_cast<std::size_t>(static_cast<int>(rating) - 1);
    CardMemory out = card;
    out.stability = next[index].stability;
    out.difficulty = next[index].difficulty;
    out.scheduledDays = days[index];
    out.due = at + std::chrono::days{days[index]};
    if (rating == Rating::again && !card.isNew())
        ++out.lapses;
    ++out.reps;
    out.lastReview = at;
    return out;
}

NextIntervals nextIntervals(const CardMemory& card, StudyTime at) {
    const auto days = intervals(allAnswers(card, at));
    return {days[0], days[1], days[2], days[3]};
}

} // namespace kestro
