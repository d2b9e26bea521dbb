#include "session/Session.h"

#include "Simulator.h"
#include "config/ConfigCommands.h"
#include "config/RouterStore.h"
#include "console/Console.h"
#include "console/LineHelpers.h"
#include "console/Pauses.h"
#include "records/AddressUtils.h"

namespace kestro {

namespace {

constexpr const char* passwordQuestion = "Password: ";
constexpr const char* configureQuestionText =
    "Configuring from terminal, memory, or network [terminal]?";
constexpr const char* reloadQuestion = "Proceed with reload? [confirm]";
constexpr const char* enterConfiguration =
    "Enter configuration commands, one per line.  End with CNTL/Z.";

// Puts a question into the input line and remembers the prompt it replaces.
void ask(Simulator& sim, InputState state, const std::string& shown, const std::string& question) {
    sim.console.inputState = state;
    sim.liveRouter.savedPrompt = sim.liveRouter.prompt;
    sim.liveRouter.prompt = question;
    setInputLine(sim, shown);
}

// Printed banners: an empty one prints nothing.
void printBanner(Simulator& sim, const std::string& banner) {
    printLine(sim, banner);
}

// A password question answered: right, the question closes in `mode` (with
// the banner printed, if any) and true; wrong, one more failure counted.
bool passwordRight(Simulator& sim, const std::string& line, const std::string& expected, Mode mode,
                   const std::string& banner = {}) {
    routerState& r = sim.liveRouter;
    if (normaliseLine(sim, line) != expected) {
        r.failedPasswordCount += 1;
        return false;
    }
    enterMode(sim, mode);
    printBanner(sim, banner);
    resetInputLine(sim);
    sim.console.inputState = InputState::Normal;
    r.failedPasswordCount = 0;
    return true;
}

// Shared by the enable secret and enable password questions: `expected` is
// the stored word, `tooMany` the lines printed after the third failure.
void checkEnableAnswer(Simulator& sim, const std::string& line, const std::string& expected,
                       std::initializer_list<const char*> tooMany) {
    routerState& r = sim.liveRouter;
    if (passwordRight(sim, line, expected, Mode::priv))
        return;
    if (r.failedPasswordCount >= 3) {
        for (const char* text : tooMany)
            printLine(sim, text);
        sim.console.inputState = InputState::Normal;
        r.failedPasswordCount = 0;
        r.prompt = r.hostname + ">";
    }
}

} // namespace

void loadRouter(Simulator& sim) {
    routerState& r = sim.liveRouter;
    sim.console.inputState = InputState::Normal;
    sim.input.enabled = true;
    r.failedPasswordCount = 0;
    r.currentLine.clear();
    r.mode = Mode::none;
    r.prompt.clear();
    sim.console.helpEmphasis = false;
    if (!sim.output.text.empty())
        sim.io().outputDiscarding(sim.output, sim.activeRouter);
    sim.output.replace(sim.console.bootText);
    sim.io().outputReplaced(sim.output);
    printLine(sim, " ");
    printLine(sim, r.hostname + " con0 is now available");
    printLine(sim, " ");
    printLine(sim, " ");
    printLine(sim, "Press RETURN to get started.");
    sim.io().repaint();
    r.commandHistory.clear();
    // The browsing cursor goes with the history; left behind it would bring
    // back a line from before the boot.
    r.historyIndex = 1;
    r.savedLine.clear();
}

void buildFreshRouter(Simulator& sim, const std::string& hostname) {
    resetStartupConfig(sim);
    if (!hostname.empty())
        sim.startupConfig.hostname = hostname;
    loadStartupConfig(sim);
    loadRouter(sim);
}

void startSession(Simulator& sim) {
    routerState& r = sim.liveRouter;
    if (r.consolePassword.empty() || !r.consoleLogin) {
        printBanner(sim, r.motdBanner);
        printBanner(sim, r.execBanner);
        enterMode(sim, Mode::user);
        return;
    }
    printBanner(sim, r.motdBanner);
    printBanner(sim, r.loginBanner);
    printLine(sim, " ");
    printLine(sim, "User Access Verification");
    sim.console.inputState = InputState::LoginPassword;
    r.prompt = passwordQuestion;
    r.mode = Mode::user;
    setInputLine(sim, passwordQuestion);
}

void checkLoginPassword(Simulator& sim, const std::string& line) {
    routerState& r = sim.liveRouter;
    if (passwordRight(sim, line, r.consolePassword, Mode::user, r.execBanner))
        return;
    if (r.failedPasswordCount >= 3) {
        sim.console.inputState = InputState::Normal;
        r.failedPasswordCount = 0;
        loadRouter(sim);
    }
}

void processEnable(Simulator& sim, const std::vector<std::string>& words) {
    routerState& r = sim.liveRouter;
    if (!r.enableSecret.empty())
        ask(sim, InputState::EnableSecretPassword, passwordQuestion, passwordQuestion);
    else if (!r.enablePassword.empty())
        ask(sim, InputState::EnablePassword, passwordQuestion, passwordQuestion);
    else if (words.size() == 1) {
        enterMode(sim, Mode::priv);
        resetInputLine(sim);
    } else
        printInvalidInput(sim);
}

void checkEnableSecret(Simulator& sim, const std::string& line) {
    checkEnableAnswer(sim, line, sim.liveRouter.enableSecret, {"% Bad secrets", " "});
}

void checkEnablePassword(Simulator& sim, const std::string& line) {
    checkEnableAnswer(sim, line, sim.liveRouter.enablePassword, {"% Bad passwords", " "});
}

void configureQuestion(Simulator& sim, const std::string& line) {
    const std::string answer = normaliseLine(sim, line);
    sim.console.inputState = InputState::Normal;
    sim.liveRouter.prompt = sim.liveRouter.savedPrompt;
    if (answer == "terminal" || answer == "term") {
        printLine(sim, enterConfiguration);
        enterMode(sim, Mode::conf);
    } else if (answer != "memory" && answer != "network") {
        printLine(sim, "?Must be 'terminal', 'memory' or 'network'");
    }
}

void reloadConfirm(Simulator& sim, char32_t ch) {
    // The transcript shows the question with the answer typed after it.
    std::string echoed = "\r\n" + sim.input.text;
    if (ch >= 32 && ch < 127)
        echoed += static_cast<char>(ch);
    sim.output.append(echoed, false);
    sim.io().outputAppended(echoed, false);
    if (ch == 'y' || ch == 'Y') {
        printLine(sim, ": %SYS-5-RELOAD: Reload requested");
        setInputLine(sim, "");
        sim.io().repaint();
        // Cancelled (an activity started meanwhile): whatever overtook the
        // reload keeps its router; nothing saved is loaded over it.
        if (!sim.wait(pauses::reloading) && sim.cancelled())
            return;
        // A reload boots what was saved: the saved configuration survives it,
        // as on a real router; nothing saved means the factory defaults.
        loadStartupConfig(sim);
        loadRouter(sim);
        return;
    }
    sim.liveRouter.prompt = sim.liveRouter.hostname + "#";
    sim.console.inputState = InputState::Normal;
    resetInputLine(sim);
}

namespace {

void enableCommand(const CommandContext& c) {
    processEnable(c.sim, c.words);
}

void disableCommand(const CommandContext& c) {
    enterMode(c.sim, Mode::user);
    resetInputLine(c.sim);
}

// Already in user mode: nothing to leave.
void alreadyDisabled(const CommandContext&) {}

enum SessionForm : int { question = 1, elsewhere, terminal, historyOn, historySize, historyOff };

void configureCommand(const CommandContext& c) {
    Simulator& sim = c.sim;
    if (c.form == question) {
        ask(sim, InputState::ConfigureQuestion, configureQuestionText, configureQuestionText);
    } else if (c.form == terminal) {
        printLine(sim, enterConfiguration);
        enterMode(sim, Mode::conf);
    }
}

void terminalCommand(const CommandContext& c) {
    routerState& r = c.sim.liveRouter;
    if (c.form == historyOn) {
        r.historySize = 10;
    } else if (c.form == historySize) {
        r.historySize = static_cast<int>(numberValue(c.words[3]));
    } else {
        r.historySize = 0;
        r.commandHistory.clear();
        r.historyIndex = 1;
    }
}

void logoutCommand(const CommandContext& c) {
    loadRouter(c.sim);
}

void reloadCommand(const CommandContext& c) {
    ask(c.sim, InputState::ReloadConfirm, reloadQuestion, reloadQuestion);
}

// Memory and network are taken and do nothing.
Syntax configureSyntax() {
    return {{{"conf|igure", question},
             {"conf|igure memory/network", elsewhere},
             {"conf|igure t|erminal", terminal}}};
}

Syntax terminalSyntax() {
    return {{{"terminal history", historyOn},
             {"terminal history size <1-256>:3", historySize},
             {"terminal no history", historyOff}}};
}

} // namespace

const std::vector<CommandRow>& sessionCommands() {
    using E = Elsewhere;
    const std::vector<Mode> exec = {Mode::user, Mode::priv};
    static const std::vector<CommandRow> rows = {
        {"configure",
         {"conf", "confi", "config", "configu", "configur"},
         {{Mode::priv, configureCommand, configureSyntax()}},
         E::unknownCommand,
         {{everyMode(), {"configure WORD WORD ..."}, helpSilence()},
          {{Mode::priv}, {"configure ?"}, helpScreen("configure_?")}}},
        {"disable",
         {},
         {{Mode::user, alreadyDisabled}, {Mode::priv, disableCommand, {{{"disable"}}}}},
         E::unknownCommand},
        {"enable",
         {"en"},
         {{Mode::user, enableCommand}, enableInConfiguration()},
         E::nothing,
         {{exec, {"enable/en ?"}, helpLines({"<0-15>  Enable level", "<cr>"})},
          {{Mode::conf}, {"enable/en ?"}, helpScreen("enable_?")}}},
        {"logout",
         {},
         sameIn({Mode::user, Mode::priv}, logoutCommand, {{{"logout"}}, {}, true}),
         E::unknownCommand},
        {"reload", {}, {{Mode::priv, reloadCommand, {{{"reload"}}}}}, E::unknownCommand},
        {"terminal",
         {},
         sameIn({Mode::user, Mode::priv}, terminalCommand, terminalSyntax()),
         E::unknownCommand,
         {{exec, {"terminal ?"}, helpScreen("terminal_?")},
          {exec,
           {"terminal history ?"},
           helpLines({" size  Set history buffer size", " <cr>"}, false)},
          {everyMode(), {"terminal WORD ?"}, helpUnknownCommand()},
          {exec,
           {"terminal history size ?"},
           helpLines({"<0-256>  Size of history buffer"}, false)}}},
    };
    return rows;
}

} // namespace kestro
