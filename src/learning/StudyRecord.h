// The study record seen from the activities: which activity is open and for
// how long, the routers it is left with (offered back as Resume or Start
// again), test attempts and checklist progress. Front ends call these at
// the moments named; without a record (null) every call does nothing.
#pragma once

#include "progress/Record.h"
#include "progress/RouterSnapshot.h"

#include <cstddef>
#include <optional>
#include <string>

namespace kestro {

class Simulator;

// The routers of the current activity: the live one with its console text
// and input line, and the parked one of a two-router exercise.
KeptRouters captureRouters(const Simulator& sim);
// Puts kept routers back: the kept live router becomes live again with its
// console text and input line; the other is parked.
void restoreRouters(Simulator& sim, const KeptRouters& kept);

class ActivityRecorder {
public:
    explicit ActivityRecorder(Record* record) : record_(record) {}

    Record* record() const { return record_; }

    // After an activity has started (startActivity and the menus): it is
    // opened now. Leaves the activity open before, first.
    void opened(Simulator& sim, StudyTime now);
    // Before another activity or the flash cards open, and when the program
    // ends: the time spent is added and the routers kept for a later Resume.
    void leaving(Simulator& sim, StudyTime now);

    // Whether the activity has routers kept from an earlier sitting: the
    // front end then asks "Resume" or "Start again".
    bool canResume(const std::string& activity) const;
    // Resume: the kept routers replace the fresh ones. False when nothing
    // readable was kept (the kept text is then forgotten).
    bool resume(Simulator& sim);
    // Start again: the kept routers are forgotten.
    void startAgain(Simulator& sim);

    // After "Show Answer/ Submit" of a test: the attempt with its score and
    // the result of each check; a pass marks the test completed. The
    // routers of a submitted test are not kept.
    void testSubmitted(Simulator& sim, StudyTime now);
    // After each command: the checklist's best progress in this sitting is
    // written when it went up (a completed checklist completes the
    // activity). leaving() does it too.
    void noteProgress(Simulator& sim);

    // The activity being followed; empty when none.
    const std::string& current() const { return current_; }

private:
    Record* record_;
    std::string current_;
    StudyTime openedAt_{};
    std::size_t writtenBest_ = 0;
    KeptRouters atStart_; // the routers as the activity started
};

} // namespace kestro
