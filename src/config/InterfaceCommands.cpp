// Handlers of the interface configuration mode ("config-if") and of the line
// configuration mode ("config-line"). They change the interface chosen by
// currentInterface or the line named by currentLine, print nothing on
// success and exactly one message on wrong input.
#include "config/ConfigCommands.h"

#include "Simulator.h"
#include "console/Console.h"
#include "console/LineHelpers.h"
#include "records/AddressUtils.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace kestro {

namespace {

bool isEthernet(const routerState& r) {
    return r.currentInterface == Interface::ethernet0;
}

// The one place "cdp run" and "no cdp run" typed in interface mode lead:
// they end configuration altogether, not only the interface mode.
void leaveToPrivileged(Simulator& sim) {
    enterMode(sim, Mode::priv);
    printLine(sim, "");
}

struct ExecTimeout {
    long* minutes;
    long* seconds;
};

// The interface the commands act on; with none selected the line is
// answered as invalid input and null comes back.
interfaceConfig* interfaceOrInvalid(Simulator& sim) {
    interfaceConfig* iface = sim.liveRouter.selectedInterface();
    if (iface == nullptr)
        printInvalidInput(sim);
    return iface;
}

ExecTimeout lineExecTimeout(routerState& r) {
    return {settingOfLine(r.currentLine, r.auxExecTimeoutMinutes, r.consoleExecTimeoutMinutes,
                          r.vtyExecTimeoutMinutes),
            settingOfLine(r.currentLine, r.auxExecTimeoutSeconds, r.consoleExecTimeoutSeconds,
                          r.vtyExecTimeoutSeconds)};
}

constexpr std::array<long, 18> acceptedClockRates = {
    1200,   2400,   4800,   9600,   19200,  38400,   56000,   64000,   72000,
    125000, 148000, 250000, 500000, 800000, 1000000, 1300000, 2000000, 4000000,
};

} // namespace

namespace {

enum InterfaceForm : int { groupOut = 1, groupIn, address, shutdown, cdpRun, cdpEnable, clockRate };

// A handler of the selected interface: with none selected the line is
// answered as invalid input.
template <void (*act)(const CommandContext&, interfaceConfig&)>
void onSelectedInterface(const CommandContext& c) {
    if (interfaceConfig* iface = interfaceOrInvalid(c.sim))
        act(c, *iface);
}

void interfaceIp(const CommandContext& c, interfaceConfig& iface) {
    Simulator& sim = c.sim;
    routerState& r = sim.liveRouter;
    const std::vector<std::string>& words = c.words;
    if (c.form == groupOut || c.form == groupIn) {
        // Without a direction the list applies outbound.
        (c.form == groupIn ? iface.accessGroupIn : iface.accessGroupOut) =
            static_cast<int>(numberValue(words[2]));
        return;
    }
    if (!isValidSubnetMask(words[3])) {
        printInvalidInput(sim);
        return;
    }
    const std::string overlap = checkOverlap(r, words[2], words[3], *r.currentInterface);
    if (overlap == "ok") {
        iface.ipAddress = words[2];
        iface.subnetMask = words[3];
    } else {
        printLine(sim, overlap);
    }
}

// "<word> N" on the selected interface: N of at most maxLength characters
// goes into `field`.
template <long interfaceConfig::*field> void interfaceNumber(const CommandContext& c) {
    if (interfaceConfig* iface = interfaceOrInvalid(c.sim))
        iface->*field = numberValue(c.words[1]);
}

void clockRateCommand(const CommandContext& c, interfaceConfig& iface) {
    Simulator& sim = c.sim;
    // A clock rate is a serial-line setting: Ethernet0 refuses every value,
    // listed or not.
    if (isEthernet(sim.liveRouter)) {
        printInvalidInput(sim);
        return;
    }
    const long rate = numberValue(c.words[2]);
    if (std::find(acceptedClockRates.begin(), acceptedClockRates.end(), rate) ==
        acceptedClockRates.end()) {
        printLine(sim, "Unknown clock rate");
        return;
    }
    iface.clockRate = rate;
}

void descriptionCommand(const CommandContext& c) {
    interfaceConfig* iface = c.sim.liveRouter.selectedInterface();
    // The words after "description" are the text, lower-cased and with
    // single blanks between them, as normalising left them.
    std::string text;
    for (std::size_t i = 1; i < c.words.size(); ++i)
        text += (i > 1 ? " " : "") + c.words[i];
    if (text.size() > 80 || iface == nullptr) {
        printInvalidInput(c.sim);
        return;
    }
    iface->description = text;
}

void shutdownCommand(const CommandContext& c) {
    if (interfaceConfig* iface = interfaceOrInvalid(c.sim))
        iface->shutdown = true;
}

void interfaceCdp(const CommandContext& c) {
    if (c.form == cdpRun) {
        c.sim.liveRouter.cdpRun = true;
        leaveToPrivileged(c.sim);
    } else if (interfaceConfig* iface = interfaceOrInvalid(c.sim)) {
        iface->cdpEnable = true;
    }
}

void noOnInterface(const CommandContext& c, interfaceConfig& iface) {
    Simulator& sim = c.sim;
    routerState& r = sim.liveRouter;
    switch (c.form) {
    case shutdown:
        // A port without a cable opens too; the topology then shows it down.
        iface.shutdown = false;
        break;
    case cdpRun:
        r.cdpRun = false;
        leaveToPrivileged(sim);
        break;
    case cdpEnable:
        iface.cdpEnable = false;
        break;
    case address:
        // The mask stays; only the address says whether one is configured.
        iface.ipAddress.clear();
        break;
    case groupIn:
        // Any valid list number removes whatever list is applied in that
        // direction; it is not compared with the applied one.
        iface.accessGroupIn = 0;
        break;
    case groupOut:
        iface.accessGroupOut = 0;
        break;
    case clockRate:
        if (isEthernet(r))
            printInvalidInput(sim);
        else
            iface.clockRate = 0;
        break;
    }
}

void noOnLine(const CommandContext& c) {
    if (bool* flag = c.sim.liveRouter.currentLineLogin())
        *flag = false;
    else
        printInvalidInput(c.sim);
}

void execTimeout(const CommandContext& c) {
    const ExecTimeout timeout = lineExecTimeout(c.sim.liveRouter);
    if (timeout.minutes == nullptr) {
        printInvalidInput(c.sim);
        return;
    }
    // Both values are stored as typed: seconds above 59 are not carried.
    *timeout.minutes = numberValue(c.words[1]);
    if (c.words.size() == 3)
        *timeout.seconds = numberValue(c.words[2]);
}

constexpr WhenShort invalidWhenShort = WhenShort::invalid;

} // namespace

