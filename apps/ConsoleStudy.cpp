#include "ConsoleStudy.h"

#include "Simulator.h"
#include "learning/Catalogue.h"
#include "progress/Study.h"
#include "shell/ProgressOverview.h"

#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>

namespace kestro {

int ConsoleStudy::takeOption(int argc, char** argv, int& i, std::string& error) {
    const std::string arg = argv[i];
    if (arg == "--record") {
        if (i + 1 >= argc || !*argv[i + 1]) {
            error = "--record needs a file name";
            return -1;
        }
        recordOption_ = argv[++i];
        return 1;
    }
    bool* flag = arg == "--progress" ? &progress_
                 : arg == "--json"   ? &json_
                 : arg == "--cards"  ? &cards_
                 : arg == "--resume" ? &resume_
                 : arg == "--fresh"  ? &fresh_
                                     : nullptr;
    if (!flag)
        return 0;
    *flag = true;
    return 1;
}

std::string ConsoleStudy::check() const {
    if (json_ && !progress_)
        return "--json goes with --progress";
    if (progress_ && cards_)
        return "--progress and --cards cannot be used together";
    if (resume_ && fresh_)
        return "--resume and --fresh cannot be used together";
    return {};
}

void ConsoleStudy::openRecord(bool haveScript) {
    const char* named = std::getenv("KESTRO_RECORD");
    if (haveScript && !replacesConsole() && recordOption_.empty() && !(named && *named))
        return;
    std::string notice;
    record_ = Record::open(recordPath(recordOption_), notice);
    if (!notice.empty())
        std::cerr << "kestro-console: " << notice << "\n";
    if (record_)
        record_->setFailureHandler([](const std::string& operation, const std::string& why) {
            std::cerr << "kestro-console: the study record was not updated (" << operation << ": "
                      << why << ")\n";
        });
    recorder_ = ActivityRecorder(record_.get());
}

namespace {

// One study session, keys from `next` (empty: no more keys).
int studyCards(StudySession& session, std::ostream& out,
               const std::function<std::optional<char32_t>()>& next) {
    out << "Study due cards: " << session.newCards() << " new, " << session.dueCards() << " due.\n";
    if (session.finished()) {
        out << "Nothing is due today.\n";
        return 0;
    }
    out << "Space shows the answer; 1 Again, 2 Hard, 3 Good, 4 Easy answer it; q ends.\n";
    int practised = 0;
    bool shown = false;
    while (!session.finished()) {
        if (!shown) {
            out << "\nCard " << session.position() + 1 << " of " << session.size() << " ("
                << session.label() << ")\nQuestion: " << session.current().question << "\n"
                << std::flush;
            shown = true;
        }
        const std::optional<char32_t> key = next();
        if (!key || *key == 'q' || *key == 'Q' || *key == 27 || *key == 3 || *key == 4)
            break;
        if (*key == ' ' && !session.revealed()) {
            session.reveal();
            out << "Answer: " << session.current().answer << "\n";
            if (session.currentIsPractice()) {
                out << "Practice: any of 1-4 goes on.\n";
            } else {
                const NextIntervals in = session.intervals(studyNow());
                out << "1 Again (" << daysText(in.again) << ")  2 Hard (" << daysText(in.hard)
                    << ")  3 Good (" << daysText(in.good) << ")  4 Easy (" << daysText(in.easy)
                    << ")\n";
            }
            out << std::flush;
        } else if (*key >= '1' && *key <= '4' && session.revealed()) {
            static const char* const names[] = {"Again", "Hard", "Good", "Easy"};
            const bool practice = session.currentIsPractice();
            session.answer(static_cast<Rating>(*key - '0'), studyNow());
            practised += practice ? 1 : 0;
            out << (practice ? "Practised." : std::string("Answered ") + names[*key - '1'] + ".")
                << "\n";
            shown = false;
        }
    }
    out << "\nSession " << (session.finished() ? "over" : "stopped") << ": " << session.rated()
        << " card(s) rated, " << practised << " practised again.\n";
    return 0;
}

// Raw keys from the terminal for the length of a study session.
class RawKeys {
public:
    RawKeys() {
        if (tcgetattr(STDIN_FILENO, &saved_) == 0) {
            termios raw = saved_;
            raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO | ISIG));
            raw.c_cc[VMIN] = 1;
            raw.c_cc[VTIME] = 0;
            active_ = tcsetattr(STDIN_FILENO, TCSAFLUSH, &raw) == 0;
        }
    }
    ~RawKeys() {
        if (active_)
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
    }
    std::optional<char32_t> next() {
        unsigned char c = 0;
        if (::read(STDIN_FILENO, &c, 1) != 1)
            return std::nullopt;
        return c;
    }

private:
    termios saved_{};
    bool active_ = false;
};

} // namespace

int ConsoleStudy::run(Simulator& sim, const std::optional<std::vector<ScriptKey>>& keys) {
    const StudyTime now = studyNow();
    if (progress_) {
        if (json_) {
            if (!record_)
                return 1;
            std::cout << record_->exportJson(now);
        } else {
            std::cout << progressTable(progressOverview(sim, record_.get(), now));
        }
        return 0;
    }
    StudySession session(studyDeck(sim), record_.get(), now);
    if (keys) {
        std::size_t at = 0;
        return studyCards(session, std::cout, [&]() -> std::optional<char32_t> {
            if (at >= keys->size())
                return std::nullopt;
            const Key& key = (*keys)[at++].key;
            return key.ch ? key.ch : static_cast<char32_t>(key.code);
        });
    }
    RawKeys terminal;
    return studyCards(session, std::cout, [&] { return terminal.next(); });
}

void ConsoleStudy::activityStarted(Simulator& sim, bool haveScript) {
    if (!record_)
        return;
    recorder_.opened(sim, studyNow());
    if (!recorder_.canResume(recorder_.current()))
        return;
    bool resume = resume_;
    if (!resume_ && !fresh_ && !haveScript && isatty(STDIN_FILENO)) {
        std::cout << "You left this activity with its routers configured.\n"
                     "Resume where you were (r) or Start again (s)? "
                  << std::flush;
        RawKeys terminal;
        for (std::optional<char32_t> key; (key = terminal.next());) {
            if (*key == 'r' || *key == 'R' || *key == 's' || *key == 'S') {
                resume = *key == 'r' || *key == 'R';
                break;
            }
        }
        std::cout << (resume ? "Resume" : "Start again") << "\n";
    }
    if (resume)
        recorder_.resume(sim);
    else
        recorder_.startAgain(sim);
}

void ConsoleStudy::sessionEnded(Simulator& sim) {
    recorder_.leaving(sim, studyNow());
}

std::string studyOptionHelp() {
    return R"(  --record FILE    the study record to use (also KESTRO_RECORD; default
                   $XDG_DATA_HOME/kestro/record.db, else
                   ~/.local/share/kestro/record.db). With --script nothing is
                   kept unless a record is named
  --progress       print the study record as a table (activity, status,
                   percent, best score, last opened) and the cards due
  --json           with --progress: print the export document (JSON)
  --cards          study the flash cards due today: Space shows the answer,
                   1 Again, 2 Hard, 3 Good, 4 Easy; q ends. With --script the
                   keys come from the file
  --resume, --fresh
                   an activity left with its routers configured resumes where
                   it was, or starts again, without asking
)";
}

} // namespace kestro
