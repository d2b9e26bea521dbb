// The router console on a text terminal: raw keys in, the transcript and the
// input line drawn with a few ANSI control sequences.
#include "ConsoleLearning.h"
#include "Frontends.h"

#include "Simulator.h"
#include "learning/Activities.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace kestro {

namespace {

termios savedMode;
bool rawModeOn = false;

void restoreTerminal() {
    if (rawModeOn) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedMode);
        rawModeOn = false;
    }
}

void onSignal(int sig) {
    restoreTerminal();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

void enterRawMode() {
    if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &savedMode) != 0)
        return;
    termios raw = savedMode;
    // Ctrl-Z and Ctrl-C are keys of the router console, so the terminal must
    // not turn them into signals; Ctrl-C is handled as "leave" below.
    raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON | ISIG | IEXTEN);
    raw.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL | INLCR);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    if (tcsetattr(STDIN_FILENO, TCSAFLUSH, &raw) == 0) {
        rawModeOn = true;
        std::atexit(restoreTerminal);
        for (int sig : {SIGTERM, SIGHUP, SIGQUIT})
            std::signal(sig, onSignal);
    }
}

void writeOut(std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(STDOUT_FILENO, text.data(), text.size());
        if (n <= 0)
            return;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
}

struct QuitRequested {};

// A decoded key from the terminal, or the end of input.
struct TerminalKey {
    enum Kind { key, escChord, routerA, routerB, instructions, modeSwitch, end, quit } kind = key;
    Key value;
};

// A byte read after Esc that turned out not to belong to a key sequence; it
// is the next key typed, not lost.
int pushedBack = -1;

bool readByte(unsigned char& c, int timeoutMs) {
    if (pushedBack >= 0) {
        c = static_cast<unsigned char>(pushedBack);
        pushedBack = -1;
        return true;
    }
    if (timeoutMs >= 0) {
        pollfd p{STDIN_FILENO, POLLIN, 0};
        if (poll(&p, 1, timeoutMs) <= 0)
            return false;
    }
    return ::read(STDIN_FILENO, &c, 1) == 1;
}

TerminalKey special(int code) {
    return {TerminalKey::key, Key::special(code)};
}
// A key we do not know: nothing happens.
TerminalKey unknownKey() {
    return {TerminalKey::key, Key{}};
}

// The key of a final letter after "Esc [" or "Esc O" (arrows, Home, End).
TerminalKey cursorKey(unsigned char final) {
    switch (final) {
    case 'A':
        return special(keyArrowUp);
    case 'B':
        return special(keyArrowDown);
    case 'C':
        return special(keyArrowRight);
    case 'D':
        return special(keyArrowLeft);
    case 'H':
        return special(keyHome);
    case 'F':
        return special(keyEnd);
    case 'Q': // F2
        return {TerminalKey::instructions, {}};
    case 'R': // F3
        return {TerminalKey::modeSwitch, {}};
    default:
        return unknownKey();
    }
}

// After "Esc [": parameter bytes, intermediate bytes, then one final byte.
// The whole sequence is read, so modifiers ("Esc [ 1 ; 5 C") never leak
// into the input line as typed characters.
TerminalKey controlSequence() {
    unsigned char c = 0;
    if (!readByte(c, 50))
        return unknownKey();
    if (c == '[') {
        // The text console's F1-F5: "Esc [ [ A" .. "Esc [ [ E".
        if (!readByte(c, 50))
            return unknownKey();
        if (c == 'B' || c == 'C')
            return {c == 'B' ? TerminalKey::instructions : TerminalKey::modeSwitch, {}};
        return c == 'E' ? TerminalKey{TerminalKey::routerA, {}} : unknownKey();
    }
    std::string params;
    while (c >= 0x20 && c <= 0x3F) {
        params += static_cast<char>(c);
        if (!readByte(c, 50))
            return unknownKey();
    }
    if (c < 0x40 || c > 0x7E) {
        // Not a sequence after all: the byte is typed as it is.
        pushedBack = c;
        return unknownKey();
    }
    if (c != '~')
        return cursorKey(c);
    // "Esc [ N ~" and "Esc [ N ; modifier ~".
    const std::string number = params.substr(0, params.find(';'));
    if (number == "1" || number == "7")
        return special(keyHome);
    if (number == "4" || number == "8")
        return special(keyEnd);
    if (number == "3")
        return special(keyDelete);
    if (number == "12" || number == "13")
        return {number == "12" ? TerminalKey::instructions : TerminalKey::modeSwitch, {}};
    if (number == "15")
        return {TerminalKey::routerA, {}};
    if (number == "17")
        return {TerminalKey::routerB, {}};
    return unknownKey();
}

TerminalKey readKey() {
    unsigned char c = 0;
    if (!readByte(c, -1))
        return {TerminalKey::end, {}};
    switch (c) {
    case 3:
        return {TerminalKey::quit, {}};
    case 8:
    case 127:
        return special(keyBackspace);
    case 9:
        return special(keyTab);
    case 10:
    case 13:
        return special(keyEnter);
    case 27: {
        unsigned char n = 0;
        if (!readByte(n, 50))
            return special(keyEscape);
        if (n == 'f' || n == 'b' || n == 'F' || n == 'B')
            return {TerminalKey::escChord, Key::character(n)};
        if (n == '[')
            return controlSequence();
        if (n == 'O') {
            unsigned char f = 0;
            if (!readByte(f, 50))
                return unknownKey();
            return cursorKey(f);
        }
        // Esc followed by another key: Esc, then that key.
        pushedBack = n;
        return special(keyEscape);
    }
    default:
        if (c >= 1 && c <= 26)
            return {TerminalKey::key, Key::control(static_cast<char>('a' + c - 1))};
        return {TerminalKey::key, Key::character(c)};
    }
}

