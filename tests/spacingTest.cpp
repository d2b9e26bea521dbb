// Card scheduling against review histories computed by the reference
// scheduler (tests/data/fsrs-vectors.json, made by
// tools/fsrs-vectors/make-vectors.mjs): due dates exactly, stability and
// difficulty within rounding.
#include "progress/Spacing.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>

namespace kestro {
namespace {

StudyTime at(const std::string& text) {
    const auto parsed = parseStudyTime(text);
    EXPECT_TRUE(parsed) << text;
    return parsed.value_or(StudyTime{});
}

TEST(Spacing, ANewCardIsDueAfterOneTwoThreeOrEightDays) {
    const StudyTime now = at("2026-05-01T10:00:00Z");
    const int expected[] = {1, 2, 3, 8};
    for (int g = 1; g <= 4; ++g) {
        const CardMemory card = reviewCard({}, static_cast<Rating>(g), now);
        EXPECT_EQ(card.due, now + std::chrono::days{expected[g - 1]}) << "rating " << g;
        EXPECT_EQ(card.reps, 1);
        EXPECT_EQ(card.lapses, 0);
    }
    const NextIntervals shown = nextIntervals({}, now);
    EXPECT_EQ((std::array{shown.again, shown.hard, shown.good, shown.easy}),
              (std::array{1, 2, 3, 8}));
}

TEST(Spacing, ReviewHistoriesMatchTheReferenceScheduler) {
    std::ifstream in(KESTRO_SOURCE_DIR "/tests/data/fsrs-vectors.json");
    ASSERT_TRUE(in) << "tests/data/fsrs-vectors.json";
    const auto vectors = nlohmann::json::parse(in);
    int steps = 0;
    for (const auto& sequence : vectors.at("sequences")) {
        const std::string name = sequence.at("name");
        CardMemory card;
        int index = 0;
        for (const auto& step : sequence.at("steps")) {
            SCOPED_TRACE(name + ", review " + std::to_string(++index));
            const StudyTime when = at(step.at("at"));
            card = reviewCard(card, static_cast<Rating>(step.at("rating").get<int>()), when);
            ASSERT_EQ(isoTime(card.due.value()), step.at("due").get<std::string>());
            EXPECT_NEAR(card.stability, step.at("stability").get<double>(), 1e-6);
            EXPECT_NEAR(card.difficulty, step.at("difficulty").get<double>(), 1e-6);
            EXPECT_EQ(card.reps, step.at("reps").get<int>());
            EXPECT_EQ(card.lapses, step.at("lapses").get<int>());
            EXPECT_EQ(card.scheduledDays, step.at("scheduledDays").get<int>());
            ++steps;
        }
    }
    EXPECT_GT(steps, 500);
}

TEST(Clock, ReadsAndWritesIsoTimes) {
    struct Case {
        const char* text;
        const char* iso; // "" when refused
    } cases[] = {
        {"2026-03-04", "2026-03-04T00:00:00Z"},
        {"2026-03-04T09:30", "2026-03-04T09:30:00Z"},
        {"2026-03-04 09:30:15", "2026-03-04T09:30:15Z"},
        {"2026-03-04T09:30:15Z", "2026-03-04T09:30:15Z"},
        {"2026-03-04T01:30:00+02:00", "2026-03-03T23:30:00Z"},
        {"2026-03-04T23:30:00-01:00", "2026-03-05T00:30:00Z"},
        {"2026-02-30", ""},
        {"2026-03-04T24:00", ""},
        {"2026-03-04T09:30:15Zx", ""},
        {"yesterday", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        const auto parsed = parseStudyTime(c.text);
        EXPECT_EQ(parsed ? isoTime(*parsed) : "", c.iso) << c.text;
    }
    EXPECT_EQ(calendarDaysBetween(at("2026-03-04T23:59:00Z"), at("2026-03-05T00:01:00Z")), 1);
    EXPECT_EQ(calendarDaysBetween(at("2026-03-04T00:01:00Z"), at("2026-03-04T23:59:00Z")), 0);
}

} // namespace
} // namespace kestro
