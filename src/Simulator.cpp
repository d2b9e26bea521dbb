#include "Simulator.h"

namespace kestro {

Simulator::Simulator(ConsoleIo& io, std::unique_ptr<ContentStore> content, std::string appFolder)
    : errorLog(std::move(appFolder), [this](const std::string& text) { io_->messageBox(text); }),
      io_(&io), content_(std::move(content)) {
    if (content_) {
        content_->setFailureHandler(
            [this](const std::string& caller, int number, const std::string& description) {
                logError(caller, description, number);
            });
        console.bootText = content_->cmdInfo("bootText", "frmSplash").value_or("");
    }
}

void Simulator::logError(const std::string& operationName, const std::string& description,
                         int number) {
    errorLog.logError(operationName, number, description);
}

void Simulator::cancelCommand() {
    if (busy())
        cancelled_ = true;
}

namespace {

// The input line is off for the wait, and put back as it was when the
// command goes on. A cancelled command leaves it to whoever overtook it.
template <typename Wait> auto inputOffDuring(Simulator& sim, ConsoleIo& io, Wait wait) {
    const bool wasEnabled = sim.input.enabled;
    if (wasEnabled) {
        sim.input.enabled = false;
        io.inputChanged(sim.input);
    }
    auto answer = wait();
    if (wasEnabled && !sim.cancelled()) {
        sim.input.enabled = true;
        io.inputChanged(sim.input);
    }
    return answer;
}

} // namespace

bool Simulator::wait(int ms) {
    if (cancelled_)
        return false;
    const bool answered = inputOffDuring(*this, *io_, [&] { return io_->pause(ms); });
    return answered && !cancelled_;
}

std::optional<int> Simulator::waitForKey() {
    if (cancelled_)
        return std::nullopt;
    const std::optional<int> key = inputOffDuring(*this, *io_, [&] { return io_->waitForKey(); });
    if (cancelled_)
        return std::nullopt;
    return key;
}

Simulator::Command::Command(Simulator& sim, Kind kind)
    : sim_(sim), wasStartingActivity_(sim.startingActivity_) {
    if (kind == activityStart && sim.busy() && !sim.startingActivity_) {
        // The overtaken command is cancelled; the start itself is not.
        overtakes_ = true;
        sim.cancelled_ = false;
    }
    if (kind == activityStart)
        sim.startingActivity_ = true;
    ++sim.depth_;
}

Simulator::Command::~Command() {
    --sim_.depth_;
    sim_.startingActivity_ = wasStartingActivity_;
    if (overtakes_) {
        sim_.cancelled_ = true;
        sim_.overtaken_ = true;
    }
    if (sim_.depth_ == 0) {
        sim_.cancelled_ = false;
        sim_.overtaken_ = false;
    }
}

} // namespace kestro
