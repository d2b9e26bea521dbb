// Line editing: the key-down table, the caret guard, Esc chords, history.
#include "ConsoleFixture.h"

namespace kestro::testing {
namespace {

class ConsoleKeys : public ConsoleTest {
protected:
    ConsoleKeys() {
        toPrivileged();
        router().commandHistory.clear();
        router().historyIndex = 1;
    }
    std::size_t caret() const { return sim.input.caret; }
    void escChord(char letter) {
        keyDown(sim, keyEscape, false);
        pressKey(sim, Key::character(static_cast<unsigned char>(letter)));
        keyUp(sim, keyEscape);
    }
};

TEST_F(ConsoleKeys, BeforeTheSessionOnlyEnterActs) {
    buildFreshRouter(sim);
    type("show", false);
    press(keyArrowLeft);
    ctrl('z');
    EXPECT_EQ(inputLine(), "");
    EXPECT_EQ(router().mode, Mode::none);
    press(keyEnter);
    EXPECT_EQ(inputLine(), "Router>");
}

TEST_F(ConsoleKeys, BackspaceAndHomeNeverReachThePrompt) {
    press(keyBackspace);
    press(keyHome);
    EXPECT_EQ(inputLine(), "Router#");
    type("sh", false);
    press(keyBackspace);
    press(keyBackspace);
    press(keyBackspace);
    EXPECT_EQ(inputLine(), "Router#");
}

TEST_F(ConsoleKeys, LeftOnAnEmptyLineLeavesATrailingBlank) {
    press(keyArrowLeft);
    EXPECT_EQ(inputLine(), "Router# ");
    EXPECT_EQ(caret(), 7u);
    // The blank disappears when the line is normalised: an empty command.
    EXPECT_EQ(outputOf(""), "");
}

TEST_F(ConsoleKeys, CaretGuardInsertsAfterTheFirstCommandCharacter) {
    type("how", false);
    ctrl('a'); // caret right after the prompt
    EXPECT_EQ(caret(), 7u);
    type("s", false);
    EXPECT_EQ(inputLine(), "Router#hsow");
}

TEST_F(ConsoleKeys, CtrlKeysMoveTheCaret) {
    type("show ip", false);
    ctrl('b');
    EXPECT_EQ(caret(), 13u);
    ctrl('e');
    EXPECT_EQ(caret(), 14u);
    ctrl('a');
    ctrl('f');
    EXPECT_EQ(caret(), 9u); // guard to 8, then one right
    ctrl('u');
    EXPECT_EQ(inputLine(), "Router#");
}

TEST_F(ConsoleKeys, CtrlDRemovesTheCharacterLeftOfTheCaretNeverThePrompt) {
    type("ab", false);
    ctrl('d');
    EXPECT_EQ(inputLine(), "Router#a");
    ctrl('d');
    EXPECT_EQ(inputLine(), "Router#");
    ctrl('d');
    EXPECT_EQ(inputLine(), "Router#");
}

TEST_F(ConsoleKeys, CtrlWDeletesTheWordLeftOfTheCaret) {
    type("show ip", false);
    ctrl('w');
    EXPECT_EQ(inputLine(), "Router#show ");
    // A blank directly left of the caret goes with the word before it.
    ctrl('w');
    EXPECT_EQ(inputLine(), "Router#");
    type("show ip route ", false);
    ctrl('w');
    EXPECT_EQ(inputLine(), "Router#show ip ");
    type("abc", false);
    ctrl('b');
    ctrl('w'); // caret inside a word: the part left of it goes
    EXPECT_EQ(inputLine(), "Router#show ip c");
}

TEST_F(ConsoleKeys, EscChordsMoveByWords) {
    type("show ip route", false);
    escChord('b');
    EXPECT_EQ(caret(), 15u);
    escChord('b');
    EXPECT_EQ(caret(), 12u);
    escChord('b');
    EXPECT_EQ(caret(), 7u);
    escChord('f');
    EXPECT_EQ(caret(), 12u);
    escChord('f');
    EXPECT_EQ(caret(), 15u);
    escChord('f');
    EXPECT_EQ(caret(), inputLine().size());
    EXPECT_FALSE(sim.console.escPending);
}

TEST_F(ConsoleKeys, EscReleasedBeforeTheLetterTypesIt) {
    type("show", false);
    press(keyEscape);
    type("f", false);
    EXPECT_EQ(inputLine(), "Router#showf");
}

TEST_F(ConsoleKeys, CtrlRRedisplaysTheLine) {
    type("show ver", false);
    mark();
    ctrl('r');
    EXPECT_EQ(since(), "\r\nRouter#show ver");
    EXPECT_EQ(inputLine(), "Router#show ver");
    EXPECT_EQ(caret(), inputLine().size());
}

TEST_F(ConsoleKeys, CtrlZInConfigurationReturnsToPrivilegedMode) {
    type("configure terminal");
    mark();
    ctrl('z');
    EXPECT_EQ(since(), "\r\nRouter(config)#^Z\r\n" + std::string(configuredFromConsole));
    EXPECT_EQ(router().mode, Mode::priv);
    EXPECT_EQ(inputLine(), "Router#");

    type("configure terminal");
    type("interface serial 0");
    type("shut", false);
    mark();
    ctrl('z');
    EXPECT_EQ(since(),
              "\r\nRouter(config-if)#shut^Z" + invalidInput + "\r\n" + configuredFromConsole);
    EXPECT_EQ(router().mode, Mode::priv);
}

TEST_F(ConsoleKeys, CtrlZOutsideConfigurationOnlyPrintsTheLine) {
    type("show", false);
    mark();
    ctrl('z');
    EXPECT_EQ(since(), "\r\nRouter#show^Z");
    EXPECT_EQ(router().mode, Mode::priv);
}

TEST_F(ConsoleKeys, CtrlZAbandonsABannerBeingEntered) {
    type("configure terminal");
    sim.console.inputState = InputState::BannerText;
    sim.console.bannerDelimiter = '#';
    sim.console.bannerKind = "motd";
    router().prompt = "";
    resetInputLine(sim);
    ctrl('z');
    EXPECT_EQ(sim.console.inputState, InputState::Normal);
    EXPECT_EQ(router().mode, Mode::priv);
    type("disable");
    EXPECT_EQ(inputLine(), "Router>");
}

TEST_F(ConsoleKeys, HistoryBrowsesAndRestoresTheLineBeingTyped) {
    type("show version");
    type("show clock");
    type("show fl", false);
    press(keyArrowUp);
    EXPECT_EQ(inputLine(), "Router#show clock");
    press(keyArrowUp);
    EXPECT_EQ(inputLine(), "Router#show version");
    press(keyArrowUp); // past the oldest: stays there
    EXPECT_EQ(inputLine(), "Router#show version");
    press(keyArrowDown);
    EXPECT_EQ(inputLine(), "Router#show clock");
    press(keyArrowDown);
    EXPECT_EQ(inputLine(), "Router#show fl");
    press(keyArrowDown); // below the newest: nothing
    EXPECT_EQ(inputLine(), "Router#show fl");
}

TEST_F(ConsoleKeys, UpOnAnEmptyHistoryKeepsTheLine) {
    buildFreshRouter(sim);
    startSession();
    type("ena", false);
    press(keyArrowUp);
    EXPECT_EQ(inputLine(), "Router>ena");
    press(keyArrowUp);
    EXPECT_EQ(inputLine(), "Router>ena");
}

TEST_F(ConsoleKeys, HistoryKeepsTheNewestHistorySizeEntries) {
    type("terminal history size 3");
    for (const char* c : {"a1", "a2", "a3", "a4", "a5"})
        type(c);
    EXPECT_EQ(router().commandHistory, (std::vector<std::string>{"a3", "a4", "a5"}));
    // Lines are kept as typed, blanks and case included.
    type("  Show  ");
    EXPECT_EQ(router().commandHistory.back(), "  Show  ");
    type("");
    EXPECT_EQ(router().commandHistory.size(), 3u);
}

TEST_F(ConsoleKeys, HistoryBeforeABootIsNotBroughtBack) {
    type("show version");
    type("show clock");
    press(keyArrowUp);
    ctrl('u');
    type("exit");
    startSession();
    press(keyArrowUp);
    press(keyArrowUp);
    EXPECT_EQ(inputLine(), "Router>");
}

TEST_F(ConsoleKeys, TabEchoesTheLineAndKeepsItWithoutATab) {
    type("sh", false);
    mark();
    press(keyTab);
    EXPECT_EQ(since(), "\r\nRouter#sh");
    EXPECT_EQ(inputLine(), "Router#sh");
}

TEST_F(ConsoleKeys, QuestionMarkGoesToTheEndAndIsNotKept) {
    type("show", false);
    ctrl('a');
    mark();
    type("?", false);
    EXPECT_EQ(since().substr(0, 13), "\r\nRouter#show");
    EXPECT_EQ(inputLine(), "Router#");
}

TEST_F(ConsoleKeys, DeleteAndEndEditInsideTheLine) {
    type("shxow", false);
    ctrl('a');
    pressKey(sim, Key::special(keyArrowRight));
    pressKey(sim, Key::special(keyDelete));
    EXPECT_EQ(inputLine(), "Router#show");
    pressKey(sim, Key::special(keyEnd));
    EXPECT_EQ(caret(), inputLine().size());
}

} // namespace
} // namespace kestro::testing
