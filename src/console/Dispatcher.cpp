#include "console/Dispatcher.h"

#include "Simulator.h"
#include "config/AddressUtils.h"
#include "config/ConfigCommands.h"
#include "console/Console.h"
#include "console/Session.h"
#include "recognition/Recognition.h"
#include "status/Status.h"

#include <algorithm>
#include <functional>
#include <map>

namespace kestro {

std::string toLowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::string normaliseText(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(' ');
    const std::string lowered = toLowerAscii(text.substr(first, last - first + 1));
    std::string out;
    out.reserve(lowered.size());
    for (char c : lowered) {
        if (c == ' ' && !out.empty() && out.back() == ' ')
            continue;
        out += c;
    }
    return out;
}

std::string normaliseLine(const Simulator& sim, std::string_view line) {
    const std::string& prompt = sim.liveRouter.prompt;
    // The prompt is looked for in the line; when it is not there, the text
    // is taken from one character before the prompt's length, as the
    // router always has.
    std::size_t from;
    if (prompt.empty()) {
        from = 0;
    } else {
        const std::size_t at = line.find(prompt);
        from = at == std::string_view::npos ? prompt.size() - 1 : at + prompt.size();
    }
    if (from > line.size())
        from = line.size();
    return normaliseText(line.substr(from));
}

std::vector<std::string> splitWords(std::string_view normalised) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start < normalised.size()) {
        std::size_t end = normalised.find(' ', start);
        if (end == std::string_view::npos)
            end = normalised.size();
        words.emplace_back(normalised.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

int matchPattern(const Simulator& sim, std::string_view line, std::string_view pattern) {
    const std::vector<std::string> words = splitWords(normaliseLine(sim, line));
    const std::vector<std::string> templ = splitWords(pattern);
    if (words.size() > templ.size())
        return patternInvalid;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (templ[i] != "variable" && templ[i] != words[i])
            return patternInvalid;
    }
    return words.size() < templ.size() ? patternIncomplete : patternMatch;
}

void printInvalidInput(Simulator& sim) {
    printLine(sim, " ");
    printLine(sim, "% Invalid input detected at '^' marker.");
}

void printIncompleteCommand(Simulator& sim) {
    printLine(sim, "% Incomplete command.");
    printLine(sim, " ");
}

void printUnknownCommand(Simulator& sim) {
    if (sim.liveRouter.mode == "user")
        printLine(sim, "% Unknown command or computer name, or unable to find computer address");
    else
        printInvalidInput(sim);
}

void printMismatch(Simulator& sim, int result) {
    if (result == patternIncomplete)
        printIncompleteCommand(sim);
    else
        printInvalidInput(sim);
}

void printUnrecognizedCommand(Simulator& sim) {
    printLine(sim, "% Unrecognized command");
    sim.helpEmphasis = false;
}

std::string promptFor(const Simulator& sim, std::string_view mode) {
    const std::string& h = sim.liveRouter.hostname;
    if (mode == "user")
        return h + ">";
    if (mode == "priv")
        return h + "#";
    if (mode == "conf")
        return h + "(config)#";
    if (mode == "config-if")
        return h + "(config-if)#";
    if (mode == "config-line")
        return h + "(config-line)#";
    if (mode == "config-routerRip" || mode == "config-routerIgrp" || mode == "config-router")
        return h + "(config-router)#";
    return "";
}

void enterMode(Simulator& sim, const std::string& mode) {
    sim.liveRouter.mode = mode;
    sim.liveRouter.prompt = promptFor(sim, mode);
}

bool isConfigurationMode(std::string_view mode) {
    return mode == "conf" || mode == "config-if" || mode == "config-line" ||
           mode == "config-routerRip" || mode == "config-routerIgrp";
}

namespace {

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    std::size_t at = 0;
    while ((at = text.find(from, at)) != std::string::npos) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
}

// Matches the rewritten line against each template in turn; answers the
// index of the first match, or -1 after printing the incomplete message (when
// any template found the line too short) or the invalid-input message.
int matchOneOf(Simulator& sim, const std::string& line,
               std::initializer_list<const char*> templates) {
    bool incomplete = false;
    int index = 0;
    for (const char* t : templates) {
        const int m = matchPattern(sim, line, t);
        if (m == patternMatch)
            return index;
        incomplete = incomplete || m == patternIncomplete;
        ++index;
    }
    if (incomplete)
        printIncompleteCommand(sim);
    else
        printInvalidInput(sim);
    return -1;
}

void processInterfaceEntry(Simulator& sim, const std::string& line) {
    std::string n = normaliseLine(sim, line);
    static const std::pair<const char*, const char*> spellings[] = {
        {"int ", "interface "}, {" e0", " ethernet 0"},  {" s0", " serial 0"},
        {" s1", " serial 1"},   {" e 0", " ethernet 0"}, {" s 0", " serial 0"},
        {" s 1", " serial 1"},
    };
    for (const auto& [from, to] : spellings)
        replaceAll(n, from, to);
    const std::string rewritten = sim.liveRouter.prompt + n;
    const int which = matchOneOf(
        sim, rewritten, {"interface serial 0", "interface serial 1", "interface ethernet 0"});
    if (which < 0)
        return;
    enterMode(sim, "config-if");
    sim.liveRouter.currentInterface = std::to_string(which);
}

void processLineEntry(Simulator& sim, const std::string& line) {
    std::string n = normaliseLine(sim, line);
    replaceAll(n, "con ", "console ");
    const std::string rewritten = sim.liveRouter.prompt + n;
    const int which = matchOneOf(sim, rewritten, {"line aux 0", "line console 0", "line vty 0 4"});
    if (which < 0)
        return;
    static const char* const lines[] = {"aux", "con", "vty"};
    enterMode(sim, "config-line");
    sim.liveRouter.currentLine = lines[which];
}

void processRouterEntry(Simulator& sim, const std::string& line) {
    routerState& r = sim.liveRouter;
    const int rip = matchPattern(sim, line, "router rip");
    if (rip == patternMatch) {
        if (r.ipRouting) {
            r.ripConfigured = true;
            enterMode(sim, "config-routerRip");
        } else {
            printLine(sim, "IP routing not enabled");
        }
        return;
    }
    const int igrp = matchPattern(sim, line, "router igrp variable");
    if (igrp == patternMatch) {
        const std::vector<std::string> words = splitWords(normaliseLine(sim, line));
        if (isNumberInRange(words[2], 1, 65535)) {
            if (r.ipRouting) {
                r.igrpAs = *numericValue(words[2]);
                r.igrpConfigured = true;
                enterMode(sim, "config-routerIgrp");
            } else {
                printLine(sim, "IP routing not enabled");
            }
            return;
        }
    }
    if (rip == patternIncomplete || igrp == patternIncomplete)
        printIncompleteCommand(sim);
    else
        printInvalidInput(sim);
}

void process_hostname(Simulator& sim, const std::vector<std::string>& words) {
    if (sim.liveRouter.mode != "conf") {
        printUnknownCommand(sim);
        return;
    }
    if (words.size() == 1) {
        printIncompleteCommand(sim);
    } else if (words.size() > 2) {
        printInvalidInput(sim);
    } else {
        sim.liveRouter.hostname = words[1];
        sim.liveRouter.prompt = sim.liveRouter.hostname + "(config)#";
    }
}

void processLineLogin(Simulator& sim, const std::string& line) {
    switch (matchPattern(sim, line, "login")) {
    case patternMatch:
        if (bool* flag = sim.liveRouter.currentLineLogin())
            *flag = true;
        else
            printInvalidInput(sim);
        break;
    case patternIncomplete:
        printIncompleteCommand(sim);
        break;
    default:
        printInvalidInput(sim);
    }
}

void processLinePassword(Simulator& sim, const std::string& line) {
    switch (matchPattern(sim, line, "password variable")) {
    case patternMatch:
        if (std::string* password = sim.liveRouter.currentLinePassword())
            *password = splitWords(normaliseLine(sim, line))[1];
        else
            printInvalidInput(sim);
        break;
    case patternIncomplete:
        printIncompleteCommand(sim);
        break;
    default:
        printInvalidInput(sim);
    }
}

struct Context {
    Simulator& sim;
    const std::string& line;
    const std::vector<std::string>& words;
    const std::string& mode;
};

using Handler = std::function<void(const Context&)>;

using LineHandler = void (*)(Simulator&, const std::string&);

// A row that runs the handler of the current mode and answers every other
// mode with `otherwise`.
Handler byMode(std::initializer_list<std::pair<const char*, LineHandler>> handlers,
               void (*otherwise)(Simulator&)) {
    std::vector<std::pair<std::string, LineHandler>> rows(handlers.begin(), handlers.end());
    return [rows, otherwise](const Context& c) {
        for (const auto& [mode, handler] : rows) {
            if (mode == c.mode) {
                handler(c.sim, c.line);
                return;
            }
        }
        otherwise(c.sim);
    };
}

// The same handler in each of the named modes.
Handler inModes(std::initializer_list<const char*> modes, LineHandler handler,
                void (*otherwise)(Simulator&)) {
    std::vector<std::string> accepted(modes.begin(), modes.end());
    return [accepted, handler, otherwise](const Context& c) {
        if (std::find(accepted.begin(), accepted.end(), c.mode) != accepted.end())
            handler(c.sim, c.line);
        else
            otherwise(c.sim);
    };
}

void exitCommand(const Context& c) {
    Simulator& sim = c.sim;
    if (matchPattern(sim, c.line, "exit") != patternMatch) {
        printInvalidInput(sim);
        return;
    }
    if (c.mode == "user" || c.mode == "priv") {
        loadRouter(sim);
    } else if (c.mode == "conf") {
        enterMode(sim, "priv");
        printLine(sim, configuredFromConsole);
    } else if (isConfigurationMode(c.mode)) {
        enterMode(sim, "conf");
    }
}

void endCommand(const Context& c) {
    if (isConfigurationMode(c.mode) && matchPattern(c.sim, c.line, "end") == patternMatch) {
        enterMode(c.sim, "priv");
        resetInputLine(c.sim);
    } else {
        printUnknownCommand(c.sim);
    }
}

void disableCommand(const Context& c) {
    if (c.mode == "priv") {
        if (c.words.size() == 1) {
            enterMode(c.sim, "user");
            resetInputLine(c.sim);
        } else {
            printInvalidInput(c.sim);
        }
    } else if (c.mode != "user") {
        printUnknownCommand(c.sim);
    }
}

void enableCommand(const Context& c) {
    if (c.mode == "user")
        processEnable(c.sim, c.words);
    else if (c.mode == "conf")
        processEnableConf(c.sim, c.line);
}

void logoutCommand(const Context& c) {
    if ((c.mode == "user" || c.mode == "priv") && c.words.size() == 1)
        loadRouter(c.sim);
    else
        printUnknownCommand(c.sim);
}

void helpCommand(const Context& c) {
    if (matchPattern(c.sim, c.line, "help") == patternMatch)
        procesHelp(c.sim);
    else
        printUnknownCommand(c.sim);
}

void configureCommand(const Context& c) {
    process_configure_terminal(c.sim, c.words);
}

const std::map<std::string, Handler, std::less<>>& dispatchTable() {
    static const std::map<std::string, Handler, std::less<>> table = [] {
        std::map<std::string, Handler, std::less<>> t;
        t["access-list"] = inModes({"conf"}, processAccessList, printInvalidInput);
        t["banner"] = inModes({"conf"}, processBanner, printInvalidInput);
        t["bandwidth"] = inModes({"config-if"}, processBandwidth, printInvalidInput);
        t["clock"] = inModes({"config-if"}, processClockRate, printInvalidInput);
        t["cdp"] = byMode({{"conf", processGlobalCdp}, {"config-if", processInterfaceCdp}},
                          printInvalidInput);
        for (const char* w : {"conf", "confi", "config", "configu", "configur", "configure"})
            t[w] = configureCommand;
        t["copy"] = inModes({"priv"}, processCopy, printInvalidInput);
        t["disable"] = disableCommand;
        t["description"] = inModes({"config-if"}, processDescription, printInvalidInput);
        t["enable"] = enableCommand;
        t["en"] = enableCommand;
        t["end"] = endCommand;
        t["exec-timeout"] = inModes({"config-line"}, processExecTimeout, printUnknownCommand);
        t["exit"] = exitCommand;
        t["help"] = helpCommand;
        t["hostname"] = [](const Context& c) { process_hostname(c.sim, c.words); };
        t["int"] = inModes({"conf"}, processInterfaceEntry, printUnknownCommand);
        t["interface"] = t["int"];
        t["ip"] = byMode({{"conf", processGlobalIp}, {"config-if", processInterfaceIp}},
                         printInvalidInput);
        t["keepalive"] = inModes({"config-if"}, processKeepalive, printInvalidInput);
        t["line"] = inModes({"conf"}, processLineEntry, printUnknownCommand);
        t["login"] = inModes({"config-line"}, processLineLogin, printUnknownCommand);
        t["logout"] = logoutCommand;
        t["network"] = byMode(
            {{"config-routerRip", processNetworkRip}, {"config-routerIgrp", processNetworkIgrp}},
            printUnknownCommand);
        t["no"] = byMode({{"conf", processNoConf},
                          {"config-line", processNoLine},
                          {"config-if", processNoInterface},
                          {"config-routerRip", processNoRouterRip},
                          {"config-routerIgrp", processNoRouterIgrp}},
                         printUnknownCommand);
        t["password"] = inModes({"config-line"}, processLinePassword, printUnknownCommand);
        t["ping"] = inModes({"user", "priv"}, processPing, printUnknownCommand);
        t["reload"] = inModes({"priv"}, processReload, printUnknownCommand);
        t["router"] = inModes({"conf"}, processRouterEntry, printInvalidInput);
        t["show"] =
            byMode({{"user", processShowUser}, {"priv", processShowPriv}}, printUnknownCommand);
        t["sh"] = t["show"];
        t["shutdown"] = inModes({"config-if"}, processShutdown, printUnknownCommand);
        t["terminal"] = [](const Context& c) { proces_terminal(c.sim, c.words); };
        t["blank_enter"] = [](const Context&) {};
        return t;
    }();
    return table;
}

} // namespace

