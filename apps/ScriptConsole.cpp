#include "Frontends.h"

#include "Simulator.h"
#include "console/RecordingConsole.h"
#include "learning/Activities.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
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

class ScriptKeys {
public:
    explicit ScriptKeys(const std::vector<ScriptKey>& keys) : keys_(keys) {}
    bool done() const { return next_ >= keys_.size(); }
    const ScriptKey& take() { return keys_[next_++]; }
    // The next key that types a character, for a " --More--" wait; keys
    // that type none (arrows) go by unnoticed, as in the window.
    std::optional<int> nextCharacter(Simulator& sim) {
        while (!done()) {
            const ScriptKey& k = take();
            if (k.kind == ScriptKey::routerA || k.kind == ScriptKey::routerB)
                pressButton(sim, k);
            else if (k.kind == ScriptKey::press && k.key.ch != 0)
                return static_cast<int>(k.key.ch);
        }
        return std::nullopt;
    }

private:
    const std::vector<ScriptKey>& keys_;
    std::size_t next_ = 0;
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

std::optional<std::vector<ScriptKey>> parseScript(const std::string& text, const std::string& name,
                                                  std::string& error) {
    std::vector<ScriptKey> keys;
    std::size_t start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
        ++lineNumber;
        std::size_t end = text.find('\n', start);
        const bool hasEnd = end != std::string::npos;
        if (!hasEnd)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        bool typeEnter = hasEnd;
        if (!line.empty() && line.back() == '\\') {
            line.pop_back();
            typeEnter = false;
        }
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            if (c != '<') {
                keys.push_back({Key::character(static_cast<unsigned char>(c)), lineNumber});
                continue;
            }
            const std::size_t close = line.find('>', i + 1);
            const std::string keyName =
                close == std::string::npos ? line.substr(i) : line.substr(i + 1, close - i - 1);
            if (close == std::string::npos || !parseNamed(keyName, keys, lineNumber)) {
                error = name + ":" + std::to_string(lineNumber) + ": unknown key name <" +
                        (close == std::string::npos ? keyName.substr(1) : keyName) +
                        ">; write <lt> for a literal <";
                return std::nullopt;
            }
            i = close;
        }
        if (typeEnter)
            keys.push_back({Key::special(keyEnter), lineNumber});
    }
    return keys;
}

std::string runScript(Simulator& sim, RecordingConsole& io, const std::vector<ScriptKey>& keys,
                      bool bold) {
    ScriptKeys source(keys);
    io.keySource = [&source, &sim] { return source.nextCharacter(sim); };
    const std::size_t discardedBefore = io.discarded.size();
    bool routerBUsed = sim.activeRouter == RouterId::b;
    while (!source.done()) {
        routerBUsed = routerBUsed || sim.activeRouter == RouterId::b;
        const ScriptKey& k = source.take();
        switch (k.kind) {
        case ScriptKey::escDown:
            if (sim.input.enabled)
                keyDown(sim, keyEscape, false);
            break;
        case ScriptKey::escUp:
            keyUp(sim, keyEscape);
            break;
        case ScriptKey::press:
            pressKey(sim, k.key);
            break;
        case ScriptKey::routerA:
        case ScriptKey::routerB:
            pressButton(sim, k);
            break;
        }
    }
    routerBUsed = routerBUsed || sim.activeRouter == RouterId::b;
    io.keySource = nullptr;

    // A router's whole session: the panes its logouts and reloads cleared,
    // then the pane it shows now, CR LF written as a line feed.
    auto transcript = [&](RouterId router, const OutputPane& now, const std::string& input) {
        std::string pane;
        for (std::size_t i = discardedBefore; i < io.discarded.size(); ++i)
            if (io.discarded[i].first == router)
                pane += (bold ? io.discarded[i].second.markedText() : io.discarded[i].second.text) +
                        "\r\n";
        pane += bold ? now.markedText() : now.text;
        std::string out;
        out.reserve(pane.size() + input.size() + 2);
        for (std::size_t i = 0; i < pane.size(); ++i) {
            if (pane[i] == '\r' && i + 1 < pane.size() && pane[i + 1] == '\n')
                continue;
            out += pane[i];
        }
        out += '\n';
        out += input;
        out += '\n';
        return out;
    };
    if (sim.topology.kind != TopologyKind::twoRouters || !routerBUsed)
        return transcript(sim.activeRouter, sim.output, sim.input.text);
    // Both routers of a two-router exercise, each under its name; the parked
    // one's pane and input line wait in its store.
    std::string out;
    for (RouterId router : {RouterId::a, RouterId::b}) {
        out += "===== " + std::string(routerName(router)) + " =====\n";
        if (router == sim.activeRouter) {
            out += transcript(router, sim.output, sim.input.text);
            continue;
        }
        const routerState& parked = router == RouterId::a ? sim.routerAStore : sim.routerBStore;
        OutputPane pane;
        pane.text = parked.consoleText;
        for (const auto& [start, length] : parked.consoleBold)
            pane.bold.push_back({start, length});
        out += transcript(router, pane, parked.inputText);
    }
    return out;
}

} // namespace kestro
