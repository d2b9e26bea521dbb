// kestro-console on a pseudo-terminal, its output fed to a screen emulator:
// what the screen shows after editing must be the transcript that script
// mode prints for the same keys, laid out at the terminal's width.
#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern "C" {
#include <vterm.h>
}

namespace {

const std::string console = std::string(KESTRO_BIN_DIR) + "/kestro-console";

// The same keys as terminal bytes and as script text.
struct Keys {
    std::string bytes, script;
    Keys& text(const std::string& s) {
        bytes += s;
        for (char c : s)
            script += c == '<' ? std::string("<lt>") : std::string(1, c);
        return *this;
    }
    Keys& key(const std::string& terminal, const std::string& name, int times = 1) {
        for (int i = 0; i < times; ++i) {
            bytes += terminal;
            script += "<" + name + ">";
        }
        return *this;
    }
    Keys& enter() { return key("\r", "Enter"); }
    Keys& backspace(int n = 1) { return key("\x7f", "Backspace", n); }
    Keys& left(int n = 1) { return key("\033[D", "Left", n); }
};

class Terminal {
public:
    // With `jobControl` the program runs as a shell runs a job: in a process
    // group of its own, under a parent of the same session, so a stop signal
    // is not discarded as it would be for a session leader.
    Terminal(int rows, int cols, const std::vector<std::string>& args = {}, bool jobControl = false)
        : rows_(rows) {
        winsize size{static_cast<unsigned short>(rows), static_cast<unsigned short>(cols), 0, 0};
        if (::openpty(&master_, &slave_, nullptr, nullptr, &size) != 0)
            throw std::runtime_error("no pseudo-terminal");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::setsid();
            ::ioctl(slave_, TIOCSCTTY, 0);
            for (int fd = 0; fd < 3; ++fd)
                ::dup2(slave_, fd);
            ::close(master_);
            rlimit none{0, 0};
            ::setrlimit(RLIMIT_CORE, &none); // SIGQUIT must not leave a core file
            if (jobControl) {
                if (const pid_t job = ::fork(); job > 0) {
                    int status = 0;
                    while (::waitpid(job, &status, 0) < 0 && errno == EINTR) {
                    }
                    ::_exit(0);
                }
                ::setpgid(0, 0);
                ::signal(SIGTTOU, SIG_IGN);
                ::tcsetpgrp(0, ::getpid());
                ::signal(SIGTTOU, SIG_DFL);
            }
            std::vector<char*> argv{const_cast<char*>(console.c_str())};
            for (const std::string& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        vt_ = vterm_new(rows, cols);
        vterm_set_utf8(vt_, 1);
        screen_ = vterm_obtain_screen(vt_);
        vterm_screen_reset(screen_, 1);
        settle();
    }
    ~Terminal() {
        if (pid_ > 0 && !ended_) {
            if (const pid_t job = ::tcgetpgrp(master_); job > 0 && job != pid_)
                ::kill(-job, SIGKILL);
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        vterm_free(vt_);
        ::close(master_);
        ::close(slave_);
    }

    // Reads output until none has come for a while; answers its length.
    std::size_t settle() {
        std::size_t total = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        char buffer[65536];
        while (std::chrono::steady_clock::now() < deadline) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 400) <= 0)
                break;
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            vterm_input_write(vt_, buffer, static_cast<std::size_t>(n));
            total += static_cast<std::size_t>(n);
        }
        return total;
    }
    std::size_t type(const std::string& bytes) {
        std::size_t total = 0;
        // In pieces, as a terminal delivers a paste, reading as we go; a
        // piece never ends inside a key's escape sequence.
        for (std::size_t i = 0; i < bytes.size();) {
            std::size_t end = std::min(bytes.size(), i + 512);
            const std::size_t esc = bytes.rfind('\033', end - 1);
            if (esc != std::string::npos && esc >= i && end - esc < 8)
                end = esc == i ? std::min(bytes.size(), i + 8) : esc;
            EXPECT_EQ(::write(master_, bytes.data() + i, end - i), static_cast<ssize_t>(end - i));
            total += settle();
            i = end;
        }
        return total;
    }
    void resize(int rows, int cols) {
        rows_ = rows;
        winsize size{static_cast<unsigned short>(rows), static_cast<unsigned short>(cols), 0, 0};
        vterm_set_size(vt_, rows, cols);
        ::ioctl(master_, TIOCSWINSZ, &size);
        settle();
    }
    // The screen's rows without trailing blanks, and without the blank rows
    // at the bottom.
    std::vector<std::string> screen() const {
        int cols = 0, rows = 0;
        vterm_get_size(vt_, &rows, &cols);
        std::vector<std::string> out;
        for (int r = 0; r < rows; ++r) {
            std::vector<char> text(static_cast<std::size_t>(cols) * 4 + 1);
            const std::size_t n = vterm_screen_get_text(screen_, text.data(), text.size(),
                                                        VTermRect{r, r + 1, 0, cols});
            std::string row(text.data(), n);
            row.erase(row.find_last_not_of(' ') + 1);
            out.push_back(row);
        }
        while (!out.empty() && out.back().empty())
            out.pop_back();
        return out;
    }
    // Ends the program with the signal; answers whether the terminal was
    // given back in its normal mode.
    bool signalRestoresMode(int sig) {
        ::kill(pid_, sig);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        ended_ = true;
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << status;
        termios mode{};
        ::tcgetattr(slave_, &mode);
        return (mode.c_lflag & (ECHO | ICANON | ISIG)) == (ECHO | ICANON | ISIG);
    }
    // Stops the program as `kill -TSTP` does, then continues it as `fg`
    // does; answers whether the terminal was in its normal mode meanwhile.
    bool suspendAndContinue() {
        const pid_t job = ::tcgetpgrp(master_);
        ::kill(job, SIGTSTP);
        bool stopped = false;
        for (int i = 0; i < 500 && !stopped; ++i) {
            std::ifstream stat("/proc/" + std::to_string(job) + "/stat");
            std::string pid, name, state;
            stat >> pid >> name >> state;
            stopped = state == "T";
            if (!stopped)
                ::usleep(10000);
        }
        EXPECT_TRUE(stopped);
        termios mode{};
        ::tcgetattr(slave_, &mode);
        const bool cooked = (mode.c_lflag & (ECHO | ICANON | ISIG)) == (ECHO | ICANON | ISIG);
        ::kill(job, SIGCONT);
        settle();
        return cooked;
    }
    bool rawNow() {
        termios mode{};
        ::tcgetattr(slave_, &mode);
        return (mode.c_lflag & (ECHO | ICANON | ISIG)) == 0;
    }

private:
    int master_ = -1, slave_ = -1, rows_;
    pid_t pid_ = -1;
    bool ended_ = false;
    VTerm* vt_ = nullptr;
    VTermScreen* screen_ = nullptr;
};

