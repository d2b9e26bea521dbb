#include "learning/StudyRecord.h"

#include "Simulator.h"
#include "config/RouterStore.h"
#include "console/Console.h"
#include "learning/Catalogue.h"
#include "learning/Checklists.h"
#include "learning/Grading.h"

namespace kestro {

KeptRouters captureRouters(const Simulator& sim) {
    KeptRouters kept;
    kept.active = sim.activeRouter;
    KeptRouter live{sim.liveRouter, sim.startupConfig};
    live.live.consoleText = sim.output.text;
    live.live.consoleBold.clear();
    for (const BoldRun& run : sim.output.bold)
        live.live.consoleBold.emplace_back(run.start, run.length);
    live.live.inputText = sim.input.text;
    const bool twoRouters = sim.topology.kind == TopologyKind::twoRouters;
    if (!twoRouters) {
        kept.active = RouterId::a;
        kept.routers.push_back(std::move(live));
        return kept;
    }
    if (sim.activeRouter == RouterId::a) {
        kept.routers.push_back(std::move(live));
        kept.routers.push_back({sim.routerBStore, sim.routerBStartupStore});
    } else {
        kept.routers.push_back({sim.routerAStore, sim.routerAStartupStore});
        kept.routers.push_back(std::move(live));
    }
    return kept;
}

void restoreRouters(Simulator& sim, const KeptRouters& kept) {
    if (kept.routers.empty())
        return;
    const std::size_t active = kept.active == RouterId::b && kept.routers.size() > 1 ? 1 : 0;
    if (kept.routers.size() > 1) {
        const KeptRouter& other = kept.routers[1 - active];
        (active == 0 ? sim.routerBStore : sim.routerAStore) = other.live;
        (active == 0 ? sim.routerBStartupStore : sim.routerAStartupStore) = other.saved;
    }
    sim.activeRouter = active == 1 ? RouterId::b : RouterId::a;
    sim.liveRouter = kept.routers[active].live;
    sim.startupConfig = kept.routers[active].saved;
    showLiveConsole(sim);
}

namespace {

// The activities whose routers are worth keeping: those with a console.
bool hasRouters(const Simulator& sim) {
    const ActivityKind kind = sim.activity.kind;
    return sim.windows.BottomForm && (kind == ActivityKind::lab || kind == ActivityKind::test ||
                                      kind == ActivityKind::exercise);
}

// Whether the routers hold something of the student's: a command typed, or
// a configuration that differs from the one the activity started with. A
// lab only looked at is not offered back.
bool worthKeeping(const KeptRouters& now, const KeptRouters& atStart) {
    if (now.routers.size() != atStart.routers.size())
        return true;
    for (std::size_t i = 0; i < now.routers.size(); ++i) {
        const KeptRouter& a = now.routers[i];
        const KeptRouter& b = atStart.routers[i];
        if (!a.live.commandHistory.empty() || a.saved != b.saved ||
            static_cast<const routerConfig&>(a.live) != static_cast<const routerConfig&>(b.live))
            return true;
    }
    return false;
}

} // namespace

void ActivityRecorder::opened(Simulator& sim, StudyTime now) {
    leaving(sim, now);
    current_ = sim.learning.activityName;
    openedAt_ = now;
    writtenBest_ = 0;
    atStart_ = hasRouters(sim) ? captureRouters(sim) : KeptRouters{};
    if (record_ && !current_.empty())
        record_->activityOpened(current_, now);
}

void ActivityRecorder::leaving(Simulator& sim, StudyTime now) {
    if (current_.empty())
        return;
    noteProgress(sim);
    if (record_) {
        const long seconds = static_cast<long>((now - openedAt_).count());
        record_->addSitting(current_, {openedAt_, seconds});
        // The routers belong to the activity being left only while it is
        // still the one on screen.
        if (hasRouters(sim) && sim.learning.activityName == current_) {
            const KeptRouters kept = captureRouters(sim);
            if (worthKeeping(kept, atStart_))
                record_->keepState(current_, snapshotText(kept));
        }
    }
    current_.clear();
}

bool ActivityRecorder::canResume(const std::string& activity) const {
    return record_ && record_->keptState(activity).has_value();
}

bool ActivityRecorder::resume(Simulator& sim) {
    if (!record_)
        return false;
    const std::string& name = sim.learning.activityName;
    const auto text = record_->keptState(name);
    const auto kept = text ? readSnapshot(*text) : std::nullopt;
    if (!kept) {
        record_->forgetState(name);
        return false;
    }
    restoreRouters(sim, *kept);
    return true;
}

void ActivityRecorder::startAgain(Simulator& sim) {
    if (record_)
        record_->forgetState(sim.learning.activityName);
}

void ActivityRecorder::testSubmitted(Simulator& sim, StudyTime now) {
    const std::string& name = sim.learning.activityName;
    if (!record_ || activityType(name) != ActivityType::test)
        return;
    const TestGrade grade = gradeTest(sim.liveRouter, testChecks(sim, testNumber(name)));
    TestAttempt attempt{now, static_cast<int>(grade.score()), {}};
    for (const ReportLine& line : grade.lines)
        if (!line.heading)
            attempt.parts.push_back({line.text, line.correct});
    record_->addTestAttempt(name, attempt);
    if (grade.passed())
        record_->markCompleted(name);
    record_->forgetState(name);
}

void ActivityRecorder::noteProgress(Simulator& sim) {
    // Only the activity on screen has its checklist loaded.
    if (!record_ || current_.empty() || sim.learning.activityName != current_)
        return;
    const ChecklistProgress p = checklistProgress(sim);
    if (p.total == 0 || p.best <= writtenBest_)
        return;
    // Every step met at once, even if later undone, completes the activity.
    if (record_->checklistProgress(current_, static_cast<int>(p.best), static_cast<int>(p.total),
                                   p.best == p.total))
        writtenBest_ = p.best;
}

} // namespace kestro
