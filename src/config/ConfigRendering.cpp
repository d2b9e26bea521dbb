// The configuration listings and the copy command with its questions.
#include "config/ConfigRendering.h"

#include "Simulator.h"
#include "config/AddressUtils.h"
#include "config/ConfigCommands.h"
#include "config/RouterStore.h"
#include "console/Console.h"
#include "console/Dispatcher.h"
#include "status/Displays.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace kestro {

namespace {

// Lines of a listing; joined with CR LF at the end.
class Listing {
public:
    void add(std::string line) { lines_.push_back(std::move(line)); }
    std::string text() const {
        std::string out;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (i > 0)
                out += "\r\n";
            out += lines_[i];
        }
        return out;
    }

private:
    std::vector<std::string> lines_;
};

// Description, bandwidth, address and access groups: the part both kinds of
// interface block share.
void addInterfaceHead(Listing& out, const interfaceConfig& i) {
    if (!i.description.empty())
        out.add(" description " + i.description);
    out.add(" bandwidth " + std::to_string(i.bandwidth));
    if (i.ipAddress.empty())
        out.add(" no ip address");
    else
        out.add(" ip address " + i.ipAddress + " " + i.subnetMask);
    if (i.accessGroupOut != 0)
        out.add(" ip access-group " + std::to_string(i.accessGroupOut) + " out");
    if (i.accessGroupIn != 0)
        out.add(" ip access-group " + std::to_string(i.accessGroupIn) + " in");
}

void addEthernetBlock(Listing& out, const interfaceConfig& i) {
    addInterfaceHead(out, i);
    out.add(" no ip directed-broadcast");
    out.add(" keepalive " + std::to_string(i.keepalive));
    if (i.shutdown)
        out.add(" shutdown");
    out.add("!");
}

void addSerialBlock(Listing& out, const interfaceConfig& i) {
    addInterfaceHead(out, i);
    out.add(" no ip directed-broadcast");
    out.add(" no ip mroute-cache");
    out.add(" keepalive " + std::to_string(i.keepalive));
    if (i.shutdown)
        out.add(" shutdown");
    out.add(" no fair-queue");
    if (i.clockRate > 0)
        out.add(" clockrate " + std::to_string(i.clockRate));
    if (!i.cdpEnable)
        out.add(" no cdp enable");
    out.add("!");
}

// One "ip host" line per name, in the order each name first appears.
void addHostTable(Listing& out, const std::vector<hostIpAssociation>& hosts) {
    std::vector<std::string> done;
    for (const hostIpAssociation& first : hosts) {
        if (std::find(done.begin(), done.end(), first.hostName) != done.end())
            continue;
        done.push_back(first.hostName);
        std::string line = "ip host " + first.hostName + " ";
        for (const hostIpAssociation& h : hosts) {
            if (h.hostName == first.hostName)
                line += h.ipAddress + " ";
        }
        out.add(line);
    }
}

// One section per autonomous system, in the order each first appears.
void addIgrpSections(Listing& out, const std::vector<asNetworkAssociation>& networks) {
    std::vector<long> done;
    for (const asNetworkAssociation& first : networks) {
        if (std::find(done.begin(), done.end(), first.igrpAsNumber) != done.end())
            continue;
        done.push_back(first.igrpAsNumber);
        out.add("!");
        out.add("router igrp " + std::to_string(first.igrpAsNumber));
        for (const asNetworkAssociation& n : networks) {
            if (n.igrpAsNumber == first.igrpAsNumber)
                out.add(" " + n.networkAddress);
        }
    }
}

std::string accessListLine(const accessListInfo& a) {
    std::string line = "access-list " + std::to_string(a.number);
    switch (a.typeOfList) {
    case permitAny:
        return line + " permit any";
    case denyAny:
        return line + " deny   any";
    case permitHost:
        return line + " permit " + a.ipAddress;
    case denyHost:
        return line + " deny   " + a.ipAddress;
    case permitWildcard:
        return line + " permit " + a.ipAddress + ", wildcard bits " + a.wildCard;
    case denyWildcard:
        return line + " deny   " + a.ipAddress + ", wildcard bits " + a.wildCard;
    default:
        return line;
    }
}

void addLineSection(Listing& out, const char* heading, long minutes, long seconds,
                    const std::string& password, bool login) {
    out.add(heading);
    out.add(" exec-timeout " + std::to_string(minutes) + " " + std::to_string(seconds));
    if (!password.empty())
        out.add(" password " + password);
    if (login)
        out.add(" login");
}

void printConfiguration(Simulator& sim, const std::string& text) {
    printLine(sim, "\r\nBuilding configuration...");
    setInputLine(sim, "");
    sim.io().repaint();
    if (!sim.io().pause(1200)) {
        resetInputLine(sim);
        return;
    }
    printPaged(sim, text);
}

// --- copy ------------------------------------------------------------------

