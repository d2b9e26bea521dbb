#include "progress/Study.h"

#include <algorithm>
#include <map>

namespace kestro {

StudySession::StudySession(const std::vector<FlashCard>& deck, Record* record, StudyTime now)
    : record_(record) {
    std::map<std::string, CardMemory> memories;
    int newToday = 0;
    if (record) {
        for (StoredCard& c : record->cards())
            memories.emplace(std::move(c.card), c.memory);
        newToday = record->cardsFirstReviewed(startOfLocalDay(now), endOfLocalDay(now));
    }
    const StudyTime dayEnd = endOfLocalDay(now);
    std::vector<Item> fresh, due;
    for (const FlashCard& card : deck) {
        const auto found = memories.find(card.question);
        if (found == memories.end() || found->second.isNew()) {
            if (static_cast<int>(fresh.size()) + newToday < newCardsPerDay)
                fresh.push_back({card, {}, false});
        } else if (found->second.due && *found->second.due < dayEnd) {
            due.push_back({card, found->second, false});
        }
    }
    std::stable_sort(due.begin(), due.end(),
                     [](const Item& a, const Item& b) { return *a.memory.due < *b.memory.due; });
    newCards_ = static_cast<int>(fresh.size());
    dueCards_ = static_cast<int>(due.size());
    queue_ = std::move(fresh);
    queue_.insert(queue_.end(), due.begin(), due.end());
}

bool StudySession::answer(Rating rating, StudyTime at) {
    if (finished() || !revealed_)
        return false;
    Item& item = queue_[position_];
    if (!item.practice) {
        item.memory = reviewCard(item.memory, rating, at);
        if (record_)
            record_->saveCard(item.card.question, item.memory, at);
        ++rated_;
        if (rating == Rating::again)
            queue_.push_back({item.card, item.memory, true});
    }
    ++position_;
    revealed_ = false;
    return true;
}

std::string StudySession::label() const {
    if (finished())
        return {};
    const Item& item = queue_[position_];
    if (item.practice)
        return "Practice after Again";
    if (item.memory.isNew())
        return "New card";
    return "Due since " + isoDate(item.memory.due.value_or(StudyTime{}));
}

NextIntervals StudySession::intervals(StudyTime at) const {
    return finished() ? NextIntervals{} : nextIntervals(queue_[position_].memory, at);
}

std::vector<int> dueForecast(Record& record, StudyTime now, int days) {
    std::vector<StudyTime> ends;
    StudyTime end = now;
    for (int i = 0; i < days; ++i)
        ends.push_back(end = endOfLocalDay(end));
    std::vector<int> counts(static_cast<std::size_t>(std::max(days, 0)), 0);
    for (const StoredCard& c : record.cards()) {
        if (c.memory.isNew() || !c.memory.due)
            continue;
        const auto slot = std::upper_bound(ends.begin(), ends.end(), *c.memory.due);
        if (slot != ends.end())
            ++counts[static_cast<std::size_t>(slot - ends.begin())];
    }
    return counts;
}

} // namespace kestro
