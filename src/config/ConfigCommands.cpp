// The rows of the configuration commands: which mode runs which handler, and
// what the other modes answer.
#include "config/ConfigCommands.h"

namespace kestro {

namespace {

// What "?" prints after the words of each configuration command.
namespace help {

using K = WordCheck::Kind;
// Functions, not globals: the rows may be built during another file's
// static start-up, before a global of this file exists.
std::vector<Mode> conf() {
    return {Mode::conf};
}
std::vector<Mode> interfaceMode() {
    return {Mode::configIf};
}

std::vector<HelpAnswer> accessList() {
    const WordCheck list{K::listNumber, 1};
    const WordCheck action{K::oneOf, 2, 0, 0, 0, {"permit", "deny"}};
    return {
        {conf(), {"access-list ?"}, markedHelpScreen("access_list_?")},
        {conf(), {"access-list variable ?"}, markedHelpScreen("access_list_<1-99>_?"), {list}},
        {conf(),
         {"access-list variable variable ?"},
         markedHelpScreen("access_list_<1-99>_variable_?"),
         {list, action}},
        {conf(),
         {"access-list variable variable host ?"},
         helpLines({"$  Hostname or A.B.C.D  Host address"}),
         {list, action}},
        {conf(),
         {"access-list variable variable any ?"},
         helpLines({"  log  Log matches against this entry", "  <cr>"}),
         {list, action}},
        {conf(),
         {"access-list variable variable variable ?"},
         helpLines(
             {"$  A.B.C.D  Wildcard bits", "  log      Log matches against this entry", "  <cr>"}),
         {list, action, {K::ipAddress, 3}}},
    };
}

std::vector<HelpAnswer> banner() {
    return {
        {conf(), {"banner ?"}, helpScreen("banner_?")},
        {conf(),
         {"banner variable ?"},
         helpLines({"LINE  c banner-text c, where 'c' is a delimiting character"}),
         {{K::oneOf, 1, 0, 0, 0, {"motd", "exec", "login"}}}},
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
    const WordCheck minutes{K::number, 1, 0, 35791, 8};
    return {
        {line, {"exec-timeout ?"}, helpLines({" <0-35791>  Timeout in minutes", "<cr>"})},
        {line,
         {"exec-timeout variable ?"},
         helpLines({"  <0-2147483>  Timeout in seconds <cr>"}),
         {minutes}},
        {line,
         {"exec-timeout variable variable ?"},
         helpLines({"  <0-2147483>  Timeout in seconds <cr>"}),
         {minutes, {K::number, 2, 0, 2147483, 8}}},
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
         {"ip host variable ?"},
         helpLines({"  <0-65535>  Default telnet port number",
                    " A.B.C.D    Host IP address (maximum of 8)"})},
        {conf(), {"ip host variable variable ?"}, helpLines({" <cr>"})},
        {interfaceMode(), {"ip ?"}, helpScreen("ip_?_ifmode")},
        {interfaceMode(), {"ip address ?"}, helpLines({"  A.B.C.D  IP address"})},
        {interfaceMode(),
         {"ip address variable ?"},
         helpLines({"  A.B.C.D  IP subnet mask"}),
         {{K::ipAddress, 2}}},
        {interfaceMode(),
         {"ip access-group ?"},
         helpLines({"$  <1-199>      IP access list (standard or extended)",
                    "  <1300-2699>  IP expanded access list (standard or extended) ",
                    "  WORD         Access-list name"})},
        {interfaceMode(),
         {"ip access-group variable ?"},
         helpLines({"$  in   inbound packets", "$  out  outbound packets"}),
         {{K::listNumber, 2}}},
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
         {"no ip access-group variable ?"},
         pagedHelpLines({"$  in   inbound packets", "$  out  outbound packets"}),
         {{K::listNumber, 3}}},
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
    static const std::vector<CommandRow> rows = {
        {"access-list",
         {},
         {{Mode::conf, withLine<processAccessList>}},
         E::invalidInput,
         help::accessList()},
        {"bandwidth",
         {},
         {{Mode::configIf, withLine<processBandwidth>}},
         E::invalidInput,
         {{help::interfaceMode(),
           {"bandwidth ?"},
           helpLines({"$  <1-10000000>  Bandwidth in kilobits"})}}},
        {"banner", {}, {{Mode::conf, withLine<processBanner>}}, E::invalidInput, help::banner()},
        {"cdp",
         {},
         {{Mode::conf, withLine<processGlobalCdp>},
          {Mode::configIf, withLine<processInterfaceCdp>}},
         E::invalidInput,
         help::cdp()},
        {"clock",
         {},
         {{Mode::configIf, withLine<processClockRate>}},
         E::invalidInput,
         help::clock()},
        {"description",
         {},
         {{Mode::configIf, withLine<processDescription>}},
         E::invalidInput,
         {{help::interfaceMode(),
           {"description ?"},
           helpLines({"$  LINE  Up to 80 characters describing this interface"})}}},
        {"exec-timeout",
         {},
         {{Mode::configLine, withLine<processExecTimeout>}},
         E::unknownCommand,
         help::execTimeout()},
        {"ip",
         {},
         {{Mode::conf, withLine<processGlobalIp>}, {Mode::configIf, withLine<processInterfaceIp>}},
         E::invalidInput,
         help::ip()},
        {"keepalive",
         {},
         {{Mode::configIf, withLine<processKeepalive>}},
         E::invalidInput,
         {{help::interfaceMode(),
           {"keepalive ?"},
           helpLines({"  <0-32767>  Keepalive period (default 10 seconds)", "  <cr>"})}}},
        {"network",
         {},
         {{Mode::configRouterRip, withLine<processNetworkRip>},
          {Mode::configRouterIgrp, withLine<processNetworkIgrp>}},
         E::unknownCommand,
         {{{Mode::configRouterRip, Mode::configRouterIgrp},
           {"network ?"},
           helpLines({"   A.B.C.D  Network number"})}}},
        {"no",
         {},
         {{Mode::conf, withLine<processNoConf>},
          {Mode::configLine, withLine<processNoLine>},
          {Mode::configIf, withLine<processNoInterface>},
          {Mode::configRouterRip, withLine<processNoRouterRip>},
          {Mode::configRouterIgrp, withLine<processNoRouterIgrp>}},
         E::unknownCommand,
         help::no()},
        {"shutdown",
         {},
         {{Mode::configIf, withLine<processShutdown>}},
         E::unknownCommand,
         {{help::interfaceMode(), {"shutdown ?"}, helpLines({"  <cr>"})}}},
    };
    return rows;
}

} // namespace kestro
