// printLine, printPaged with " --More--", emphasis and the scroll bar.
#include "ConsoleFixture.h"

namespace kestro::testing {
namespace {

class ConsoleOutput : public ConsoleTest {
protected:
    ConsoleOutput() {
        toPrivileged();
        io.lines = 10;
        io.pauses.clear();
    }
    static std::string block(int lines) {
        std::string text;
        for (int i = 1; i <= lines; ++i)
            text += (i > 1 ? "\r\n" : "") + std::string("line ") + std::to_string(i);
        return text;
    }
    // Lines written by printPaged, in order.
    std::vector<std::string> written() const {
        std::vector<std::string> out;
        for (const std::string& w : splitLines(since()))
            if (!w.empty())
                out.push_back(w);
        return out;
    }
    static std::vector<std::string> splitLines(const std::string& text) {
        std::vector<std::string> out;
        std::size_t start = 0;
        while (true) {
            const std::size_t end = text.find("\r\n", start);
            out.push_back(text.substr(start, end - start));
            if (end == std::string::npos)
                return out;
            start = end + 2;
        }
    }
    // Records the input line each time a key is asked for.
    std::vector<std::string> asked;
    std::vector<std::string> askedAfter; // the last line shown at each wait
    void answerWith(std::vector<int> keys) {
        auto queue = std::make_shared<std::vector<int>>(std::move(keys));
        io.keySource = [this, queue]() -> std::optional<int> {
            asked.push_back(sim.input.text);
            const std::string& out = sim.output.text;
            askedAfter.push_back(out.substr(out.rfind("\r\n") + 2));
            EXPECT_EQ(sim.console.inputState, InputState::Paging);
            EXPECT_FALSE(sim.input.enabled);
            if (queue->empty())
                return std::nullopt;
            int k = queue->front();
            queue->erase(queue->begin());
            return k;
        };
    }
};

TEST_F(ConsoleOutput, PrintLineStartsEachLineWithABreakAndResetsTheInputLine) {
    type("show", false);
    mark();
    printLine(sim, "hello");
    EXPECT_EQ(since(), "\r\nhello");
    EXPECT_EQ(inputLine(), "Router#");
}

TEST_F(ConsoleOutput, EmptyPrintLineOnlyResetsTheInputLine) {
    type("show", false);
    mark();
    printLine(sim, "");
    EXPECT_EQ(since(), "");
    EXPECT_EQ(inputLine(), "Router#");
}

TEST_F(ConsoleOutput, ContinueLineAppendsAndLeavesTheInputLineAlone) {
    printLine(sim, "Sending");
    setInputLine(sim, "");
    mark();
    printLine(sim, "!", false, true);
    printLine(sim, "!", false, true);
    EXPECT_EQ(since(), "!!");
    EXPECT_EQ(inputLine(), "");
}

TEST_F(ConsoleOutput, PagingStopsAfterEveryScreenfulAndSpaceContinues) {
    answerWith({' ', ' '});
    mark();
    printPaged(sim, block(25));
    EXPECT_EQ(written().size(), 25u);
    EXPECT_EQ(asked, (std::vector<std::string>{" --More--", " --More--"}));
    EXPECT_EQ(askedAfter, (std::vector<std::string>{"line 10", "line 20"}));
    EXPECT_EQ(inputLine(), "Router#");
    EXPECT_TRUE(sim.input.enabled);
    EXPECT_EQ(sim.console.inputState, InputState::Normal);
    // One 100 ms pause between lines, none after the last.
    EXPECT_EQ(io.pauses, std::vector<int>(24, 100));
}

TEST_F(ConsoleOutput, EnterAtMoreShowsExactlyOneMoreLine) {
    answerWith({'\r', 'q'});
    mark();
    printPaged(sim, block(25));
    EXPECT_EQ(written().size(), 11u);
    EXPECT_EQ(written().back(), "line 11");
    EXPECT_EQ(askedAfter, (std::vector<std::string>{"line 10", "line 11"}));
}

TEST_F(ConsoleOutput, AnyOtherKeyDropsTheRest) {
    answerWith({'x'});
    mark();
    printPaged(sim, block(25));
    EXPECT_EQ(written().size(), 10u);
    EXPECT_EQ(inputLine(), "Router#");
    EXPECT_EQ(sim.console.inputState, InputState::Normal);
}

TEST_F(ConsoleOutput, NoKeyLeftEndsTheListingLikeAnyOtherKey) {
    answerWith({});
    mark();
    printPaged(sim, block(25));
    EXPECT_EQ(written().size(), 10u);
}

TEST_F(ConsoleOutput, ABlockOfExactlyOneScreenNeverAsks) {
    answerWith({});
    printPaged(sim, block(10));
    EXPECT_TRUE(asked.empty());
}

TEST_F(ConsoleOutput, EmptyLinesAreNotWrittenButCountForThePage) {
    answerWith({'x'});
    mark();
    std::string text = block(3) + "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n" + block(5);
    printPaged(sim, text);
    // Ten positions: three lines, seven empty ones; then the wait.
    EXPECT_EQ(written(), (std::vector<std::string>{"line 1", "line 2", "line 3"}));
    EXPECT_EQ(asked.size(), 1u);
}

TEST_F(ConsoleOutput, ABlockWithoutBreaksIsOneLine) {
    mark();
    printPaged(sim, "just one");
    EXPECT_EQ(since(), "\r\njust one");
    EXPECT_TRUE(io.pauses.empty());
}

TEST_F(ConsoleOutput, AListingDuringAQuestionLeavesTheQuestionOpen) {
    sim.console.inputState = InputState::EnableSecretPassword;
    printPaged(sim, block(2));
    EXPECT_EQ(sim.console.inputState, InputState::EnableSecretPassword);
}

TEST_F(ConsoleOutput, HelpLinesAreBoldWithoutTheirMarker) {
    sim.console.helpEmphasis = true;
    mark();
    printLine(sim, "$  <1-10000000>  Bandwidth in kilobits", true);
    EXPECT_EQ(since(), "\r\n  <1-10000000>  Bandwidth in kilobits");
    ASSERT_EQ(sim.output.bold.size(), 1u);
    EXPECT_EQ(sim.output.text.substr(sim.output.bold[0].start, sim.output.bold[0].length),
              "  <1-10000000>  Bandwidth in kilobits");
    printLine(sim, "  <cr>", true);
    EXPECT_EQ(sim.output.bold.size(), 1u);
}

TEST_F(ConsoleOutput, WithoutEmphasisTheMarkerIsPrinted) {
    mark();
    printLine(sim, "$  <cr>", true);
    EXPECT_EQ(since(), "\r\n$  <cr>");
    EXPECT_TRUE(sim.output.bold.empty());
}

TEST_F(ConsoleOutput, MarkedTextWrapsBoldRuns) {
    OutputPane pane;
    pane.append("a", false);
    pane.append("bc", true);
    pane.append("d", true);
    pane.append("e", false);
    EXPECT_EQ(pane.markedText(), "a<b>bcd</b>e");
}

TEST_F(ConsoleOutput, ForgettingTheFrontKeepsTheBoldOfTheRest) {
    // "ab" plain, "cde" bold, "f" plain, "gh" bold.
    const struct {
        std::size_t count;
        const char* marked;
    } cases[] = {
        {0, "ab<b>cde</b>f<b>gh</b>"},
        {3, "<b>de</b>f<b>gh</b>"},
        {5, "f<b>gh</b>"},
        {7, "<b>h</b>"},
        {8, ""},
        {99, ""},
    };
    for (const auto& c : cases) {
        OutputPane pane;
        for (auto [piece, bold] :
             {std::pair{"ab", false}, {"cde", true}, {"f", false}, {"g", true}})
            pane.append(piece, bold);
        pane.forgetFront(c.count);
        // A bold piece appended after it still joins the last run.
        pane.append("h", true);
        if (c.count > 7)
            pane.forgetFront(1);
        EXPECT_EQ(pane.markedText(), c.marked) << c.count;
    }
}

TEST(ConsoleScrollBar, FollowsTheOutput) {
    EXPECT_FALSE(scrollBarFor(10, 10).enabled);
    const ScrollBarState s = scrollBarFor(35, 10);
    EXPECT_TRUE(s.enabled);
    EXPECT_EQ(s.maximum, 25);
    EXPECT_EQ(s.value, 25);
    EXPECT_EQ(s.largeStep, 2);                    // 2.5 rounds to the even 2
    EXPECT_EQ(scrollBarFor(45, 10).largeStep, 4); // 3.5 rounds to 4
    EXPECT_EQ(scrollBarFor(14, 10).largeStep, 1); // 0.4 gives 0: at least 1
}

} // namespace
} // namespace kestro::testing

namespace kestro::testing {
namespace {

// A failure inside a command is logged and told once; the console is left at
// its prompt, not stuck in a listing with the input line switched off.
TEST_F(ConsoleOutput, AFailureDuringAListingLeavesTheConsoleUsable) {
    io.keySource = []() -> std::optional<int> { throw std::runtime_error("window gone"); };
    io.lines = 2;
    type("show running-config");
    ASSERT_EQ(io.messages.size(), 1u);
    EXPECT_TRUE(io.messages[0].starts_with("The Application encountered an error."));
    EXPECT_EQ(sim.console.inputState, InputState::Normal);
    EXPECT_TRUE(sim.input.enabled);
    EXPECT_EQ(inputLine(), "Router#");
    io.keySource = nullptr;
    type("disable");
    EXPECT_EQ(inputLine(), "Router>");
}

} // namespace
} // namespace kestro::testing
