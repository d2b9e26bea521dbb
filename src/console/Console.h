// The router console's keyboard and output rules: the key-down table, the
// key-press order, the Enter table by input state, history, echo, and the
// two print operations with their paging and emphasis.
#pragma once

#include <string>
#include <string_view>

namespace kestro {

class Simulator;

// One key press as a front end delivers it.
struct Key {
    int code = 0;    // key-down code: a KeyCode, or 'A'..'Z' for letters
    char32_t ch = 0; // the character the key types; 0 for none
    bool ctrl = false;

    static Key character(char32_t c);
    static Key special(int keyCode); // Tab, Enter, Backspace, Esc, arrows, Home, End, Delete
    static Key control(char letter); // Ctrl held with a letter
};

// Delivers a whole key press: key-down, key-press and key-up, then what the
// input box itself does with a key nobody swallowed.
void pressKey(Simulator& sim, const Key& key);

// The three events, as the window raises them. keyDown answers whether the
// key was swallowed (the input box must not act on it).
bool keyDown(Simulator& sim, int keyCode, bool ctrl);
void keyPress(Simulator& sim, char32_t ch);
void keyUp(Simulator& sim, int keyCode);

// Records the current input line in the history.
void manageHistory(Simulator& sim);

// Appends CR LF and the whole input line to the output (the transcript echo).
void echoInputLine(Simulator& sim);

// Input line = prompt, caret at the end.
void resetInputLine(Simulator& sim);
// Input line = text, caret at the end.
void setInputLine(Simulator& sim, std::string text);

void printLine(Simulator& sim, std::string_view text, bool helpLine = false,
               bool continueLine = false);
void printPaged(Simulator& sim, std::string_view text, bool helpLine = false);

// Scroll-bar state that follows the output: enabled with maximum `excess`
// and large step, or disabled. lastLine is the 0-based line index of the
// output's last character.
struct ScrollBarState {
    bool enabled = false;
    int maximum = 0;
    int largeStep = 1;
    int value = 0;
};
ScrollBarState scrollBarFor(int lastLine, int visibleLines);

} // namespace kestro
