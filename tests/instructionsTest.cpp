// Instruction texts as the panes show them: title, numbered and underlined
// steps, bold commands, Learn Mode and Test Mode, the appended solution, the
// welcome window, and the loaders that fetch the texts.
#include "LearningFixture.h"

#include "learning/Activities.h"
#include "learning/FlashCards.h"
#include "learning/Grading.h"
#include "learning/Instructions.h"

#include <fstream>
#include <functional>

namespace kestro::testing {
namespace {

class Instructions : public ::testing::Test {
protected:
    RecordingConsole io;
    std::unique_ptr<Simulator> sim = std::make_unique<Simulator>(io, nullptr, ::testing::TempDir());

    Lines show(const Lines& text, bool learn) {
        sim->sidePanel.learnModeSelected = learn;
        sim->learning.currentText = crlf(text);
        displayInstructions(*sim, DisplayHow::replace);
        return picture(sim->learning.instructionDocument);
    }
};

const Lines lab = {
    "Router Modes",
    "The router has several modes.",
    "",
    "Step: Start the session",
    "Press 'Enter' and type 'enable'.",
    "Step: Go to 'configure terminal' mode",
    "  Type it.",
    "Step: Leave it",
};

TEST_F(Instructions, LearnModeShowsEveryLineTestModeOnlyTheTasksAfterTheFirstStep) {
    EXPECT_EQ(show(lab, true), (Lines{
                                   "^[b14|Router Modes]",
                                   "The router has several modes.",
                                   "",
                                   "[u|Step1: Start the session]",
                                   "Press [b|Enter] and type [b|enable].",
                                   "[u|Step2: Go to ][bu|configure terminal][u| mode]",
                                   "  Type it.",
                                   "[u|Step3: Leave it]",
                               }));
    EXPECT_EQ(show(lab, false), (Lines{
                                    "^[b14|Router Modes]",
                                    "The router has several modes.",
                                    "",
                                    "[u|Step1: Start the session]",
                                    "[u|Step2: Go to ][bu|configure terminal][u| mode]",
                                    "[u|Step3: Leave it]",
                                }));
}

TEST_F(Instructions, LineRules) {
    struct Case {
        Lines text;
        Lines shown;
    } cases[] = {
        // An empty first line shows nothing; the next line is an ordinary one.
        {{"", "Intro"}, {"", "Intro"}},
        // Everything after an unmatched apostrophe is bold.
        {{"T", "a 'b' c 'd"}, {"^[b14|T]", "a [b|b] c [b|d]"}},
        // Every "Step:" of a step line takes the number; "Step" inside the
        // first word counts, other lines are not steps.
        {{"T", "Step: one Step: two", "xStepx", "do Step: not"},
         {"^[b14|T]", "[u|Step1: one Step1: two]", "[u|xStepx]", "do Step: not"}},
        // A title keeps its centring when the next line starts below it,
        // and its even segments are not bold.
        {{"A 'b' c", "d"}, {"^[b14|A b][14| c]", "d"}},
        // Blank-only lines are line breaks; lone line feeds end lines too.
        {{"T", "   ", "x\ny"}, {"^[b14|T]", "", "x", "y"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(show(c.text, true), c.shown) << crlf(c.text);
}

TEST_F(Instructions, TheSolutionFollowsTheInstructionsWithItsOwnTitleAndSteps) {
    show({"Exercise", "Step: Find the fault"}, true);
    sim->learning.solutionText = crlf({"Solution", "Step: Type 'no shutdown'"});
    displayInstructions(*sim, DisplayHow::appendSolution);
    EXPECT_EQ(picture(sim->learning.instructionDocument),
              (Lines{"^[b14|Exercise]", "[u|Step1: Find the fault]", "", "^[b14|Solution]",
                     "[u|Step1: Type ][bu|no shutdown]"}));
    showInstructionLine(*sim, "more 'x'", false);
    EXPECT_EQ(picture(sim->learning.instructionDocument).back(), "more [b|x]");
}

TEST_F(Instructions, WelcomeWindowCentresItsSubtitleAndShrinksStepsInTestMode) {
    sim->learning.currentText = crlf({"Welcome", "to Kestro", "Intro", "Step: Read", "how"});
    sim->learning.instructionSteps = 7; // a lab shown before must not shift the numbers
    sim->sidePanel.learnModeSelected = true;
    displayWelcomeText(*sim);
    EXPECT_EQ(picture(sim->learning.welcomeDocument),
              (Lines{"^[b14|Welcome]", "^to Kestro", "Intro", "[u|Step1: Read]", "how"}));
    sim->sidePanel.learnModeSelected = false;
    displayWelcomeText(*sim);
    EXPECT_EQ(picture(sim->learning.welcomeDocument),
              (Lines{"^[b14|Welcome]", "^to Kestro", "Intro", "[u10|Step1: Read]"}));
}

// Which windows are open and which side-panel controls enabled after each
// menu choice, in a sequence a student might follow. Windows: T TopForm,
// M MultiRouterTopForm, B BottomForm, W welcome, F flash cards, A report,
// N diagram; panel: I instructions, A answer, N network, F frame, L learn,
// T test; then the selected mode.
std::string lessonState(const Simulator& sim) {
    const OpenWindows& w = sim.windows;
    const SidePanelState& p = sim.sidePanel;
    std::string out;
    for (auto [open, letter] : {std::pair{w.TopForm, 'T'},
                                {w.MultiRouterTopForm, 'M'},
                                {w.BottomForm, 'B'},
                                {w.welcomeForm, 'W'},
                                {w.flashCardForm, 'F'},
                                {w.showAnswerForm, 'A'},
                                {w.networkDiagramForm, 'N'}})
        if (open)
            out += letter;
    out += ' ';
    for (auto [on, letter] : {std::pair{p.showInstructions, 'I'},
                              {p.showAnswer, 'A'},
                              {p.showNetwork, 'N'},
                              {p.Frame1, 'F'},
                              {p.learnMode, 'L'},
                              {p.testMode, 'T'}})
        if (on)
            out += letter;
    return out + (p.learnModeSelected ? " learn " : " test ") +
           std::to_string(static_cast<int>(sim.activity.kind));
}

TEST_F(Instructions, EachLoaderOpensItsWindowsAndEnablesWhatItsActivityNeeds) {
    struct Step {
        std::function<void(Simulator&)> choose;
        const char* state;
    } steps[] = {
        {[](Simulator& s) { setText(s, "welcomeText"); }, "W  learn 1"},
        {[](Simulator& s) { initLabs(s, "routerModes"); }, "TB INFLT learn 0"},
        {[](Simulator& s) { initTests(s, "test2"); }, "TB IAN learn 3"},
        {[](Simulator& s) { showAnswer(s); }, "A N learn 4"},
        {[](Simulator& s) { inittroubleshooting(s, "troubleshooting2"); }, "TB INFLT test 5"},
        {[](Simulator& s) { inittroubleshooting(s, "troubleshooting5"); }, "MB INFLT test 5"},
        {[](Simulator& s) { initLabs(s, "ripRouting"); }, "TB INFLT learn 0"},
        {[](Simulator& s) { loadFlashCards(s); }, "F  learn 2"},
    };
    for (const Step& step : steps) {
        sim->windows.networkDiagramForm = true; // the diagram never outlives a menu choice
        step.choose(*sim);
        EXPECT_EQ(lessonState(*sim), step.state);
    }
}

// --- loaders ---------------------------------------------------------------------

class Loaders : public Instructions {
protected:
    void useContent(const std::vector<Row>& rows, bool withLabs = true) {
        sim = std::make_unique<Simulator>(io, openContent(makeContent("loaders", rows, withLabs)),
                                          ownFolder());
        io.messages.clear();
    }
};

TEST_F(Loaders, TextsComeFromTheirTablesAndAMissingRowKeepsThePreviousText) {
    useContent({{"Labs", {"routerModes", "Modes\r\nStep: Go"}},
                {"tests", {"test1", "Test One"}},
                {"troubleshooting", {"troubleshooting2", "Fault", "Fix\r\nStep: 'no shutdown'"}},
                {"Misc", {"studyPlan", "Plan\r\nsub"}}});
    loadInstruction(*sim, "routerModes");
    EXPECT_EQ(sim->learning.currentText, "Modes\r\nStep: Go");
    EXPECT_EQ(sim->learning.currentQuery, "Select * from Labs where LabName = 'routerModes'");
    loadInstruction(*sim, "noSuchLab");
    EXPECT_EQ(sim->learning.currentText, "Modes\r\nStep: Go");
    EXPECT_EQ(picture(sim->learning.instructionDocument).back(), "[u|Step1: Go]");

    sim->activity.kind = ActivityKind::welcome; // Learn Mode is kept from the exercise on
    sim->sidePanel.learnModeSelected = true;
    inittroubleshooting(*sim, "troubleshooting2");
    EXPECT_FALSE(sim->sidePanel.learnModeSelected); // a first exercise starts in Test Mode
    EXPECT_EQ(picture(sim->learning.instructionDocument), (Lines{"^[b14|Fault]"}));
    sim->sidePanel.learnModeSelected = true;
    inittroubleshooting(*sim, "troubleshooting2");
    EXPECT_EQ(picture(sim->learning.instructionDocument),
              (Lines{"^[b14|Fault]", "", "^[b14|Fix]", "[u|Step1: ][bu|no shutdown]"}));

    initTests(*sim, "test1");
    EXPECT_EQ(sim->learning.currentText, "Test One");
    EXPECT_EQ(sim->learning.currentTest, 1);
    setText(*sim, "studyPlan");
    EXPECT_EQ(picture(sim->learning.welcomeDocument), (Lines{"^[b14|Plan]", "^sub"}));
    setText(*sim, "disclaimer");
    EXPECT_EQ(sim->learning.currentText, "Plan\r\nsub");
    EXPECT_TRUE(io.messages.empty());
}

TEST_F(Loaders, AFailingQueryIsLoggedUnderTheLoadersNameAndLoadingGoesOn) {
    useContent({}, false);
    sim->learning.currentText = "Before";
    loadInstruction(*sim, "routerModes");
    EXPECT_EQ(picture(sim->learning.instructionDocument), (Lines{"^[b14|Before]"}));
    ASSERT_EQ(io.messages.size(), 1u);
    std::ifstream log(sim->errorLog.lastLogPath());
    std::string all((std::istreambuf_iterator<char>(log)), {});
    EXPECT_NE(all.find("\"In function loadInstruction :routerModes\""), std::string::npos) << all;
}

TEST_F(Loaders, StartUpChecksTheWelcomeTextNamesTheProduct) {
    const std::string box = " Not Able To Access DB. Please Check README.";
    setWelcomeText(*sim); // no content store at all
    EXPECT_EQ(io.messages, (Lines{box}));

    useContent({{"Misc", {"welcomeText", "Welcome to Kestro"}}, {"cmdInfo", {"bootText", "Boot"}}});
    setWelcomeText(*sim);
    EXPECT_EQ(sim->learning.currentText, "Welcome to Kestro");
    EXPECT_EQ(sim->console.bootText, "Boot");
    EXPECT_TRUE(io.messages.empty());

    useContent({{"Misc", {"welcomeText", "Welcome to the kestro simulator"}}});
    setWelcomeText(*sim); // the check is case-sensitive
    EXPECT_EQ(io.messages, (Lines{box + "\n\nThe content database \"" + sim->content()->path() +
                                  "\" holds no welcome text."}));
}

} // namespace
} // namespace kestro::testing
