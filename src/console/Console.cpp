#include "console/Console.h"

#include "Simulator.h"
#include "console/ConsoleRules.h"
#include "console/LineHelpers.h"
#include "console/Pauses.h"

#include <algorithm>
#include <exception>

namespace kestro {

Key Key::character(char32_t c) {
    Key k;
    k.ch = c;
    if (c >= 'a' && c <= 'z')
        k.code = static_cast<int>(c - 'a' + 'A');
    else if (c >= 'A' && c <= 'Z')
        k.code = static_cast<int>(c);
    else if (c == ' ')
        k.code = keySpace;
    else
        k.code = 0; // punctuation: no key-down row depends on it
    return k;
}

Key Key::special(int keyCode) {
    Key k;
    k.code = keyCode;
    switch (keyCode) {
    case keyBackspace:
    case keyTab:
    case keyEnter:
    case keyEscape:
    case keySpace:
        k.ch = static_cast<char32_t>(keyCode);
        break;
    default:
        k.ch = 0;
    }
    return k;
}

Key Key::control(char letter) {
    Key k;
    char upper = (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 'a' + 'A') : letter;
    k.code = upper;
    k.ctrl = true;
    // Ctrl with a letter types the control character of that letter, so
    // Ctrl-H is a Backspace and Ctrl-M an Enter, as on a terminal.
    k.ch = (upper >= 'A' && upper <= 'Z') ? static_cast<char32_t>(upper - 'A' + 1) : 0;
    return k;
}

namespace {

std::size_t promptLength(const Simulator& sim) {
    return sim.liveRouter.prompt.size();
}

void inputChanged(Simulator& sim) {
    sim.io().inputChanged(sim.input);
}

void setCaret(Simulator& sim, std::size_t caret) {
    sim.input.caret = std::min(caret, sim.input.text.size());
    inputChanged(sim);
}

// Removes the character at a 0-based position the way a text box does when
// that one character is selected and replaced by nothing: the caret ends at
// the position.
void deleteAt(Simulator& sim, std::size_t pos) {
    std::string& text = sim.input.text;
    if (pos < text.size())
        text.erase(pos, 1);
    setCaret(sim, pos);
}

// Keeps the caret one character past the prompt's end; the text box clamps
// the position to the end of its text.
void caretGuard(Simulator& sim) {
    if (sim.input.caret <= promptLength(sim))
        setCaret(sim, promptLength(sim) + 1);
}

bool caretAfterPrompt(const Simulator& sim) {
    return sim.input.caret > promptLength(sim);
}

void deleteWordLeft(Simulator& sim) {
    const std::string& text = sim.input.text;
    const long p = static_cast<long>(promptLength(sim));
    long i = static_cast<long>(sim.input.caret) - 1;
    for (; i >= p + 1; --i) {
        // A blank at the 1-based position i (0-based i - 1) ends the word.
        if (static_cast<std::size_t>(i - 1) < text.size() && text[i - 1] == ' ')
            break;
        deleteAt(sim, static_cast<std::size_t>(i));
    }
    if (caretAfterPrompt(sim) && i >= 0)
        deleteAt(sim, static_cast<std::size_t>(i));
}

void endOfConfiguration(Simulator& sim) {
    routerState& r = sim.liveRouter;
    const std::string marked = sim.input.text + "^Z";
    if (isConfigurationMode(r.mode)) {
        // Whether anything was typed besides Ctrl-Z is judged against the
        // prompt the line was typed at, before it changes.
        const bool typedSomething = normaliseLine(sim, marked).size() > 2;
        if (sim.console.inputState == InputState::BannerText) {
            // Ctrl-Z abandons a banner being entered; otherwise the console
            // would sit in privileged mode still collecting banner lines.
            sim.console.inputState = InputState::Normal;
            sim.console.bannerText.clear();
        }
        // The mark goes under the first character typed at the old prompt.
        const std::size_t typedFrom = r.prompt.size();
        r.prompt = r.hostname + "#";
        r.mode = Mode::priv;
        printLine(sim, marked);
        if (typedSomething) {
            sim.console.invalidMarker = typedFrom;
            printInvalidInput(sim);
            sim.console.invalidMarker.reset();
        }
        printLine(sim, configuredFromConsole);
    } else if (!r.prompt.empty()) {
        printLine(sim, marked);
    }
}

void complete(Simulator& sim) {
    echoInputLine(sim);
    const std::string completed = completePartialCommand(sim, sim.input.text);
    setInputLine(sim, sim.liveRouter.prompt + completed);
}

void historyUp(Simulator& sim) {
    routerState& r = sim.liveRouter;
    const int count = static_cast<int>(r.commandHistory.size());
    if (r.historyIndex == count + 1)
        r.savedLine = sim.input.text;
    r.historyIndex -= 1;
    if (r.historyIndex <= 0) {
        if (count == 0)
            sim.input.text = r.savedLine;
        r.historyIndex = 1;
    }
    if (r.historyIndex >= 1 && r.historyIndex <= count)
        sim.input.text = r.prompt + r.commandHistory[r.historyIndex - 1];
    setCaret(sim, sim.input.text.size());
}

void historyDown(Simulator& sim) {
    routerState& r = sim.liveRouter;
    const int count = static_cast<int>(r.commandHistory.size());
    if (r.historyIndex == count) {
        setInputLine(sim, r.savedLine);
        r.historyIndex = count + 1;
    } else if (r.historyIndex >= 1 && r.historyIndex <= count) {
        r.historyIndex += 1;
        setInputLine(sim, r.prompt + r.commandHistory[r.historyIndex - 1]);
    }
}

bool isPrintable(char32_t ch) {
    return ch >= 32 && ch < 127;
}

// Backspace and Ctrl-D: the character left of the caret goes, never the
// prompt's.
void deleteLeft(Simulator& sim) {
    if (!caretAfterPrompt(sim))
        return;
    const std::size_t at = sim.input.caret - 1;
    sim.input.text.erase(at, 1);
    setCaret(sim, at);
}

// Ctrl-R: the line is written out and typed afresh below it.
void redisplayLine(Simulator& sim) {
    const std::string old = sim.input.text;
    printLine(sim, old);
    setInputLine(sim, old);
}

// Ctrl and a letter: the terminal's editing keys. A control key not listed
// is left to the input box.
struct ControlKey {
    int letter;
    void (*act)(Simulator&);
};

const ControlKey controlKeys[] = {
    {'A', [](Simulator& sim) { setCaret(sim, promptLength(sim)); }},
    {'B',
     [](Simulator& sim) {
         if (caretAfterPrompt(sim))
             setCaret(sim, sim.input.caret - 1);
     }},
    {'D', deleteLeft},
    {'E', [](Simulator& sim) { setCaret(sim, sim.input.text.size()); }},
    {'F', [](Simulator& sim) { setCaret(sim, sim.input.caret + 1); }},
    {'R', redisplayLine},
    {'U', resetInputLine},
    {'W', deleteWordLeft},
    {'Z', endOfConfiguration},
};

} // namespace

bool keyDown(Simulator& sim, int keyCode, bool ctrl) {
    caretGuard(sim);
    // Before the session starts the key code is cleared: no row acts and
    // the input box does nothing with the key either.
    if (sim.liveRouter.mode == Mode::none)
        return true;
    if (keyCode == keyEscape) {
        sim.console.escPending = true;
        return false;
    }
    // At a password prompt there is nothing to complete or recall.
    if (isPasswordEntry(sim.console.inputState) &&
        (keyCode == keyTab || keyCode == keyArrowUp || keyCode == keyArrowDown))
        return true;
    switch (keyCode) {
    case keyArrowLeft:
        caretGuard(sim);
        if (sim.input.caret <= promptLength(sim) && sim.input.text == sim.liveRouter.prompt) {
            sim.input.text += ' ';
            setCaret(sim, sim.input.text.size());
        }
        return false; // the input box then moves the caret left
    case keyArrowUp:
        historyUp(sim);
        return true;
    case keyArrowDown:
        historyDown(sim);
        return true;
    case keyHome:
        return true;
    case keyTab:
        complete(sim);
        return true;
    default:
        break;
    }
    if (!ctrl)
        return false;
    for (const ControlKey& key : controlKeys) {
        if (key.letter == keyCode) {
            key.act(sim);
            return true;
        }
    }
    return false;
}

void keyUp(Simulator& sim, int keyCode) {
    if (keyCode == keyEscape)
        sim.console.escPending = false;
}

void keyPress(Simulator& sim, char32_t ch) {
    sim.console.lastKeyChar = static_cast<int>(ch);
    if (ch == keyTab)
        return;
    // A password is typed blind: nothing of it reaches the input line or the
    // transcript, and "?" is one of its characters.
    if (isPasswordEntry(sim.console.inputState) && ch != keyEnter) {
        std::string& concealed = sim.console.concealed;
        if (ch == keyBackspace && !concealed.empty())
            concealed.pop_back();
        else if (isPrintable(ch))
            concealed += static_cast<char>(ch);
        return;
    }
    if (ch == '?') {
        sim.input.text += '?';
        inputChanged(sim);
        showContextHelp(sim, sim.input.text);
        return;
    }
    if (sim.console.inputState == InputState::ReloadConfirm) {
        reloadConfirm(sim, ch);
        return;
    }
    if (ch == keyEnter) {
        completeLine(sim);
        return;
    }
    if (sim.liveRouter.mode == Mode::none)
        return;
    if (ch == keyBackspace) {
        deleteLeft(sim);
        return;
    }
    if (sim.console.escPending && (ch == 'f' || ch == 'F')) {
        const std::string& text = sim.input.text;
        std::size_t i = sim.input.caret + 1;
        while (i <= text.size() && text[i - 1] != ' ')
            ++i;
        setCaret(sim, i);
        sim.console.escPending = false;
        return;
    }
    if (sim.console.escPending && (ch == 'b' || ch == 'B')) {
        const std::string& text = sim.input.text;
        long i = static_cast<long>(sim.input.caret) - 1;
        const long p = static_cast<long>(promptLength(sim));
        while (i >= p + 1 && text[i - 1] != ' ')
            --i;
        setCaret(sim, static_cast<std::size_t>(std::max(i, p)));
        sim.console.escPending = false;
        return;
    }
    // The router terminal takes printable ASCII only; control characters
    // and other scripts are not inserted.
    if (!isPrintable(ch))
        return;
    sim.input.text.insert(sim.input.caret, 1, static_cast<char>(ch));
    setCaret(sim, sim.input.caret + 1);
}

namespace {

void deliverKey(Simulator& sim, const Key& key) {
    const bool swallowed = keyDown(sim, key.code, key.ctrl);
    if (key.ch != 0)
        keyPress(sim, key.ch);
    if (!swallowed && key.ch == 0 && sim.input.enabled) {
        // What the input box itself does with the keys nobody swallowed.
        std::string& text = sim.input.text;
        switch (key.code) {
        case keyArrowLeft:
            if (sim.input.caret > 0)
                setCaret(sim, sim.input.caret - 1);
            break;
        case keyArrowRight:
            setCaret(sim, sim.input.caret + 1);
            break;
        case keyEnd:
            setCaret(sim, text.size());
            break;
        case keyDelete:
            if (sim.input.caret < text.size()) {
                text.erase(sim.input.caret, 1);
                inputChanged(sim);
            }
            break;
        default:
            break;
        }
    }
    keyUp(sim, key.code);
}

} // namespace

namespace {

// A command cut short (by a failure, or cancelled by the front end) must not
// leave the console waiting: no listing or confirmation left open, the input
// line on and showing the prompt.
void recoverConsole(Simulator& sim) {
    routerState& r = sim.liveRouter;
    switch (sim.console.inputState) {
    case InputState::Paging:
        sim.console.inputState = InputState::Normal;
        break;
    case InputState::ReloadConfirm:
    case InputState::CopyQuestion:
        r.prompt = r.savedPrompt;
        sim.console.inputState = InputState::Normal;
        break;
    default:
        break;
    }
    sim.input.enabled = true;
    sim.input.caretVisible = true;
    resetInputLine(sim);
}

} // namespace

void pressKey(Simulator& sim, const Key& key) {
    // A key typed while a command waits is not the router's: the input line
    // is off then.
    if (!sim.input.enabled || sim.busy())
        return;
    Simulator::Command command(sim, Simulator::Command::keyPress);
    // One key is one command: its failures are logged and announced once.
    ErrorLog::Batch failures(sim.errorLog);
    try {
        deliverKey(sim, key);
    } catch (const std::exception& e) {
        sim.logError("TextWrite_KeyDown", e.what());
        recoverConsole(sim);
        return;
    }
    if (sim.cancelled())
        recoverConsole(sim);
    if (key.code == keyEnter && sim.afterCommand)
        sim.afterCommand(sim);
}

void manageHistory(Simulator& sim) {
    routerState& r = sim.liveRouter;
    if (sim.input.text.size() > r.prompt.size())
        r.commandHistory.push_back(sim.input.text.substr(r.prompt.size()));
    while (static_cast<int>(r.commandHistory.size()) > r.historySize && !r.commandHistory.empty())
        r.commandHistory.erase(r.commandHistory.begin());
    r.historyIndex = static_cast<int>(r.commandHistory.size()) + 1;
}

void echoInputLine(Simulator& sim) {
    sim.output.append("\r\n" + sim.input.text, false);
    sim.io().outputAppended("\r\n" + sim.input.text, false);
}

void resetInputLine(Simulator& sim) {
    setInputLine(sim, sim.liveRouter.prompt);
}

void setInputLine(Simulator& sim, std::string text) {
    sim.input.text = std::move(text);
    sim.console.concealed.clear();
    setCaret(sim, sim.input.text.size());
}

namespace {

struct Emphasis {
    std::string_view text;
    bool bold;
};

Emphasis applyEmphasis(Simulator& sim, std::string_view s, bool helpLine) {
    if (!sim.console.helpEmphasis)
        return {s, false};
    if (helpLine) {
        if (!s.empty() && s.front() == '$')
            return {s.substr(1), true};
        return {s, false};
    }
    std::string trimmed = toLowerAscii(s);
    const auto first = trimmed.find_first_not_of(' ');
    const auto last = trimmed.find_last_not_of(' ');
    trimmed = first == std::string::npos ? std::string() : trimmed.substr(first, last - first + 1);
    const std::size_t space = trimmed.find(' ');
    if (space == std::string::npos)
        return {s, false};
    const std::string w = trimmed.substr(0, space + 1);
    std::string q;
    for (char c : sim.console.helpTemplate) {
        if (c == '?')
            q += w;
        else
            q += c;
    }
    return {s, checkIfCommandImplemented(sim, q)};
}

void writeLine(Simulator& sim, std::string_view text, bool helpLine, bool continueLine) {
    const Emphasis e = applyEmphasis(sim, text, helpLine);
    if (!continueLine) {
        sim.output.append("\r\n", false);
        sim.io().outputAppended("\r\n", false);
    }
    sim.output.append(e.text, e.bold);
    sim.io().outputAppended(e.text, e.bold);
}

} // namespace

void printLine(Simulator& sim, std::string_view text, bool helpLine, bool continueLine) {
    // A cancelled command prints nothing more, even where it does not look
    // at the answer of its wait.
    if (sim.cancelled())
        return;
    if (!text.empty())
        writeLine(sim, text, helpLine, continueLine);
    if (!continueLine)
        resetInputLine(sim);
}

namespace {

// An empty input line with the caret hidden, as the listing shows it
// between its "--More--" prompts.
void blankInputLine(Simulator& sim) {
    sim.input.text.clear();
    sim.input.caret = 0;
    sim.input.caretVisible = false;
    inputChanged(sim);
    sim.io().repaint();
}

enum class MoreAnswer { page, line, stop };

// Shows " --More--" and waits: Space asks for another page, Enter for one
// more line, any other key ends the listing.
MoreAnswer askForMore(Simulator& sim) {
    sim.input.text = " --More--";
    sim.input.caret = sim.input.text.size();
    sim.input.caretVisible = true;
    inputChanged(sim);
    sim.io().repaint();
    sim.console.lastKeyChar = 0;
    const std::optional<int> key = sim.waitForKey();
    sim.console.lastKeyChar = key.value_or(-1);
    if (key == keySpace) {
        blankInputLine(sim);
        return MoreAnswer::page;
    }
    return key == keyEnter ? MoreAnswer::line : MoreAnswer::stop;
}

// Writes the lines a page at a time; stops early when the student declines
// more or the command is cancelled.
void writePages(Simulator& sim, const std::vector<std::string_view>& lines, bool helpLine) {
    const std::size_t page = static_cast<std::size_t>(std::max(1, sim.io().visibleLines()));
    bool oneMore = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].empty())
            writeLine(sim, lines[i], helpLine, false);
        const bool last = i + 1 == lines.size();
        if (last)
            break;
        if (!sim.wait(pauses::pagedLine))
            break;
        if ((i + 1) % page == 0 || oneMore) {
            const MoreAnswer answer = askForMore(sim);
            if (answer == MoreAnswer::stop)
                break;
            oneMore = answer == MoreAnswer::line;
        }
    }
}

} // namespace

