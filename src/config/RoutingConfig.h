// The global-configuration no forms that belong to the routing protocols.
// The no handler of mode "conf" calls them on a line that took one of its
// forms wholly; like every handler they print nothing.
#pragma once

#include <string_view>

namespace kestro {

class Simulator;

// "no router rip": the section goes, its networks stay for a later
// "router rip".
void removeRouterRip(Simulator& sim);

// "no router igrp N": removes every network of that autonomous system; the
// IGRP sections are gone when no network of any system is left. Answers
// false, changing nothing, when asNumber is not a number from 1 to 65535:
// the caller then prints the invalid-input message.
bool removeRouterIgrp(Simulator& sim, std::string_view asNumber);

// "no ip routing": switches routing off and forgets both protocols and
// their networks. "ip routing" restores none of it.
void disableIpRouting(Simulator& sim);

} // namespace kestro