constexpr const char* saveQuestion = "Destination filename [startup-config]?";
constexpr const char* loadQuestion = "Destination filename [running-config]?";
constexpr const char* hostQuestion = "Address or name of remote host []?";
constexpr const char* sourceQuestion = "Source filename []?";
constexpr const char* tftpServer = "192.160.5.5";

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    std::size_t at = 0;
    while ((at = text.find(from, at)) != std::string::npos) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
}

// Replaces the last word when it is `word`.
void widenLastWord(std::string& text, std::string_view word, std::string_view wide) {
    const std::string tail = " " + std::string(word);
    if (text.ends_with(tail))
        text.replace(text.size() - tail.size(), tail.size(), " " + std::string(wide));
}

void askCopyQuestion(Simulator& sim, const char* question, const char* dialogue) {
    routerState& r = sim.liveRouter;
    r.savedPrompt = r.prompt;
    setInputLine(sim, question);
    // The prompt is the question shown, so that a redraw of the input line
    // (Ctrl-U, help) shows the same question again.
    r.prompt = question;
    sim.inputState = InputState::CopyQuestion;
    r.copyDialogue = dialogue;
}

// The input line after the question, lower-cased, without outer blanks.
std::string answerOf(const Simulator& sim, const std::string& line) {
    const std::size_t from = std::min(sim.liveRouter.prompt.size(), line.size());
    const std::string lowered = toLowerAscii(std::string_view(line).substr(from));
    const std::size_t first = lowered.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const std::size_t last = lowered.find_last_not_of(' ');
    return lowered.substr(first, last - first + 1);
}

// "Building configuration...", a pause and "[OK]". Answers false when the
// console went away during the pause.
bool buildingOk(Simulator& sim) {
    printLine(sim, "Building configuration...");
    setInputLine(sim, "");
    sim.io().repaint();
    if (!sim.io().pause(1000))
        return false;
    printLine(sim, "[OK]");
    return true;
}

void printNvramError(Simulator& sim, const std::string& answer) {
    printLine(sim, "%Error opening nvram:" + answer + " (No such file or directory)");
}

void endCopyDialogue(Simulator& sim, const std::string& prompt) {
    routerState& r = sim.liveRouter;
    r.prompt = prompt;
    r.mode = "priv";
    sim.inputState = InputState::Normal;
}

void answerSave(Simulator& sim, const std::string& answer) {
    routerState& r = sim.liveRouter;
    if (answer == "startup-config" || answer == "start" || answer.empty()) {
        buildingOk(sim);
        endCopyDialogue(sim, r.hostname + "#");
        saveStartupConfig(sim);
    } else {
        printNvramError(sim, answer);
        r.prompt = r.savedPrompt;
        sim.inputState = InputState::Normal;
    }
}

void answerLoad(Simulator& sim, const std::string& answer) {
    routerState& r = sim.liveRouter;
    if (answer == "running-config" || answer == "run" || answer.empty()) {
        buildingOk(sim);
        loadStartupConfig(sim);
        // The prompt is built after loading: the saved host name is the one
        // the router now has.
        endCopyDialogue(sim, r.hostname + "#");
    } else {
        printNvramError(sim, answer);
        endCopyDialogue(sim, r.savedPrompt);
    }
}

void answerTftpHost(Simulator& sim, const std::string& answer) {
    routerState& r = sim.liveRouter;
    if (isValidIpAddress(answer)) {
        sim.tftpRequest.host = answer;
        setInputLine(sim, sourceQuestion);
        r.prompt = sourceQuestion;
        r.copyDialogue = "tftp_run_filename";
    } else if (answer.empty()) {
        printLine(sim, "?Host name or address not specified");
    } else {
        printLine(sim, "  ");
        printLine(sim, "?Invalid host address or name");
    }
}

void answerTftpSource(Simulator& sim, const std::string& answer) {
    routerState& r = sim.liveRouter;
    sim.tftpRequest.sourceFile = answer;
    setInputLine(sim, loadQuestion);
    r.prompt = loadQuestion;
    r.copyDialogue = "tftp_run_filename_run";
}

void answerTftpDestination(Simulator& sim, const std::string& answer) {
    TftpRequest& t = sim.tftpRequest;
    t.destinationFile = answer.empty() ? "running-config" : answer;
    endCopyDialogue(sim, sim.liveRouter.savedPrompt);
    printLine(sim, "Accessing tftp://" + t.host + "/" + t.sourceFile + "...");
    // Only the lab's server holds a configuration, and only when it can be
    // reached; the transfer itself changes nothing.
    if (t.host == tftpServer && t.sourceFile == "startup-config" &&
        t.destinationFile == "running-config" && pingTarget(sim, t.host, true)) {
        printLine(sim, "!!");
        printLine(sim, "532 bytes copied in 5.421 secs (106 bytes/sec) ");
    } else {
        printLine(sim, "%Error opening tftp://" + t.host + "/" + t.sourceFile);
    }
}

} // namespace

