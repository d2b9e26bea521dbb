#include "learning/Diagrams.h"

#include "records/AddressUtils.h"

namespace kestro {

namespace {

std::string str(std::string_view s) {
    return std::string(s);
}

std::vector<std::string> taskLines(const DiagramTask& t) {
    std::vector<std::string> lines;
    if (!t.ethernetAddress.empty())
        lines.push_back("Ethernet0 (E0): " + withPrefix(t.ethernetAddress, t.ethernetMask) +
                        ", brought up");
    if (!t.serialAddress.empty()) {
        std::string s =
            "Serial0 (S0): " + withPrefix(t.serialAddress, t.serialMask) + ", brought up";
        if (t.clockRate > 0)
            s += ", clock rate " + std::to_string(t.clockRate);
        lines.push_back(s);
    }
    if (t.rip)
        lines.push_back("RIP routing");
    return lines;
}

void singleRouterLines(std::vector<std::string>& out, const ActivityNetwork& n,
                       const DiagramPlan& plan) {
    const bool tftp = n.name == "lab" || n.name == "test1" || n.name == "test2";
    const DiagramTask& t = plan.task;
    out.push_back("Your router, on the console. Its Ethernet0 joins the LAN " + str(n.lanANetwork) +
                  (t.ethernetAddress.empty()
                       ? std::string(".")
                       : " with the address " + withPrefix(t.ethernetAddress, t.ethernetMask) +
                             ", which you configure."));
    std::string serial = "Its Serial0 is the DCE (clocking) end of the serial link " +
                         str(n.linkNetwork) + " to RouterB";
    if (!t.serialAddress.empty())
        serial += "; you give it " + withPrefix(t.serialAddress, t.serialMask);
    if (t.clockRate > 0)
        serial += " and the clock rate " + std::to_string(t.clockRate);
    out.push_back(serial + ".");
    out.push_back("On the LAN: the host " + str(n.lanAHost1) + " and " +
                  (tftp ? "the TFTP server " : "the host ") + str(n.lanAHost2) + ".");
    out.push_back(
        "RouterB, the neighbour, is not simulated. Its serial interface has the address " +
        str(n.neighbourSerialAddress) + "; its Ethernet0 has " +
        withPrefix(n.neighbourLanAddress, n.neighbourLanMask) +
        " on the neighbour's LAN, with the hosts " + str(n.lanBHost1) + " and " + str(n.lanBHost2) +
        ".");
}

void twoRouterLines(std::vector<std::string>& out, const ActivityNetwork& n,
                    const DiagramPlan& plan) {
    const char* console = plan.consoleRouter == RouterId::a ? "RouterA" : "RouterB";
    out.push_back(std::string("Two routers, both simulated; ") + console +
                  " is on the console (the Router A and Router B buttons switch).");
    out.push_back("RouterA: Ethernet0 joins the LAN " + str(n.lanANetwork) + " with the hosts " +
                  str(n.lanAHost1) + " and " + str(n.lanAHost2) +
                  ". Its Serial0, the DCE (clocking) end, is linked to Serial1 of RouterB.");
    out.push_back("RouterB: Ethernet0 joins the LAN " + str(n.lanBNetwork) + " with the hosts " +
                  str(n.lanBHost1) + " and " + str(n.lanBHost2) +
                  ". Its Serial1 is linked to Serial0 of RouterA.");
}

} // namespace

std::string withPrefix(std::string_view address, std::string_view mask) {
    return str(address) + " /" + std::to_string(maskBitCount(str(mask)));
}

const std::vector<DiagramPlan>& diagramPlans() {
    // The guided labs have the student number the router's interfaces in the
    // lab network's LAN and link; test 3 checks its own two addresses.
    static const DiagramTask labTask{
        "192.160.5.1", "255.255.255.0", "220.155.5.1", "255.255.255.0", 0, false};
    static const DiagramTask test3Task{"220.14.5.6",    "255.255.255.0", "194.23.2.1",
                                       "255.255.255.0", 56000,           true};
    static const std::string_view onA = "RouterA is on the console; press Router B to switch.";
    static const std::string_view onB = "RouterB is on the console; press Router A to switch.";
    static const std::vector<DiagramPlan> plans = {
        {"ActivityNetworkDiagram.jpg",
         "Guided labs: the lab network",
         "Every guided lab runs on this network. Your router is the one on the console.",
         {"lab"},
         RouterId::a,
         labTask},
        {"twoRouterTopologyA_RouterA.jpg",
         "Troubleshooting exercises 4 and 5",
         onA,
         {"troubleshooting4", "troubleshooting5"},
         RouterId::a,
         {}},
        {"twoRouterTopologyA_RouterB.jpg",
         "Troubleshooting exercises 4 and 5",
         onB,
         {"troubleshooting4", "troubleshooting5"},
         RouterId::b,
         {}},
        {"twoRouterTopologyB_RouterA.jpg",
         "Troubleshooting exercise 6",
         onA,
         {"troubleshooting6"},
         RouterId::a,
         {}},
        {"twoRouterTopologyB_RouterB.jpg",
         "Troubleshooting exercise 6",
         onB,
         {"troubleshooting6"},
         RouterId::b,
         {}},
        {"troubleShooting1.jpg",
         "Troubleshooting exercise 1",
         "Find why the hosts cannot be reached. The network as it should be:",
         {"troubleshooting1"},
         RouterId::a,
         {}},
        {"troubleShooting2.jpg",
         "Troubleshooting exercises 2 and 3",
         "Find why the neighbour's LAN cannot be reached. The network as it should be:",
         {"troubleshooting2", "troubleshooting3"},
         RouterId::a,
         {}},
        {"Test1And2Diagram.jpg",
         "Tests 1 and 2: the lab network",
         "Your router is connected as in the guided labs.",
         {"test1", "test2"},
         RouterId::a,
         {}},
        {"Test3Diagram.jpg",
         "Test 3: network configuration",
         "Your router joins its own LAN and a serial link.",
         {"test3"},
         RouterId::a,
         test3Task},
    };
    return plans;
}

const DiagramPlan* diagramPlanFor(std::string_view file) {
    for (const DiagramPlan& plan : diagramPlans())
        if (plan.file == file)
            return &plan;
    return nullptr;
}

std::vector<std::string> diagramDescription(const DiagramPlan& plan) {
    std::vector<std::string> out = {str(plan.title), str(plan.subtitle)};
    const ActivityNetwork* n = networkOf(plan.activities.front());
    if (n == nullptr)
        return out;
    if (n->topologyKind == TopologyKind::twoRouters)
        twoRouterLines(out, *n, plan);
    else
        singleRouterLines(out, *n, plan);
    const std::vector<std::string> task = taskLines(plan.task);
    if (!task.empty()) {
        out.push_back("Configure on your router:");
        for (const std::string& line : task)
            out.push_back("- " + line);
    }
    return out;
}

} // namespace kestro
