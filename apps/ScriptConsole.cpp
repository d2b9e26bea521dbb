#include "Frontends.h"

#include "Simulator.h"
#include "console/RecordingConsole.h"
#include "learning/Activities.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <sstream>

namespace kestro {

namespace {

struct NamedKey {
    const char* name;
    Key key;
    const char* meaning;
};

const std::vector<NamedKey>& namedKeys() {
    static const std::vector<NamedKey> keys = [] {
        std::vector<NamedKey> k = {
            {"Tab", Key::special(keyTab), "complete the command"},
            {"Up", Key::special(keyArrowUp), "previous command of the history"},
            {"Down", Key::special(keyArrowDown), "next command of the history"},
            {"Left", Key::special(keyArrowLeft), "caret one to the left"},
            {"Right", Key::special(keyArrowRight), "caret one to the right"},
            {"Home", Key::special(keyHome), "Home (does nothing, as on the router)"},
            {"End", Key::special(keyEnd), "caret to the end of the line"},
            {"Backspace", Key::special(keyBackspace), "delete the character left of the caret"},
            {"Delete", Key::special(keyDelete), "delete the character right of the caret"},
            {"Space", Key::character(' '), "a blank"},
            {"Enter", Key::special(keyEnter), "complete the line"},
            {"Esc", Key::special(keyEscape), "Esc pressed and released"},
            {"lt", Key::character('<'), "a literal <"},
        };
        return k;
    }();
    return keys;
}

// The panel's buttons can be clicked while the console waits at
// " --More--"; the switch is then refused and the wait goes on.
void pressButton(Simulator& sim, const ScriptKey& k) {
    pressRouterButton(sim, k.kind == ScriptKey::routerA ? RouterId::a : RouterId::b);
}

// The keys of a script, from a list or read as they are typed.
class ScriptKeys {
public:
    explicit ScriptKeys(std::function<std::optional<ScriptKey>()> next) : next_(std::move(next)) {}
    std::optional<ScriptKey> take() { return next_(); }
    // The next key that types a character, for a " --More--" wait; keys
    // that type none (arrows) go by unnoticed, as in the window.
    std::optional<int> nextCharacter(Simulator& sim) {
        while (const std::optional<ScriptKey> k = take()) {
            if (k->kind == ScriptKey::routerA || k->kind == ScriptKey::routerB)
                pressButton(sim, *k);
            else if (k->kind == ScriptKey::press && k->key.ch != 0)
                return static_cast<int>(k->key.ch);
        }
        return std::nullopt;
    }

private:
    std::function<std::optional<ScriptKey>()> next_;
};

bool parseNamed(const std::string& name, std::vector<ScriptKey>& out, int line) {
    for (const NamedKey& k : namedKeys()) {
        if (name == k.name) {
            out.push_back({k.key, line});
            return true;
        }
    }
    if (name.size() == 3 && name.starts_with("C-") && name[2] >= 'a' && name[2] <= 'z') {
        out.push_back({Key::control(name[2]), line});
        return true;
    }
    if (name == "RouterA" || name == "RouterB") {
        out.push_back({Key{}, line, name == "RouterA" ? ScriptKey::routerA : ScriptKey::routerB});
        return true;
    }
    if (name == "Esc+f" || name == "Esc+b") {
        // Esc goes down, the letter is typed while it is held, Esc comes up.
        out.push_back({Key{}, line, ScriptKey::escDown});
        out.push_back({Key::character(static_cast<char32_t>(name.back())), line});
        out.push_back({Key{}, line, ScriptKey::escUp});
        return true;
    }
    return false;
}

} // namespace

std::string scriptKeyHelp() {
    std::ostringstream out;
    for (const NamedKey& k : namedKeys())
        out << "  <" << k.name << ">" << std::string(12 - std::string(k.name).size(), ' ')
            << k.meaning << "\n";
    out << "  <Esc+f>       f typed while Esc is held: caret to the next word\n"
        << "  <Esc+b>       b typed while Esc is held: caret to the previous word\n"
        << "  <C-a>...<C-z> Ctrl held with that letter\n"
        << "  <RouterA>     the Router A button of the two-router exercises\n"
        << "                (troubleshooting4-6)\n"
        << "  <RouterB>     the Router B button; both are refused with a message\n"
        << "                while a question or a listing is open\n";
    return out.str();
}

std::optional<std::string> readScriptFile(const std::string& path, std::string& error) {
    const bool standardInput = path == "-";
    const std::string shown = standardInput ? "standard input" : "the script file " + path;
    auto failWith = [&](const std::string& why) -> std::optional<std::string> {
        error = "cannot read " + shown + ": " + why;
        return std::nullopt;
    };
    const int fd = standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return failWith(std::strerror(errno));
    struct Closer {
        int fd;
        bool owned;
        ~Closer() {
            if (owned)
                ::close(fd);
        }
    } closer{fd, !standardInput};
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode))
        return failWith("it is a folder");
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<std::uint64_t>(info.st_size) > maxScriptBytes)
        return failWith("it is larger than 64 MB");
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            return text;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failWith(std::strerror(errno));
        }
        // Devices and pipes have no size to check first: the limit is
        // enforced while reading.
        if (text.size() + static_cast<std::size_t>(n) > maxScriptBytes)
            return failWith("it is larger than 64 MB");
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

