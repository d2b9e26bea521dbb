// What Enter means in each input state: a command for the dispatcher, or
// the answer to the open question (configure, passwords, banner text, copy).
#include "Simulator.h"
#include "console/Console.h"
#include "console/ConsoleRules.h"
#include "console/LineHelpers.h"
#include "registry/Dispatcher.h"
#include "session/Copy.h"
#include "session/Session.h"

namespace kestro {

namespace {

// A line of banner text; the delimiter ends the banner.
void bannerLine(Simulator& sim, const std::string& line) {
    routerState& r = sim.liveRouter;
    const std::size_t p = line.find(sim.console.bannerDelimiter);
    if (p != std::string::npos) {
        std::string text = sim.console.bannerText + line.substr(0, p);
        if (sim.console.bannerKind == "motd")
            r.motdBanner = text;
        else if (sim.console.bannerKind == "exec")
            r.execBanner = text;
        else if (sim.console.bannerKind == "login")
            r.loginBanner = text;
        r.prompt = r.hostname + "(config)#";
        sim.console.inputState = InputState::Normal;
    }
    sim.console.bannerText += line + "\r\n";
}

// The open questions a typed line answers, each with its answer's handler;
// the answers to the configure and copy questions go into the history.
struct Question {
    InputState state;
    void (*answer)(Simulator&, const std::string&);
    bool kept;
};
constexpr Question questions[] = {
    {InputState::ConfigureQuestion, configureQuestion, true},
    {InputState::EnableSecretPassword, checkEnableSecret, false},
    {InputState::EnablePassword, checkEnablePassword, false},
    {InputState::LoginPassword, checkLoginPassword, false},
    {InputState::BannerText, bannerLine, false},
    {InputState::CopyQuestion, copyQuestion, true},
};

void answerQuestion(Simulator& sim, const std::string& line) {
    for (const Question& q : questions)
        if (q.state == sim.console.inputState) {
            echoInputLine(sim);
            if (q.kept)
                manageHistory(sim);
            q.answer(sim, line);
            return;
        }
}

} // namespace

void completeLine(Simulator& sim) {
    // A password answer was kept apart from the input line, which shows the
    // prompt alone and is echoed so.
    const std::string line = sim.input.text + sim.console.concealed;
    switch (sim.console.inputState) {
    case InputState::Normal:
        echoInputLine(sim);
        if (sim.liveRouter.prompt.empty()) {
            startSession(sim);
            resetInputLine(sim);
            return;
        }
        manageHistory(sim);
        dispatchCommand(sim, line);
        if (sim.console.inputState == InputState::Normal && !sim.cancelled())
            resetInputLine(sim);
        return;
    case InputState::ReloadConfirm:
    case InputState::Paging:
        return;
    default:
        answerQuestion(sim, line);
        break;
    }
    if (!sim.cancelled())
        resetInputLine(sim);
}

} // namespace kestro
