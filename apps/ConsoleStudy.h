// What kestro-console shows of the study record: the record's options, the
// progress table and export (--progress), a study session of due cards
// (--cards), and the Resume / Start again question of an activity left with
// its routers configured.
#pragma once

#include "Frontends.h"
#include "learning/StudyRecord.h"
#include "progress/Record.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestro {

class Simulator;

class ConsoleStudy {
public:
    // Takes argv[i] when it is one of these options (and its value). 0: not
    // one of them; 1: taken; -1: a fault, described in `error`.
    int takeOption(int argc, char** argv, int& i, std::string& error);
    // Once every option is read: a fault that stops the program, or empty.
    std::string check() const;

    // Opens the record. A script keeps nothing unless a record is named
    // (--record or KESTRO_RECORD), so grading homework never changes the
    // teacher's own record. A notice (a record set aside, none kept) goes to
    // standard error.
    void openRecord(bool haveScript);
    Record* record() { return record_.get(); }
    ActivityRecorder& recorder() { return recorder_; }

    // --progress (table or --json) and --cards replace the console.
    bool replacesConsole() const { return progress_ || cards_; }
    // Runs them; the exit status. `keys` are the script's keys in script
    // mode, else the terminal is read.
    int run(Simulator& sim, const std::optional<std::vector<ScriptKey>>& keys);

    // After the activity has started: records the opening and, when the
    // activity was left with its routers, resumes or starts again as
    // --resume/--fresh say; without them the terminal asks, and a script
    // starts again.
    void activityStarted(Simulator& sim, bool haveScript);
    // When the console ends.
    void sessionEnded(Simulator& sim);

private:
    std::string recordOption_;
    bool progress_ = false;
    bool json_ = false;
    bool cards_ = false;
    bool resume_ = false;
    bool fresh_ = false;
    std::unique_ptr<Record> record_;
    ActivityRecorder recorder_{nullptr};
};

// The option lines for --help.
std::string studyOptionHelp();

} // namespace kestro
