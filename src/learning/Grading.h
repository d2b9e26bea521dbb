// The three graded tests: starting one, the checks of the configuration the
// student left, the score out of 1000 and the report.
#pragma once

#include "records/Conditions.h"
#include "records/RouterState.h"
#include "records/StyledText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestro {

class Simulator;

// One line of a report's diagnosis: a check with its result, or a heading.
struct ReportLine {
    std::string text; // as printed, before "Correct"/"Incorrect"
    bool heading = false;
    bool correct = false;
    // An incorrect check: what the configuration holds and what the check
    // asks, as configuration lines say them.
    FoundExpected detail;
};

struct TestGrade {
    std::vector<ReportLine> lines;
    int correct = 0;
    int incorrect = 0;
    long score() const;  // out of 1000, rounded to the nearest integer
    bool passed() const; // passMark and more: one wrong answer passes, two fail
};

// The lowest passing score, out of 1000.
inline constexpr long passMark = 801;

// One line of a test's diagnosis as the content keeps it: a heading, or a
// check of the configuration (no condition: one the store could not read).
struct TestCheck {
    std::string label;
    bool heading = false;
    std::optional<ConfigCondition> condition;
};

// Grades a router's configuration against a test's checks: a pure
// function of the two.
TestGrade gradeTest(const routerConfig& router, const std::vector<TestCheck>& checks);

// The checks of test 1, 2 or 3 from the content store (none for any other
// number or without a store).
std::vector<TestCheck> testChecks(Simulator& sim, long testNumber);

// The report of sim.learning.currentTest on the live router, lines joined by
// CR LF, the model solution appended; empty before any test.
std::string reportText(Simulator& sim);

// The report as the report window shows it. Test Mode makes ordinary lines
// 10 pt; "Incorrect" is italic, and from "Fail" or "Pass" on a line is red.
StyledDocument displayAnswerText(const std::string& text, bool testModeSelected);
// One report line, appended to doc; centred for the line under the title.
void DisplayLine_AnswerText(StyledDocument& doc, const std::string& line, bool title, bool centred,
                            bool testModeSelected, std::uint16_t& stepCounter);

// The task text of a test from the store into currentText, then shown.
void loadTestInstruction(Simulator& sim, const std::string& testName);

// "Show Answer/ Submit": the console and instructions close, the report
// window opens (activity kind 4) with the report of the live router.
void showAnswer(Simulator& sim);

} // namespace kestro
