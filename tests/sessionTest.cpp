// Boot screen, session start, enable, configure, reload, terminal history,
// and the saved configuration.
#include "ConsoleFixture.h"

namespace kestro::testing {
namespace {

class Session : public ConsoleTest {};

TEST_F(Session, BootScreenThenSessionWithoutLogin) {
    sim.console.bootText = "BOOT";
    router().motdBanner = "Welcome";
    router().execBanner = "Exec here";
    loadRouter(sim);
    EXPECT_EQ(sim.output.text, "BOOT\r\n \r\nRouter con0 is now available\r\n \r\n \r\n"
                               "Press RETURN to get started.");
    EXPECT_EQ(inputLine(), "");
    mark();
    startSession();
    EXPECT_EQ(since(), "\r\n\r\nWelcome\r\nExec here");
    EXPECT_EQ(inputLine(), "Router>");
    EXPECT_EQ(router().mode, Mode::user);
}

class ConsoleLogin : public Session {
protected:
    ConsoleLogin() {
        router().consolePassword = "kestro";
        router().consoleLogin = true;
        router().loginBanner = "Authorised users only";
        router().execBanner = "Hello";
    }
};

TEST_F(ConsoleLogin, AsksForThePasswordAndAcceptsItInAnyCase) {
    mark();
    startSession();
    EXPECT_EQ(since(), "\r\n\r\nAuthorised users only\r\n \r\nUser Access Verification");
    EXPECT_EQ(inputLine(), "Password: ");
    EXPECT_EQ(sim.console.inputState, InputState::LoginPassword);
    EXPECT_EQ(outputOf("KESTRO"), "\r\nHello");
    EXPECT_EQ(inputLine(), "Router>");
    EXPECT_EQ(sim.console.inputState, InputState::Normal);
    // Answers to the password question are not kept in the history.
    EXPECT_TRUE(router().commandHistory.empty());
}

TEST_F(ConsoleLogin, ThreeWrongPasswordsReturnToTheBootScreen) {
    startSession();
    EXPECT_EQ(outputOf("one"), "");
    EXPECT_EQ(inputLine(), "Password: ");
    type("two");
    type("three");
    EXPECT_EQ(router().mode, Mode::none);
    EXPECT_TRUE(sim.output.text.ends_with("Press RETURN to get started."));
    EXPECT_EQ(router().failedPasswordCount, 0);
}

TEST_F(Session, EnableWithoutSecretOrPassword) {
    startSession();
    EXPECT_EQ(outputOf("enable 15"), invalidInput);
    type("enable");
    EXPECT_EQ(inputLine(), "Router#");
}

TEST_F(Session, EnableSecretTakesPrecedenceAndThreeFailuresStayInUserMode) {
    router().enableSecret = "top";
    router().enablePassword = "low";
    startSession();
    type("enable");
    EXPECT_EQ(inputLine(), "Password: ");
    EXPECT_EQ(sim.console.inputState, InputState::EnableSecretPassword);
    EXPECT_EQ(outputOf("low"), "");
    EXPECT_EQ(inputLine(), "Password: ");
    type("wrong");
    EXPECT_EQ(outputOf("again"), "\r\n% Bad secrets\r\n ");
    EXPECT_EQ(inputLine(), "Router>");
    EXPECT_EQ(router().mode, Mode::user);
    EXPECT_EQ(sim.console.inputState, InputState::Normal);
    type("enable");
    type("TOP");
    EXPECT_EQ(inputLine(), "Router#");
    EXPECT_EQ(router().failedPasswordCount, 0);
}

TEST_F(Session, EnablePasswordAsksAndThreeFailuresSayBadPasswords) {
    router().enablePassword = "low";
    startSession();
    type("enable now");
    EXPECT_EQ(inputLine(), "Password: ");
    EXPECT_EQ(sim.console.inputState, InputState::EnablePassword);
    type("a");
    EXPECT_EQ(inputLine(), "Password: ");
    type("b");
    EXPECT_EQ(outputOf("c"), "\r\n% Bad passwords\r\n ");
    EXPECT_EQ(inputLine(), "Router>");
}

TEST_F(Session, FailuresAreCountedAcrossTheQuestionsUntilACorrectAnswer) {
    router().enablePassword = "low";
    startSession();
    type("enable");
    type("a");
    type("low");
    type("disable");
    type("enable");
    type("b");
    type("c");
    EXPECT_EQ(inputLine(), "Password: "); // two failures since the last success
}

TEST_F(Session, ConfigureAndItsQuestion) {
    toPrivileged();
    type("configure");
    EXPECT_EQ(inputLine(), "Configuring from terminal, memory, or network [terminal]?");
    EXPECT_EQ(outputOf(""), "\r\n?Must be 'terminal', 'memory' or 'network'");
    EXPECT_EQ(inputLine(), "Router#");
    type("configure");
    EXPECT_EQ(outputOf("memory"), "");
    EXPECT_EQ(router().mode, Mode::priv);
    type("configure");
    EXPECT_EQ(outputOf("terminal"),
              "\r\nEnter configuration commands, one per line.  End with CNTL/Z.");
    EXPECT_EQ(inputLine(), "Router(config)#");
    type("end");
    type("conf");
    type("TERM");
    EXPECT_EQ(router().mode, Mode::conf);
    type("end");
    // The question takes only the two spellings; the one-line form any prefix.
    type("configure");
    EXPECT_EQ(outputOf("t"), "\r\n?Must be 'terminal', 'memory' or 'network'");
    type("conf t");
    EXPECT_EQ(router().mode, Mode::conf);
    EXPECT_EQ(router().commandHistory.back(), "conf t");
    EXPECT_EQ(router().commandHistory[router().commandHistory.size() - 2], "t");
}

TEST_F(Session, ConfigureOneLineForms) {
    toPrivileged();
    EXPECT_EQ(outputOf("configure memory"), "");
    EXPECT_EQ(outputOf("configure network"), "");
    EXPECT_EQ(outputOf("configure terminal now"), invalidInput);
    EXPECT_EQ(outputOf("configure tx"), invalidInput);
    EXPECT_EQ(outputOf("configu terminal"),
              "\r\nEnter configuration commands, one per line.  End with CNTL/Z.");
    type("end");
    type("disable");
    EXPECT_EQ(outputOf("configure terminal"), unknownCommand);
}

TEST_F(Session, ReloadAnsweredNoKeepsTheRouter) {
    toConfiguration();
    type("hostname lab");
    type("end");
    type("reload");
    EXPECT_EQ(inputLine(), "Proceed with reload? [confirm]");
    mark();
    type("n", false);
    EXPECT_EQ(since(), "\r\nProceed with reload? [confirm]n");
    EXPECT_EQ(inputLine(), "lab#");
    EXPECT_EQ(sim.console.inputState, InputState::Normal);
    type("reload");
    press(keyEnter);
    EXPECT_EQ(inputLine(), "lab#");
    EXPECT_EQ(router().hostname, "lab");
    EXPECT_EQ(outputOf("reload now"), invalidInput);
}

TEST_F(Session, ConfirmedReloadBootsTheSavedConfiguration) {
    toConfiguration();
    type("hostname saved");
    router().serial0.ipAddress = "10.1.1.1";
    router().serial0.subnetMask = "255.255.255.0";
    saveStartupConfig(sim);
    const routerConfig saved = router().config();
    type("hostname unsaved");
    router().serial0.ipAddress = "10.9.9.9";
    type("end");
    io.pauses.clear();
    type("reload");
    io.appended.clear();
    type("y", false);
    EXPECT_TRUE(io.appended.starts_with("\r\nProceed with reload? [confirm]y\r\n: %SYS-5-RELOAD: "
                                        "Reload requested"));
    EXPECT_EQ(io.pauses, std::vector<int>{2000});
    EXPECT_EQ(router().mode, Mode::none);
    EXPECT_TRUE(sim.output.text.ends_with("saved con0 is now available\r\n \r\n \r\n"
                                          "Press RETURN to get started."));
    EXPECT_EQ(router().config(), saved);
    EXPECT_TRUE(router().commandHistory.empty());
}

TEST_F(Session, ReloadWithNothingSavedBootsTheFactoryDefaults) {
    toConfiguration();
    type("hostname changed");
    type("end");
    type("reload");
    type("Y", false);
    EXPECT_EQ(router().config(), routerConfig{});
}

TEST_F(Session, TerminalHistory) {
    toPrivileged();
    EXPECT_EQ(outputOf("terminal"), incompleteCommand);
    EXPECT_EQ(outputOf("terminal no"), incompleteCommand);
    EXPECT_EQ(outputOf("terminal history size"), incompleteCommand);
    EXPECT_EQ(outputOf("terminal history size 0"), invalidInput);
    EXPECT_EQ(outputOf("terminal history size 257"), invalidInput);
    EXPECT_EQ(outputOf("terminal history size 0010"), invalidInput);
    EXPECT_EQ(outputOf("terminal history size x"), invalidInput);
    EXPECT_EQ(outputOf("terminal history length 5"), invalidInput);
    EXPECT_EQ(outputOf("terminal history size 5 6"), invalidInput);
    EXPECT_EQ(outputOf("terminal history size 256"), "");
    EXPECT_EQ(router().historySize, 256);
    EXPECT_EQ(outputOf("terminal no history"), "");
    EXPECT_EQ(router().historySize, 0);
    EXPECT_TRUE(router().commandHistory.empty());
    type("show");
    EXPECT_TRUE(router().commandHistory.empty());
    EXPECT_EQ(outputOf("terminal history"), "");
    EXPECT_EQ(router().historySize, 10);
    type("configure terminal");
    EXPECT_EQ(outputOf("terminal history size 5"), invalidInput);
}

TEST(RouterStore, FreshRouterHasTheFactoryDefaults) {
    const routerConfig c;
    EXPECT_EQ(c.hostname, "Router");
    EXPECT_TRUE(c.serial0.shutdown && c.serial1.shutdown && c.ethernet0.shutdown);
    EXPECT_EQ(c.serial0.bandwidth, 1544);
    EXPECT_EQ(c.serial1.bandwidth, 1544);
    EXPECT_EQ(c.ethernet0.bandwidth, 10000);
    EXPECT_EQ(c.serial0.keepalive, 10);
    EXPECT_TRUE(c.cdpRun);
    EXPECT_EQ(c.cdpTimer, 60);
    EXPECT_EQ(c.cdpHoldtime, 180);
    EXPECT_TRUE(c.domainLookup);
    EXPECT_TRUE(c.ipRouting);
    EXPECT_FALSE(c.httpServer);
    EXPECT_EQ(c.vtyExecTimeoutMinutes, 10);
    EXPECT_EQ(c.vtyExecTimeoutSeconds, 0);
    EXPECT_FALSE(c.consoleLogin);
    EXPECT_EQ(c.historySize, 10);
}

class SavedConfiguration : public ConsoleTest {};

TEST_F(SavedConfiguration, SaveCopiesTheListsAsValues) {
    router().hosts.push_back({"a", "10.0.0.1"});
    saveStartupConfig(sim);
    router().hosts.push_back({"b", "10.0.0.2"});
    router().accessLists.push_back({4, "", "0.0.0.0", 1});
    EXPECT_EQ(sim.startupConfig.hosts.size(), 1u);
    EXPECT_TRUE(sim.startupConfig.accessLists.empty());
}

TEST_F(SavedConfiguration, LoadLeavesTheConsoleFieldsAlone) {
    toPrivileged();
    router().hostname = "x";
    loadStartupConfig(sim);
    EXPECT_EQ(router().hostname, "Router");
    EXPECT_EQ(router().mode, Mode::priv);
    EXPECT_EQ(router().prompt, "Router#"); // the prompt is not rebuilt by a load
}

TEST_F(SavedConfiguration, ResetDoesNotTouchTheLiveRouter) {
    router().hostname = "kept";
    saveStartupConfig(sim);
    resetStartupConfig(sim);
    EXPECT_EQ(sim.startupConfig.hostname, "Router");
    EXPECT_EQ(router().hostname, "kept");
}

TEST_F(SavedConfiguration, SwitchingParksAndRestoresTheWholeRouter) {
    toConfiguration();
    type("hostname ra");
    sim.routerBStore = router();
    sim.routerBStore.hostname = "rb";
    sim.routerBStore.prompt = "rb>";
    sim.routerBStore.mode = Mode::user;
    sim.routerBStore.consoleText = "B transcript";
    sim.routerBStore.inputText = "rb>sh";
    sim.console.helpEmphasis = true;
    printLine(sim, "$  bold line", true);
    sim.console.helpEmphasis = false;
    const std::string transcriptA = sim.output.text;
    const std::vector<BoldRun> boldA = sim.output.bold;
    type("interface s", false);

    EXPECT_EQ(switchRouter(sim, RouterId::b), SwitchResult::Switched);
    EXPECT_EQ(router().hostname, "rb");
    EXPECT_EQ(sim.output.text, "B transcript");
    EXPECT_EQ(inputLine(), "rb>sh");
    EXPECT_EQ(sim.activeRouter, RouterId::b);
    EXPECT_EQ(switchRouter(sim, RouterId::b), SwitchResult::AlreadyLive);

    EXPECT_EQ(switchRouter(sim, RouterId::a), SwitchResult::Switched);
    EXPECT_EQ(router().hostname, "ra");
    EXPECT_EQ(router().mode, Mode::conf);
    EXPECT_EQ(sim.output.text, transcriptA);
    EXPECT_EQ(sim.output.bold, boldA);
    EXPECT_EQ(inputLine(), "ra(config)#interface s");
}

TEST_F(SavedConfiguration, SwitchingIsRefusedWhileAQuestionIsOpen) {
    toPrivileged();
    type("reload");
    EXPECT_EQ(switchRouter(sim, RouterId::b), SwitchResult::Refused);
    EXPECT_EQ(io.messages, std::vector<std::string>{" Please switch router when at prompt"});
    EXPECT_EQ(sim.activeRouter, RouterId::a);
}

} // namespace
} // namespace kestro::testing
