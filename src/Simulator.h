// The one object that holds everything the system keeps for a whole run: the
// routers, the saved configuration, topology and activity values, console
// values and the content connection. A front end creates and owns one; a
// test builds a fresh one, so nothing leaks between tests.
#pragma once

#include "SimulatorRecords.h"
#include "content/ContentStore.h"
#include "platform/ErrorLog.h"
#include "records/ConsoleIo.h"
#include "records/LearningState.h"
#include "records/RouterState.h"
#include "records/SessionFacts.h"
#include "records/ShellState.h"

#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>

namespace kestro {

class Simulator {
public:
    // io: the console window this simulator prints to (not owned; must
    // outlive the simulator or be replaced first). content may be null: then
    // every lookup finds nothing.
    Simulator(ConsoleIo& io, std::unique_ptr<ContentStore> content = nullptr,
              std::string appFolder = applicationFolder());

    ConsoleIo& io() { return *io_; }
    void setIo(ConsoleIo& io) { io_ = &io; }
    ContentStore* content() { return content_.get(); }

    // Reports an unexpected failure inside the named operation (error log
    // and one message box); the operation then continues.
    void logError(const std::string& operationName, const std::string& description, int number = 0);

    // --- the running command (see the contract in ConsoleIo.h) -------------
    // A command (one key press, one activity start) is running.
    bool busy() const { return depth_ > 0; }
    // The running command's current and later waits answer at once; it
    // prints nothing more and leaves no stale state. Nothing to cancel when
    // no command runs.
    void cancelCommand();
    bool cancelled() const { return cancelled_; }
    // True once an activity start has overtaken the running command: the
    // console and its router then belong to the new activity.
    bool overtaken() const { return overtaken_; }
    // Runs `finish` with output allowed although the command was cancelled by
    // a window: for an action that is not left half done (a copy), so the
    // student sees it end before the window's action runs.
    template <typename Finish> void finishDespiteCancel(Finish finish) {
        const bool was = cancelled_;
        cancelled_ = false;
        finish();
        cancelled_ = was;
    }

    // The only way the core waits. Both switch the input line off for the
    // wait and answer at once once the command is cancelled. wait answers
    // false when the output must stop (cancelled, or the console is going
    // away); waitForKey answers empty then.
    bool wait(int ms);
    std::optional<int> waitForKey();

    // Marks one command as running for its lifetime. An activity start that
    // arrives while a key's command waits (a window runs its events there)
    // overtakes that command: the command is cancelled, and it stays
    // cancelled after the start has run.
    class Command {
    public:
        enum Kind { keyPress, activityStart };
        Command(Simulator& sim, Kind kind);
        ~Command();
        Command(const Command&) = delete;
        Command& operator=(const Command&) = delete;

    private:
        Simulator& sim_;
        bool overtakes_ = false;
        bool wasStartingActivity_ = false;
    };

    // --- routers -----------------------------------------------------------
    routerState liveRouter;
    routerState routerAStore;
    routerState routerBStore;
    RouterId activeRouter = RouterId::a;
    // The live router's saved configuration. Each router keeps its own: the
    // parked router's waits in its store below and is switched with it.
    routerConfig startupConfig;
    routerConfig routerAStartupStore;
    routerConfig routerBStartupStore;

    // --- topology and activity values --------------------------------------
    TopologyValues topology;
    ActivityValues activity;

    // --- lessons: texts, documents, deck; the windows and the side panel ---
    LearningState learning;
    // The commands run in the current activity (cleared when one starts).
    SessionFacts facts;
    // Called once a typed line has been carried out (after each Enter), so
    // the learning layer above can look at the routers again.
    std::function<void(Simulator&)> afterCommand;
    // The console (BottomForm) is open while a router exists for the current
    // activity, so a further guided lab goes on with it.
    OpenWindows windows;
    SidePanelState sidePanel;

    // --- console values ----------------------------------------------------
    ConsoleValues console;
    InputLine input;
    OutputPane output;

    // Pseudo-random figures of a real router (timers, round-trip times).
    std::mt19937 random{std::random_device{}()};

    ErrorLog errorLog;

private:
    ConsoleIo* io_;
    int depth_ = 0;
    bool cancelled_ = false;
    bool overtaken_ = false;
    bool startingActivity_ = false;
    std::unique_ptr<ContentStore> content_;
};

} // namespace kestro