bool ScriptReader::readLine(std::string& error) {
    line_.clear();
    taken_ = 0;
    if (at_ >= text_.size())
        return false;
    ++lineNumber_;
    std::size_t end = text_.find('\n', at_);
    const bool hasEnd = end != std::string_view::npos;
    if (!hasEnd)
        end = text_.size();
    std::string_view line = text_.substr(at_, end - at_);
    at_ = end + 1;
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    bool typeEnter = hasEnd;
    if (!line.empty() && line.back() == '\\') {
        line.remove_suffix(1);
        typeEnter = false;
    }
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c != '<') {
            line_.push_back({Key::character(static_cast<unsigned char>(c)), lineNumber_});
            continue;
        }
        const std::size_t close = line.find('>', i + 1);
        const std::string keyName(
            close == std::string_view::npos ? line.substr(i) : line.substr(i + 1, close - i - 1));
        if (close == std::string_view::npos || !parseNamed(keyName, line_, lineNumber_)) {
            error = name_ + ":" + std::to_string(lineNumber_) + ": unknown key name <" +
                    (close == std::string_view::npos ? keyName.substr(1) : keyName) +
                    ">; write <lt> for a literal <";
            at_ = text_.size();
            line_.clear();
            return false;
        }
        i = close;
    }
    if (typeEnter)
        line_.push_back({Key::special(keyEnter), lineNumber_});
    return true;
}

std::optional<ScriptKey> ScriptReader::next(std::string& error) {
    while (taken_ >= line_.size())
        if (!readLine(error))
            return std::nullopt;
    return line_[taken_++];
}

std::optional<std::vector<ScriptKey>> parseScript(const std::string& text, const std::string& name,
                                                  std::string& error) {
    std::vector<ScriptKey> keys;
    ScriptReader reader(text, name);
    error.clear();
    while (const std::optional<ScriptKey> k = reader.next(error))
        keys.push_back(*k);
    if (!error.empty())
        return std::nullopt;
    return keys;
}

bool checkScript(std::string_view text, const std::string& name, std::string& error) {
    ScriptReader reader(text, name);
    error.clear();
    while (reader.next(error)) {
    }
    return error.empty();
}

namespace {

// One router's transcript as script mode prints it, written as its pane
// grows: CR LF becomes a line feed, bold runs are marked when asked for.
// A bold run that reaches the end of what is written may still grow, so its
// </b> waits until the text after it is known.
class PaneStream {
public:
    PaneStream(std::function<void(std::string_view)> emit, bool bold)
        : emit_(std::move(emit)), bold_(bold) {}

