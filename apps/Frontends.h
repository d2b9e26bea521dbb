// The two ways kestro-console drives the router console.
#pragma once

#include "console/Console.h"

#include <optional>
#include <string>
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

// Turns a keystroke script into keys. On a fault returns empty and puts a
// message naming the line into `error`.
std::optional<std::vector<ScriptKey>> parseScript(const std::string& text, const std::string& name,
                                                  std::string& error);

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

// Types the keys into the console (whose window is `io`) and returns the
// transcript as script mode prints it: the output pane with CR LF written as
// a line feed, a line feed, the input line, a line feed. A pending
// " --More--" takes the next key of the script.
std::string runScript(Simulator& sim, RecordingConsole& io, const std::vector<ScriptKey>& keys,
                      bool bold);

// Interactive console on the terminal; returns the exit status.
int runTerminal(Simulator& sim);

} // namespace kestro
