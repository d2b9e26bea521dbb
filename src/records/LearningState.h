// What the learning layer keeps for the run: the texts of the current
// activity, what the panes show, the report and the flash-card deck.
#pragma once

#include "records/Checklist.h"
#include "records/FlashCardDeck.h"
#include "records/StyledText.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kestro {

// The current activity's checklist and how far the student has come.
struct ChecklistState {
    std::optional<Checklist> list; // none: the activity has no checklist
    std::vector<bool> met;         // per item, at the last evaluation
    std::size_t best = 0;          // the most items met at once so far
    // Per item: how many hints are shown; one more than its hints once its
    // solution is shown too.
    std::vector<std::size_t> revealed;
    bool complete = false;
    // The completion message waits here until a front end takes it.
    std::string completionMessage;
};

struct LearningState {
    // The activity last started by name (a lab, test or exercise), so a front
    // end can show its picture or its text again.
    std::string activityName;

    std::string currentText;  // instruction text of the current activity
    std::string solutionText; // solution of the current troubleshooting exercise
    std::string currentQuery; // the last query built for the content store
    long currentTest = 0;     // 1..3 once a test has started; nothing resets it

    // Step counters of the formatters (16 bits, as the panes have always
    // counted): the instruction panes share one, the welcome window and the
    // report window have their own.
    std::uint16_t instructionSteps = 0;
    std::uint16_t welcomeSteps = 0;
    std::uint16_t reportSteps = 0;

    StyledDocument instructionDocument; // TopForm or MultiRouterTopForm
    StyledDocument welcomeDocument;     // welcomeForm: welcome text, study plan, disclaimer
    std::string welcomeTextId;          // which of them: "welcomeText", "studyPlan"...
    StyledDocument reportDocument;      // showAnswerForm

    FlashCardDeck deck;

    ChecklistState checklist;
};

} // namespace kestro
