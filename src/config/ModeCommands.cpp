// Configuration commands that enter a sub-mode (interface, line, router) or
// act on the selected line, and the host name.
#include "Simulator.h"
#include "config/ConfigCommands.h"
#include "console/Console.h"
#include "console/LineHelpers.h"
#include "records/AddressUtils.h"

namespace kestro {

namespace {

void interfaceEntry(const CommandContext& c) {
    enterMode(c.sim, Mode::configIf);
    // The form's id is the interface.
    c.sim.liveRouter.currentInterface = static_cast<Interface>(c.form);
}

void lineEntry(const CommandContext& c) {
    // The form's id is the line.
    static const char* const lines[] = {"aux", "con", "vty"};
    enterMode(c.sim, Mode::configLine);
    c.sim.liveRouter.currentLine = lines[c.form];
}

enum RouterForm : int { rip = 1, igrp };

void routerEntry(const CommandContext& c) {
    routerState& r = c.sim.liveRouter;
    if (!r.ipRouting) {
        printLine(c.sim, "IP routing not enabled");
        return;
    }
    if (c.form == rip) {
        r.ripConfigured = true;
        enterMode(c.sim, Mode::configRouterRip);
    } else {
        r.igrpAs = numberValue(c.words[2]);
        r.igrpConfigured = true;
        enterMode(c.sim, Mode::configRouterIgrp);
    }
}

void hostnameCommand(const CommandContext& c) {
    c.sim.liveRouter.hostname = c.words[1];
    c.sim.liveRouter.prompt = c.sim.liveRouter.hostname + "(config)#";
}

// login and password act on the line selected by the line command.
void lineLogin(const CommandContext& c) {
    if (bool* flag = c.sim.liveRouter.currentLineLogin())
        *flag = true;
    else
        printInvalidInput(c.sim);
}

void linePassword(const CommandContext& c) {
    if (std::string* password = c.sim.liveRouter.currentLinePassword())
        *password = c.words[1];
    else
        printInvalidInput(c.sim);
}

using W = Alias::Where;

// The interfaces typed short or glued to their number.
Syntax interfaceSyntax() {
    return {{{"interface serial 0", static_cast<int>(Interface::serial0)},
             {"interface serial 1", static_cast<int>(Interface::serial1)},
             {"interface ethernet 0", static_cast<int>(Interface::ethernet0)}},
            {{"int", "interface", W::notLast},
             {"e0", "ethernet 0"},
             {"s0", "serial 0"},
             {"s1", "serial 1"},
             {"e 0", "ethernet 0"},
             {"s 0", "serial 0"},
             {"s 1", "serial 1"},
             {"serial0", "serial 0"},
             {"serial1", "serial 1"},
             {"ethernet0", "ethernet 0"}}};
}

} // namespace

const std::vector<CommandRow>& modeEntryCommands() {
    const std::vector<Mode> conf = {Mode::conf};
    const std::vector<Mode> line = {Mode::configLine};
    static const std::vector<CommandRow> rows = {
        {"hostname",
         {},
         {{Mode::conf, hostnameCommand, {{{"hostname WORD"}}}}},
         Elsewhere::unknownCommand,
         {{conf, {"hostname ?"}, helpLines({" WORD  This system's network name"})},
          {conf, {"hostname ..."}, helpSilence()}}},
        {"interface",
         {"int"},
         {{Mode::conf, interfaceEntry, interfaceSyntax()}},
         Elsewhere::unknownCommand,
         {{conf, {"interface/int ?"}, helpScreen("interface_?")}}},
        {"line",
         {},
         {{Mode::conf,
           lineEntry,
           {{{"line aux 0", 0}, {"line console 0", 1}, {"line vty 0 4", 2}},
            {{"con", "console", W::notLast}}}}},
         Elsewhere::unknownCommand,
         {{conf,
           {"line ?"},
           helpLines({"<0-6>    First Line number", "aux      Auxiliary line",
                      "console  Primary terminal line", "vty      Virtual terminal"},
                     false)},
          {conf, {"line aux/console ?"}, helpLines({"<0-0>    First Line number"})},
          {conf, {"line vty ?"}, helpLines({"<0-4>    First Line number"})},
          {conf, {"line ..."}, helpSilence()}}},
        {"login", {}, {{Mode::configLine, lineLogin, {{{"login"}}}}}, Elsewhere::unknownCommand},
        {"password",
         {},
         {{Mode::configLine, linePassword, {{{"password WORD"}}}}},
         Elsewhere::unknownCommand,
         {{line, {"password ?"}, helpScreen("password_?")},
          {line, {"password ..."}, helpLines({"LINE    <cr>"})}}},
        {"router",
         {},
         {{Mode::conf, routerEntry, {{{"router rip", rip}, {"router igrp <1-65535>", igrp}}}}},
         Elsewhere::invalidInput,
         {{conf, {"router ?"}, helpScreen("router_?")},
          {conf, {"router igrp ?"}, helpLines({"$  <1-65535>  Autonomous system number"})}}},
    };
    return rows;
}

} // namespace kestro