    // Writes what the pane holds past what was written of it.
    void follow(std::string_view text, const std::vector<BoldRun>& runs) {
        if (written_ >= text.size())
            return;
        const std::size_t from = written_, to = text.size();
        written_ = to;
        std::string chunk;
        if (!bold_) {
            put(chunk, text.substr(from));
            emit_(chunk);
            return;
        }
        // The first run that ends past `from`.
        auto run = std::partition_point(runs.begin(), runs.end(), [from](const BoldRun& r) {
            return r.start + r.length <= from;
        });
        if (open_ && (run == runs.end() || run->start >= from)) {
            put(chunk, "</b>");
            open_ = false;
        }
        std::size_t at = from;
        for (; run != runs.end() && run->start < to; ++run) {
            const std::size_t start = std::max(run->start, from);
            const std::size_t end = run->start + run->length;
            put(chunk, text.substr(at, start - at));
            if (!open_)
                put(chunk, "<b>");
            put(chunk, text.substr(start, end - start));
            at = end;
            open_ = true;
            if (end == to)
                break;
            put(chunk, "</b>");
            open_ = false;
        }
        put(chunk, text.substr(at));
        emit_(chunk);
    }
    // The pane was cleared (a logout, a reload): its text ends, and the next
    // pane's follows it after a line end.
    void paneEnded(std::string_view text, const std::vector<BoldRun>& runs) {
        follow(text, runs);
        std::string chunk;
        closeBold(chunk);
        put(chunk, "\r\n");
        emit_(chunk);
        written_ = 0;
    }
    // The end of the transcript: the input line after it.
    void finish(std::string_view text, const std::vector<BoldRun>& runs, const std::string& input) {
        follow(text, runs);
        std::string chunk;
        closeBold(chunk);
        if (pendingCr_)
            chunk += '\r';
        pendingCr_ = false;
        chunk += '\n';
        chunk += input;
        chunk += '\n';
        emit_(chunk);
    }
    // The pane forgot its first `count` bytes, all of them written.
    void forgotten(std::size_t count) { written_ -= std::min(count, written_); }
    std::size_t written() const { return written_; }

private:
    void closeBold(std::string& chunk) {
        if (open_)
            put(chunk, "</b>");
        open_ = false;
    }
    // A CR is left out where a LF follows it, even across writes.
    void put(std::string& chunk, std::string_view s) {
        for (char c : s) {
            if (pendingCr_ && c != '\n')
                chunk += '\r';
            pendingCr_ = c == '\r';
            if (!pendingCr_)
                chunk += c;
        }
    }

    std::function<void(std::string_view)> emit_;
    bool bold_;
    std::size_t written_ = 0;
    bool open_ = false;
    bool pendingCr_ = false;
};

// A router's parked pane as runs of the live pane's kind.
std::vector<BoldRun> parkedRuns(const routerState& parked) {
    std::vector<BoldRun> runs;
    for (const auto& [start, length] : parked.consoleBold)
        runs.push_back({start, length});
    return runs;
}

// The console window of a script run: everything goes on to the recording
// window, and the router's pane is followed into its transcript as it
// changes.
class StreamingIo : public ConsoleIo {
public:
    StreamingIo(Simulator& sim, ConsoleIo& window, std::function<PaneStream&(RouterId)> streamOf)
        : sim_(sim), window_(window), streamOf_(std::move(streamOf)) {}

    void outputAppended(std::string_view piece, bool bold) override {
        window_.outputAppended(piece, bold);
        streamOf_(sim_.activeRouter).follow(sim_.output.text, sim_.output.bold);
    }
    void outputReplaced(const OutputPane& pane) override {
        window_.outputReplaced(pane);
        streamOf_(sim_.activeRouter).follow(pane.text, pane.bold);
    }
    void outputDiscarding(const OutputPane& pane, RouterId router) override {
        window_.outputDiscarding(pane, router);
        streamOf_(router).paneEnded(pane.text, pane.bold);
    }
    void inputChanged(const InputLine& line) override { window_.inputChanged(line); }
    void repaint() override { window_.repaint(); }
    bool pause(int ms) override { return window_.pause(ms); }
    std::optional<int> waitForKey() override { return window_.waitForKey(); }
    int visibleLines() const override { return window_.visibleLines(); }
    void messageBox(const std::string& text) override { window_.messageBox(text); }

private:
    Simulator& sim_;
    ConsoleIo& window_;
    std::function<PaneStream&(RouterId)> streamOf_;
};

// Where a router's transcript waits until it is known whether the other
// router was used: a temporary file, or memory when none can be made.
struct WaitingTranscript {
    std::FILE* file = std::tmpfile();
    std::string kept;
    WaitingTranscript() = default;
    WaitingTranscript(const WaitingTranscript&) = delete;
    WaitingTranscript& operator=(const WaitingTranscript&) = delete;
    ~WaitingTranscript() {
        if (file)
            std::fclose(file);
    }
    void write(std::string_view s) {
        if (!file)
            kept.append(s);
        else if (!s.empty() && std::fwrite(s.data(), 1, s.size(), file) != s.size())
            failed = true;
    }
    void copyTo(std::ostream& out) {
        out << kept;
        if (!file)
            return;
        std::rewind(file);
        char buffer[65536];
        while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, file))
            out.write(buffer, static_cast<std::streamsize>(n));
        // A transcript lost on the way is a failed write, as it would be on
        // standard output.
        if (failed || std::ferror(file))
            out.setstate(std::ios::badbit);
    }
    bool failed = false;
};

