// Random keystroke streams typed into the router console: every key of the
// key table, printable characters, "?", Tab, Ctrl letters, Esc chords, the
// two-router panel's buttons and every activity start. " --More--" waits take
// their keys from the same bytes, so a run ends when the bytes do. During
// every wait the bytes may also deliver what a window's event loop would:
// a router button, an activity start, or a cancel of the running command.
#include "Simulator.h"
#include "console/Console.h"
#include "console/RecordingConsole.h"
#include "learning/Activities.h"
#include "registry/Dispatcher.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace kestro;

// One input is at most this many keys, so no input can run for long.
constexpr std::size_t maxKeys = 4096;

// Bytes 0x80 and up are commands of the fuzzer rather than characters.
enum Command : std::uint8_t {
    firstSpecial = 0x80, // 0x80..0x8B: the special keys below
    escF = 0x8C,
    escB = 0x8D,
    routerButtonA = 0x8E,
    routerButtonB = 0x8F,
    activity = 0x90,   // next byte picks the activity
    pageLength = 0x91, // next byte: lines per page, 1..64
    cancel = 0x92,     // the front end cancels the running command
    firstWord = 0xA0,  // 0xA0 and up: a command word typed whole
};

constexpr int specialKeys[] = {keyTab,        keyArrowUp, keyArrowDown, keyArrowLeft,
                               keyArrowRight, keyHome,    keyEnd,       keyBackspace,
                               keyDelete,     keySpace,   keyEnter,     keyEscape};

// Words that take random typing past the first prompt quickly.
const char* const words[] = {
    "enable ",
    "configure ",
    "terminal ",
    "interface ",
    "serial ",
    "ethernet ",
    "0 ",
    "1 ",
    "ip ",
    "address ",
    "255.255.255.0 ",
    "10.1.1.1 ",
    "196.56.12.2 ",
    "no ",
    "shutdown ",
    "show ",
    "running-config ",
    "startup-config ",
    "copy ",
    "reload ",
    "exit ",
    "end ",
    "line ",
    "con ",
    "vty ",
    "password ",
    "login ",
    "secret ",
    "banner ",
    "motd ",
    "router ",
    "rip ",
    "igrp ",
    "network ",
    "access-list ",
    "12 ",
    "deny ",
    "permit ",
    "any ",
    "access-group ",
    "ping ",
    "hostname ",
    "cdp ",
    "history ",
    "tftp ",
    "clock ",
    "rate ",
    "56000 ",
    "bandwidth ",
    "host ",
    "interfaces ",
    "route ",
    "protocols ",
    "neighbors ",
    "logout ",
    "disable ",
    "description ",
    "keepalive ",
    "exec-timeout ",
    "domain-lookup ",
};
constexpr std::size_t wordCount = sizeof(words) / sizeof(words[0]);

std::string folder;

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size)
        : data_(data), size_(size < maxKeys ? size : maxKeys) {}
    bool done() const { return next_ >= size_; }
    std::uint8_t take() { return data_[next_++]; }
    std::uint8_t peek() const { return data_[next_]; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t next_ = 0;
};

// A plain byte as the key it stands for; commands give nothing.
std::optional<Key> keyOf(std::uint8_t b) {
    if (b == '\n' || b == '\r')
        return Key::special(keyEnter);
    if (b == '\t')
        return Key::special(keyTab);
    if (b == 0x1B)
        return Key::special(keyEscape);
    if (b == 0x7F)
        return Key::special(keyBackspace);
    if (b >= 1 && b <= 26)
        return Key::control(static_cast<char>('a' + b - 1));
    if (b >= firstSpecial && b < escF)
        return Key::special(specialKeys[b - firstSpecial]);
    if (b < 0x80)
        return Key::character(b); // printable, "?", and a few that type nothing
    return std::nullopt;
}

void typeWord(Simulator& sim, const char* word) {
    for (const char* c = word; *c; ++c)
        pressKey(sim, Key::character(static_cast<unsigned char>(*c)));
}

void escChord(Simulator& sim, char letter) {
    if (sim.input.enabled)
        keyDown(sim, keyEscape, false);
    pressKey(sim, Key::character(static_cast<unsigned char>(letter)));
    keyUp(sim, keyEscape);
}

void check(bool holds) {
    if (!holds)
        __builtin_trap();
}

const std::vector<std::string>& activities() {
    static const std::vector<std::string> a = [] {
        std::vector<std::string> n = activityNames();
        n.emplace_back("lab");
        return n;
    }();
    return a;
}

// An event of the window (button, activity start, cancel) if the next byte
// is one; answers whether one was delivered. During a command's wait a
// router button must be refused.
bool deliverEvent(Simulator& sim, Input& in) {
    if (in.done())
        return false;
    const std::uint8_t b = in.peek();
    if (b == routerButtonA || b == routerButtonB) {
        in.take();
        const bool busy = sim.busy() || sim.console.inputState != InputState::Normal;
        const auto result = pressRouterButton(sim, b == routerButtonA ? RouterId::a : RouterId::b);
        check(!busy || !result || *result != SwitchResult::Switched);
        return true;
    }
    if (b == activity) {
        in.take();
        if (!in.done())
            check(startActivity(sim, activities()[in.take() % activities().size()]));
        return true;
    }
    if (b == cancel) {
        in.take();
        sim.cancelCommand();
        return true;
    }
    return false;
}

// The console takes keys: no command left running, no listing open, and at a
// plain prompt the input line starts with the prompt of the router's mode.
void checkUsable(const Simulator& sim) {
    check(!sim.busy() && !sim.cancelled());
    check(sim.console.inputState != InputState::Paging);
    check(sim.input.enabled);
    check(sim.input.caret <= sim.input.text.size());
    check(sim.activeRouter == RouterId::a || sim.activeRouter == RouterId::b);
    if (sim.console.inputState == InputState::Normal) {
        const routerState& r = sim.liveRouter;
        check(sim.input.text.starts_with(r.prompt));
        check(r.prompt == promptFor(sim, r.mode));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The error log of content failures goes here, not into the tree.
    char name[] = "/tmp/kestro-fuzz-XXXXXX";
    if (const char* made = mkdtemp(name))
        folder = made;
    else
        folder = "/tmp";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string dbPath = applicationFolder() + "/DataStore.db";
    std::string error;
    RecordingConsole io;
    Simulator sim(io, ContentStore::open(dbPath, error), folder);
    sim.random.seed(1);
    startActivity(sim, "lab");

    Input in(data, size);
    io.keySource = [&]() -> std::optional<int> {
        while (!in.done()) {
            if (deliverEvent(sim, in))
                continue;
            if (const auto key = keyOf(in.take()); key && key->ch != 0)
                return static_cast<int>(key->ch);
        }
        return std::nullopt;
    };
    io.duringPause = [&](int) {
        while (deliverEvent(sim, in)) {
        }
    };

    while (!in.done()) {
        if (deliverEvent(sim, in)) {
            checkUsable(sim);
            continue;
        }
        const std::uint8_t b = in.take();
        if (const auto key = keyOf(b)) {
            pressKey(sim, *key);
        } else if (b == escF || b == escB) {
            escChord(sim, b == escF ? 'f' : 'b');
        } else if (b == pageLength) {
            if (!in.done())
                io.lines = 1 + in.take() % 64;
        } else if (b >= firstWord) {
            typeWord(sim, words[(b - firstWord) % wordCount]);
        }

        checkUsable(sim);
    }
    io.keySource = nullptr;
    io.duringPause = nullptr;
    return 0;
}