ModeHandler ipOnInterface() {
    return {Mode::configIf,
            onSelectedInterface<interfaceIp>,
            {{{"ip access-group <1-99> out", groupOut},
              {"ip access-group <1-99>", groupOut},
              {"ip access-group <1-99> in", groupIn},
              {"ip address A.B.C.D A.B.C.D", address}}}};
}

ModeHandler keepaliveOnInterface() {
    return {Mode::configIf,
            interfaceNumber<&interfaceConfig::keepalive>,
            {{{"keepalive <0-32767>:5"}}}};
}

ModeHandler bandwidthOnInterface() {
    return {Mode::configIf,
            interfaceNumber<&interfaceConfig::bandwidth>,
            {{{"bandwidth <1-10000000>:8"}}}};
}

ModeHandler clockRateOnInterface() {
    return {
        Mode::configIf, onSelectedInterface<clockRateCommand>, {{{"clock rate <300-4000000>:7"}}}};
}

ModeHandler descriptionOnInterface() {
    return {Mode::configIf, descriptionCommand, {{{"description ..."}}}};
}

ModeHandler shutdownOnInterface() {
    return {Mode::configIf, shutdownCommand, {{{"shutdown"}}}};
}

ModeHandler cdpOnInterface() {
    return {Mode::configIf, interfaceCdp, {{{"cdp enable", cdpEnable}, {"cdp run", cdpRun}}}};
}

// Tried in this order; "no ip access-group" with a word other than a
// direction is refused whole, not taken as the start of a longer form.
ModeHandler noOnInterfaceMode() {
    return {Mode::configIf,
            onSelectedInterface<noOnInterface>,
            {{{"no shutdown/shut", shutdown},
              {"no cdp run", cdpRun},
              {"no cdp enable", cdpEnable},
              {"no ip address", address},
              {"no ip address A.B.C.D A.B.C.D", address},
              {"no ip access-group in", groupIn, invalidWhenShort},
              {"no ip access-group out", groupOut, invalidWhenShort},
              {"no ip access-group WORD", answerInvalid, invalidWhenShort},
              {"no clock rate", clockRate},
              {"no ip access-group <1-99> in", groupIn},
              {"no ip access-group <1-99> out", groupOut}}}};
}

ModeHandler noOnLineMode() {
    return {Mode::configLine, noOnLine, {{{"no login"}}}};
}

ModeHandler execTimeoutOnLine() {
    return {Mode::configLine,
            execTimeout,
            {{{"exec-timeout <0-35791>:7"}, {"exec-timeout <0-35791>:7 <0-2147483>:7"}}}};
}

} // namespace kestro
