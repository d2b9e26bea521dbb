// Router records: one interface record per port, the saved part of a router's
// configuration, and the whole state of a router while it is in use.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestro {

// The command mode a router is in. Each mode has the name its command tables
// and help screens are stored under (modeName).
enum class Mode {
    none, // before the first Return after a boot
    user,
    priv,
    conf,
    configIf,
    configLine,
    configRouterRip,
    configRouterIgrp,
};

// "user", "priv", "conf", "config-if", "config-line", "config-routerRip",
// "config-routerIgrp"; "" for none.
std::string_view modeName(Mode mode);
// The mode of a stored name; none for a name no mode has.
Mode modeNamed(std::string_view name);
std::ostream& operator<<(std::ostream& out, Mode mode);

// The routers of a run: RouterA, the only one outside the two-router
// exercises, and RouterB.
enum class RouterId { a = 0, b = 1 };

// "RouterA" or "RouterB": the host name the router is built with.
std::string_view routerName(RouterId which);
std::ostream& operator<<(std::ostream& out, RouterId which);

// A router's ports, numbered as the interface columns of the command tables
// store them.
enum class Interface { serial0 = 0, serial1 = 1, ethernet0 = 2 };
// Every port, in port order.
inline constexpr Interface allInterfaces[] = {Interface::serial0, Interface::serial1,
                                              Interface::ethernet0};

// "0", "1" or "2", as stored in the command tables.
char interfaceDigit(Interface which);

struct interfaceConfig {
    bool shutdown = true;
    long bandwidth = 1544; // kbit/s; Ethernet0 is built with 10000
    long clockRate = 0;    // bit/s; 0 = none set
    std::string description;
    long keepalive = 10;
    bool cdpEnable = true;
    std::string ipAddress; // empty = no address
    std::string subnetMask;
    int accessGroupOut = 0; // 0 = none
    int accessGroupIn = 0;

    bool operator==(const interfaceConfig&) const = default;
};

struct hostIpAssociation {
    std::string hostName;
    std::string ipAddress;
    bool operator==(const hostIpAssociation&) const = default;
};

struct asNetworkAssociation {
    long igrpAsNumber = 0;
    std::string networkAddress; // classful network number
    bool operator==(const asNetworkAssociation&) const = default;
};

// Line kinds of a standard access-list line, as stored in `typeOfList`.
enum AccessListType : int {
    denyWildcard = 0,
    permitWildcard = 1,
    denyAny = 3,
    permitAny = 4,
    permitHost = 5,
    denyHost = 6,
};

struct accessListInfo {
    int typeOfList = 0;
    std::string ipAddress;
    std::string wildCard;
    int number = 0; // list number 1-99
    bool operator==(const accessListInfo&) const = default;
};

// Of a setting kept once for each of the three lines, the one for the line
// named ("aux", "con" or "vty"); null for any other name.
template <typename Setting>
Setting* settingOfLine(std::string_view line, Setting& aux, Setting& con, Setting& vty) {
    if (line == "aux")
        return &aux;
    if (line == "con")
        return &con;
    if (line == "vty")
        return &vty;
    return nullptr;
}

// The part of a router that is saved and restored as a whole. Field order is
// the order of the saved copy.
struct routerConfig {
    int historySize = 10;
    std::string hostname = "Router";
    std::string enableSecret;
    std::string enablePassword;
    std::string motdBanner;
    std::string execBanner;
    std::string loginBanner;
    bool auxLogin = false;
    bool consoleLogin = false;
    bool vtyLogin = false;
    std::string auxPassword;
    std::string consolePassword;
    std::string vtyPassword;
    bool domainLookup = true;
    std::string domainName;
    bool httpServer = false;
    long auxExecTimeoutMinutes = 10;
    long auxExecTimeoutSeconds = 0;
    long consoleExecTimeoutMinutes = 10;
    long consoleExecTimeoutSeconds = 0;
    long vtyExecTimeoutMinutes = 10;
    long vtyExecTimeoutSeconds = 0;
    bool cdpRun = true;
    int cdpTimer = 60;
    int cdpHoldtime = 180;
    interfaceConfig serial0;
    interfaceConfig serial1;
    interfaceConfig ethernet0 = ethernetDefaults();
    std::vector<std::string> nameServers; // at most 6
    std::vector<hostIpAssociation> hosts;
    std::vector<std::string> ripNetworks;
    bool ripConfigured = false;
    bool igrpConfigured = false;
    std::vector<asNetworkAssociation> igrpNetworks;
    std::vector<accessListInfo> accessLists;
    bool ipRouting = true;

    bool operator==(const routerConfig&) const = default;

    static interfaceConfig ethernetDefaults() {
        interfaceConfig e;
        e.bandwidth = 10000;
        return e;
    }
};

// Everything that belongs to one simulated router while it is used: its
// configuration fields (inherited, so they are fields of their own), the
// console dialogue fields and the parked console texts.
struct routerState : routerConfig {
    std::string prompt;
    std::string savedPrompt;
    std::vector<std::string> commandHistory;
    int historyIndex = 1;
    std::string savedLine;
    Mode mode = Mode::none;
    std::string currentLine;
    int failedPasswordCount = 0;
    std::optional<Interface> currentInterface; // set by "interface ..."
    std::string copyDialogue;
    long igrpAs = 0;
    std::string consoleText;
    // Bold runs of consoleText as (start, length), so a help listing keeps
    // its emphasis while the router is parked.
    std::vector<std::pair<std::size_t, std::size_t>> consoleBold;
    std::string inputText;

    bool operator==(const routerState&) const = default;

    routerConfig& config() { return *this; }
    const routerConfig& config() const { return *this; }

    // The interface selected by `currentInterface`; null when none is
    // selected.
    interfaceConfig* selectedInterface();
    interfaceConfig& interfaceAt(Interface which);
    const interfaceConfig& interfaceAt(Interface which) const;
    // The login flag and password of the line selected by `currentLine`
    // ("con", "aux", "vty"); null when none is selected.
    bool* currentLineLogin();
    std::string* currentLinePassword();
};

} // namespace kestro