int terminalWidth() {
    winsize w{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &w) == 0 && w.ws_col > 0)
        return w.ws_col;
    return 80;
}

int terminalHeight() {
    winsize w{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &w) == 0 && w.ws_row > 1)
        return w.ws_row;
    return 24;
}

// The screen shows the transcript, and the input line on the row below its
// last line. Before output is written the input line is taken away and the
// cursor put back at the end of the transcript's last line.
class TerminalIo : public ConsoleIo {
public:
    void outputAppended(std::string_view piece, bool bold) override {
        hideInput();
        if (bold)
            writeOut("\033[1m");
        writeOut(piece);
        if (bold)
            writeOut("\033[0m");
        const std::size_t nl = piece.rfind('\n');
        if (nl == std::string_view::npos)
            lastLineLength_ += piece.size();
        else
            lastLineLength_ = piece.size() - nl - 1;
        showInput();
    }
    void outputReplaced(const OutputPane& pane) override {
        hideInput();
        writeOut("\033[2J\033[H");
        writeOut(pane.text);
        const std::size_t nl = pane.text.rfind('\n');
        lastLineLength_ = nl == std::string::npos ? pane.text.size() : pane.text.size() - nl - 1;
        showInput();
    }
    void inputChanged(const InputLine& line) override {
        line_ = line;
        hideInput();
        showInput();
    }
    bool pause(int ms) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return true;
    }
    std::optional<int> waitForKey() override {
        while (true) {
            const TerminalKey k = readKey();
            if (k.kind == TerminalKey::quit)
                throw QuitRequested{};
            if (k.kind == TerminalKey::end)
                return std::nullopt;
            if (k.kind == TerminalKey::routerA || k.kind == TerminalKey::routerB) {
                // Clicked during " --More--": refused, and the wait goes on.
                if (onRouterButton)
                    onRouterButton(k.kind == TerminalKey::routerA ? 0 : 1);
                continue;
            }
            if (k.value.ch != 0)
                return static_cast<int>(k.value.ch);
        }
    }
    int visibleLines() const override { return std::max(1, terminalHeight() - 1); }
    // Text written above the input line (the instructions).
    void showText(const std::string& text) {
        hideInput();
        writeOut(text);
        lastLineLength_ = 0;
        showInput();
    }
    void messageBox(const std::string& text) override {
        hideInput();
        writeOut("\r\n\033[7m " + text + " \033[0m");
        lastLineLength_ = text.size() + 2;
        showInput();
    }

    std::function<void(long)> onRouterButton;

private:
    void hideInput() {
        if (!inputShown_)
            return;
        const int width = terminalWidth();
        // Back to the input line's first row, clear it and everything below,
        // then up to the end of the transcript.
        const int caretRow = static_cast<int>(shownCaret_) / width;
        writeOut("\r");
        if (caretRow > 0)
            writeOut("\033[" + std::to_string(caretRow) + "A");
        writeOut("\033[J\033[A");
        const int column = static_cast<int>(lastLineLength_ % static_cast<std::size_t>(width));
        writeOut("\033[" + std::to_string(column + 1) + "G");
        inputShown_ = false;
    }
    void showInput() {
        if (inputShown_)
            return;
        const int width = terminalWidth();
        writeOut("\r\n");
        writeOut(line_.text);
        // Put the cursor at the caret.
        const std::size_t endRow = line_.text.size() / static_cast<std::size_t>(width);
        const std::size_t caretRow = line_.caret / static_cast<std::size_t>(width);
        writeOut("\r");
        if (endRow > caretRow)
            writeOut("\033[" + std::to_string(endRow - caretRow) + "A");
        writeOut("\033[" + std::to_string(line_.caret % static_cast<std::size_t>(width) + 1) + "G");
        shownCaret_ = line_.caret;
        inputShown_ = true;
    }

    InputLine line_;
    std::size_t lastLineLength_ = 0;
    std::size_t shownCaret_ = 0;
    bool inputShown_ = false;
};

} // namespace

int runTerminal(Simulator& sim) {
    TerminalIo io;
    io.onRouterButton = [&sim](long target) { pressRouterButton(sim, target); };
    ConsoleIo& previous = sim.io();
    sim.setIo(io);
    enterRawMode();
    io.outputReplaced(sim.output);
    io.inputChanged(sim.input);
    try {
        while (true) {
            const TerminalKey k = readKey();
            if (k.kind == TerminalKey::end || k.kind == TerminalKey::quit)
                break;
            if (k.kind == TerminalKey::routerA || k.kind == TerminalKey::routerB) {
                pressRouterButton(sim, k.kind == TerminalKey::routerA ? 0 : 1);
            } else if (k.kind == TerminalKey::instructions) {
                io.showText(instructionsScreen(sim, terminalWidth()));
            } else if (k.kind == TerminalKey::modeSwitch) {
                io.showText(switchInstructionMode(sim, terminalWidth()));
            } else if (k.kind == TerminalKey::escChord) {
                keyDown(sim, keyEscape, false);
                pressKey(sim, k.value);
                keyUp(sim, keyEscape);
            } else {
                pressKey(sim, k.value);
            }
        }
    } catch (const QuitRequested&) {
    }
    writeOut("\r\n");
    restoreTerminal();
    sim.setIo(previous);
    return 0;
}

} // namespace kestro
