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

// Numeric text of at most maxLength characters whose value lies in low..high.
bool isBoundedNumber(std::string_view text, std::size_t maxLength, long low, long high) {
    return text.size() <= maxLength && isNumberInRange(text, low, high);
}

std::vector<std::string> wordsOf(const Simulator& sim, const std::string& line) {
    return splitWords(normaliseLine(sim, line));
}

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

void processInterfaceIp(Simulator& sim, const std::string& line) {
    routerState& r = sim.liveRouter;
    interfaceConfig* iface = interfaceOrInvalid(sim);
    if (iface == nullptr)
        return;
    const std::vector<std::string> words = wordsOf(sim, line);

    // "ip access-group N" without a direction applies the list outbound.
    if ((matchPattern(sim, line, "ip access-group variable out") == patternMatch ||
         matchPattern(sim, line, "ip access-group variable") == patternMatch) &&
        isNumberInRange(words[2], 1, 99)) {
        iface->accessGroupOut = static_cast<int>(numberValue(words[2]));
        return;
    }
    if (matchPattern(sim, line, "ip access-group variable in") == patternMatch &&
        isNumberInRange(words[2], 1, 99)) {
        iface->accessGroupIn = static_cast<int>(numberValue(words[2]));
        return;
    }
    if (matchPattern(sim, line, "ip address variable") == patternMatch) {
        if (isValidIpAddress(words[2]))
            printIncompleteCommand(sim);
        else
            printInvalidInput(sim);
        return;
    }
    const int address = matchPattern(sim, line, "ip address variable variable");
    if (address == patternMatch && isValidIpAddress(words[2]) && isValidSubnetMask(words[3])) {
        const std::string overlap = checkOverlap(r, words[2], words[3], *r.currentInterface);
        if (overlap == "ok") {
            iface->ipAddress = words[2];
            iface->subnetMask = words[3];
        } else {
            printLine(sim, overlap);
        }
        return;
    }
    if (matchPattern(sim, line, "ip access-group variable") == patternIncomplete ||
        address == patternIncomplete)
        printIncompleteCommand(sim);
    else
        printInvalidInput(sim);
}

// "<word> N" on the selected interface: N of at most maxLength characters
// in low..high goes into `field`.
void setInterfaceNumber(Simulator& sim, const std::string& line, const char* pattern,
                        std::size_t maxLength, long low, long high, long interfaceConfig::*field) {
    interfaceConfig* iface = sim.liveRouter.selectedInterface();
    const int result = matchPattern(sim, line, pattern);
    if (result != patternMatch || iface == nullptr) {
        printMismatch(sim, result);
        return;
    }
    const std::string value = wordsOf(sim, line)[1];
    if (!isBoundedNumber(value, maxLength, low, high)) {
        printInvalidInput(sim);
        return;
    }
    iface->*field = numberValue(value);
}

void processKeepalive(Simulator& sim, const std::string& line) {
    setInterfaceNumber(sim, line, "keepalive variable", 5, 0, 32767, &interfaceConfig::keepalive);
}

void processBandwidth(Simulator& sim, const std::string& line) {
    setInterfaceNumber(sim, line, "bandwidth variable", 8, 1, 10000000,
                       &interfaceConfig::bandwidth);
}

void processClockRate(Simulator& sim, const std::string& line) {
    routerState& r = sim.liveRouter;
    interfaceConfig* iface = r.selectedInterface();
    const int result = matchPattern(sim, line, "clock rate variable");
    if (result != patternMatch || iface == nullptr) {
        printMismatch(sim, result);
        return;
    }
    const std::string value = wordsOf(sim, line)[2];
    // A clock rate is a serial-line setting: Ethernet0 refuses every value,
    // listed or not.
    if (!isBoundedNumber(value, 7, 300, 4000000) || isEthernet(r)) {
        printInvalidInput(sim);
        return;
    }
    const long rate = numberValue(value);
    if (std::find(acceptedClockRates.begin(), acceptedClockRates.end(), rate) ==
        acceptedClockRates.end()) {
        printLine(sim, "Unknown clock rate");
        return;
    }
    iface->clockRate = rate;
}

void processDescription(Simulator& sim, const std::string& line) {
    interfaceConfig* iface = sim.liveRouter.selectedInterface();
    const std::string n = normaliseLine(sim, line);
    // Everything after "description " is the text, already lower-cased
    // and with its runs of blanks made single by normalising.
    constexpr std::string_view command = "description ";
    const std::string text = n.size() > command.size() ? n.substr(command.size()) : "";
    if (text.size() > 80 || iface == nullptr) {
        printInvalidInput(sim);
        return;
    }
    iface->description = text;
}

