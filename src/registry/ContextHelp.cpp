// "?" help: after a space it lists what may follow the words typed so far,
// directly after a word it lists the commands that begin with it, and alone
// it lists the commands of the mode. Answers are fixed lines or help
// screens of the content store; while one is printed, helpEmphasis makes
// the console show the implemented commands in bold.
#include "registry/Recognition.h"

#include "Simulator.h"
#include "console/Console.h"
#include "console/LineHelpers.h"
#include "content/CommandTables.h"
#include "records/AddressUtils.h"

#include <initializer_list>
#include <string_view>
#include <vector>

namespace kestro {

namespace {

// A closing blank line: printLine writes nothing for an empty text, so it
// is made of as many blanks as the answer's first line is indented.
std::string blankFor(std::string_view firstLine) {
    if (firstLine.starts_with('$'))
        firstLine.remove_prefix(1);
    const std::size_t indent = firstLine.find_first_not_of(' ');
    const std::size_t count = indent == std::string_view::npos ? firstLine.size() : indent;
    return std::string(count == 0 ? 1 : count, ' ');
}

enum class Ending { blank, none };

// One request being answered. Every answer function returns whether the
// request was answered (a silent ending and another message count as
// answered); otherwise "% Unrecognized command" follows.
class Request {
public:
    Request(Simulator& sim, const std::string& line)
        : sim_(sim), line_(line), n_(normaliseLine(sim, line)), w_(splitWords(n_)),
          mode_(sim.liveRouter.mode) {}

    bool answer();

private:
    bool is(std::string_view pattern) const { return matches(line_, pattern); }
    bool matches(const std::string& line, std::string_view pattern) const {
        return matchPattern(sim_, line, pattern) == patternMatch;
    }
    bool inMode(Mode mode) const { return mode_ == mode; }
    bool userOrPriv() const { return mode_ == Mode::user || mode_ == Mode::priv; }
    std::size_t words() const { return w_.size(); }
    const std::string& word(std::size_t i) const {
        static const std::string none;
        return i < w_.size() ? w_[i] : none;
    }
    bool listNumberAt(std::size_t i) const { return isNumberInRange(word(i), 1, 99); }

    // Fixed lines, one printLine each; a leading "$" marks a bold line.
    bool fixed(std::initializer_list<std::string_view> lines, Ending ending = Ending::blank) {
        for (std::string_view text : lines)
            printLine(sim_, text, text.starts_with('$'), false);
        if (ending == Ending::blank && lines.size() != 0)
            printLine(sim_, blankFor(*lines.begin()), false, false);
        return true;
    }
    // Fixed lines printed as one paged block of help lines.
    bool paged(std::initializer_list<std::string_view> lines, Ending ending = Ending::blank) {
        std::string text;
        for (std::string_view l : lines) {
            if (!text.empty())
                text += "\r\n";
            text += l;
        }
        if (ending == Ending::blank && lines.size() != 0)
            text += "\r\n" + blankFor(*lines.begin());
        printPaged(sim_, text, true);
        return true;
    }
    // A help screen of the content store; a missing one prints nothing and
    // the request still counts as answered.
    bool screen(std::string_view key, bool helpLine) {
        if (ContentStore* content = sim_.content()) {
            if (auto text = content->cmdInfo(key, "showContextHelp"))
                printPaged(sim_, *text, helpLine);
        }
        return true;
    }
    bool marked(std::string_view key) { return screen(key, true); }
    bool plain(std::string_view key) { return screen(key, false); }
    static bool silent() { return true; }

    bool accessList();
    bool banner();
    bool cdp();
    bool copy();
    bool enable();
    bool execTimeout();
    bool ip();
    bool line();
    bool no();
    bool show();
    bool terminal();
    bool modeCommands();

