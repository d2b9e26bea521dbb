// The show commands of user and privileged mode: the short forms are
// rewritten into one spelling, the first matching template picks the
// display. The simple displays live here; the network displays are in
// status/Displays.h and the configuration listings in config/ConfigRendering.h.
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

std::string lastWord(const std::string& normalised) {
    const std::size_t blank = normalised.rfind(' ');
    return blank == std::string::npos ? normalised : normalised.substr(blank + 1);
}

std::string rewriteUserLine(const Simulator& sim, const std::string& line) {
    std::string n = normaliseLine(sim, line);
    replaceAll(n, "sh ", "show ");
    if (n == "sh")
        n = "show";
    else if (n.ends_with(" sh"))
        n.replace(n.size() - 3, 3, " show");
    return n;
}

// The conditions look at the last word as typed, before any rewrite.
std::string rewritePrivLine(const Simulator& sim, const std::string& line) {
    std::string n = normaliseLine(sim, line);
    const std::string last = lastWord(n);
    if (last == "int")
        replaceAll(n, " int", " interface");
    replaceAll(n, "sh ", "show ");
    replaceAll(n, " int ", " interface ");
    replaceAll(n, " s0", " serial 0");
    replaceAll(n, " s1", " serial 1");
    replaceAll(n, " e0", " ethernet 0");
    replaceAll(n, " e 0", " ethernet 0");
    replaceAll(n, " s 0", " serial 0");
    replaceAll(n, " s 1", " serial 1");
    if (last == "run")
        replaceAll(n, " run", " running-config");
    if (last != "startup-config")
        replaceAll(n, " start", " startup-config");
    return n;
}

// Words of the newer displays typed short: each word may be cut to any
// beginning at least `shortest` long (the beginnings stay unique where the
// word stands), and the line is spelled out in full.
struct WordForm {
    std::string_view word;
    std::size_t shortest;
};

std::string fullSpelling(const std::string& line) {
    static const std::vector<std::vector<WordForm>> forms = {
        {{"show", 2}, {"ip", 2}, {"interface", 3}, {"brief", 1}},
        {{"show", 2}, {"cdp", 3}, {"neighbors", 1}, {"detail", 1}},
        {{"show", 2}, {"cdp", 3}, {"neighbors", 1}},
    };
    const std::vector<std::string> words = splitWords(line);
    for (const std::vector<WordForm>& form : forms) {
        if (words.size() != form.size())
            continue;
        bool fits = true;
        for (std::size_t i = 0; i < form.size() && fits; ++i)
            fits = words[i].size() >= form[i].shortest && form[i].word.starts_with(words[i]);
        if (!fits)
            continue;
        std::string full;
        for (const WordForm& w : form)
            full += (full.empty() ? "" : " ") + std::string(w.word);
        return full;
    }
    return line;
}

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

// --- dispatch --------------------------------------------------------------

// A display and the spellings that reach it (unused places stay null).
struct Row {
    const char* templates[3];
    void (*show)(Simulator&);
};

const Row userRows[] = {
    {{"show"}, showSubcommandHint},
    {{"show flash"}, [](Simulator& s) { showContent(s, "show_flash", userCaller); }},
    {{"show clock"}, showClock},
    {{"show history"}, showHistory},
    {{"show hosts"}, showHosts},
    {{"show ip protocols"}, showIpProtocols},
    {{"show ip interface brief"}, showIpInterfaceBrief},
    {{"show cdp neighbors"}, showCdpNeighbors},
    {{"show cdp neighbors detail"}, showCdpNeighborsDetail},
    {{"show users"}, [](Simulator& s) { showContent(s, "show_users", userCaller); }},
    {{"show version"}, [](Simulator& s) { showVersion(s, userCaller); }},
};

const char* const userIncomplete[] = {
    "show",       "show flash",   "show clock",   "show hosts",
    "show users", "show version", "show history", "show ip protocols",
};

