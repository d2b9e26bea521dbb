// The router console on a text terminal: raw keys in, the transcript and the
// input line drawn with a few ANSI control sequences.
#include "ConsoleLearning.h"
#include "Frontends.h"

#include "Simulator.h"
#include "learning/Activities.h"
#include "learning/Checklists.h"

#include <algorithm>
#include <cerrno>
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
termios rawMode;
volatile sig_atomic_t rawModeOn = 0;
volatile sig_atomic_t suspendedRaw = 0;
volatile sig_atomic_t resized = 0;

void restoreTerminal() {
    if (rawModeOn) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedMode);
        rawModeOn = 0;
    }
}

// A signal from outside (kill, the terminal closing) ends the program as it
// would have, but not before the shell gets its terminal mode back.
void onEndSignal(int sig) {
    restoreTerminal();
    const ssize_t ignored = ::write(STDOUT_FILENO, "\r\n", 2);
    (void)ignored;
    // SA_RESETHAND put the default action back; the signal raised again is
    // blocked while this runs and ends the program on return.
    ::raise(sig);
}

void onResize(int) {
    resized = 1;
}

void onContinue(int);

// Suspended from outside (kill -TSTP; Ctrl-Z is a router key): the shell gets
// its terminal mode back while the program is stopped.
void onSuspend(int) {
    const int savedErrno = errno;
    suspendedRaw = rawModeOn;
    restoreTerminal();
    struct sigaction stop {};
    stop.sa_handler = SIG_DFL;
    sigemptyset(&stop.sa_mask);
    sigaction(SIGTSTP, &stop, nullptr);
    // Blocked while this runs: it stops the program on return.
    ::raise(SIGTSTP);
    errno = savedErrno;
}

void installSuspend() {
    struct sigaction suspend {};
    suspend.sa_handler = onSuspend;
    sigemptyset(&suspend.sa_mask);
    sigaction(SIGTSTP, &suspend, nullptr);
    struct sigaction resume {};
    resume.sa_handler = onContinue;
    sigemptyset(&resume.sa_mask);
    sigaction(SIGCONT, &resume, nullptr); // no SA_RESTART: a waiting read wakes up
}

// Back in the foreground: raw keys again and the screen redrawn, as after a
// resize (the shell may have written over it).
void onContinue(int) {
    const int savedErrno = errno;
    if (suspendedRaw && tcsetattr(STDIN_FILENO, TCSAFLUSH, &rawMode) == 0)
        rawModeOn = 1;
    suspendedRaw = 0;
    installSuspend();
    resized = 1;
    errno = savedErrno;
}

void enterRawMode() {
    if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &savedMode) != 0)
        return;
    termios& raw = rawMode;
    raw = savedMode;
    // Ctrl-Z and Ctrl-C are keys of the router console, so the terminal must
    // not turn them into signals; Ctrl-C is handled as "leave" below.
    raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON | ISIG | IEXTEN);
    raw.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL | INLCR);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    struct sigaction end {};
    end.sa_handler = onEndSignal;
    end.sa_flags = SA_RESETHAND;
    sigemptyset(&end.sa_mask);
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        sigaddset(&end.sa_mask, sig);
    // Handlers first: a signal arriving just after the switch must find them.
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        sigaction(sig, &end, nullptr);
    struct sigaction resize {};
    resize.sa_handler = onResize;
    sigemptyset(&resize.sa_mask);
    sigaction(SIGWINCH, &resize, nullptr); // no SA_RESTART: a waiting read wakes up
    installSuspend();
    if (tcsetattr(STDIN_FILENO, TCSAFLUSH, &raw) == 0) {
        rawModeOn = 1;
        std::atexit(restoreTerminal);
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
    enum Kind {
        key,
        escChord,
        routerA,
        routerB,
        instructions,
        modeSwitch,
        checklist,
        hint,
        end,
        quit
    } kind = key;
    Key value;
};

// A byte read after Esc that turned out not to belong to a key sequence; it
// is the next key typed, not lost.
int pushedBack = -1;

// Called (outside the signal handler) when the terminal changed its size.
std::function<void()> onResized;