    Simulator& sim_;
    const std::string& line_;
    std::string n_;
    std::vector<std::string> w_;
    Mode mode_;
};

bool Request::accessList() {
    if (!inMode(Mode::conf))
        return false;
    if (is("access-list ?"))
        return marked("access_list_?");
    if (!listNumberAt(1))
        return false;
    if (is("access-list variable ?"))
        return marked("access_list_<1-99>_?");
    if (word(2) != "permit" && word(2) != "deny")
        return false;
    if (is("access-list variable variable ?"))
        return marked("access_list_<1-99>_variable_?");
    if (is("access-list variable variable host ?"))
        return fixed({"$  Hostname or A.B.C.D  Host address"});
    if (is("access-list variable variable any ?"))
        return fixed({"  log  Log matches against this entry", "  <cr>"});
    if (is("access-list variable variable variable ?") && isValidIpAddress(word(3)))
        return fixed(
            {"$  A.B.C.D  Wildcard bits", "  log      Log matches against this entry", "  <cr>"});
    return false;
}

bool Request::banner() {
    if (!inMode(Mode::conf))
        return false;
    if (is("banner ?"))
        return plain("banner_?");
    if (words() == 3 && (word(1) == "motd" || word(1) == "exec" || word(1) == "login"))
        return fixed({"LINE  c banner-text c, where 'c' is a delimiting character"});
    return fixed({"LINE    <cr>"});
}

bool Request::cdp() {
    if (inMode(Mode::conf)) {
        if (is("cdp ?"))
            return fixed({"$  holdtime  Specify the holdtime (in sec) to be sent in packets",
                          "$  timer     Specify the rate at which CDP packets are sent (in sec)",
                          "$  run"});
        if (is("cdp timer ?"))
            return fixed({"$  <5-900>  Rate at which CDP packets are sent (in sec)"});
        if (is("cdp holdtime ?"))
            return fixed(
                {"$  <10-255>  Length of time (in sec) that receiver must keep this packet"});
        return false;
    }
    if (inMode(Mode::configIf)) {
        if (is("cdp ?"))
            return fixed({"  enable  Enable CDP on interface"});
        if (is("cdp enable ?"))
            return fixed({"  <cr>"});
    }
    return false;
}

bool Request::copy() {
    if (!inMode(Mode::priv))
        return false;
    // The short file names are answered like the long ones.
    std::string l = sim_.liveRouter.prompt + n_;
    replaceAll(l, " run ", " running-config ");
    replaceAll(l, " start ", " startup-config ");
    if (matches(l, "copy ?"))
        return plain("copy_?");
    if (matches(l, "copy running-config ?") || matches(l, "copy startup-config ?") ||
        matches(l, "copy tftp ?"))
        return plain("copy_run_?");
    return false;
}

bool Request::enable() {
    if (words() == 2 && userOrPriv())
        return fixed({"<0-15>  Enable level", "<cr>"});
    if (words() == 2 && inMode(Mode::conf))
        return plain("enable_?");
    return false;
}

bool Request::execTimeout() {
    if (!inMode(Mode::configLine))
        return false;
    if (is("exec-timeout ?"))
        return fixed({" <0-35791>  Timeout in minutes", "<cr>"});
    const auto minutes = [this] {
        return word(1).size() < 8 && isNumberInRange(word(1), 0, 35791);
    };
    if (is("exec-timeout variable ?") && minutes())
        return fixed({"  <0-2147483>  Timeout in seconds <cr>"});
    if (is("exec-timeout variable variable ?") && minutes() && word(2).size() < 8 &&
        isNumberInRange(word(2), 0, 2147483))
        return fixed({"  <0-2147483>  Timeout in seconds <cr>"});
    return false;
}

bool Request::ip() {
    if (inMode(Mode::conf)) {
        if (is("ip ?"))
            return plain("ip_?");
        if (is("ip domain-name ?"))
            return fixed({"  WORD  Default domain name"});
        if (is("ip name-server ?"))
            return fixed({"  A.B.C.D  Domain server IP address (maximum of 6)"});
        if (is("ip domain-lookup ?"))
            return fixed({" nsap  Enable IP DNS queries for CLNS NSAP addresses", " <cr>"});
        if (is("ip host ?"))
            return fixed({"  WORD  Name of host"});
        if (is("ip host variable ?"))
            return fixed({"  <0-65535>  Default telnet port number",
                          " A.B.C.D    Host IP address (maximum of 8)"});
        if (is("ip host variable variable ?"))
            return fixed({" <cr>"});
        return false;
    }
    if (inMode(Mode::configIf)) {
        if (is("ip ?"))
            return plain("ip_?_ifmode");
        if (is("ip address ?"))
            return fixed({"  A.B.C.D  IP address"});
        if (is("ip address variable ?"))
            return isValidIpAddress(word(2)) && fixed({"  A.B.C.D  IP subnet mask"});
        if (is("ip access-group ?"))
            return fixed({"$  <1-199>      IP access list (standard or extended)",
                          "  <1300-2699>  IP expanded access list (standard or extended) ",
                          "  WORD         Access-list name"});
        if (is("ip access-group variable ?") && listNumberAt(2))
            return fixed({"$  in   inbound packets", "$  out  outbound packets"});
    }
    return false;
}

bool Request::line() {
    if (!inMode(Mode::conf))
        return false;
    if (words() == 2)
        return fixed({"<0-6>    First Line number", "aux      Auxiliary line",
                      "console  Primary terminal line", "vty      Virtual terminal"},
                     Ending::none);
    if (words() == 3 && (word(1) == "aux" || word(1) == "console"))
        return fixed({"<0-0>    First Line number"});
    if (words() == 3 && word(1) == "vty")
        return fixed({"<0-4>    First Line number"});
    return silent();
}

bool Request::no() {
    if (inMode(Mode::configIf)) {
        if (is("no ?"))
            return plain("no_?_ifmode");
        if (is("no ip ?"))
            return plain("no_ip_?_ifmode");
        if (is("no ip access-group ?"))
            return paged({"$  <1-199>      IP access list (standard or extended)",
                          "  <1300-2699>  IP expanded access list (standard or extended)",
                          "  WORD         Access-list name", "$  in           inbound packets",
                          "$  out          outbound packets"},
                         Ending::none);
        if (is("no ip access-group variable ?") && listNumberAt(3))
            return paged({"$  in   inbound packets", "$  out  outbound packets"});
        if (is("no cdp ?"))
            return fixed({"  enable  Enable CDP on interface"});
        if (is("no clock ?"))
            return fixed({"  rate  Configure serial interface clock speed"});
        if (is("no clock rate ?") || is("no shutdown ?"))
            return fixed({"  <cr>"});
        return false;
    }
    if (inMode(Mode::conf)) {
        if (is("no access-list ?"))
            return paged({"$  <1-99>       IP standard access list",
                          "  <100-199>    IP extended access list",
                          "  <1100-1199>  Extended 48-bit MAC address access list",
                          "  <1300-1999>  IP standard access list (expanded range)",
                          "  <200-299>    Protocol type-code access list",
                          "  <2000-2699>  IP extended access list (expanded range)",
                          "  <700-799>    48-bit MAC address access list"});
        if (is("no banner ?"))
            return plain("no_banner_?");
        if (is("no cdp ?"))
            return fixed({"  holdtime  Specify the holdtime (in sec) to be sent in packets",
                          "  timer     Specify the rate at which CDP packets are sent (in sec)",
                          "  run"});
        if (is("no cdp holdtime ?") || is("no cdp run ?") || is("no cdp timer ?"))
            return fixed({"  <cr>"});
        if (is("no enable ?"))
            return plain("no_enable_?");
        if (is("no ip ?"))
            return plain("no_ip_?");
        if (is("no ip host ?"))
            return fixed({"WORD  Name of host"});
        if (is("no ?"))
            return plain("no_?");
        if (is("no ip http ?"))
            return plain("no_ip_http_?");
        if (is("no router ?"))
            return plain("no_router_?");
        if (is("no router igrp ?"))
            return fixed({"  <1-65535>  Autonomous system number"});
        return false;
    }
    if (inMode(Mode::priv))
        return is("no ?") && fixed({" debug  Disable debugging functions (see also 'undebug')"});
    if (inMode(Mode::configRouterRip) || inMode(Mode::configRouterIgrp)) {
        if (is("no ?"))
            return plain(inMode(Mode::configRouterRip) ? "no_?_configRouterRipMode"
                                                       : "no_?_configRouterIgrpMode");
        if (is("no network ?"))
            return fixed({"   A.B.C.D  Network number"});
    }
    return false;
}

bool Request::show() {
    // The interface forms are recognised as typed; "show int ?" is not one
    // of them.
    const bool interfaces = is("show interfaces ?") || is("sh interfaces ?") || is("sh int ?");
    const bool serial = is("show interfaces serial ?") || is("sh interfaces serial ?") ||
                        is("sh int serial ?") || is("show int serial ?");
    const bool ethernet = is("show interfaces ethernet ?") || is("sh interfaces ethernet ?") ||
                          is("sh int ethernet ?") || is("show int ethernet ?");
    // Everything else is compared with the short words spelled out.
    std::string l = sim_.liveRouter.prompt + n_;
    replaceAll(l, "sh ", "show ");
    replaceAll(l, "int ", "interface ");
    const auto as = [&](std::string_view pattern) { return matches(l, pattern); };

    if (inMode(Mode::user)) {
        if (as("show ?"))
            return plain("show_user");
        if (as("show ip ?"))
            return plain("show_ip_?_user");
        return false;
    }
    if (!inMode(Mode::priv))
        return false;
    if (as("show ?"))
        return plain("show_priv");
    if (as("show cdp ?"))
        return plain("show_cdp_?");
    if (as("show cdp interface ?"))
        return plain("show_cdp_interface_?");
    if (interfaces)
        return plain("show_interfaces_?");
    if (serial)
        return fixed({"$  <0-1>  Serial interface number"});
    if (ethernet)
        return fixed({"$  <0-0>  Ethernet interface number"});
    if (as("show ip ?"))
        return plain("show_ip_?_priv");
    if (as("show ip interface ?"))
        return paged({"$  Ethernet  IEEE 802.3", "  Null      Null interface",
                      "$  Serial    Serial",
                      "  brief     Brief summary of IP status and configuration", "  <cr>"});
    if (as("show ip interface ethernet ?"))
        return paged({"$  <0-0>  Ethernet interface number"});
    if (as("show ip interface serial ?"))
        return paged({"$  <0-1>  Serial interface number"});
    return false;
}

bool Request::terminal() {
    if (words() == 2)
        return userOrPriv() && plain("terminal_?");
    if (words() == 3) {
        if (userOrPriv() && word(1) == "history")
            return fixed({" size  Set history buffer size", " <cr>"}, Ending::none);
        printUnknownCommand(sim_);
        return true;
    }
    return words() == 4 && userOrPriv() && word(1) == "history" && word(2) == "size" &&
           fixed({"<0-256>  Size of history buffer"}, Ending::none);
}

// "?" alone: the mode's own list of commands.
bool Request::modeCommands() {
    static constexpr std::pair<Mode, std::string_view> screens[] = {
        {Mode::priv, "privmode_cmds"},
        {Mode::user, "usermode_cmds"},
        {Mode::conf, "confmode_cmds"},
        {Mode::configLine, "linemode_cmds"},
        {Mode::configIf, "ifmode_cmds"},
        {Mode::configRouterRip, "configRouterMode_rip_cmds"},
        {Mode::configRouterIgrp, "configRouterMode_igrp_cmds"},
    };
    for (const auto& [mode, key] : screens) {
        if (inMode(mode))
            return plain(key);
    }
    return silent();
}

bool Request::answer() {
    const std::string& w0 = word(0);
    if (w0 == "access-list")
        return accessList();
    if (w0 == "banner")
        return banner();
    if (w0 == "bandwidth")
        return inMode(Mode::configIf) && is("bandwidth ?") &&
               fixed({"$  <1-10000000>  Bandwidth in kilobits"});
    if (w0 == "cdp")
        return cdp();
    if (w0 == "clock") {
        if (!inMode(Mode::configIf))
            return false;
        if (is("clock ?"))
            return fixed({"  rate  Configure serial interface clock speed"});
        return is("clock rate ?") && marked("clock_rate_?");
    }
    if (w0 == "copy")
        return copy();
    if (w0 == "configure") {
        if (words() > 2)
            return silent();
        return inMode(Mode::priv) && plain("configure_?");
    }
    if (w0 == "description")
        return inMode(Mode::configIf) && is("description ?") &&
               fixed({"$  LINE  Up to 80 characters describing this interface"});
    if (w0 == "enable" || w0 == "en")
        return enable();
    if (w0 == "exec-timeout")
        return execTimeout();
    if (w0 == "hostname") {
        if (!inMode(Mode::conf))
            return false;
        if (words() == 2)
            return fixed({" WORD  This system's network name"});
        return silent();
    }
    if (w0 == "int" || w0 == "interface")
        return inMode(Mode::conf) && (is("int ?") || is("interface ?")) && plain("interface_?");
    if (w0 == "ip")
        return ip();
    if (w0 == "keepalive")
        return inMode(Mode::configIf) && is("keepalive ?") &&
               fixed({"  <0-32767>  Keepalive period (default 10 seconds)", "  <cr>"});
    if (w0 == "line")
        return line();
    if (w0 == "network")
        return (inMode(Mode::configRouterRip) || inMode(Mode::configRouterIgrp)) &&
               is("network ?") && fixed({"   A.B.C.D  Network number"});
    if (w0 == "no")
        return no();
    if (w0 == "password") {
        if (!inMode(Mode::configLine))
            return false;
        if (words() == 2)
            return plain("password_?");
        return fixed({"LINE    <cr>"});
    }
    if (w0 == "ping")
        return userOrPriv() && is("ping ?") &&
               fixed({"$  WORD  Ping destination address or hostname", "  ip    IP echo",
                      "  tag   Tag encapsulated IP echo"});
    if (w0 == "router") {
        if (!inMode(Mode::conf))
            return false;
        if (is("router ?"))
            return plain("router_?");
        return is("router igrp ?") && fixed({"$  <1-65535>  Autonomous system number"});
    }
    if (w0 == "show" || w0 == "sh")
        return show();
    if (w0 == "shutdown")
        return inMode(Mode::configIf) && is("shutdown ?") && fixed({"  <cr>"});
    if (w0 == "terminal")
        return terminal();
    if (n_ == "?")
        return modeCommands();
    return false;
}

} // namespace

void showContextHelp(Simulator& sim, const std::string& typedLine) {
    // The caller may pass the input line itself, which the echo resets to
    // the prompt.
    const std::string line = typedLine;
    printLine(sim, line, false, false);
    std::string n = normaliseLine(sim, line);
    if (n.empty())
        n = "blank_enter";
    const std::vector<std::string> w = splitWords(n);
    if (w.empty() || w.back() != "?") {
        listCommandsStartingWithString(sim, n);
        return;
    }

    sim.console.helpEmphasis = true;
    sim.console.helpTemplate = line;
    Request request(sim, line);
    if (!request.answer())
        printUnrecognizedCommand(sim);
    sim.console.helpEmphasis = false;
}

void listCommandsStartingWithString(Simulator& sim, const std::string& text) {
    const std::string prefix = text.empty() ? std::string() : text.substr(0, text.size() - 1);
    const bool severalWords = text.find(' ') != std::string::npos;

    // Every interface's commands are listed.
    const std::vector<std::string> rows = lookUpCommands(
        sim.content(),
        {sim.liveRouter.mode, severalWords ? TableKind::extended : TableKind::plain, prefix},
        "listCommandsStartingWithString");
    if (rows.empty()) {
        printUnrecognizedCommand(sim);
        return;
    }

    std::string listing;
    if (!severalWords) {
        for (const std::string& cmd : rows)
            listing += cmd + " ";
    } else {
        // The word being typed is word k of each command; a word already
        // on the line, even inside a longer one, is not repeated.
        const std::size_t k = splitWords(text).size() - 1;
        for (const std::string& cmd : rows) {
            const std::vector<std::string> cmdWords = splitWords(cmd);
            if (k >= cmdWords.size())
                continue;
            if (listing.find(cmdWords[k]) == std::string::npos)
                listing += cmdWords[k] + " ";
        }
    }
    printLine(sim, listing, false, false);
}

void procesHelp(Simulator& sim) {
    if (ContentStore* content = sim.content()) {
        if (auto screen = content->cmdInfo("help", "procesHelp"))
            printPaged(sim, *screen, false);
    }
}

} // namespace kestro
