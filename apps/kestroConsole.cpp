// kestro-console: the router console in a text terminal, interactive or fed
// from a keystroke script.
#include "ConsoleGrading.h"
#include "ConsoleLearning.h"
#include "ConsoleStudy.h"
#include "Frontends.h"

#include "Simulator.h"
#include "console/RecordingConsole.h"
#include "learning/Activities.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <streambuf>
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
  --grade FILE...  type each keystroke file into a fresh session of the
                   activity and write one CSV row per file: a test's score,
                   grade and parts, or a lab's or exercise's checklist items
                   and percent; exit 0 when every file was read
  --csv OUT        where --grade writes (- for standard output, the default)
%LEARNING%%STUDY%  --help           show this text

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
  F4               show the checklist of a lab or an exercise
  F7               the next hint of the first unmet item, at last its solution
  F5, F6           Router A / Router B in the two-router exercises
                   (troubleshooting4-6); refused while a question or a
                   listing is open
  Ctrl-C or end of input leaves the program.

%ACTIVITIES%
Script files: every character is a key press, each end of line is Enter
(a line ending in a backslash is typed without Enter). Special keys:
)";

// A whole decimal number that fits T and is at least `least`; anything
// else (letters, a sign where none fits, a value too large) is refused.
template <typename T> bool parseNumber(const char* text, T least, T& value) {
    const char* end = text + std::char_traits<char>::length(text);
    T parsed{};
    auto [ptr, ec] = std::from_chars(text, end, parsed);
    if (ec != std::errc() || ptr != end || ptr == text || parsed < least)
        return false;
    value = parsed;
    return true;
}

int fail(const std::string& message) {
    std::cerr << "kestro-console: " << message << "\n";
    return 2;
}

// A console window for script mode: message boxes go to standard error and
// are answered at once.
class ScriptIo : public RecordingConsole {
public:
    // The transcript is written out as it grows: no copy is kept here.
    void outputAppended(std::string_view, bool) override {}
    void outputDiscarding(const OutputPane&, RouterId) override {}
    // Pauses are not slept, nor kept.
    bool pause(int) override { return true; }
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
    const std::string studyMark = "%STUDY%";
    text.replace(text.find(studyMark), studyMark.size(), studyOptionHelp());
    return text;
}

