// A console window without a window: pauses are recorded instead of slept,
// keys for " --More--" come from a queue, message boxes are collected. Used
// by the tests, the benchmarks, the fuzz target and script mode.
#pragma once

#include "records/ConsoleIo.h"

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kestro {

class RecordingConsole : public ConsoleIo {
public:
    void outputAppended(std::string_view piece, bool) override { appended.append(piece); }
    bool pause(int ms) override {
        pauses.push_back(ms);
        // What a window's event loop would deliver during this wait.
        if (duringPause)
            duringPause(ms);
        return pauseAnswer;
    }
    std::optional<int> waitForKey() override {
        if (keySource)
            return keySource();
        if (pendingKeys.empty())
            return std::nullopt;
        int k = pendingKeys.front();
        pendingKeys.pop_front();
        return k;
    }
    void outputDiscarding(const OutputPane& pane, RouterId router) override {
        discarded.push_back({router, pane});
    }
    int visibleLines() const override { return lines; }
    void messageBox(const std::string& text) override { messages.push_back(text); }

    std::vector<int> pauses;
    std::function<void(int ms)> duringPause;
    bool pauseAnswer = true;
    std::deque<int> pendingKeys;
    // When set, waits for " --More--" take their key from here instead.
    std::function<std::optional<int>()> keySource;
    std::vector<std::string> messages;
    // Everything ever appended to the output pane, kept across replacements
    // (a boot screen replaces the pane).
    std::string appended;
    // The panes cleared so far, each with its router, oldest first.
    std::vector<std::pair<RouterId, OutputPane>> discarded;
    int lines = 1000000; // never pages unless a test asks for it
};

} // namespace kestro
