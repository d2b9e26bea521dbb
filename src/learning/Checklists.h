// Check My Work: the current lab's or exercise's checklist evaluated over the
// routers and what the session has done, after every command; progress,
// the hint ladder and the completion message. Front ends show what these
// functions answer and call nothing else of the checklist.
#pragma once

#include "records/Checklist.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kestro {

class Simulator;

// Loads the checklist of the activity just started (none for one without),
// forgets what the previous activity's session did and evaluates it once.
// startActivity calls it, and installs updateChecklist as the simulator's
// afterCommand.
void startChecklist(Simulator& sim, const std::string& activity);

// Whether each item is met now. Changes nothing: a reachability term makes
// the other router live for a moment and puts both back.
std::vector<bool> evaluateChecklist(Simulator& sim, const Checklist& list);

// After every command: evaluates again, keeps the best progress, and the
// first time every item is met leaves the completion message.
void updateChecklist(Simulator& sim);

struct ChecklistProgress {
    std::size_t met = 0;
    std::size_t total = 0; // 0: the activity has no checklist
    std::size_t best = 0;  // the most items met at once in this activity
    int percent = 0;       // of met, rounded down
    bool complete = false;
};
ChecklistProgress checklistProgress(const Simulator& sim);

// One item as the checklist window or the console shows it.
struct ChecklistItemView {
    std::string text;
    bool met = false;
    // For an unmet item; in Test Mode only once a hint has been asked for.
    std::string feedback;
    std::string found;                 // what the routers hold, or what has not been done
    std::vector<std::string> hints;    // those revealed so far
    std::vector<std::string> solution; // once revealed
};
std::vector<ChecklistItemView> checklistView(Simulator& sim, bool learnMode);

// "Hint": the next hint of the first unmet item, and after its last hint
// that step's solution lines (again at each further press). Empty when no
// item is unmet.
struct HintReveal {
    std::size_t item = 0;
    std::vector<std::string> lines;
    bool solution = false;
};
std::optional<HintReveal> revealNextHint(Simulator& sim);

// The message of a completed checklist, once: empty until every item is
// met, and after it has been taken.
std::string takeCompletionMessage(Simulator& sim);
// "The fault is repaired." for an exercise, for a lab that every step is done.
std::string completionMessage(const Simulator& sim);

} // namespace kestro
