// kestro-console: the router console in a text terminal, interactive or fed
// from a keystroke script.
#include "ConsoleLearning.h"
#include "Frontends.h"

#include "Simulator.h"
#include "console/RecordingConsole.h"
#include "learning/Activities.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <vector>

namespace {

using namespace kestro;

constexpr const char* usage = R"(Usage: kestro-console [options]

Practise on the router console of Kestro Router Simulator in a terminal.
The console starts as a guided lab does: a fresh router at its boot screen.
Press Enter to start the session.

Options:
  --script FILE    type the keystrokes of FILE (- for standard input) and print
                   the transcript instead of running interactively
  --seed N         make the router's pseudo-random figures reproducible
  --lines N        lines per page for " --More--" (script mode never pages
                   without it)
  --bold           in script mode, write bold text as <b>...</b>
  --activity NAME  the activity to start (default: lab, a guided lab); the
                   names are listed below
%LEARNING%  --help           show this text

Keys (interactive):
  Enter            complete the line       Tab          complete the command
  ?                context help            Backspace    delete left of caret
  Left, Right      move the caret          Delete       delete right of caret
  Up, Down         command history         End          caret to the end
  Ctrl-A, Ctrl-E   start / end of command  Ctrl-B, Ctrl-F  caret left / right
  Ctrl-D           delete left of caret    Ctrl-W       delete the word left
  Ctrl-U           clear the line          Ctrl-R       redisplay the line
  Ctrl-Z           leave configuration     Esc f, Esc b word right / left
  Space, Enter     at " --More--": next page, next line; any other key stops
  F2               show the instructions again
  F3               switch between Learn Mode and Test Mode and show them
  F5, F6           Router A / Router B in the two-router exercises
                   (troubleshooting4-6); refused while a question or a
                   listing is open
  Ctrl-C or end of input leaves the program.

%ACTIVITIES%
Script files: every character is a key press, each end of line is Enter
(a line ending in a backslash is typed without Enter). Special keys:
)";

bool parseNumber(const char* text, long& value) {
    const char* end = text + std::char_traits<char>::length(text);
    auto [ptr, ec] = std::from_chars(text, end, value);
    return ec == std::errc() && ptr == end;
}

int fail(const std::string& message) {
    std::cerr << "kestro-console: " << message << "\n";
    return 2;
}

// A console window for script mode: message boxes go to standard error and
// are answered at once.
class ScriptIo : public RecordingConsole {
public:
    void messageBox(const std::string& text) override {
        std::cerr << text << "\n";
        RecordingConsole::messageBox(text);
    }
};

// The names --activity takes, wrapped to the width of the usage text.
std::string activityHelp() {
    std::string out = "Activities (--activity NAME):\n";
    auto list = [&out](const std::string& title, const std::vector<std::string>& names) {
        out += "  " + title + "\n";
        std::string line = "   ";
        for (const std::string& n : names) {
            if (line.size() + 1 + n.size() > 78) {
                out += line + "\n";
                line = "   ";
            }
            line += " " + n;
        }
        out += line + "\n";
    };
    std::vector<std::string> labs = {"lab"};
    labs.insert(labs.end(), guidedLabNames().begin(), guidedLabNames().end());
    std::vector<std::string> tests, exercises;
    // After the labs come the tests, then the exercises.
    for (std::size_t i = guidedLabNames().size(); i < activityNames().size(); ++i) {
        const std::string& n = activityNames()[i];
        (n.starts_with("troubleshooting") ? exercises : tests).push_back(n);
    }
    list("guided labs (lab is the first of them):", labs);
    list("graded tests:", tests);
    list("troubleshooting exercises (4 to 6 on RouterA and RouterB):", exercises);
    return out;
}

std::string usageText() {
    std::string text = usage;
    const std::string mark = "%ACTIVITIES%\n";
    text.replace(text.find(mark), mark.size(), activityHelp() + "\n");
    const std::string learningMark = "%LEARNING%";
    text.replace(text.find(learningMark), learningMark.size(), learningOptionHelp());
    return text;
}

} // namespace

int main(int argc, char** argv) {
    std::string scriptPath;
    bool haveScript = false;
    bool bold = false;
    long seed = -1;
    long lines = 0;
    std::string activity = "lab";
    ConsoleLearning learning;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](const char* what) -> const char* {
            if (i + 1 >= argc)
                return nullptr;
            (void)what;
            return argv[++i];
        };
        if (arg == "--help" || arg == "-h") {
            std::cout << usageText() << scriptKeyHelp();
            return 0;
        } else if (arg == "--script") {
            const char* v = value("FILE");
            if (!v)
                return fail("--script needs a file name (- for standard input)");
            scriptPath = v;
            haveScript = true;
        } else if (arg == "--seed") {
            const char* v = value("N");
            if (!v || !parseNumber(v, seed) || seed < 0)
                return fail("--seed needs a number of 0 or more");
        } else if (arg == "--lines") {
            const char* v = value("N");
            if (!v || !parseNumber(v, lines) || lines < 1)
                return fail("--lines needs a number of 1 or more");
        } else if (arg == "--bold") {
            bold = true;
        } else if (arg == "--activity") {
            const char* v = value("NAME");
            if (!v)
                return fail("--activity needs a name");
            activity = v;
        } else if (std::string problem;
                   const int taken = learning.takeOption(argc, argv, i, problem)) {
            if (taken < 0)
                return fail(problem);
        } else {
            return fail("unknown option " + arg + " (see --help)");
        }
    }

    if (const std::string problem = learning.check(activity, haveScript); !problem.empty())
        return fail(problem);

    // The script is read before anything starts, so a bad file changes nothing.
    std::vector<ScriptKey> keys;
    if (haveScript) {
        std::string text;
        if (scriptPath == "-") {
            text.assign(std::istreambuf_iterator<char>(std::cin), {});
        } else {
            std::ifstream in(scriptPath, std::ios::binary);
            if (!in)
                return fail("cannot read the script file " + scriptPath);
            text.assign(std::istreambuf_iterator<char>(in), {});
        }
        std::string error;
        auto parsed = parseScript(text, scriptPath == "-" ? "<stdin>" : scriptPath, error);
        if (!parsed)
            return fail(error);
        keys = std::move(*parsed);
    }

    const std::string dbPath = applicationFolder() + "/DataStore.db";
    std::string error;
    auto content = ContentStore::open(dbPath, error);
    if (!content) {
        std::cerr << "kestro-console: " << error << "\n";
        return 1;
    }

    ScriptIo io;
    io.lines = lines > 0 ? static_cast<int>(lines) : (haveScript ? 1000000 : 24);
    Simulator sim(io, std::move(content));
    if (seed >= 0)
        sim.random.seed(static_cast<std::mt19937::result_type>(seed));
    if (!startActivity(sim, activity))
        return fail("unknown activity " + activity);
    if (const auto status = learning.beforeSession(sim, haveScript, bold))
        return *status;

    if (!haveScript)
        return runTerminal(sim);
    const std::string transcript = runScript(sim, io, keys, bold);
    std::cout << (learning.replacesTranscript() ? learning.reportOutput(sim) : transcript);
    return 0;
}