// What the screen should show: the script-mode transcript of the same keys,
// each line wrapped at `cols`, the input line below with the caret's row,
// the last `rows` rows of all that.
// `router`: of a two-router transcript, that router's part.
std::vector<std::string> expectedScreen(const Keys& keys, int rows, int cols,
                                        const std::vector<std::string>& args = {},
                                        const std::string& router = "") {
    const auto file = std::filesystem::temp_directory_path() /
                      ("kestroScreen" + std::to_string(::getpid()) + ".keys");
    std::ofstream(file) << keys.script;
    std::string command = console + " --script " + file.string();
    for (const std::string& a : args)
        command += " " + a;
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        out.append(buffer, n);
    ::pclose(pipe);
    std::filesystem::remove(file);
    if (!router.empty()) {
        const std::string heading = "===== " + router + " =====\n";
        const std::size_t from = out.find(heading);
        if (from != std::string::npos) {
            out = out.substr(from + heading.size());
            if (const std::size_t next = out.find("\n===== "); next != std::string::npos)
                out = out.substr(0, next + 1);
        }
    }

    std::vector<std::string> lines;
    for (std::size_t start = 0; start < out.size();) {
        const std::size_t nl = out.find('\n', start);
        lines.push_back(out.substr(start, nl - start));
        start = nl + 1;
    }
    const auto width = static_cast<std::size_t>(cols);
    std::vector<std::string> screen;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i)
        for (std::size_t at = 0; at == 0 || at < lines[i].size(); at += width)
            screen.push_back(lines[i].substr(at, width));
    // The input line: its caret after a full last row is on a row of its own.
    const std::string& input = lines.back();
    for (std::size_t at = 0; at <= input.size(); at += width)
        screen.push_back(input.substr(at, width));
    for (std::string& row : screen)
        row.erase(row.find_last_not_of(' ') + 1);
    if (screen.size() > static_cast<std::size_t>(rows))
        screen.erase(screen.begin(), screen.end() - rows);
    while (!screen.empty() && screen.back().empty())
        screen.pop_back();
    return screen;
}