const Row privRows[] = {
    {{"show"}, showSubcommandHint},
    {{"show flash"}, [](Simulator& s) { showContent(s, "show_flash", privCaller); }},
    {{"show cdp"}, showCdpGlobal},
    {{"show cdp interface"}, [](Simulator& s) { showCdpInterface(s, std::nullopt); }},
    {{"show cdp interface serial 0", "show cdp interface s0"},
     [](Simulator& s) { showCdpInterface(s, Interface::serial0); }},
    {{"show cdp interface serial 1", "show cdp interface s1"},
     [](Simulator& s) { showCdpInterface(s, Interface::serial1); }},
    {{"show cdp interface ethernet 0", "show cdp interface e0"},
     [](Simulator& s) { showCdpInterface(s, Interface::ethernet0); }},
    {{"show cdp neighbors"}, showCdpNeighbors},
    {{"show cdp neighbors detail"}, showCdpNeighborsDetail},
    {{"show clock"}, showClock},
    {{"show history"}, showHistory},
    {{"show hosts"}, showHosts},
    {{"show interfaces", "show interface"}, [](Simulator& s) { showInterfaces(s, std::nullopt); }},
    {{"show interfaces serial 0", "show interface serial 0"},
     [](Simulator& s) { showInterfaces(s, Interface::serial0); }},
    {{"show interfaces serial 1", "show interface serial 1"},
     [](Simulator& s) { showInterfaces(s, Interface::serial1); }},
    {{"show interfaces ethernet 0", "show interface ethernet 0"},
     [](Simulator& s) { showInterfaces(s, Interface::ethernet0); }},
    {{"show ip interface"}, [](Simulator& s) { showIpInterface(s, std::nullopt); }},
    {{"show ip interface brief"}, showIpInterfaceBrief},
    {{"show ip interface serial 0"}, [](Simulator& s) { showIpInterface(s, Interface::serial0); }},
    {{"show ip interface serial 1"}, [](Simulator& s) { showIpInterface(s, Interface::serial1); }},
    {{"show ip interface ethernet 0"},
     [](Simulator& s) { showIpInterface(s, Interface::ethernet0); }},
    {{"show ip access-lists", "show access-lists"}, showAccessLists},
    {{"show ip protocols"}, showIpProtocols},
    {{"show ip route"}, showIpRoute},
    {{"show running-config"}, showRunningConfig},
    {{"show startup-config", "show config", "show configuration"}, showStartupConfig},
    {{"show protocols"}, showProtocols},
    {{"show users"}, [](Simulator& s) { showContent(s, "show_users", privCaller); }},
    {{"show version"}, [](Simulator& s) { showVersion(s, privCaller); }},
};

const char* const privIncomplete[] = {
    "show",
    "show flash",
    "show clock",
    "show hosts",
    "show history",
    "show users",
    "show version",
    "show cdp interface",
    "show cdp interface serial 0",
    "show cdp interface ethernet 0",
    "show interfaces serial 1",
    "show interfaces ethernet 0",
    "show ip protocols",
};

template <std::size_t R, std::size_t I>
void dispatchShow(Simulator& sim, const std::string& rewritten, const Row (&rows)[R],
                  const char* const (&incomplete)[I]) {
    // matchPattern normalises its line, which takes the prompt off first.
    const std::string line = sim.liveRouter.prompt + fullSpelling(rewritten);
    for (const Row& row : rows) {
        for (const char* t : row.templates) {
            if (t != nullptr && matchPattern(sim, line, t) == patternMatch) {
                // Every spelling of a display counts as having run it.
                for (const char* spelling : row.templates)
                    if (spelling != nullptr)
                        sim.facts.pending.spellings.emplace_back(spelling);
                row.show(sim);
                return;
            }
        }
    }
    for (const char* t : incomplete) {
        if (matchPattern(sim, line, t) == patternIncomplete) {
            printIncompleteCommand(sim);
            return;
        }
    }
    printInvalidInput(sim);
}

} // namespace

