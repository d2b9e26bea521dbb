#include "learning/Networks.h"

#include "learning/Catalogue.h"

#include <algorithm>

namespace kestro {

namespace {

// What every network has: its name, kind, exercise number and the hosts of
// both LANs.
ActivityNetwork withHosts(std::string_view name, TopologyKind topologyKind, int exerciseNumber,
                          std::string_view lanAHost1, std::string_view lanAHost2,
                          std::string_view lanANetwork, std::string_view lanBHost1,
                          std::string_view lanBHost2) {
    ActivityNetwork n;
    n.name = name;
    n.topologyKind = topologyKind;
    n.exerciseNumber = exerciseNumber;
    n.lanAHost1 = lanAHost1;
    n.lanAHost2 = lanAHost2;
    n.lanANetwork = lanANetwork;
    n.lanBHost1 = lanBHost1;
    n.lanBHost2 = lanBHost2;
    return n;
}

ActivityNetwork singleRouter(std::string_view name, int exerciseNumber, std::string_view lanAHost1,
                             std::string_view lanAHost2, std::string_view lanANetwork,
                             std::string_view lanBHost1, std::string_view lanBHost2,
                             std::string_view neighbourSerialAddress,
                             std::string_view neighbourLanAddress, std::string_view linkNetwork) {
    ActivityNetwork n = withHosts(name, TopologyKind::singleRouter, exerciseNumber, lanAHost1,
                                  lanAHost2, lanANetwork, lanBHost1, lanBHost2);
    n.neighbourSerialAddress = neighbourSerialAddress;
    n.neighbourLanAddress = neighbourLanAddress;
    n.neighbourLanMask = "255.255.255.0";
    n.linkNetwork = linkNetwork;
    return n;
}

ActivityNetwork twoRouters(std::string_view name, int exerciseNumber, std::string_view lanAHost1,
                           std::string_view lanAHost2, std::string_view lanANetwork,
                           std::string_view lanBHost1, std::string_view lanBHost2,
                           std::string_view lanBNetwork) {
    ActivityNetwork n = withHosts(name, TopologyKind::twoRouters, exerciseNumber, lanAHost1,
                                  lanAHost2, lanANetwork, lanBHost1, lanBHost2);
    n.lanBNetwork = lanBNetwork;
    return n;
}

// 192.160.5.5 is also the TFTP server of the copy command.
ActivityNetwork labLike(std::string_view name) {
    return singleRouter(name, 0, "192.160.5.6", "192.160.5.5", "192.160.5.0", "192.54.5.15",
                        "192.54.5.20", "220.155.5.2", "192.54.5.1", "220.155.5.0");
}

} // namespace

const std::vector<ActivityNetwork>& activityNetworks() {
    // Exercise 3 shares exercise 2's number and network; it differs only in
    // its preset. Exercises 4 and 5 share one network too.
    static const std::vector<ActivityNetwork> rows = {
        labLike("lab"),
        labLike("test1"),
        labLike("test2"),
        singleRouter("test3", 0, "220.14.5.2", "220.14.5.4", "220.14.5.0", "194.4.5.5",
                     "194.4.5.13", "194.23.2.2", "194.4.5.1", "194.23.2.0"),
        singleRouter("troubleshooting1", 1, "128.16.31.5", "128.16.31.6", "128.16.0.0",
                     "132.104.15.15", "124.34.25.20", "121.43.38.22", "192.42.37.1", "220.52.57.0"),
        singleRouter("troubleshooting2", 2, "192.34.6.3", "192.34.6.4", "192.34.6.0", "204.5.13.8",
                     "204.5.13.9", "196.101.5.2", "204.5.13.1", "196.101.5.0"),
        singleRouter("troubleshooting3", 2, "192.34.6.3", "192.34.6.4", "192.34.6.0", "204.5.13.8",
                     "204.5.13.9", "196.101.5.2", "204.5.13.1", "196.101.5.0"),
        twoRouters("troubleshooting4", 4, "202.16.92.6", "202.16.92.7", "202.16.92.0", "220.14.5.2",
                   "220.14.5.3", "220.14.5.0"),
        twoRouters("troubleshooting5", 5, "202.16.92.6", "202.16.92.7", "202.16.92.0", "220.14.5.2",
                   "220.14.5.3", "220.14.5.0"),
        twoRouters("troubleshooting6", 6, "204.5.62.12", "204.5.62.13", "204.5.62.0",
                   "208.109.1.12", "208.109.1.14", "208.109.1.0"),
    };
    return rows;
}

const ActivityNetwork* networkOf(std::string_view activityName) {
    const auto& labs = guidedLabNames();
    if (std::find(labs.begin(), labs.end(), activityName) != labs.end())
        activityName = "lab";
    for (const ActivityNetwork& n : activityNetworks())
        if (n.name == activityName)
            return &n;
    return nullptr;
}

bool hasTwoRouters(int exerciseNumber) {
    if (exerciseNumber == 0)
        return false;
    for (const ActivityNetwork& n : activityNetworks())
        if (n.exerciseNumber == exerciseNumber)
            return n.topologyKind == TopologyKind::twoRouters;
    return false;
}

} // namespace kestro