void printPaged(Simulator& sim, std::string_view text, bool helpLine) {
    if (sim.cancelled())
        return;
    // A listing asked for while a question is open (a "?" at a password
    // prompt or inside banner text) must leave that question open.
    const InputState before =
        sim.console.inputState == InputState::Paging ? InputState::Normal : sim.console.inputState;
    sim.console.inputState = InputState::Paging;
    blankInputLine(sim);
    sim.input.enabled = false;
    inputChanged(sim);

    writePages(sim, splitOn(text, "\r\n"), helpLine);

    // A command cancelled during the listing prints nothing more; the
    // question the listing interrupted stays open unless an activity started
    // meanwhile has set the console up afresh.
    if (sim.cancelled()) {
        if (sim.console.inputState == InputState::Paging)
            sim.console.inputState = before;
        return;
    }
    sim.input.caretVisible = true;
    sim.input.enabled = true;
    resetInputLine(sim);
    sim.io().repaint();
    sim.console.inputState = before;
}

ScrollBarState scrollBarFor(int lastLine, int visibleLines) {
    ScrollBarState s;
    const int excess = lastLine - visibleLines;
    if (excess <= 0)
        return s;
    s.enabled = true;
    s.maximum = excess;
    // excess / 10 rounded to the nearest integer, halves to the even one.
    const int tenths = excess / 10;
    const int rest = excess % 10;
    int step = tenths + (rest > 5 || (rest == 5 && tenths % 2 == 1) ? 1 : 0);
    s.largeStep = step == 0 ? 1 : step;
    s.value = excess;
    return s;
}

void OutputPane::append(std::string_view piece, bool isBold) {
    if (piece.empty())
        return;
    if (isBold) {
        if (!bold.empty() && bold.back().start + bold.back().length == text.size())
            bold.back().length += piece.size();
        else
            bold.push_back({text.size(), piece.size()});
    }
    text.append(piece);
}

void OutputPane::replace(std::string newText) {
    text = std::move(newText);
    bold.clear();
}

void OutputPane::forgetFront(std::size_t count) {
    count = std::min(count, text.size());
    text.erase(0, count);
    std::vector<BoldRun> kept;
    for (const BoldRun& run : bold) {
        const std::size_t end = run.start + run.length;
        if (end > count) {
            const std::size_t start = std::max(run.start, count);
            kept.push_back({start - count, end - start});
        }
    }
    bold = std::move(kept);
}

std::string OutputPane::markedText() const {
    std::string out;
    std::size_t at = 0;
    for (const BoldRun& run : bold) {
        out.append(text, at, run.start - at);
        out += "<b>";
        out.append(text, run.start, run.length);
        out += "</b>";
        at = run.start + run.length;
    }
    out.append(text, at, std::string::npos);
    return out;
}

} // namespace kestro