void processShowUser(Simulator& sim, const std::string& line) {
    dispatchShow(sim, rewriteUserLine(sim, line), userRows, userIncomplete);
}

void processShowPriv(Simulator& sim, const std::string& line) {
    dispatchShow(sim, rewritePrivLine(sim, line), privRows, privIncomplete);
}

namespace {

// What "?" prints after the words of show. The interface forms are
// recognised as typed ("show int ?" is not one of them); the others with
// "sh" and "int" spelled out.
std::vector<HelpAnswer> showHelp() {
    const std::vector<Mode> user = {Mode::user};
    const std::vector<Mode> priv = {Mode::priv};
    const std::vector<std::pair<std::string_view, std::string_view>> spelledOut = {
        {"sh ", "show "}, {"int ", "interface "}, {"nei ", "neighbors "}};
    return {
        {user, {"show ?"}, helpScreen("show_user"), {}, spelledOut},
        {user, {"show ip ?"}, helpScreen("show_ip_?_user"), {}, spelledOut},
        {user,
         {"show ip interface ?"},
         pagedHelpLines({"  Ethernet  IEEE 802.3", "  Null      Null interface",
                         "  Serial    Serial",
                         "$  brief     Brief summary of IP status and configuration", "  <cr>"}),
         {},
         spelledOut},
        {priv, {"show ?"}, helpScreen("show_priv"), {}, spelledOut},
        {{Mode::user, Mode::priv}, {"show cdp ?"}, helpScreen("show_cdp_?"), {}, spelledOut},
        {{Mode::user, Mode::priv},
         {"show cdp neighbors ?"},
         pagedHelpLines({"  Ethernet  IEEE 802.3", "  Null      Null interface",
                         "  Serial    Serial", "$  detail    Show detailed information", "  <cr>"}),
         {},
         spelledOut},
        {priv, {"show cdp interface ?"}, helpScreen("show_cdp_interface_?"), {}, spelledOut},
        {priv,
         {"show interfaces ?", "sh interfaces ?", "sh int ?"},
         helpScreen("show_interfaces_?")},
        {priv,
         {"show interfaces serial ?", "sh interfaces serial ?", "sh int serial ?",
          "show int serial ?"},
         helpLines({"$  <0-1>  Serial interface number"})},
        {priv,
         {"show interfaces ethernet ?", "sh interfaces ethernet ?", "sh int ethernet ?",
          "show int ethernet ?"},
         helpLines({"$  <0-0>  Ethernet interface number"})},
        {priv, {"show ip ?"}, helpScreen("show_ip_?_priv"), {}, spelledOut},
        {priv,
         {"show ip interface ?"},
         pagedHelpLines({"$  Ethernet  IEEE 802.3", "  Null      Null interface",
                         "$  Serial    Serial",
                         "$  brief     Brief summary of IP status and configuration", "  <cr>"}),
         {},
         spelledOut},
        {priv,
         {"show ip interface ethernet ?"},
         pagedHelpLines({"$  <0-0>  Ethernet interface number"}),
         {},
         spelledOut},
        {priv,
         {"show ip interface serial ?"},
         pagedHelpLines({"$  <0-1>  Serial interface number"}),
         {},
         spelledOut},
    };
}

} // namespace

const std::vector<CommandRow>& statusCommands() {
    static const std::vector<CommandRow> rows = {
        {"ping",
         {},
         sameIn({Mode::user, Mode::priv}, withLine<processPing>),
         Elsewhere::unknownCommand,
         {{{Mode::user, Mode::priv},
           {"ping ?"},
           helpLines({"$  WORD  Ping destination address or hostname", "  ip    IP echo",
                      "  tag   Tag encapsulated IP echo"})}}},
        {"show",
         {"sh"},
         {{Mode::user, withLine<processShowUser>}, {Mode::priv, withLine<processShowPriv>}},
         Elsewhere::unknownCommand,
         showHelp()},
    };
    return rows;
}

} // namespace kestro
