// The rows of the configuration commands: which mode runs which handler, and
// what the other modes answer.
#include "config/ConfigCommands.h"

namespace kestro {

namespace {

// What "?" prints after the words of each configuration command.
namespace help {

// Functions, not globals: the rows may be built during another file's
// static start-up, before a global of this file exists.
std::vector<Mode> conf() {
    return {Mode::conf};
}
std::vector<Mode> interfaceMode() {
    return {Mode::configIf};
}

// The one "?" answer of a command of interface mode alone.
std::vector<HelpAnswer> onInterface(const char* spelling,
                                    std::initializer_list<std::string_view> lines) {
    return {{interfaceMode(), {spelling}, helpLines(lines)}};
}

std::vector<HelpAnswer> accessList() {
    return {
        {conf(), {"access-list ?"}, markedHelpScreen("access_list_?")},
        {conf(), {"access-list <1-99> ?"}, markedHelpScreen("access_list_<1-99>_?")},
        {conf(),
         {"access-list <1-99> permit/deny ?"},
         markedHelpScreen("access_list_<1-99>_variable_?")},
        {conf(),
         {"access-list <1-99> permit/deny host ?"},
         helpLines({"$  Hostname or A.B.C.D  Host address"})},
        {conf(),
         {"access-list <1-99> permit/deny any ?"},
         helpLines({"  log  Log matches against this entry", "  <cr>"})},
        {conf(),
         {"access-list <1-99> permit/deny A.B.C.D ?"},
         helpLines(
             {"$  A.B.C.D  Wildcard bits", "  log      Log matches against this entry", "  <cr>"})},
    };
}

std::vector<HelpAnswer> banner() {
    return {
        {conf(), {"banner ?"}, helpScreen("banner_?")},
        {conf(),
         {"banner motd/exec/login ?"},
         helpLines({"LINE  c banner-text c, where 'c' is a delimiting character"})},
        {conf(), {"banner ..."}, helpLines({"LINE    <cr>"})},
    };
}

std::vector<HelpAnswer> cdp() {
    return {
        {conf(),
         {"cdp ?"},
         helpLines({"$  holdtime  Specify the holdtime (in sec) to be sent in packets",
                    "$  timer     Specify the rate at which CDP packets are sent (in sec)",
                    "$  run"})},
        {conf(),
         {"cdp timer ?"},
         helpLines({"$  <5-254>  Rate at which CDP packets are sent (in sec)"})},
        {conf(),
         {"cdp holdtime ?"},
         helpLines({"$  <10-255>  Length of time (in sec) that receiver must keep this packet"})},
        {interfaceMode(), {"cdp ?"}, helpLines({"  enable  Enable CDP on interface"})},
        {interfaceMode(), {"cdp enable ?"}, helpLines({"  <cr>"})},
    };
}

std::vector<HelpAnswer> clock() {
    return {
        {interfaceMode(),
         {"clock ?"},
         helpLines({"  rate  Configure serial interface clock speed"})},
        {interfaceMode(), {"clock rate ?"}, markedHelpScreen("clock_rate_?")},
    };
}

std::vector<HelpAnswer> execTimeout() {
    const std::vector<Mode> line = {Mode::configLine};
    return {
        {line, {"exec-timeout ?"}, helpLines({" <0-35791>  Timeout in minutes", "<cr>"})},
        {line,
         {"exec-timeout <0-35791>:7 ?", "exec-timeout <0-35791>:7 <0-2147483>:7 ?"},
         helpLines({"  <0-2147483>  Timeout in seconds <cr>"})},
    };
}

std::vector<HelpAnswer> ip() {
    return {
        {conf(), {"ip ?"}, helpScreen("ip_?")},
        {conf(), {"ip domain-name ?"}, helpLines({"  WORD  Default domain name"})},
        {conf(),
         {"ip name-server ?"},
         helpLines({"  A.B.C.D  Domain server IP address (maximum of 6)"})},
        {conf(),
         {"ip domain-lookup ?"},
         helpLines({" nsap  Enable IP DNS queries for CLNS NSAP addresses", " <cr>"})},
        {conf(), {"ip host ?"}, helpLines({"  WORD  Name of host"})},
        {conf(),
         {"ip host WORD ?"},
         helpLines({"  <0-65535>  Default telnet port number",
                    " A.B.C.D    Host IP address (maximum of 8)"})},
        {conf(), {"ip host WORD WORD ?"}, helpLines({" <cr>"})},
        {interfaceMode(), {"ip ?"}, helpScreen("ip_?_ifmode")},
        {interfaceMode(), {"ip address ?"}, helpLines({"  A.B.C.D  IP address"})},
        {interfaceMode(), {"ip address A.B.C.D ?"}, helpLines({"  A.B.C.D  IP subnet mask"})},
        {interfaceMode(),
         {"ip access-group ?"},
         helpLines({"$  <1-199>      IP access list (standard or extended)",
                    "  <1300-2699>  IP expanded access list (standard or extended) ",
                    "  WORD         Access-list name"})},
        {interfaceMode(),
         {"ip access-group <1-99> ?"},
         helpLines({"$  in   inbound packets", "$  out  outbound packets"})},
    };
}

std::vector<HelpAnswer> no() {
    const std::vector<Mode> rip = {Mode::configRouterRip};
    const std::vector<Mode> igrp = {Mode::configRouterIgrp};
    const std::vector<Mode> routing = {Mode::configRouterRip, Mode::configRouterIgrp};
    return {
        {interfaceMode(), {"no ?"}, helpScreen("no_?_ifmode")},
        {interfaceMode(), {"no ip ?"}, helpScreen("no_ip_?_ifmode")},
        {interfaceMode(),
         {"no ip access-group ?"},
         pagedHelpLines({"$  <1-199>      IP access list (standard or extended)",
                         "  <1300-2699>  IP expanded access list (standard or extended)",
                         "  WORD         Access-list name", "$  in           inbound packets",
                         "$  out          outbound packets"},
                        false)},
        {interfaceMode(),
         {"no ip access-group <1-99> ?"},
         pagedHelpLines({"$  in   inbound packets", "$  out  outbound packets"})},
        {interfaceMode(), {"no cdp ?"}, helpLines({"  enable  Enable CDP on interface"})},
        {interfaceMode(),
         {"no clock ?"},
         helpLines({"  rate  Configure serial interface clock speed"})},
        {interfaceMode(), {"no clock rate ?", "no shutdown ?"}, helpLines({"  <cr>"})},
        {conf(),
         {"no access-list ?"},
         pagedHelpLines({"$  <1-99>       IP standard access list",
                         "  <100-199>    IP extended access list",
                         "  <1100-1199>  Extended 48-bit MAC address access list",
                         "  <1300-1999>  IP standard access list (expanded range)",
                         "  <200-299>    Protocol type-code access list",
                         "  <2000-2699>  IP extended access list (expanded range)",
                         "  <700-799>    48-bit MAC address access list"})},
        {conf(), {"no banner ?"}, helpScreen("no_banner_?")},
        {conf(),
         {"no cdp ?"},
         helpLines({"  holdtime  Specify the holdtime (in sec) to be sent in packets",
                    "  timer     Specify the rate at which CDP packets are sent (in sec)",
                    "  run"})},
        {conf(), {"no cdp holdtime ?", "no cdp run ?", "no cdp timer ?"}, helpLines({"  <cr>"})},
        {conf(), {"no enable ?"}, helpScreen("no_enable_?")},
        {conf(), {"no ip ?"}, helpScreen("no_ip_?")},
        {conf(), {"no ip host ?"}, helpLines({"WORD  Name of host"})},
        {conf(), {"no ?"}, helpScreen("no_?")},
        {conf(), {"no ip http ?"}, helpScreen("no_ip_http_?")},
        {conf(), {"no router ?"}, helpScreen("no_router_?")},
        {conf(), {"no router igrp ?"}, helpLines({"  <1-65535>  Autonomous system number"})},
        {{Mode::priv},
         {"no ?"},
         helpLines({" debug  Disable debugging functions (see also 'undebug')"})},
        {rip, {"no ?"}, helpScreen("no_?_configRouterRipMode")},
        {igrp, {"no ?"}, helpScreen("no_?_configRouterIgrpMode")},
        {routing, {"no network ?"}, helpLines({"   A.B.C.D  Network number"})},
    };
}

} // namespace help

} // namespace

const std::vector<CommandRow>& configurationCommands() {
    using E = Elsewhere;
    static const std::vector<CommandRow> rows = [] {
        std::vector<ModeHandler> network = networkInRouting();
        std::vector<ModeHandler> no = {noInConfigurationMode(), noOnLineMode(),
                                       noOnInterfaceMode()};
        for (ModeHandler& h : noInRouting())
            no.push_back(std::move(h));
        return std::vector<CommandRow>{
            {"access-list", {}, {accessListInConfiguration()}, E::invalidInput, help::accessList()},
            {"bandwidth",
             {},
             {bandwidthOnInterface()},
             E::invalidInput,
             help::onInterface("bandwidth ?", {"$  <1-10000000>  Bandwidth in kilobits"})},
            {"banner", {}, {bannerInConfiguration()}, E::invalidInput, help::banner()},
            {"cdp", {}, {cdpInConfiguration(), cdpOnInterface()}, E::invalidInput, help::cdp()},
            {"clock", {}, {clockRateOnInterface()}, E::invalidInput, help::clock()},
            {"description",
             {},
             {descriptionOnInterface()},
             E::invalidInput,
             help::onInterface("description ?",
                               {"$  LINE  Up to 80 characters describing this interface"})},
            {"exec-timeout", {}, {execTimeoutOnLine()}, E::unknownCommand, help::execTimeout()},
            {"ip", {}, {ipInConfiguration(), ipOnInterface()}, E::invalidInput, help::ip()},
            {"keepalive",
             {},
             {keepaliveOnInterface()},
             E::invalidInput,
             help::onInterface("keepalive ?",
                               {"  <0-32767>  Keepalive period (default 10 seconds)", "  <cr>"})},
            {"network",
             {},
             std::move(network),
             E::unknownCommand,
             {{{Mode::configRouterRip, Mode::configRouterIgrp},
               {"network ?"},
               helpLines({"   A.B.C.D  Network number"})}}},
            {"no", {}, std::move(no), E::unknownCommand, help::no()},
            {"shutdown",
             {},
             {shutdownOnInterface()},
             E::unknownCommand,
             help::onInterface("shutdown ?", {"  <cr>"})},
        };
    }();
    return rows;
}

} // namespace kestro