bool readByte(unsigned char& c, int timeoutMs) {
    if (pushedBack >= 0) {
        c = static_cast<unsigned char>(pushedBack);
        pushedBack = -1;
        return true;
    }
    for (;;) {
        if (resized) {
            resized = 0;
            if (onResized)
                onResized();
        }
        pollfd p{STDIN_FILENO, POLLIN, 0};
        const int ready = poll(&p, 1, timeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0)
            return false;
        const ssize_t n = ::read(STDIN_FILENO, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        return n == 1;
    }
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
    case 'S': // F4
        return {TerminalKey::checklist, {}};
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
        if (c == 'D')
            return {TerminalKey::checklist, {}};
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
    if (number == "14")
        return {TerminalKey::checklist, {}};
    if (number == "18")
        return {TerminalKey::hint, {}};
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

// Columns a piece of text takes: one per character (UTF-8 continuation
// bytes take none).
std::size_t columnsOf(std::string_view text) {
    std::size_t n = 0;
    for (char c : text)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

std::string cursorUp(std::size_t rows) {
    return rows == 0 ? "" : "\033[" + std::to_string(rows) + "A";
}
std::string cursorDown(std::size_t rows) {
    return rows == 0 ? "" : "\033[" + std::to_string(rows) + "B";
}
std::string cursorColumn(std::size_t column) {
    return "\033[" + std::to_string(column + 1) + "G";
}

// The screen shows the transcript, and the input line from the row below its
// last line. Only what changes is written: a key typed at the end of the line
// writes that character, one typed inside it the rest of the line, a caret
// move a cursor move. Positions on the input line are columns counted from
// its start; the row of column p is p / width. Writing the last column of a
// row leaves the terminal's cursor there with a wrap pending, which cursor
// moves cannot express, so after such a write the cursor is taken to the
// next row at once.
class TerminalIo : public ConsoleIo {
public:
    explicit TerminalIo(const OutputPane& pane) : pane_(pane) {}

    void outputAppended(std::string_view piece, bool bold) override {
        if (!hideInput()) {
            // The transcript's end has scrolled away under a long input line.
            repaintAll();
            return;
        }
        writeTranscript(piece, bold);
        showInput();
    }
    void outputReplaced(const OutputPane&) override { repaintAll(); }
    void inputChanged(const InputLine& line) override {
        if (!inputShown_) {
            line_ = line;
            return;
        }
        updateInput(line);
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
                    onRouterButton(k.kind == TerminalKey::routerA ? RouterId::a : RouterId::b);
                continue;
            }
            if (k.value.ch != 0)
                return static_cast<int>(k.value.ch);
        }
    }
    int visibleLines() const override { return std::max(1, terminalHeight() - 1); }
    // Text written above the input line (the instructions).
    void showText(const std::string& text) {
        if (!hideInput()) {
            writeOut("\r\n");
            inputShown_ = false;
        }
        // Not part of the transcript, but output goes on below it the same way.
        writeTranscript(text, false);
        showInput();
    }
    void messageBox(const std::string& text) override {
        if (!hideInput()) {
            // No transcript row to go on from: the box goes below the line.
            writeOut("\r\n");
            inputShown_ = false;
        }
        writeTranscript("\r\n", false);
        writeOut("\033[7m");
        writeTranscript(" " + text + " ", false);
        writeOut("\033[0m");
        showInput();
    }

    // Clears the screen and draws what fits of the transcript's end and the
    // input line: after a resize, a router switch or when the input line is
    // longer than the screen. Costs a screenful, however long the transcript.
    void repaintAll() {
        width_ = static_cast<std::size_t>(terminalWidth());
        height_ = static_cast<std::size_t>(terminalHeight());
        writeOut("\033[H\033[2J");
        const std::string& text = pane_.text;
        // The input line's rows come first; the transcript's end fills the
        // rest, whole lines back from the end.
        const std::size_t inputRows = rowOf(columnsOf(line_.text)) + 1;
        const std::size_t wanted = inputRows < height_ ? height_ - inputRows : 0;
        std::size_t from = text.size();
        for (std::size_t rows = 0, end = text.size(); rows < wanted;) {
            const std::size_t nl = end == 0 ? std::string::npos : text.rfind('\n', end - 1);
            from = nl == std::string::npos ? 0 : nl + 1;
            const std::size_t columns = columnsOf(std::string_view(text).substr(from, end - from));
            rows += std::max<std::size_t>(1, (columns + width_ - 1) / width_);
            if (nl == std::string::npos)
                break;
            end = nl > 0 && text[nl - 1] == '\r' ? nl - 1 : nl;
        }
        std::size_t at = from;
        for (const BoldRun& run : pane_.bold) {
            const std::size_t end = run.start + run.length;
            if (end <= at)
                continue;
            const std::size_t start = std::max(run.start, at);
            writeTranscript(std::string_view(text).substr(at, start - at), false);
            writeTranscript(std::string_view(text).substr(start, end - start), true);
            at = end;
        }
        writeTranscript(std::string_view(text).substr(std::min(at, text.size())), false);
        // Output goes on from the transcript's last line, drawn or not.
        const std::size_t nl = text.rfind('\n');
        lastLine_.clear();
        for (char c : std::string_view(text).substr(nl == std::string::npos ? 0 : nl + 1))
            if (c != '\r')
                lastLine_ += c;
        lastBold_ = !pane_.bold.empty() &&
                    pane_.bold.back().start + pane_.bold.back().length == text.size();
        inputShown_ = false;
        showInput();
    }

    std::function<void(RouterId)> onRouterButton;

private:
    std::size_t rowOf(std::size_t column) const { return column / width_; }

    // Writes transcript text at the cursor and keeps the transcript's last
    // line, which output after the input line is taken away continues.
    void writeTranscript(std::string_view piece, bool bold) {
        if (piece.empty())
            return;
        if (bold)
            writeOut("\033[1m");
        writeOut(piece);
        if (bold)
            writeOut("\033[0m");
        const std::size_t nl = piece.rfind('\n');
        if (nl != std::string_view::npos) {
            lastLine_.clear();
            piece.remove_prefix(nl + 1);
        }
        for (char c : piece)
            if (c != '\r')
                lastLine_ += c;
        lastBold_ = bold;
    }

    // Takes the input line away and puts the cursor where the transcript
    // goes on. False when that place is no longer on the screen.
    bool hideInput() {
        if (!inputShown_)
            return true;
        // Row 0 of the input line and the transcript row above it must both
        // still be on the screen.
        if (lowestRow_ + 1 >= height_)
            return false;
        writeOut("\r" + cursorUp(rowOf(cursor_)) + "\033[J\033[A");
        const std::size_t last = columnsOf(lastLine_);
        if (last > 0 && last % width_ == 0) {
            // The last row is full: rewrite its last character so the cursor
            // is left exactly as that write left it, with the wrap pending.
            std::size_t begin = lastLine_.size();
            while (begin > 0 && (static_cast<unsigned char>(lastLine_[begin - 1]) & 0xC0) == 0x80)
                --begin;
            begin = begin > 0 ? begin - 1 : 0;
            writeOut(cursorColumn(width_ - 1));
            if (lastBold_)
                writeOut("\033[1m");
            writeOut(std::string_view(lastLine_).substr(begin));
            if (lastBold_)
                writeOut("\033[0m");
        } else {
            writeOut(cursorColumn(last % width_));
        }
        inputShown_ = false;
        return true;
    }

    void showInput() {
        if (inputShown_)
            return;
        width_ = static_cast<std::size_t>(terminalWidth());
        height_ = static_cast<std::size_t>(terminalHeight());
        writeOut("\r\n");
        // A line taller than the screen is drawn from the first row that
        // will stay on it.
        const std::size_t rows = rowOf(columnsOf(line_.text)) + 1;
        lowestRow_ = rows > height_ ? rows - 1 : 0;
        cursor_ = rows > height_ ? (rows - height_) * width_ : 0;
        shown_.clear();
        shownColumns_ = 0;
        inputShown_ = true;
        updateInput(line_);
    }

    // Moves the cursor to column `to` of the input line; a row that has
    // scrolled off the screen cannot be reached, so the cursor stops at the
    // first row still shown.
    void moveTo(std::size_t to) {
        const std::size_t firstShown = lowestRow_ + 1 > height_ ? lowestRow_ + 1 - height_ : 0;
        to = std::max(to, firstShown * width_);
        if (to == cursor_)
            return;
        const std::size_t from = rowOf(cursor_), row = rowOf(to);
        std::string move = row < from ? cursorUp(from - row) : cursorDown(row - from);
        if (to % width_ != cursor_ % width_)
            move += to % width_ == 0 ? "\r" : cursorColumn(to % width_);
        writeOut(move);
        cursor_ = to;
    }

    void updateInput(const InputLine& line) {
        const std::string& text = line.text;
        // The common start of what is shown and what is wanted stays.
        std::size_t same = 0;
        const std::size_t limit = std::min(shown_.size(), text.size());
        while (same < limit && shown_[same] == text[same])
            ++same;
        // Never split a character.
        while (same > 0 && (static_cast<unsigned char>(text[same]) & 0xC0) == 0x80)
            --same;
        const std::size_t sameColumns = columnsOf(std::string_view(text).substr(0, same));
        const std::size_t oldColumns = shownColumns_;
        const std::size_t newColumns = sameColumns + columnsOf(std::string_view(text).substr(same));
        if (same < shown_.size() || same < text.size()) {
            // Rows above the screen are not redrawn: nobody can see them.
            const std::size_t firstShown =
                lowestRow_ + 1 > height_ ? (lowestRow_ + 1 - height_) * width_ : 0;
            std::size_t from = same, fromColumn = sameColumns;
            while (fromColumn < firstShown && from < text.size()) {
                ++from;
                while (from < text.size() &&
                       (static_cast<unsigned char>(text[from]) & 0xC0) == 0x80)
                    ++from;
                ++fromColumn;
            }
            moveTo(fromColumn);
            if (from < text.size()) {
                writeOut(std::string_view(text).substr(from));
                cursor_ = newColumns;
                if (cursor_ % width_ == 0) {
                    // Resolve the pending wrap: the cursor goes to the next
                    // row, which this creates when it is the screen's last.
                    writeOut("\r\n");
                }
                lowestRow_ = std::max(lowestRow_, rowOf(cursor_));
            }
            if (newColumns < oldColumns)
                writeOut("\033[J");
        }
        shown_ = text;
        shownColumns_ = newColumns;
        line_ = line;
        if (rowOf(newColumns) + height_ < lowestRow_ + 1) {
            // The line's end went above the screen (a long line cut short):
            // draw it all again from the transcript's end.
            repaintAll();
            return;
        }
        shown_ = text;
        shownColumns_ = newColumns;
        line_ = line;
        moveTo(columnsOf(std::string_view(text).substr(0, std::min(line.caret, text.size()))));
    }

    const OutputPane& pane_;
    InputLine line_;
    std::string shown_; // the input line's text as the screen shows it
    std::size_t shownColumns_ = 0;
    std::size_t cursor_ = 0;    // the cursor's column on the input line
    std::size_t lowestRow_ = 0; // the lowest input row drawn since the line was shown
    std::string lastLine_;      // the transcript's last line
    bool lastBold_ = false;
    bool inputShown_ = false;
    std::size_t width_ = 80, height_ = 24;
};

} // namespace

