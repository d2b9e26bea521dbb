// The network each activity runs on, as plain data: the topology values a
// loader writes and the status, routing and ping rules read. Needs no
// simulator, so tools (the diagram pictures) can draw from the same table.
#pragma once

#include "SimulatorRecords.h"

#include <string_view>
#include <vector>

namespace kestro {

// One activity's network. An empty value is one the activity does not write:
// it keeps what the previous activity left.
struct ActivityNetwork {
    std::string_view name; // "lab" (every guided lab), "test1".., "troubleshooting1"..
    TopologyKind topologyKind = TopologyKind::none;
    int exerciseNumber = 0; // 0: not written (labs and tests)
    std::string_view lanAHost1, lanAHost2, lanANetwork;
    std::string_view lanBHost1, lanBHost2, lanBNetwork;
    std::string_view neighbourSerialAddress, neighbourLanAddress, neighbourLanMask;
    std::string_view linkNetwork;
};

// Every row: the guided labs' row, the three tests, the six exercises.
const std::vector<ActivityNetwork>& activityNetworks();

// The network of an activity by name (a guided lab's name or "lab" gives the
// labs' row); null for an unknown name.
const ActivityNetwork* networkOf(std::string_view activityName);

// The troubleshooting exercise with this number runs on two routers. The one
// place that decides it, from the exercise's row; false for any number no
// exercise has.
bool hasTwoRouters(int exerciseNumber);

} // namespace kestro
