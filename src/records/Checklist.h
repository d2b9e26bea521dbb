// An activity's checklist as the content keeps it: one item per step, in
// step order, each with what the student reads, the condition that ticks it,
// the feedback while it is not met, one to three hints (the idea first, the
// exact command last) and the step's solution lines. The file format is
// described in data/README.md; the content builder and the simulator read it
// with the same reader.
#pragma once

#include "records/Conditions.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestro {

struct ChecklistItem {
    std::string text;
    ConfigCondition condition;
    std::string feedback;
    std::vector<std::string> hints;
    std::vector<std::string> solution;
    int line = 0; // of its "item:" line in the source
};

struct Checklist {
    std::vector<ChecklistItem> items;
};

struct ChecklistFault {
    int line = 0;
    std::string message;
};

inline constexpr std::size_t maxHints = 3;

// The checklist written in `source`; empty with every fault found (line and
// message) when it cannot be used.
std::optional<Checklist> parseChecklist(std::string_view source, const ConditionOptions& options,
                                        std::vector<ChecklistFault>& faults);

} // namespace kestro