int runTerminal(Simulator& sim) {
    TerminalIo io(sim.output);
    io.onRouterButton = [&sim](RouterId target) { pressRouterButton(sim, target); };
    ConsoleIo& previous = sim.io();
    sim.setIo(io);
    enterRawMode();
    onResized = [&io] { io.repaintAll(); };
    io.inputChanged(sim.input);
    io.repaintAll();
    try {
        while (true) {
            const TerminalKey k = readKey();
            if (k.kind == TerminalKey::end || k.kind == TerminalKey::quit)
                break;
            if (k.kind == TerminalKey::routerA || k.kind == TerminalKey::routerB) {
                pressRouterButton(sim, k.kind == TerminalKey::routerA ? RouterId::a : RouterId::b);
            } else if (k.kind == TerminalKey::instructions) {
                io.showText(instructionsScreen(sim, terminalWidth()));
            } else if (k.kind == TerminalKey::modeSwitch) {
                io.showText(switchInstructionMode(sim, terminalWidth()));
            } else if (k.kind == TerminalKey::checklist) {
                io.showText(checklistScreen(sim));
            } else if (k.kind == TerminalKey::hint) {
                io.showText(nextHintScreen(sim));
            } else if (k.kind == TerminalKey::escChord) {
                keyDown(sim, keyEscape, false);
                pressKey(sim, k.value);
                keyUp(sim, keyEscape);
            } else {
                pressKey(sim, k.value);
            }
            if (const std::string done = takeCompletionMessage(sim); !done.empty())
                io.showText("\r\n" + done + "\r\n");
        }
    } catch (const QuitRequested&) {
    }
    onResized = nullptr;
    writeOut("\r\n");
    restoreTerminal();
    sim.setIo(previous);
    return 0;
}

} // namespace kestro
