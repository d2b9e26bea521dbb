// The two ways kestro-console drives the router console.
#pragma once

#include "console/Console.h"

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kestro {

class Simulator;

struct ScriptKey {
    // Esc held down and released around a letter make the Esc+f/Esc+b chords;
    // routerA and routerB press the two-router panel's buttons.
    enum Kind { press, escDown, escUp, routerA, routerB };
    Key key;
    int line = 0; // line of the script file it came from
    Kind kind = press;
};

// Reads the keys of a keystroke script one at a time, a line ahead of them,
// so a long script is never held as keys. `text` must outlive the reader.
class ScriptReader {
public:
    ScriptReader(std::string_view text, std::string name) : text_(text), name_(std::move(name)) {}
    // The next key; empty at the end of the text, or at a fault with a
    // message naming the line in `error`.
    std::optional<ScriptKey> next(std::string& error);

private:
    bool readLine(std::string& error);

    std::string_view text_;
    std::string name_;
    std::size_t at_ = 0;
    int lineNumber_ = 0;
    std::vector<ScriptKey> line_;
    std::size_t taken_ = 0;
};

// Turns a keystroke script into keys. On a fault returns empty and puts a
// message naming the line into `error`.
std::optional<std::vector<ScriptKey>> parseScript(const std::string& text, const std::string& name,
                                                  std::string& error);
// Whether the whole script reads without a fault (else the message is in
// `error`), without keeping its keys.
bool checkScript(std::string_view text, const std::string& name, std::string& error);

// The largest script read; a longer one (or an endless device) is refused
// rather than filling memory.
constexpr std::size_t maxScriptBytes = 64u << 20;

// Reads a script file whole ("-" is standard input). On a fault (a folder, no
// such file, no permission, a read error, over maxScriptBytes) returns empty
// and puts one message naming the file into `error`.
std::optional<std::string> readScriptFile(const std::string& path, std::string& error);

// Names of the special keys and what they do, for --help.
std::string scriptKeyHelp();

class RecordingConsole;

// Where script mode writes the transcript while the keys are typed: every
// pane of the session (those a logout or a reload cleared too) with CR LF
// written as a line feed, a line feed, the input line, a line feed; in a
// two-router exercise where RouterB was used, each router's under its name.
struct TranscriptOutput {
    std::ostream& out;
    bool bold = false; // bold text written as <b>...</b>
    // The pane forgets what has been written once it holds more than this
    // many bytes, so memory stays bounded however long the script; 0 keeps
    // the pane whole (a study record keeps the console text).
    std::size_t forgetAbove = 0;
};

// Types the keys into the console (whose window is `io`), writing the
// transcript to `output` as it grows when one is given. A pending
// " --More--" takes the next key of the script.
void runScript(Simulator& sim, RecordingConsole& io, const std::vector<ScriptKey>& keys,
               const TranscriptOutput* output = nullptr);
// The same, reading the keys from a script that checkScript accepted.
void runScript(Simulator& sim, RecordingConsole& io, ScriptReader& keys,
               const TranscriptOutput* output = nullptr);

// Interactive console on the terminal; returns the exit status.
int runTerminal(Simulator& sim);

} // namespace kestro