// The screen shows the expected rows' end. Rows a long input line scrolled
// up while output was written may leave blank rows below it.
void expectScreen(const std::vector<std::string>& shown, const std::vector<std::string>& expected,
                  const std::string& what) {
    ASSERT_LE(shown.size(), expected.size()) << what;
    EXPECT_GE(shown.size() + 4, expected.size()) << what;
    EXPECT_EQ(shown, std::vector<std::string>(expected.end() - static_cast<long>(shown.size()),
                                              expected.end()))
        << what;
}

const std::vector<std::string> seeded = {"--seed", "1"};

TEST(TerminalScreen, EditingMatchesTheTranscript) {
    // "Router>" is 7 columns: 73 more fill the 80-column row exactly.
    const std::string fill(73, 'x');
    struct Case {
        const char* name;
        Keys keys;
    } cases[] = {
        {"exact width, typed and deleted across it",
         Keys().enter().text(fill).backspace().text("y").backspace(2).text("zz").backspace(3).text(
             "abc")},
        {"exact width after Enter", Keys().enter().text(fill).enter().text("sh")},
        {"long line edited inside", Keys()
                                        .enter()
                                        .text(std::string(300, 'q'))
                                        .left(120)
                                        .text("INS")
                                        .key("\033[3~", "Delete", 5)},
        {"long line entered", Keys().enter().text(std::string(250, 'w')).enter()},
    };
    for (Case& c : cases) {
        Terminal term(24, 80, seeded);
        term.type(c.keys.bytes);
        expectScreen(term.screen(), expectedScreen(c.keys, 24, 80), c.name);
    }
}

TEST(TerminalScreen, PasteLongerThanTheScreenCostsItsLength) {
    Terminal term(24, 80, seeded);
    Keys keys;
    keys.enter();
    term.type(keys.bytes);
    const std::string paste(16000, 'p');
    keys.text(paste);
    const std::size_t written = term.type(paste);
    EXPECT_LT(written, 2 * paste.size());
    expectScreen(term.screen(), expectedScreen(keys, 24, 80), "");
    keys.enter().text("en");
    term.type("\ren");
    expectScreen(term.screen(), expectedScreen(keys, 24, 80), "");
}

TEST(TerminalScreen, ResizeRedrawsAtTheNewWidth) {
    Terminal term(24, 80, seeded);
    Keys keys;
    keys.enter().text(std::string(100, 'r'));
    term.type(keys.bytes);
    term.resize(15, 40);
    expectScreen(term.screen(), expectedScreen(keys, 15, 40), "");
    keys.backspace(21).text("ab");
    term.type("\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f"
              "ab");
    expectScreen(term.screen(), expectedScreen(keys, 15, 40), "");
}

TEST(TerminalScreen, RouterSwitchWritesAScreenfulNotTheTranscript) {
    const std::vector<std::string> args = {"--seed", "1", "--activity", "troubleshooting4"};
    Terminal term(24, 80, args);
    Keys keys;
    keys.enter();
    for (int i = 0; i < 40; ++i)
        keys.text("abc").enter();
    keys.key("\033[17~", "RouterB").enter();
    term.type(keys.bytes);
    keys.key("\033[15~", "RouterA");
    const std::size_t written = term.type("\033[15~");
    EXPECT_LT(written, 24u * 81 * 2);
    expectScreen(term.screen(), expectedScreen(keys, 24, 80, args, "RouterA"), "back on RouterA");
}

TEST(TerminalScreen, SignalsFromOutsideGiveTheTerminalBack) {
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        Terminal term(24, 80, seeded);
        // Ctrl-C typed is a key of the console, so the terminal sends no signal.
        EXPECT_TRUE(term.rawNow()) << sig;
        EXPECT_TRUE(term.signalRestoresMode(sig)) << sig;
    }
}

// Suspended from outside and continued: the shell had its mode meanwhile,
// then keys are raw again (Tab completes) and the screen is drawn afresh.
TEST(TerminalScreen, SuspendGivesTheTerminalBackAndContinueTakesItAgain) {
    Terminal term(24, 80, seeded, true);
    Keys keys;
    keys.enter().text("ena");
    term.type(keys.bytes);
    EXPECT_TRUE(term.suspendAndContinue());
    EXPECT_TRUE(term.rawNow());
    keys.key("\t", "Tab");
    term.type("\t");
    expectScreen(term.screen(), expectedScreen(keys, 24, 80, seeded), "after fg");
    EXPECT_EQ(term.screen().back(), "Router>enable");
}

} // namespace
