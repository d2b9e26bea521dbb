// Events that arrive while a command waits, as a window's event loop
// delivers them: the recording console runs one event at a chosen wait.
#include "ConsoleFixture.h"

#include "learning/Activities.h"

#include <algorithm>
#include <functional>

namespace kestro::testing {
namespace {

constexpr const char* bootEnd = "Press RETURN to get started.";

class Reentrancy : public ConsoleTest {
protected:
    Reentrancy() : ConsoleTest(true) { EXPECT_TRUE(startActivity(sim, "troubleshooting4")); }

    // Runs `event` once, at the first wait of `ms` milliseconds.
    void atPause(int ms, std::function<void()> event) {
        io.duringPause = [this, ms, event, fired = false](int at) mutable {
            if (at != ms || fired)
                return;
            fired = true;
            inputEnabledInWait = sim.input.enabled;
            busyInWait = sim.busy();
            event();
        };
    }
    // A command whose last line waits `waitMs` at some point.
    struct Waiting {
        const char* name;
        std::vector<const char*> lines;
        int waitMs;
        bool pauseAnswer = true; // what the window's wait answers
    };
    // A fresh exercise in privileged mode (after `before`), every line but
    // the last typed; the last one is typed by finish().
    void prepare(const Waiting& c, std::vector<const char*> before = {}) {
        EXPECT_TRUE(startActivity(sim, "troubleshooting4"));
        toPrivileged();
        for (const char* line : before)
            type(line);
        for (std::size_t i = 0; i + 1 < c.lines.size(); ++i)
            type(c.lines[i]);
    }
    // The reload's confirmation is one key, without Enter.
    void finish(const Waiting& c) {
        type(c.lines.back(), std::string(c.lines.back()) != "y");
        io.duringPause = nullptr;
    }
    int pausesOf(int ms) const {
        return static_cast<int>(std::count(io.pauses.begin(), io.pauses.end(), ms));
    }

    // The console takes commands again: a plain prompt in the input line that
    // belongs to the router's mode, and a command answers as it should.
    void expectUsable() {
        EXPECT_FALSE(sim.busy());
        EXPECT_EQ(sim.console.inputState, InputState::Normal);
        EXPECT_TRUE(sim.input.enabled);
        EXPECT_EQ(inputLine(), router().prompt);
        EXPECT_EQ(router().prompt, promptFor(sim, router().mode));
    }

