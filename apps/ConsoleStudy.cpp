#include "ConsoleStudy.h"

#include "Simulator.h"
#include "learning/Catalogue.h"
#include "progress/Study.h"

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

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

std::string days(int n) {
    return std::to_string(n) + (n == 1 ? " day" : " days");
}

std::string duration(long seconds) {
    const long minutes = seconds / 60;
    if (minutes < 60)
        return std::to_string(minutes) + " min";
    return std::to_string(minutes / 60) + " h " + std::to_string(minutes % 60) + " min";
}

// The flash cards in content order, so a study session is the same each time.
std::vector<FlashCard> deckOf(Simulator& sim) {
    std::vector<FlashCard> deck;
    if (ContentStore* store = sim.content())
        for (auto& row : store->query("SELECT question, answer FROM flashCards ORDER BY ID", {},
                                      "studyDueCards"))
            if (row.size() == 2)
                deck.push_back({std::move(row[0]), std::move(row[1])});
    return deck;
}

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
                out << "1 Again (" << days(in.again) << ")  2 Hard (" << days(in.hard)
                    << ")  3 Good (" << days(in.good) << ")  4 Easy (" << days(in.easy) << ")\n";
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

std::string progressTable(Record* record, int deckSize, StudyTime now) {
    std::map<std::string, ActivityProgress> known;
    if (record)
        for (ActivityProgress& a : record->activities())
            known.emplace(a.name, std::move(a));
    std::ostringstream out;
    out << padded("Activity", 32) << padded("Status", 13) << "Percent  Best score  Last opened\n";
    for (const std::string& name : activityNames()) {
        ActivityProgress a;
        if (const auto found = known.find(name); found != known.end())
            a = found->second;
        const std::string percent = std::to_string(a.percent()) + "%";
        const std::string best = a.bestScore ? std::to_string(*a.bestScore) : "-";
        out << padded(name, 32) << padded(a.status(), 13)
            << std::string(7 - std::min<std::size_t>(7, percent.size()), ' ') << percent
            << std::string(12 - std::min<std::size_t>(12, best.size()), ' ') << best << "  "
            << (a.lastOpened ? isoDate(*a.lastOpened) : "-") << "\n";
    }
    int studied = 0;
    std::vector<int> forecast(7, 0);
    long week = 0;
    if (record) {
        studied = static_cast<int>(record->cards().size());
        forecast = dueForecast(*record, now);
        week = record->secondsSince(startOfLocalDay(now) - std::chrono::days{6});
    }
    const int newLeft =
        record ? std::max(0, newCardsPerDay - record->cardsFirstReviewed(startOfLocalDay(now),
                                                                         endOfLocalDay(now)))
               : newCardsPerDay;
    out << "\nFlash cards: " << studied << " of " << deckSize << " studied; due today "
        << forecast[0] << ", new today up to " << std::min(newLeft, deckSize - studied) << ".\n"
        << "Due in the next days:";
    for (std::size_t i = 1; i < forecast.size(); ++i)
        out << " " << forecast[i];
    out << "\nTime studied in the last seven days: " << duration(week) << ".\n";
    return out.str();
}

int ConsoleStudy::run(Simulator& sim, const std::optional<std::vector<ScriptKey>>& keys) {
    const StudyTime now = studyNow();
    const std::vector<FlashCard> deck = deckOf(sim);
    if (progress_) {
        if (json_) {
            if (!record_)
                return 1;
            std::cout << record_->exportJson(now);
        } else {
            std::cout << progressTable(record_.get(), static_cast<int>(deck.size()), now);
        }
        return 0;
    }
    StudySession session(deck, record_.get(), now);
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
