// The console's platform layer: what the router console needs from the window
// that shows it. The texts of the output pane and the input line are kept by
// the core (see OutputPane and InputLine) so that every front end edits and
// prints the same way; a front end only shows them and supplies pauses, keys
// and message boxes.
//
// Waits and events. A window cannot sleep: while the core waits (a paged
// line, a ping step, "Building configuration...", a reload, " --More--") it
// runs its event loop, so a click or a key may arrive in the middle of a
// command. The core keeps this contract:
//  - A command (one pressKey, or one activity start, to its end) marks the
//    simulator busy(); its waits all go through Simulator::wait and
//    Simulator::waitForKey, never through pause/waitForKey directly.
//  - The input line is disabled during every wait, and a key pressed while
//    busy is not taken.
//  - A router switch asked for while busy is refused as one asked at a
//    question is.
//  - A front end that must act during a wait (a menu item, a side-panel
//    button, closing) calls Simulator::cancelCommand() and returns from the
//    wait; it runs its action after the core has returned. The current wait
//    and every later wait of that command answer at once, the command prints
//    nothing more and leaves no stale state behind: nothing reloaded or
//    copied, no input state restored, the console back at its prompt.
//  - An activity started from inside a wait anyway (a window that cannot
//    defer it) cancels the running command first, so the same holds.
#pragma once

#include "records/RouterState.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestro {

// Key codes of the key-down and key-up events (the usual virtual-key values).
enum KeyCode : int {
    keyBackspace = 8,
    keyTab = 9,
    keyEnter = 13,
    keyEscape = 27,
    keySpace = 32,
    keyEnd = 35,
    keyHome = 36,
    keyArrowLeft = 37,
    keyArrowUp = 38,
    keyArrowRight = 39,
    keyArrowDown = 40,
    keyDelete = 46,
};

// The one-line input box: its text always starts with the prompt. The caret
// is a byte position that never splits a UTF-8 character.
struct InputLine {
    std::string text;
    std::size_t caret = 0;
    bool enabled = true;
    bool caretVisible = true;
};

// A run of bold text in the output pane, as byte offsets.
struct BoldRun {
    std::size_t start;
    std::size_t length;
    bool operator==(const BoldRun&) const = default;
};

// The output pane: the whole transcript, lines joined by CR LF.
struct OutputPane {
    std::string text;
    std::vector<BoldRun> bold;

    void append(std::string_view piece, bool isBold);
    void replace(std::string newText);
    // Forgets the first `count` bytes, for a front end that has written them
    // out and keeps no second copy (script mode streams the transcript); the
    // bold runs move with the text.
    void forgetFront(std::size_t count);
    // The text with every bold run wrapped in <b>...</b>.
    std::string markedText() const;
};

class ConsoleIo {
public:
    virtual ~ConsoleIo() = default;

    // The core changed the output pane: `piece` was appended (bold or not),
    // or the whole text was replaced.
    virtual void outputAppended(std::string_view piece, bool bold) { (void)piece, (void)bold; }
    virtual void outputReplaced(const OutputPane& pane) { (void)pane; }
    // The router's pane is about to be cleared (a session ends, a router
    // boots): what it held, for a front end that keeps whole transcripts.
    virtual void outputDiscarding(const OutputPane& pane, RouterId router) {
        (void)pane, (void)router;
    }
    // The input line changed (text, caret, enabled or caret visibility).
    virtual void inputChanged(const InputLine& line) { (void)line; }
    virtual void repaint() {}

    // Waits `ms` milliseconds without freezing the window (events may be
    // handled meanwhile, see above). Answers false when the wait was
    // interrupted (the console is going away): the caller then stops its
    // output.
    virtual bool pause(int ms) = 0;
    // Waits for the next typed character (its character code: 32 Space,
    // 13 Enter, ...). Empty when no key will come (end of input, console
    // closed): the caller treats it as a key that ends the listing.
    virtual std::optional<int> waitForKey() = 0;
    // How many text lines the output pane shows (at least 1).
    virtual int visibleLines() const = 0;
    virtual void messageBox(const std::string& text) = 0;
};

} // namespace kestro
