#include "learning/StudyRecord.h"

#include "Simulator.h"
#include "config/RouterStore.h"
#include "console/Console.h"
#include "learning/Catalogue.h"
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

} // namespace

void ActivityRecorder::opened(Simulator& sim, StudyTime now) {
    leaving(sim, now);
    current_ = sim.learning.activityName;
    openedAt_ = now;
    if (record_ && !current_.empty())
        record_->activityOpened(current_, now);
}

void ActivityRecorder::leaving(Simulator& sim, StudyTime now) {
    if (current_.empty())
        return;
    if (record_) {
        const long seconds = static_cast<long>((now - openedAt_).count());
        record_->addSitting(current_, {openedAt_, seconds});
        // The routers belong to the activity being left only while it is
        // still the one on screen.
        if (hasRouters(sim) && sim.learning.activityName == current_)
            record_->keepState(current_, snapshotText(captureRouters(sim)));
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

void ActivityRecorder::checklistProgress(Simulator& sim, int done, int total, bool completed) {
    if (record_ && !sim.learning.activityName.empty())
        record_->checklistProgress(sim.learning.activityName, done, total, completed);
}

} // namespace kestro
