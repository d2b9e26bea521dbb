// Interface, routing, CDP, host and access-list displays and the ping rules.
// The show dispatcher recognises the commands and calls these; each reads the
// live router (and, in the two-router topology, the other router's store) as
// it is at that moment. A display of every interface takes no interface
// (nullopt).
#pragma once

#include "records/RouterState.h"

#include <optional>
#include <string>
#include <string_view>

namespace kestro {

class Simulator;
struct routerState;

// --- interface state -------------------------------------------------------

// The state an interface shows: shut down ("administratively down"), no
// signal from the other end ("down") or "up"; the line protocol apart.
enum class LineStatus { administrativelyDown, down, up };
struct InterfaceState {
    LineStatus status = LineStatus::administrativelyDown;
    bool protocolUp = false;
};

// "up", "down" or "administratively down".
const char* lineStatusText(LineStatus status);
// The shown state; administratively down outside topology kinds 1 and 2.
InterfaceState interfaceState(const Simulator& sim, Interface which);
// e.g. "Serial0 is up" or "Serial1 is administratively down"; empty outside
// topology kinds 1, 2.
std::string interfaceStatusLine(const Simulator& sim, Interface which);
// ", line protocol is up" or ", line protocol is down"; empty outside kinds 1, 2.
std::string lineProtocolSuffix(const Simulator& sim, Interface which);
// The interface is enabled at its end: not shut down and, at the clocking
// end of a link, clocked; an unconnected serial of the two-router network
// never is. Its line protocol is not looked at. False outside kinds 1 and 2.
bool interfaceEnabled(const Simulator& sim, Interface which);
// Enabled and its line protocol up: what routes and ping go by. Always false
// outside topology kinds 1 and 2, where an interface has no state.
bool interfaceIsUp(const Simulator& sim, Interface which);

// --- interface reports -----------------------------------------------------

// One "show interfaces" report: CR LF separated, ending with CR LF. Empty when
// the content row with the counters is missing.
std::string interfaceReport(Simulator& sim, Interface which);
// One "show ip interface" report, beginning with CR LF.
std::string ipInterfaceReport(const Simulator& sim, Interface which);

// "show interfaces [x]": without x, Serial0, Serial1, Ethernet0 joined into
// one paged text.
void showInterfaces(Simulator& sim, std::optional<Interface> which);
// "show ip interface [x]": without x, Ethernet0, Serial0, Serial1 joined into
// one paged text.
void showIpInterface(Simulator& sim, std::optional<Interface> which);

// "show ip interface brief": one row per interface, Ethernet0, Serial0,
// Serial1: address, how it was set, status and line protocol.
void showIpInterfaceBrief(Simulator& sim);

// --- routing ---------------------------------------------------------------

// "show ip route": the routing table of the current topology; prints nothing
// outside topology kinds 1 and 2.
void showIpRoute(Simulator& sim);
// "show ip protocols" (both modes): RIP and IGRP summaries; an empty paged
// text when IP routing is off.
void showIpProtocols(Simulator& sim);

// --- CDP, hosts, access lists ----------------------------------------------
// Each CDP display tests cdpRun itself and then prints only
// "% CDP is not enabled", so a caller need not test it (testing it too is
// harmless).

// "show cdp".
void showCdpGlobal(Simulator& sim);
inline void showCdp(Simulator& sim) {
    showCdpGlobal(sim);
}
// "show cdp interface [x]": without x, Serial0, Serial1, Ethernet0 in that
// order. Call once per command: the not-enabled line is printed once.
void showCdpInterface(Simulator& sim, std::optional<Interface> which);
// "show cdp neighbors": the neighbour table of the lab and two-router
// topologies; nothing at all in any other topology.
void showCdpNeighbors(Simulator& sim);
// "show cdp neighbors detail": per neighbour its name, address, platform,
// ports, hold time and software version.
void showCdpNeighborsDetail(Simulator& sim);
// "show hosts" (both modes).
void showHosts(Simulator& sim);
// "show access-lists" and "show ip access-lists".
void showAccessLists(Simulator& sim);

// --- ping ------------------------------------------------------------------

// True when access list listNumber of `router` stops `address`. No list
// applied (0) or no access list at all: not denied; no entry decides: denied.
bool listDeniesAddress(const routerState& router, int listNumber, std::string_view address);

// Reachability of a dotted-quad address under the current topology's rules.
// silent false: prints the paced ping output. silent true: prints nothing
// (the TFTP copy's reachability question). Returns whether it answers; false
// outside topology kinds 1 and 2.
bool pingTarget(Simulator& sim, const std::string& address, bool silent);

// The ping output for `target` (as typed, normalised): heading, five paced
// marks ("!" answered, "." timed out), result line. Stops early when the console's pause is
// interrupted.
void printPingResult(Simulator& sim, const std::string& target, bool reachable);

// The ping command (its forms and handler) is declared in status/Status.h.

} // namespace kestro