std::string configurationText(const routerConfig& c) {
    Listing out;
    for (const char* line :
         {"Current configuration:", "!", "Version 12#", "service timestamps debug uptime",
          "service timestamps log uptime", "no service password-encryption", "!"})
        out.add(line);
    out.add("hostname " + c.hostname);
    out.add("!");
    // The secret itself is never shown, only a fixed digest.
    if (!c.enableSecret.empty())
        out.add("enable secret password $1$Qm7d$Vh3kLp0sWz8RnT4eYc2Jx.");
    if (!c.enablePassword.empty())
        out.add("enable password " + c.enablePassword);
    out.add("!");
    out.add("ip subnet-zero");
    if (!c.domainLookup)
        out.add("no ip domain-lookup");
    addHostTable(out, c.hosts);
    if (!c.domainName.empty())
        out.add("ip domain-name " + c.domainName);
    if (!c.nameServers.empty()) {
        std::string line = "ip name-server ";
        for (const std::string& server : c.nameServers)
            line += server + " ";
        out.add(line);
    }
    out.add("!");
    out.add("!");
    out.add("!");
    out.add("interface Ethernet0");
    addEthernetBlock(out, c.ethernet0);
    out.add("interface Serial0");
    addSerialBlock(out, c.serial0);
    out.add("interface serial1");
    addSerialBlock(out, c.serial1);
    out.add("!");
    if (c.ripConfigured) {
        out.add("router rip");
        for (const std::string& network : c.ripNetworks)
            out.add(" network " + network);
    }
    if (c.igrpConfigured)
        addIgrpSections(out, c.igrpNetworks);
    out.add("!");
    if (c.httpServer)
        out.add("ip http server");
    out.add("ip classless");
    out.add("!");
    for (const accessListInfo& entry : c.accessLists)
        out.add(accessListLine(entry));
    if (c.cdpRun) {
        if (c.cdpTimer != 60)
            out.add("cdp timer " + std::to_string(c.cdpTimer));
        if (c.cdpHoldtime != 180)
            out.add("cdp holdtime " + std::to_string(c.cdpHoldtime));
    } else {
        out.add("no cdp run");
    }
    if (!c.execBanner.empty())
        out.add("banner exec " + c.execBanner);
    if (!c.loginBanner.empty())
        out.add("banner login " + c.loginBanner);
    if (!c.motdBanner.empty())
        out.add("banner motd " + c.motdBanner);
    out.add(" !");
    addLineSection(out, "line con 0", c.consoleExecTimeoutMinutes, c.consoleExecTimeoutSeconds,
                   c.consolePassword, c.consoleLogin);
    addLineSection(out, "line aux 0", c.auxExecTimeoutMinutes, c.auxExecTimeoutSeconds,
                   c.auxPassword, c.auxLogin);
    addLineSection(out, "line vty 0 4", c.vtyExecTimeoutMinutes, c.vtyExecTimeoutSeconds,
                   c.vtyPassword, c.vtyLogin);
    out.add("!");
    out.add("end");
    return out.text();
}

std::string runningConfigText(const Simulator& sim) {
    return configurationText(sim.liveRouter.config());
}

std::string startupConfigText(const Simulator& sim) {
    return configurationText(sim.startupConfig);
}

void showRunningConfig(Simulator& sim) {
    printConfiguration(sim, runningConfigText(sim));
}

void showStartupConfig(Simulator& sim) {
    printConfiguration(sim, startupConfigText(sim));
}

void processCopy(Simulator& sim, const std::string& line) {
    std::string n = normaliseLine(sim, line);
    replaceAll(n, " run ", " running-config ");
    replaceAll(n, " start ", " startup-config ");
    widenLastWord(n, "start", "startup-config");
    widenLastWord(n, "run", "running-config");
    const std::string rewritten = sim.liveRouter.prompt + n;

    struct Form {
        const char* pattern;
        const char* question;
        const char* dialogue;
    };
    static const Form forms[] = {
        {"copy running-config startup-config", saveQuestion, "run_start"},
        {"copy startup-config running-config", loadQuestion, "start_run"},
        {"copy tftp running-config", hostQuestion, "tftp_run"},
    };
    bool incomplete = false;
    for (const Form& f : forms) {
        const int m = matchPattern(sim, rewritten, f.pattern);
        if (m == patternMatch) {
            askCopyQuestion(sim, f.question, f.dialogue);
            return;
        }
        incomplete = incomplete || m == patternIncomplete;
    }
    if (incomplete)
        printIncompleteCommand(sim);
    else
        printInvalidInput(sim);
}

void copyQuestion(Simulator& sim, const std::string& line) {
    routerState& r = sim.liveRouter;
    const std::string answer = answerOf(sim, line);
    const std::string& step = r.copyDialogue;
    if (step == "run_start")
        answerSave(sim, answer);
    else if (step == "start_run")
        answerLoad(sim, answer);
    else if (step == "tftp_run")
        answerTftpHost(sim, answer);
    else if (step == "tftp_run_filename")
        answerTftpSource(sim, answer);
    else if (step == "tftp_run_filename_run")
        answerTftpDestination(sim, answer);
    else
        // An unknown step would keep every later line away from the
        // dispatcher: close the question instead.
        endCopyDialogue(sim, r.savedPrompt.empty() ? r.hostname + "#" : r.savedPrompt);
}

} // namespace kestro
