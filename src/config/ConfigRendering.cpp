// The configuration listings.
#include "config/ConfigRendering.h"

#include "Simulator.h"
#include "console/Console.h"
#include "console/LineHelpers.h"
#include "console/Pauses.h"

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

// Defaults a listing leaves out, as a router does.
constexpr long defaultKeepalive = 10;
constexpr long defaultExecTimeoutMinutes = 10;
constexpr long defaultExecTimeoutSeconds = 0;

// Description, bandwidth, address and access groups: the part both kinds of
// interface block share. The bandwidth is listed only when it differs from
// the interface's own default.
void addInterfaceHead(Listing& out, const interfaceConfig& i, long defaultBandwidth) {
    if (!i.description.empty())
        out.add(" description " + i.description);
    if (i.bandwidth != defaultBandwidth)
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

void addKeepalive(Listing& out, const interfaceConfig& i) {
    if (i.keepalive != defaultKeepalive)
        out.add(" keepalive " + std::to_string(i.keepalive));
}

void addEthernetBlock(Listing& out, const interfaceConfig& i) {
    addInterfaceHead(out, i, routerConfig::ethernetDefaults().bandwidth);
    out.add(" no ip directed-broadcast");
    addKeepalive(out, i);
    if (i.shutdown)
        out.add(" shutdown");
    out.add("!");
}

void addSerialBlock(Listing& out, const interfaceConfig& i) {
    addInterfaceHead(out, i, interfaceConfig{}.bandwidth);
    out.add(" no ip directed-broadcast");
    out.add(" no ip mroute-cache");
    addKeepalive(out, i);
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
                out.add(" network " + n.networkAddress);
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
        return line + " permit " + a.ipAddress + " " + a.wildCard;
    case denyWildcard:
        return line + " deny   " + a.ipAddress + " " + a.wildCard;
    default:
        return line;
    }
}

void addLineSection(Listing& out, const char* heading, long minutes, long seconds,
                    const std::string& password, bool login) {
    out.add(heading);
    if (minutes != defaultExecTimeoutMinutes || seconds != defaultExecTimeoutSeconds)
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
    if (!sim.wait(pauses::listingConfiguration)) {
        if (!sim.cancelled())
            resetInputLine(sim);
        return;
    }
    printPaged(sim, text);
}

// Host name and enable passwords. The secret itself is never shown, only a
// fixed digest marked as type 5 (a one-way hash).
void addIdentity(Listing& out, const routerConfig& c) {
    out.add("hostname " + c.hostname);
    out.add("!");
    if (!c.enableSecret.empty())
        out.add("enable secret 5 $1$Qm7d$Vh3kLp0sWz8RnT4eYc2Jx.");
    if (!c.enablePassword.empty())
        out.add("enable password " + c.enablePassword);
    out.add("!");
}

// Subnet zero and how names are resolved: lookup, host table, domain and
// name servers.
void addNaming(Listing& out, const routerConfig& c) {
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
}

void addInterfaces(Listing& out, const routerConfig& c) {
    out.add("interface Ethernet0");
    addEthernetBlock(out, c.ethernet0);
    out.add("interface Serial0");
    addSerialBlock(out, c.serial0);
    out.add("interface Serial1");
    addSerialBlock(out, c.serial1);
    out.add("!");
}

void addRouting(Listing& out, const routerConfig& c) {
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
}

// CDP timers are listed only where they differ from their defaults.
void addCdp(Listing& out, const routerConfig& c) {
    if (!c.cdpRun) {
        out.add("no cdp run");
        return;
    }
    if (c.cdpTimer != 60)
        out.add("cdp timer " + std::to_string(c.cdpTimer));
    if (c.cdpHoldtime != 180)
        out.add("cdp holdtime " + std::to_string(c.cdpHoldtime));
}

// A banner between "^C" delimiters, as the router shows the Ctrl-C it keeps
// as delimiter; a banner of several lines keeps its line breaks.
void addBanner(Listing& out, const char* kind, const std::string& text) {
    if (!text.empty())
        out.add(std::string("banner ") + kind + " ^C" + text + "^C");
}

void addBanners(Listing& out, const routerConfig& c) {
    addBanner(out, "exec", c.execBanner);
    addBanner(out, "login", c.loginBanner);
    addBanner(out, "motd", c.motdBanner);
}

void addLines(Listing& out, const routerConfig& c) {
    addLineSection(out, "line con 0", c.consoleExecTimeoutMinutes, c.consoleExecTimeoutSeconds,
                   c.consolePassword, c.consoleLogin);
    addLineSection(out, "line aux 0", c.auxExecTimeoutMinutes, c.auxExecTimeoutSeconds,
                   c.auxPassword, c.auxLogin);
    addLineSection(out, "line vty 0 4", c.vtyExecTimeoutMinutes, c.vtyExecTimeoutSeconds,
                   c.vtyPassword, c.vtyLogin);
}

} // namespace

std::string configurationText(const routerConfig& c) {
    Listing out;
    for (const char* line :
         {"Current configuration:", "!", "version 11.3", "service timestamps debug uptime",
          "service timestamps log uptime", "no service password-encryption", "!"})
        out.add(line);
    addIdentity(out, c);
    addNaming(out, c);
    addInterfaces(out, c);
    addRouting(out, c);
    for (const accessListInfo& entry : c.accessLists)
        out.add(accessListLine(entry));
    addCdp(out, c);
    addBanners(out, c);
    out.add(" !");
    addLines(out, c);
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

} // namespace kestro