    bool inputEnabledInWait = true;
    bool busyInWait = false;
};

// 1. A router button clicked during the ping's dots is refused; RouterA goes
// on as if nothing happened.
TEST_F(Reentrancy, RouterButtonDuringPingIsRefused) {
    toPrivileged();
    std::optional<SwitchResult> pressed;
    atPause(500, [&] { pressed = pressRouterButton(sim, RouterId::b); });
    type("ping 202.16.92.6");
    EXPECT_TRUE(busyInWait);
    EXPECT_EQ(pressed, SwitchResult::Refused);
    EXPECT_EQ(io.messages, std::vector<std::string>{switchRefusal});
    EXPECT_EQ(sim.activeRouter, RouterId::a);
    expectUsable();
    EXPECT_EQ(outputOf("show clock").find("Unknown"), std::string::npos);
}

// 2, 6. An activity started during a wait ends the running command: nothing
// of the old command is printed into the new activity's console, and nothing
// the old command would still have done (reload, copy) is done.
TEST_F(Reentrancy, ActivityStartedDuringAWaitEndsTheCommand) {
    const Waiting cases[] = {
        {"reload", {"reload", "y"}, 2000},
        {"ping", {"ping 202.16.92.6"}, 500},
        {"configuration display", {"show running-config"}, 1200},
        {"copy", {"copy run start", ""}, 1000},
        {"paged line", {"show running-config"}, 100},
    };
    for (const Waiting& c : cases) {
        SCOPED_TRACE(c.name);
        prepare(c);
        std::string freshScreen;
        atPause(c.waitMs, [&] {
            ASSERT_TRUE(startActivity(sim, "troubleshooting1"));
            freshScreen = sim.output.text;
        });
        finish(c);
        // The new exercise's fault survives; its boot screen is the last
        // thing printed.
        EXPECT_EQ(router().ethernet0.ipAddress, "192.34.5.6");
        EXPECT_EQ(sim.startupConfig, routerConfig{});
        EXPECT_EQ(sim.output.text, freshScreen);
        EXPECT_TRUE(sim.output.text.ends_with(bootEnd));
        EXPECT_FALSE(sim.busy());
        EXPECT_TRUE(sim.input.enabled);
        EXPECT_EQ(sim.console.inputState, InputState::Normal);
        // Enter on the fresh boot screen starts the session.
        press(keyEnter);
        expectUsable();
    }
}

// 3. An activity started at a " --More--" inside banner text entry: the
// banner question is not restored over the fresh boot screen.
TEST_F(Reentrancy, ActivityStartedAtMoreInsideBannerText) {
    toConfiguration();
    type("banner motd #");
    ASSERT_EQ(sim.console.inputState, InputState::BannerText);
    io.lines = 1;
    bool asked = false;
    io.keySource = [&]() -> std::optional<int> {
        asked = true;
        EXPECT_TRUE(startActivity(sim, "test1"));
        return ' ';
    };
    type("?", false);
    ASSERT_TRUE(asked);
    EXPECT_TRUE(sim.output.text.ends_with(bootEnd));
    EXPECT_EQ(sim.console.inputState, InputState::Normal);
    press(keyEnter);
    EXPECT_EQ(router().mode, Mode::user);
    expectUsable();
}

// 4, 5. Keys typed during a wait are not taken: the input line is off, and a
// second "y" does not enter the reload again.
TEST_F(Reentrancy, KeysTypedDuringAWaitAreNotTaken) {
    const Waiting cases[] = {
        {"configuration display", {"show running-config"}, 1200},
        {"copy", {"copy run start", ""}, 1000},
        {"ping", {"ping 202.16.92.6"}, 500},
        {"reload", {"reload", "y"}, 2000},
    };
    for (const Waiting& c : cases) {
        SCOPED_TRACE(c.name);
        prepare(c);
        io.pauses.clear();
        atPause(c.waitMs, [&] { type("y"); });
        finish(c);
        EXPECT_FALSE(inputEnabledInWait);
        EXPECT_EQ(sim.output.text.find("\r\n" + promptFor(sim, Mode::priv) + "y"),
                  std::string::npos);
        if (c.waitMs == 2000) {
            EXPECT_EQ(pausesOf(2000), 1); // the reload was not entered again
        } else {
            const auto& history = router().commandHistory;
            EXPECT_EQ(std::count(history.begin(), history.end(), "y"), 0);
            expectUsable();
        }
    }
}

// The front end cancels the running command during its wait: the command
// prints nothing more, leaves nothing half done, and the console is back at
// its prompt.
TEST_F(Reentrancy, CancelDuringAWaitLeavesNoStaleState) {
    const Waiting cases[] = {
        {"reload", {"reload", "y"}, 2000, true},
        {"ping", {"ping 202.16.92.6"}, 500, true},
        {"configuration display", {"show running-config"}, 1200, false},
        {"paged line", {"show running-config"}, 100, true},
    };
    for (const Waiting& c : cases) {
        SCOPED_TRACE(c.name);
        prepare(c, {"configure terminal", "hostname changed", "end"});
        std::string atCancel;
        io.pauseAnswer = c.pauseAnswer;
        atPause(c.waitMs, [&] {
            sim.cancelCommand();
            EXPECT_TRUE(sim.cancelled());
            atCancel = sim.output.text;
        });
        finish(c);
        io.pauseAnswer = true;
        EXPECT_FALSE(sim.cancelled());
        EXPECT_EQ(sim.output.text, atCancel);
        EXPECT_EQ(router().hostname, "changed");
        EXPECT_EQ(sim.startupConfig.hostname, "RouterA");
        expectUsable();
    }
}

// A copy cancelled by a window's action is not left half done: it completes
// and says "[OK]" before the action runs, so the student knows what was saved.
TEST_F(Reentrancy, ACopyCancelledByAWindowCompletesAndSaysSo) {
    struct Case {
        Waiting wait;
        const char* hostname;
        const char* saved;
    };
    const Case cases[] = {
        {{"save", {"copy run start", ""}, 1000, true}, "changed", "changed"},
        {{"load", {"copy start run", ""}, 1000, false}, "RouterA", "RouterA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wait.name);
        prepare(c.wait, {"configure terminal", "hostname changed", "end"});
        io.pauseAnswer = c.wait.pauseAnswer;
        atPause(1000, [&] { sim.cancelCommand(); });
        finish(c.wait);
        io.pauseAnswer = true;
        EXPECT_TRUE(sim.output.text.ends_with("Building configuration...\r\n[OK]"));
        EXPECT_EQ(router().hostname, c.hostname);
        EXPECT_EQ(sim.startupConfig.hostname, c.saved);
        expectUsable();
    }
}

TEST_F(Reentrancy, CancelOutsideACommandChangesNothing) {
    sim.cancelCommand();
    EXPECT_FALSE(sim.cancelled());
    toPrivileged();
    EXPECT_EQ(router().mode, Mode::priv);
}

} // namespace
} // namespace kestro::testing