void typeKeys(Simulator& sim, RecordingConsole& io, ScriptKeys& source,
              const TranscriptOutput* output) {
    io.keySource = [&source, &sim] { return source.nextCharacter(sim); };
    // Without a transcript to write, only the recording window watches.
    const bool twoRouters = sim.topology.kind == TopologyKind::twoRouters;
    std::optional<WaitingTranscript> files[2];
    std::optional<PaneStream> streams[2];
    if (output) {
        for (int r : {0, 1}) {
            std::function<void(std::string_view)> emit = [out = &output->out](std::string_view s) {
                out->write(s.data(), static_cast<std::streamsize>(s.size()));
            };
            // Both routers wait in files: RouterA's comes first, under its
            // name only if RouterB turns out to be used.
            if (twoRouters) {
                files[r].emplace();
                emit = [file = &*files[r]](std::string_view s) { file->write(s); };
            }
            streams[r].emplace(std::move(emit), output->bold);
        }
    }
    auto streamOf = [&streams](RouterId router) -> PaneStream& {
        return *streams[router == RouterId::b ? 1 : 0];
    };
    StreamingIo streaming(sim, io, streamOf);
    ConsoleIo& window = output ? static_cast<ConsoleIo&>(streaming) : io;
    sim.setIo(window);
    // What the pane holds already (the boot screen) is the start of the
    // transcript.
    if (output)
        streamOf(sim.activeRouter).follow(sim.output.text, sim.output.bold);

    bool routerBUsed = sim.activeRouter == RouterId::b;
    while (const std::optional<ScriptKey> k = source.take()) {
        routerBUsed = routerBUsed || sim.activeRouter == RouterId::b;
        switch (k->kind) {
        case ScriptKey::escDown:
            if (sim.input.enabled)
                keyDown(sim, keyEscape, false);
            break;
        case ScriptKey::escUp:
            keyUp(sim, keyEscape);
            break;
        case ScriptKey::press:
            pressKey(sim, k->key);
            break;
        case ScriptKey::routerA:
        case ScriptKey::routerB:
            pressButton(sim, *k);
            break;
        }
        // Written out, the pane keeps one byte: an empty pane would tell a
        // logout not to clear it, and its separating line end would be lost.
        if (output && output->forgetAbove > 0 && sim.output.text.size() > output->forgetAbove) {
            PaneStream& stream = streamOf(sim.activeRouter);
            stream.follow(sim.output.text, sim.output.bold);
            const std::size_t count = std::min(stream.written(), sim.output.text.size()) - 1;
            sim.output.forgetFront(count);
            stream.forgotten(count);
        }
    }
    routerBUsed = routerBUsed || sim.activeRouter == RouterId::b;
    io.keySource = nullptr;
    sim.setIo(io);
    if (!output)
        return;

    // A router's transcript ends with the pane it shows now and its input
    // line; the parked one's wait in its store.
    auto finish = [&](RouterId router) {
        if (router == sim.activeRouter) {
            streamOf(router).finish(sim.output.text, sim.output.bold, sim.input.text);
            return;
        }
        const routerState& parked = router == RouterId::a ? sim.routerAStore : sim.routerBStore;
        streamOf(router).finish(parked.consoleText, parkedRuns(parked), parked.inputText);
    };
    if (!twoRouters) {
        finish(sim.activeRouter);
        return;
    }
    if (!routerBUsed) {
        finish(sim.activeRouter);
        files[sim.activeRouter == RouterId::b ? 1 : 0]->copyTo(output->out);
        return;
    }
    for (RouterId router : {RouterId::a, RouterId::b}) {
        finish(router);
        output->out << "===== " << routerName(router) << " =====\n";
        files[router == RouterId::b ? 1 : 0]->copyTo(output->out);
    }
}

} // namespace

void runScript(Simulator& sim, RecordingConsole& io, const std::vector<ScriptKey>& keys,
               const TranscriptOutput* output) {
    std::size_t next = 0;
    ScriptKeys source([&keys, &next]() -> std::optional<ScriptKey> {
        if (next >= keys.size())
            return std::nullopt;
        return keys[next++];
    });
    typeKeys(sim, io, source, output);
}

void runScript(Simulator& sim, RecordingConsole& io, ScriptReader& keys,
               const TranscriptOutput* output) {
    ScriptKeys source([&keys]() {
        std::string error;
        return keys.next(error);
    });
    typeKeys(sim, io, source, output);
}

} // namespace kestro
