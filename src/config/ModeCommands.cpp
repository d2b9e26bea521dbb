// Configuration commands that enter a sub-mode (interface, line, router) or
// act on the selected line, and the host name.
#include "Simulator.h"
#include "config/ConfigCommands.h"
#include "console/Console.h"
#include "console/LineHelpers.h"
#include "records/AddressUtils.h"

namespace kestro {

namespace {

void processInterfaceEntry(Simulator& sim, const std::string& line) {
    std::string n = normaliseLine(sim, line);
    static const std::pair<const char*, const char*> spellings[] = {
        {"int ", "interface "},        {" e0", " ethernet 0"},    {" s0", " serial 0"},
        {" s1", " serial 1"},          {" e 0", " ethernet 0"},   {" s 0", " serial 0"},
        {" s 1", " serial 1"},         {" serial0", " serial 0"}, {" serial1", " serial 1"},
        {" ethernet0", " ethernet 0"},
    };
    for (const auto& [from, to] : spellings)
        replaceAll(n, from, to);
    const std::string rewritten = sim.liveRouter.prompt + n;
    const int which = matchOneOf(
        sim, rewritten, {"interface serial 0", "interface serial 1", "interface ethernet 0"});
    if (which < 0)
        return;
    enterMode(sim, Mode::configIf);
    sim.liveRouter.currentInterface = static_cast<Interface>(which);
}

void processLineEntry(Simulator& sim, const std::string& line) {
    std::string n = normaliseLine(sim, line);
    replaceAll(n, "con ", "console ");
    const std::string rewritten = sim.liveRouter.prompt + n;
    const int which = matchOneOf(sim, rewritten, {"line aux 0", "line console 0", "line vty 0 4"});
    if (which < 0)
        return;
    static const char* const lines[] = {"aux", "con", "vty"};
    enterMode(sim, Mode::configLine);
    sim.liveRouter.currentLine = lines[which];
}

void processRouterEntry(Simulator& sim, const std::string& line) {
    routerState& r = sim.liveRouter;
    const int rip = matchPattern(sim, line, "router rip");
    if (rip == patternMatch) {
        if (r.ipRouting) {
            r.ripConfigured = true;
            enterMode(sim, Mode::configRouterRip);
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
                enterMode(sim, Mode::configRouterIgrp);
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
    if (sim.liveRouter.mode != Mode::conf) {
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

// login and password act on the line selected by the line command.
void processLineLogin(Simulator& sim, const std::string& line) {
    if (matchOneOf(sim, line, {"login"}) < 0)
        return;
    if (bool* flag = sim.liveRouter.currentLineLogin())
        *flag = true;
    else
        printInvalidInput(sim);
}

void processLinePassword(Simulator& sim, const std::string& line) {
    if (matchOneOf(sim, line, {"password variable"}) < 0)
        return;
    if (std::string* password = sim.liveRouter.currentLinePassword())
        *password = splitWords(normaliseLine(sim, line))[1];
    else
        printInvalidInput(sim);
}

void hostnameCommand(const CommandContext& c) {
    process_hostname(c.sim, c.words);
}

} // namespace

const std::vector<CommandRow>& modeEntryCommands() {
    const std::vector<Mode> conf = {Mode::conf};
    const std::vector<Mode> line = {Mode::configLine};
    static const std::vector<CommandRow> rows = {
        {"hostname",
         {},
         {{Mode::conf, hostnameCommand}},
         Elsewhere::unknownCommand,
         {{conf, {"hostname ?"}, helpLines({" WORD  This system's network name"})},
          {conf, {"hostname ..."}, helpSilence()}}},
        {"interface",
         {"int"},
         {{Mode::conf, withLine<processInterfaceEntry>}},
         Elsewhere::unknownCommand,
         {{conf, {"int ?", "interface ?"}, helpScreen("interface_?")}}},
        {"line",
         {},
         {{Mode::conf, withLine<processLineEntry>}},
         Elsewhere::unknownCommand,
         {{conf,
           {"line ?"},
           helpLines({"<0-6>    First Line number", "aux      Auxiliary line",
                      "console  Primary terminal line", "vty      Virtual terminal"},
                     false)},
          {conf,
           {"line variable ?"},
           helpLines({"<0-0>    First Line number"}),
           {{WordCheck::Kind::oneOf, 1, 0, 0, 0, {"aux", "console"}}}},
          {conf, {"line vty ?"}, helpLines({"<0-4>    First Line number"})},
          {conf, {"line ..."}, helpSilence()}}},
        {"login", {}, {{Mode::configLine, withLine<processLineLogin>}}, Elsewhere::unknownCommand},
        {"password",
         {},
         {{Mode::configLine, withLine<processLinePassword>}},
         Elsewhere::unknownCommand,
         {{line, {"password ?"}, helpScreen("password_?")},
          {line, {"password ..."}, helpLines({"LINE    <cr>"})}}},
        {"router",
         {},
         {{Mode::conf, withLine<processRouterEntry>}},
         Elsewhere::invalidInput,
         {{conf, {"router ?"}, helpScreen("router_?")},
          {conf, {"router igrp ?"}, helpLines({"$  <1-65535>  Autonomous system number"})}}},
    };
    return rows;
}

} // namespace kestro