const std::vector<HandledCommand>& handledCommands() {
    static const char* const anyConfiguration[] = {"conf", "config-if", "config-line",
                                                   "config-routerRip", "config-routerIgrp"};
    static const std::vector<HandledCommand> commands = [] {
        const std::vector<const char*> config(std::begin(anyConfiguration),
                                              std::end(anyConfiguration));
        std::vector<const char*> all = {"user", "priv"};
        all.insert(all.end(), config.begin(), config.end());
        return std::vector<HandledCommand>{
            {"access-list", {"conf"}},
            {"banner", {"conf"}},
            {"bandwidth", {"config-if"}},
            {"cdp", {"conf", "config-if"}},
            {"clock", {"config-if"}},
            {"configure", {"priv"}},
            {"copy", {"priv"}},
            {"description", {"config-if"}},
            {"disable", {"user", "priv"}},
            {"enable", {"user", "conf"}},
            {"end", config},
            {"exec-timeout", {"config-line"}},
            {"exit", all},
            {"help", all},
            {"hostname", {"conf"}},
            {"interface", {"conf"}},
            {"ip", {"conf", "config-if"}},
            {"keepalive", {"config-if"}},
            {"line", {"conf"}},
            {"login", {"config-line"}},
            {"logout", {"user", "priv"}},
            {"network", {"config-routerRip", "config-routerIgrp"}},
            {"no", config},
            {"password", {"config-line"}},
            {"ping", {"user", "priv"}},
            {"reload", {"priv"}},
            {"router", {"conf"}},
            {"show", {"user", "priv"}},
            {"shutdown", {"config-if"}},
            {"terminal", {"user", "priv"}},
        };
    }();
    return commands;
}

bool isAcceptedAbbreviation(std::string_view word) {
    static const char* const shortForms[] = {"en",    "sh",     "int",     "conf",
                                             "confi", "config", "configu", "configur"};
    return std::find(std::begin(shortForms), std::end(shortForms), word) != std::end(shortForms);
}

void dispatchCommand(Simulator& sim, const std::string& line) {
    std::string n = normaliseLine(sim, line);
    if (n.empty())
        n = "blank_enter";
    const std::vector<std::string> words = splitWords(n);
    // The mode is read once: a handler that changes it must not make a later
    // row of the same command see the new mode.
    const std::string mode = sim.liveRouter.mode;
    const auto& table = dispatchTable();
    const auto row = table.find(words.front());
    if (row == table.end()) {
        printUnknownCommand(sim);
        return;
    }
    row->second(Context{sim, line, words, mode});
}

} // namespace kestro
