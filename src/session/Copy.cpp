// The copy command and its questions: saving and loading the configuration,
// and the TFTP dialogue, whose server answers only when the topology can
// reach it.
#include "session/Copy.h"

#include "Simulator.h"
#include "config/RouterStore.h"
#include "console/Console.h"
#include "console/LineHelpers.h"
#include "console/Pauses.h"
#include "records/AddressUtils.h"
#include "status/Displays.h"

#include <algorithm>
#include <string_view>

namespace kestro {

namespace {

constexpr const char* saveQuestion = "Destination filename [startup-config]?";
constexpr const char* loadQuestion = "Destination filename [running-config]?";
constexpr const char* hostQuestion = "Address or name of remote host []?";
constexpr const char* sourceQuestion = "Source filename []?";
constexpr const char* tftpServer = "192.160.5.5";

void askCopyQuestion(Simulator& sim, const char* question, const char* dialogue) {
    routerState& r = sim.liveRouter;
    r.savedPrompt = r.prompt;
    setInputLine(sim, question);
    // The prompt is the question shown, so that a redraw of the input line
    // (Ctrl-U, help) shows the same question again.
    r.prompt = question;
    sim.console.inputState = InputState::CopyQuestion;
    r.copyDialogue = dialogue;
}

// The input line after the question, lower-cased, without outer blanks.
std::string answerOf(const Simulator& sim, const std::string& line) {
    const std::size_t from = std::min(sim.liveRouter.prompt.size(), line.size());
    const std::string lowered = toLowerAscii(std::string_view(line).substr(from));
    const std::size_t first = lowered.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const std::size_t last = lowered.find_last_not_of(' ');
    return lowered.substr(first, last - first + 1);
}

// "Building configuration...", a pause and "[OK]". A copy is never left
// half done: when a window's action cancels the command during the pause,
// the copy still completes and shows its "[OK]" before the action runs, so
// the student knows what was saved. Only an activity started inside the
// pause drops it (answers false): the router it was for is gone. A console
// going away still gets its copy, without the "[OK]".
bool buildingOk(Simulator& sim) {
    printLine(sim, "Building configuration...");
    setInputLine(sim, "");
    sim.io().repaint();
    if (sim.wait(pauses::savingConfiguration)) {
        printLine(sim, "[OK]");
        return true;
    }
    if (sim.overtaken())
        return false;
    if (sim.cancelled())
        sim.finishDespiteCancel([&] { printLine(sim, "[OK]"); });
    return true;
}

void printNvramError(Simulator& sim, const std::string& answer) {
    printLine(sim, "%Error opening nvram:" + answer + " (No such file or directory)");
}

void endCopyDialogue(Simulator& sim, const std::string& prompt) {
    routerState& r = sim.liveRouter;
    r.prompt = prompt;
    r.mode = Mode::priv;
    sim.console.inputState = InputState::Normal;
}

// The answer to a file-name question: the file asked about, in full, short
// or taken by Enter, is copied with `copy`; another name is refused.
void answerFile(Simulator& sim, const std::string& answer, std::string_view file,
                std::string_view shortName, void (*copy)(Simulator&)) {
    routerState& r = sim.liveRouter;
    if (answer == file || answer == shortName || answer.empty()) {
        if (!buildingOk(sim))
            return;
        copy(sim);
        // The prompt is built after copying: a loaded configuration brings
        // its own host name.
        endCopyDialogue(sim, r.hostname + "#");
    } else {
        printNvramError(sim, answer);
        endCopyDialogue(sim, r.savedPrompt);
    }
}

void answerSave(Simulator& sim, const std::string& answer) {
    answerFile(sim, answer, "startup-config", "start", saveStartupConfig);
}

void answerLoad(Simulator& sim, const std::string& answer) {
    answerFile(sim, answer, "running-config", "run", loadStartupConfig);
}

void answerTftpHost(Simulator& sim, const std::string& answer) {
    routerState& r = sim.liveRouter;
    if (isValidIpAddress(answer)) {
        sim.console.tftpRequest.host = answer;
        setInputLine(sim, sourceQuestion);
        r.prompt = sourceQuestion;
        r.copyDialogue = "tftp_run_filename";
    } else if (answer.empty()) {
        printLine(sim, "?Host name or address not specified");
    } else {
        printLine(sim, "  ");
        printLine(sim, "?Invalid host address or name");
    }
}

void answerTftpSource(Simulator& sim, const std::string& answer) {
    routerState& r = sim.liveRouter;
    sim.console.tftpRequest.sourceFile = answer;
    setInputLine(sim, loadQuestion);
    r.prompt = loadQuestion;
    r.copyDialogue = "tftp_run_filename_run";
}

void answerTftpDestination(Simulator& sim, const std::string& answer) {
    TftpRequest& t = sim.console.tftpRequest;
    t.destinationFile = answer.empty() ? "running-config" : answer;
    endCopyDialogue(sim, sim.liveRouter.savedPrompt);
    printLine(sim, "Accessing tftp://" + t.host + "/" + t.sourceFile + "...");
    // Only the lab's server holds a configuration, and only when it can be
    // reached; the transfer itself changes nothing.
    if (t.host == tftpServer && t.sourceFile == "startup-config" &&
        t.destinationFile == "running-config" && pingTarget(sim, t.host, true)) {
        printLine(sim, "!!");
        printLine(sim, "532 bytes copied in 5.421 secs (106 bytes/sec) ");
    } else {
        printLine(sim, "%Error opening tftp://" + t.host + "/" + t.sourceFile);
    }
}

} // namespace

namespace {

// The form's id is its place here.
struct CopyForm {
    const char* question;
    const char* dialogue;
};
const CopyForm copyForms[] = {
    {saveQuestion, "run_start"},
    {loadQuestion, "start_run"},
    {hostQuestion, "tftp_run"},
};

void copyCommand(const CommandContext& c) {
    askCopyQuestion(c.sim, copyForms[c.form].question, copyForms[c.form].dialogue);
}

} // namespace

void copyQuestion(Simulator& sim, const std::string& line) {
    routerState& r = sim.liveRouter;
    const std::string answer = answerOf(sim, line);
    const std::string& step = r.copyDialogue;
    if (step == "run_start")
        answerSave(sim, answer);
    else if (step == "start_run")
        answerLoad(sim, answer);
    else if (step == "tftp_run")
        answerTftpHost(sim, answer);
    else if (step == "tftp_run_filename")
        answerTftpSource(sim, answer);
    else if (step == "tftp_run_filename_run")
        answerTftpDestination(sim, answer);
    else
        // An unknown step would keep every later line away from the
        // dispatcher: close the question instead.
        endCopyDialogue(sim, r.savedPrompt.empty() ? r.hostname + "#" : r.savedPrompt);
}

const std::vector<CommandRow>& copyCommands() {
    static const std::vector<CommandRow> rows = {
        {"copy",
         {},
         {{Mode::priv,
           copyCommand,
           {{{"copy running-config startup-config", 0},
             {"copy startup-config running-config", 1},
             {"copy tftp running-config", 2}},
            {{"run", "running-config"}, {"start", "startup-config"}}}}},
         Elsewhere::invalidInput,
         // The short file names are answered like the long ones.
         {{{Mode::priv}, {"copy ?"}, helpScreen("copy_?")},
          {{Mode::priv},
           {"copy running-config/run ?", "copy startup-config/start ?", "copy tftp ?"},
           helpScreen("copy_run_?")}}},
    };
    return rows;
}

} // namespace kestro
