// The show commands of user and privileged mode: the first form a line
// takes, its short forms spelled out, picks the display. The simple displays live here; the network
// displays are in status/Displays.h and the configuration listings in config/ConfigRendering.h.
#include "status/Status.h"

#include "Simulator.h"
#include "config/ConfigRendering.h"
#include "console/Console.h"
#include "console/LineHelpers.h"
#include "records/AddressUtils.h"
#include "status/Displays.h"

#include <chrono>
#include <ctime>
#include <string_view>
#include <vector>

namespace kestro {

// The "show clock" line for a broken-down local time. English names are used
// whatever the workstation's locale, as on the router.
std::string clockLine(const std::tm& t, int milliseconds) {
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const auto twoDigits = [](int n) {
        std::string s = std::to_string(n);
        return s.size() < 2 ? "0" + s : s;
    };
    const char* day = t.tm_wday >= 0 && t.tm_wday < 7 ? days[t.tm_wday] : "";
    const char* month = t.tm_mon >= 0 && t.tm_mon < 12 ? months[t.tm_mon] : "";
    std::string thousandths = std::to_string(milliseconds % 1000);
    thousandths.insert(0, 3 - thousandths.size(), '0');
    return "*" + twoDigits(t.tm_hour) + ":" + twoDigits(t.tm_min) + ":" + twoDigits(t.tm_sec) +
           "." + thousandths + " UTC " + day + " " + month + " " + std::to_string(t.tm_mday) + " " +
           std::to_string(t.tm_year + 1900);
}

namespace {

constexpr const char* userCaller = "process_show_user";
constexpr const char* privCaller = "process_show_privileged";

// --- the simple displays ---------------------------------------------------

void showSubcommandHint(Simulator& sim) {
    printLine(sim, "% Type 'show ?' for a list of subcommands");
}

void showClock(Simulator& sim) {
    const auto reading = std::chrono::system_clock::now();
    const std::time_t now = std::chrono::system_clock::to_time_t(reading);
    const auto sinceEpoch =
        std::chrono::duration_cast<std::chrono::milliseconds>(reading.time_since_epoch());
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    printLine(sim, clockLine(local, static_cast<int>(sinceEpoch.count() % 1000)));
}

void showHistory(Simulator& sim) {
    for (const std::string& entry : sim.liveRouter.commandHistory)
        printLine(sim, "  " + entry);
}

// A canned output of the content database, unchanged; nothing when the row
// is missing.
void showContent(Simulator& sim, const char* key, const char* caller) {
    ContentStore* content = sim.content();
    if (content == nullptr)
        return;
    if (const std::optional<std::string> text = content->cmdInfo(key, caller))
        printPaged(sim, *text);
}

// The stored screen names the router by the placeholder HOSTNAME, as in
// "RouterA uptime is ...".
void showVersion(Simulator& sim, const char* caller) {
    ContentStore* content = sim.content();
    if (content == nullptr)
        return;
    if (std::optional<std::string> text = content->cmdInfo("show_version", caller)) {
        replaceAll(*text, "HOSTNAME", sim.liveRouter.hostname);
        printPaged(sim, *text);
    }
}

void showProtocols(Simulator& sim) {
    const routerState& r = sim.liveRouter;
    std::string text = "Global values:";
    if (r.ipRouting)
        text += "\r\n  Internet Protocol routing is enabled";
    for (Interface which : allInterfaces) {
        text += "\r\n" + interfaceStatusLine(sim, which) + lineProtocolSuffix(sim, which);
        const interfaceConfig& i = r.interfaceAt(which);
        if (!i.ipAddress.empty())
            text += "\r\n  Internet address is " + i.ipAddress + "/" +
                    std::to_string(maskBitCount(i.subnetMask));
    }
    printPaged(sim, text);
}

// --- the forms --------------------------------------------------------------

// Each display a form of show may name.
enum Display : int {
    subcommandHint = 1,
    flash,
    clock,
    history,
    hosts,
    ipProtocols,
    ipInterfaceBrief,
    cdpNeighbors,
    cdpNeighborsDetail,
    users,
    version,
    cdpGlobal,
    cdpInterfaces,
    cdpSerial0,
    cdpSerial1,
    cdpEthernet0,
    interfaces,
    serial0,
    serial1,
    ethernet0,
    ipInterfaces,
    ipSerial0,
    ipSerial1,
    ipEthernet0,
    accessLists,
    ipRoute,
    runningConfig,
    startupConfig,
    protocols,
};

template <Interface i> void cdpInterfaceOf(Simulator& s) {
    showCdpInterface(s, i);
}
template <Interface i> void interfaceOf(Simulator& s) {
    showInterfaces(s, i);
}
template <Interface i> void ipInterfaceOf(Simulator& s) {
    showIpInterface(s, i);
}

struct Shown {
    Display display;
    void (*show)(Simulator&);
};

// The displays of both modes; flash, users and version name the mode's
// caller to the content store.
void showDisplay(Simulator& sim, Display display, Mode mode) {
    static const Shown displays[] = {
        {subcommandHint, showSubcommandHint},
        {clock, showClock},
        {history, showHistory},
        {hosts, showHosts},
        {ipProtocols, showIpProtocols},
        {ipInterfaceBrief, showIpInterfaceBrief},
        {cdpNeighbors, showCdpNeighbors},
        {cdpNeighborsDetail, showCdpNeighborsDetail},
        {cdpGlobal, showCdpGlobal},
        {cdpInterfaces, [](Simulator& s) { showCdpInterface(s, std::nullopt); }},
        {cdpSerial0, cdpInterfaceOf<Interface::serial0>},
        {cdpSerial1, cdpInterfaceOf<Interface::serial1>},
        {cdpEthernet0, cdpInterfaceOf<Interface::ethernet0>},
        {interfaces, [](Simulator& s) { showInterfaces(s, std::nullopt); }},
        {serial0, interfaceOf<Interface::serial0>},
        {serial1, interfaceOf<Interface::serial1>},
        {ethernet0, interfaceOf<Interface::ethernet0>},
        {ipInterfaces, [](Simulator& s) { showIpInterface(s, std::nullopt); }},
        {ipSerial0, ipInterfaceOf<Interface::serial0>},
        {ipSerial1, ipInterfaceOf<Interface::serial1>},
        {ipEthernet0, ipInterfaceOf<Interface::ethernet0>},
        {accessLists, showAccessLists},
        {ipRoute, showIpRoute},
        {runningConfig, showRunningConfig},
        {startupConfig, showStartupConfig},
        {protocols, showProtocols},
    };
    const char* caller = mode == Mode::user ? userCaller : privCaller;
    if (display == flash)
        return showContent(sim, "show_flash", caller);
    if (display == users)
        return showContent(sim, "show_users", caller);
    if (display == version)
        return showVersion(sim, caller);
    for (const Shown& d : displays)
        if (d.display == display)
            return d.show(sim);
}

void showCommand(const CommandContext& c) {
    // Every spelling of a display counts as having run it.
    for (const Form& form : c.syntax->forms)
        if (form.id == c.form)
            for (std::string& spelling : formSpellings(form))
                c.sim.facts.pending.spellings.push_back(std::move(spelling));
    showDisplay(c.sim, static_cast<Display>(c.form), c.mode);
}

// A line that stops inside a form marked so is invalid input; inside the
// others it is incomplete.
constexpr WhenShort invalid = WhenShort::invalid;

Syntax userShow() {
    return {{
                {"show", subcommandHint},
                {"show flash", flash},
                {"show clock", clock},
                {"show history", history},
                {"show hosts", hosts},
                {"show ip protocols", ipProtocols},
                {"show ip int|erface b|rief", ipInterfaceBrief, invalid},
                {"show cdp n|eighbors", cdpNeighbors, invalid},
                {"show cdp n|eighbors d|etail", cdpNeighborsDetail, invalid},
                {"show users", users},
                {"show version", version},
            },
            {{"sh", "show"}}};
}

Syntax privilegedShow() {
    return {{
                {"show", subcommandHint},
                {"show flash", flash},
                {"show cdp", cdpGlobal, invalid},
                {"show cdp interface", cdpInterfaces},
                {"show cdp interface serial 0", cdpSerial0},
                {"show cdp interface serial 1", cdpSerial1, invalid},
                {"show cdp interface ethernet 0", cdpEthernet0},
                {"show cdp n|eighbors", cdpNeighbors, invalid},
                {"show cdp n|eighbors d|etail", cdpNeighborsDetail, invalid},
                {"show clock", clock},
                {"show history", history},
                {"show hosts", hosts},
                {"show interfaces/interface", interfaces, invalid},
                {"show interfaces/interface serial 0", serial0},
                {"show interfaces/interface serial 1", serial1},
                {"show interfaces/interface ethernet 0", ethernet0},
                {"show ip interface", ipInterfaces, invalid},
                {"show ip int|erface b|rief", ipInterfaceBrief, invalid},
                {"show ip interface serial 0", ipSerial0},
                {"show ip interface serial 1", ipSerial1},
                {"show ip interface ethernet 0", ipEthernet0},
                {"show ip access-lists", accessLists, invalid},
                {"show access-lists", accessLists, invalid},
                {"show ip protocols", ipProtocols},
                {"show ip route", ipRoute, invalid},
                {"show running-config", runningConfig, invalid},
                {"show startup-config/config/configuration", startupConfig, invalid},
                {"show protocols", protocols, invalid},
                {"show users", users},
                {"show version", version},
            },
            {{"int", "interface"},
             {"sh", "show"},
             {"s0", "serial 0"},
             {"s1", "serial 1"},
             {"e0", "ethernet 0"},
             {"e 0", "ethernet 0"},
             {"s 0", "serial 0"},
             {"s 1", "serial 1"},
             {"run", "running-config"},
             {"start", "startup-config"}}};
}

// What "?" prints after the words of show. "show int ?" is not among the
// interface forms.
std::vector<HelpAnswer> showHelp() {
    const std::vector<Mode> user = {Mode::user};
    const std::vector<Mode> priv = {Mode::priv};
    return {
        {user, {"show/sh ?"}, helpScreen("show_user")},
        {user, {"show/sh ip ?"}, helpScreen("show_ip_?_user")},
        {user,
         {"show/sh ip interface/int ?"},
         pagedHelpLines({"  Ethernet  IEEE 802.3", "  Null      Null interface",
                         "  Serial    Serial",
                         "$  brief     Brief summary of IP status and configuration", "  <cr>"})},
        {priv, {"show/sh ?"}, helpScreen("show_priv")},
        {{Mode::user, Mode::priv}, {"show/sh cdp ?"}, helpScreen("show_cdp_?")},
        {{Mode::user, Mode::priv},
         {"show/sh cdp neighbors/nei ?"},
         pagedHelpLines({"  Ethernet  IEEE 802.3", "  Null      Null interface",
                         "  Serial    Serial", "$  detail    Show detailed information",
                         "  <cr>"})},
        {priv, {"show/sh cdp interface/int ?"}, helpScreen("show_cdp_interface_?")},
        {priv, {"show interfaces ?", "sh interfaces/int ?"}, helpScreen("show_interfaces_?")},
        {priv,
         {"show/sh interfaces/int serial ?"},
         helpLines({"$  <0-1>  Serial interface number"})},
        {priv,
         {"show/sh interfaces/int ethernet ?"},
         helpLines({"$  <0-0>  Ethernet interface number"})},
        {priv, {"show/sh ip ?"}, helpScreen("show_ip_?_priv")},
        {priv,
         {"show/sh ip interface/int ?"},
         pagedHelpLines({"$  Ethernet  IEEE 802.3", "  Null      Null interface",
                         "$  Serial    Serial",
                         "$  brief     Brief summary of IP status and configuration", "  <cr>"})},
        {priv,
         {"show/sh ip interface/int ethernet ?"},
         pagedHelpLines({"$  <0-0>  Ethernet interface number"})},
        {priv,
         {"show/sh ip interface/int serial ?"},
         pagedHelpLines({"$  <0-1>  Serial interface number"})},
    };
}

} // namespace

const std::vector<CommandRow>& statusCommands() {
    static const std::vector<CommandRow> rows = {
        {"ping",
         {},
         {pingIn(Mode::user), pingIn(Mode::priv)},
         Elsewhere::unknownCommand,
         {{{Mode::user, Mode::priv},
           {"ping ?"},
           helpLines({"$  WORD  Ping destination address or hostname", "  ip    IP echo",
                      "  tag   Tag encapsulated IP echo"})}}},
        {"show",
         {"sh"},
         {{Mode::user, showCommand, userShow()}, {Mode::priv, showCommand, privilegedShow()}},
         Elsewhere::unknownCommand,
         showHelp()},
    };
    return rows;
}

} // namespace kestro