void processShutdown(Simulator& sim, const std::string& line) {
    interfaceConfig* iface = sim.liveRouter.selectedInterface();
    const int result = matchPattern(sim, line, "shutdown");
    if (result != patternMatch || iface == nullptr) {
        printMismatch(sim, result);
        return;
    }
    iface->shutdown = true;
}

void processInterfaceCdp(Simulator& sim, const std::string& line) {
    interfaceConfig* iface = sim.liveRouter.selectedInterface();
    const int enable = matchPattern(sim, line, "cdp enable");
    if (enable == patternMatch && iface != nullptr) {
        iface->cdpEnable = true;
        return;
    }
    if (matchPattern(sim, line, "cdp run") == patternMatch) {
        sim.liveRouter.cdpRun = true;
        leaveToPrivileged(sim);
        return;
    }
    printMismatch(sim, enable);
}

void processNoInterface(Simulator& sim, const std::string& line) {
    routerState& r = sim.liveRouter;
    interfaceConfig* iface = interfaceOrInvalid(sim);
    if (iface == nullptr)
        return;
    const std::vector<std::string> words = wordsOf(sim, line);
    // Every template is matched before anything acts: "no cdp run" changes
    // the prompt, and the line could no longer be read against the new one.
    const int shutdown = matchPattern(sim, line, "no shutdown");
    const int shut = matchPattern(sim, line, "no shut");
    const int cdpRun = matchPattern(sim, line, "no cdp run");
    const int cdpEnable = matchPattern(sim, line, "no cdp enable");
    const int ipAddress = matchPattern(sim, line, "no ip address");
    const int groupDirection = matchPattern(sim, line, "no ip access-group variable");
    const int clockRate = matchPattern(sim, line, "no clock rate");
    const int groupNumbered = matchPattern(sim, line, "no ip access-group variable variable");

    if (shutdown == patternMatch || shut == patternMatch) {
        // A port without a cable opens too; the topology then shows it down.
        iface->shutdown = false;
    } else if (cdpRun == patternMatch) {
        r.cdpRun = false;
        leaveToPrivileged(sim);
    } else if (cdpEnable == patternMatch) {
        iface->cdpEnable = false;
    } else if (ipAddress == patternMatch) {
        // The mask stays; only the address says whether one is configured.
        iface->ipAddress.clear();
    } else if (groupDirection == patternMatch) {
        if (words[3] == "in")
            iface->accessGroupIn = 0;
        else if (words[3] == "out")
            iface->accessGroupOut = 0;
        else
            printInvalidInput(sim);
    } else if (clockRate == patternMatch) {
        if (isEthernet(r))
            printInvalidInput(sim);
        else
            iface->clockRate = 0;
    } else if (groupNumbered == patternMatch) {
        // Any valid list number removes whatever list is applied in that
        // direction; it is not compared with the applied one.
        if (!isNumberInRange(words[3], 1, 99))
            printInvalidInput(sim);
        else if (words[4] == "in")
            iface->accessGroupIn = 0;
        else if (words[4] == "out")
            iface->accessGroupOut = 0;
        else
            printInvalidInput(sim);
    } else {
        const bool incomplete = groupNumbered == patternIncomplete ||
                                clockRate == patternIncomplete || ipAddress == patternIncomplete ||
                                cdpEnable == patternIncomplete || cdpRun == patternIncomplete ||
                                shutdown == patternIncomplete;
        printMismatch(sim, incomplete ? patternIncomplete : patternInvalid);
    }
}

void processNoLine(Simulator& sim, const std::string& line) {
    const int result = matchPattern(sim, line, "no login");
    bool* flag = sim.liveRouter.currentLineLogin();
    if (result != patternMatch || flag == nullptr) {
        printMismatch(sim, result);
        return;
    }
    *flag = false;
}

void processExecTimeout(Simulator& sim, const std::string& line) {
    const ExecTimeout timeout = lineExecTimeout(sim.liveRouter);
    const std::vector<std::string> words = wordsOf(sim, line);
    if (words.size() == 1) {
        printIncompleteCommand(sim);
        return;
    }
    if (words.size() > 3 || timeout.minutes == nullptr) {
        printInvalidInput(sim);
        return;
    }
    // Both values are stored as typed: seconds above 59 are not carried.
    const bool minutesOk = isBoundedNumber(words[1], 7, 0, 35791);
    if (words.size() == 2) {
        if (!minutesOk) {
            printInvalidInput(sim);
            return;
        }
        *timeout.minutes = numberValue(words[1]);
        return;
    }
    if (!minutesOk || !isBoundedNumber(words[2], 7, 0, 2147483)) {
        printInvalidInput(sim);
        return;
    }
    *timeout.minutes = numberValue(words[1]);
    *timeout.seconds = numberValue(words[2]);
}

} // namespace kestro
