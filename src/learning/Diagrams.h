// The network diagrams: which picture shows which activities, what it asks
// the student to configure, and the same network told in words for a reader
// who cannot see the picture. The picture maker draws from this table and
// the diagram window reads its words from it.
#pragma once

#include "learning/Networks.h"
#include "records/RouterState.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestro {

// What a diagram asks the student to configure (empty: nothing).
struct DiagramTask {
    std::string_view ethernetAddress, ethernetMask;
    std::string_view serialAddress, serialMask;
    long clockRate = 0;
    bool rip = false;

    bool any() const { return !ethernetAddress.empty() || !serialAddress.empty(); }
};

struct DiagramPlan {
    std::string_view file;
    std::string_view title;
    std::string_view subtitle;
    std::vector<std::string_view> activities; // every activity that shows this picture
    RouterId consoleRouter = RouterId::a;     // two routers: the one on the console
    DiagramTask task;
};

// Every diagram, the guided labs' first.
const std::vector<DiagramPlan>& diagramPlans();
// The plan of a picture file; null for any other name.
const DiagramPlan* diagramPlanFor(std::string_view file);

// "a.b.c.d /n", as the diagrams write an address with its mask.
std::string withPrefix(std::string_view address, std::string_view mask);

// The diagram in words, one line a paragraph: the title, the devices with
// their interfaces and addresses, the links, and what to configure.
std::vector<std::string> diagramDescription(const DiagramPlan& plan);

} // namespace kestro
