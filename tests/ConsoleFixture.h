// A fresh simulator on a recording console, with helpers to type keys and
// read what the router printed.
#pragma once

#include "Simulator.h"
#include "config/RouterStore.h"
#include "console/Console.h"
#include "console/RecordingConsole.h"
#include "registry/Dispatcher.h"
#include "session/Session.h"

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>

namespace kestro::testing {

// The content database built beside the tests, or null when it is missing.
inline std::unique_ptr<ContentStore> builtContent() {
    std::string error;
    return ContentStore::open(std::string(KESTRO_BIN_DIR) + "/DataStore.db", error);
}

class ConsoleTest : public ::testing::Test {
protected:
    explicit ConsoleTest(bool withContent = false)
        : sim(io, withContent ? builtContent() : nullptr, ::testing::TempDir()) {
        sim.topology.kind = TopologyKind::singleRouter;
        buildFreshRouter(sim);
    }

    routerState& router() { return sim.liveRouter; }

    // Types each character of `text`, then Enter unless told otherwise.
    void type(const std::string& text, bool enter = true) {
        for (char c : text)
            pressKey(sim, Key::character(static_cast<unsigned char>(c)));
        if (enter)
            press(keyEnter);
    }
    void press(int keyCode) { pressKey(sim, Key::special(keyCode)); }
    void ctrl(char letter) { pressKey(sim, Key::control(letter)); }

    // Enter on the boot screen, then each line in turn.
    void startSession() { press(keyEnter); }
    void toPrivileged() {
        startSession();
        type("enable");
    }
    void toConfiguration() {
        toPrivileged();
        type("configure terminal");
    }

    // Remembers where the output ends; since() gives what was printed after.
    void mark() { mark_ = sim.output.text.size(); }
    // The column of the invalid-input mark is left out (a blank in its
    // place): the marker's own tests pin it.
    std::string since() const {
        std::string out =
            mark_ <= sim.output.text.size() ? sim.output.text.substr(mark_) : sim.output.text;
        static const std::regex mark("\r\n *\\^\r\n% Invalid input");
        return std::regex_replace(out, mark, "\r\n \r\n% Invalid input");
    }
    // What typing `line` and Enter printed, its own echo left out.
    std::string outputOf(const std::string& line) {
        // An answer to a password question is not echoed.
        const std::string echo =
            "\r\n" + sim.input.text + (isPasswordEntry(sim.console.inputState) ? "" : line);
        mark();
        type(line);
        std::string out = since();
        if (out.starts_with(echo))
            out.erase(0, echo.size());
        return out;
    }

    const std::string& inputLine() const { return sim.input.text; }

    RecordingConsole io;
    Simulator sim;

private:
    std::size_t mark_ = 0;
};

inline const std::string invalidInput = "\r\n \r\n% Invalid input detected at '^' marker.";
inline const std::string incompleteCommand = "\r\n% Incomplete command.\r\n ";
inline const std::string unknownCommand =
    "\r\n% Unknown command or computer name, or unable to find computer address";

} // namespace kestro::testing