int run(int argc, char** argv) {
    std::string scriptPath;
    bool haveScript = false;
    bool bold = false;
    std::optional<std::uint32_t> seed;
    int lines = 0;
    std::string activity = "lab";
    ConsoleLearning learning;
    std::vector<std::string> gradeFilesGiven;
    bool grade = false;
    std::optional<std::string> csvPath;
    ConsoleStudy study;
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
            std::uint32_t value = 0;
            if (!v || !parseNumber<std::uint32_t>(v, 0, value))
                return fail("--seed needs a number from 0 to 4294967295");
            seed = value;
        } else if (arg == "--lines") {
            const char* v = value("N");
            if (!v || !parseNumber<int>(v, 1, lines))
                return fail("--lines needs a number from 1 to 2147483647");
        } else if (arg == "--bold") {
            bold = true;
        } else if (arg == "--grade") {
            grade = true;
            while (i + 1 < argc && !std::string(argv[i + 1]).starts_with("--"))
                gradeFilesGiven.push_back(argv[++i]);
        } else if (arg == "--csv") {
            const char* v = value("OUT");
            if (!v)
                return fail("--csv needs a file name (- for standard output)");
            csvPath = v;
        } else if (arg == "--activity") {
            const char* v = value("NAME");
            if (!v)
                return fail("--activity needs a name");
            activity = v;
        } else if (std::string problem;
                   const int taken = learning.takeOption(argc, argv, i, problem)) {
            if (taken < 0)
                return fail(problem);
        } else if (std::string problem;
                   const int taken = study.takeOption(argc, argv, i, problem)) {
            if (taken < 0)
                return fail(problem);
        } else {
            return fail("unknown option " + arg + " (see --help)");
        }
    }

    if (grade || csvPath) {
        if (!grade || gradeFilesGiven.empty())
            return fail("--grade needs one or more keystroke files");
        if (haveScript || learning.replacesTranscript())
            return fail("--grade types its own files: leave out --script, --report and --check");
        GradeRequest request{activity, gradeFilesGiven, applicationFolder() + "/DataStore.db",
                             seed};
        const std::string out = csvPath.value_or("-");
        if (out == "-")
            return gradeFiles(request, std::cout, std::cerr);
        std::ofstream file(out, std::ios::binary);
        if (!file)
            return fail("cannot write " + out + ": " + std::strerror(errno));
        const int status = gradeFiles(request, file, std::cerr);
        file.close();
        if (!file) {
            std::cerr << "kestro-console: cannot write " << out << "\n";
            return 1;
        }
        return status;
    }

    if (const std::string problem = learning.check(activity, haveScript); !problem.empty())
        return fail(problem);
    if (const std::string problem = study.check(); !problem.empty())
        return fail(problem);

    // The script is read and checked before anything starts, so a bad file
    // changes nothing; its keys are read again as they are typed.
    std::string scriptText;
    const std::string scriptName = scriptPath == "-" ? "<stdin>" : scriptPath;
    if (haveScript) {
        std::string error;
        std::optional<std::string> text = readScriptFile(scriptPath, error);
        if (!text)
            return fail(error);
        if (!checkScript(*text, scriptName, error))
            return fail(error);
        scriptText = std::move(*text);
    }

    const std::string dbPath = applicationFolder() + "/DataStore.db";
    std::string error;
    auto content = ContentStore::open(dbPath, error);
    if (!content) {
        std::cerr << "kestro-console: " << error << "\n";
        return 1;
    }

    ScriptIo io;
    io.lines = lines > 0 ? lines : (haveScript ? 1000000 : 24);
    Simulator sim(io, std::move(content));
    if (seed)
        sim.random.seed(*seed);
    study.openRecord(haveScript);
    if (study.replacesConsole()) {
        std::string error;
        return study.run(sim,
                         haveScript ? parseScript(scriptText, scriptName, error) : std::nullopt);
    }
    if (!startActivity(sim, activity))
        return fail("unknown activity " + activity);
    if (const auto status = learning.beforeSession(sim, haveScript, bold))
        return *status;
    study.activityStarted(sim, haveScript);

    if (!haveScript) {
        const int status = runTerminal(sim);
        study.sessionEnded(sim);
        return status;
    }
    // The transcript is written as it is typed; a kept record keeps the
    // console text, so only without one may the pane forget what is written.
    ScriptReader keys(scriptText, scriptName);
    const TranscriptOutput transcript{std::cout, bold, study.record() ? 0 : std::size_t{1} << 20};
    runScript(sim, io, keys, learning.replacesTranscript() ? nullptr : &transcript);
    study.sessionEnded(sim);
    if (learning.replacesTranscript())
        std::cout << learning.reportOutput(sim);
    return learning.exitStatus(sim);
}

// Standard output for std::cout that remembers the first failed write and
// its reason: a transcript or a report lost on a full disk or a closed output
// is a failure, not status 0.
class CheckedOutput : public std::streambuf {
public:
    ~CheckedOutput() override { sync(); }
    // 0 while every write has succeeded, else the first failure's errno.
    int error() const { return error_; }

protected:
    int_type overflow(int_type ch) override {
        if (traits_type::eq_int_type(ch, traits_type::eof()))
            return sync() == 0 ? traits_type::not_eof(ch) : traits_type::eof();
        buffer_.push_back(traits_type::to_char_type(ch));
        if (buffer_.size() >= 1 << 16)
            sync();
        return ch;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        buffer_.append(s, static_cast<std::size_t>(n));
        if (buffer_.size() >= 1 << 16)
            sync();
        return n;
    }
    int sync() override {
        std::size_t done = 0;
        while (error_ == 0 && done < buffer_.size()) {
            const ssize_t n = ::write(STDOUT_FILENO, buffer_.data() + done, buffer_.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                error_ = n < 0 ? errno : EIO;
            else
                done += static_cast<std::size_t>(n);
        }
        buffer_.clear();
        return error_ == 0 ? 0 : -1;
    }

private:
    std::string buffer_;
    int error_ = 0;
};

// The status to exit with once everything is written.
int outputWritten(CheckedOutput& out, int status) {
    std::cout.flush();
    if (out.error() == 0)
        return status;
    std::cerr << "kestro-console: cannot write the output: " << std::strerror(out.error()) << "\n";
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    CheckedOutput out;
    std::streambuf* const standard = std::cout.rdbuf(&out);
    // Whatever goes wrong ends with one message and a status, never an abort.
    int status = 0;
    try {
        status = run(argc, argv);
    } catch (const std::exception& e) {
        status = fail(std::string("unexpected failure: ") + e.what());
    }
    status = outputWritten(out, status);
    std::cout.rdbuf(standard);
    return status;
}
