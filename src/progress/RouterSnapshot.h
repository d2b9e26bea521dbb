// The routers of an activity as the record keeps them when the student
// leaves it: each router's whole state (configuration, mode, host name,
// history, console texts) and its saved configuration, written as JSON text
// and read back exactly.
#pragma once

#include "records/RouterState.h"

#include <optional>
#include <string>
#include <vector>

namespace kestro {

struct KeptRouter {
    routerState live;
    routerConfig saved;
    bool operator==(const KeptRouter&) const = default;
};

struct KeptRouters {
    RouterId active = RouterId::a;
    // RouterA first; RouterB too in the two-router exercises.
    std::vector<KeptRouter> routers;
    bool operator==(const KeptRouters&) const = default;
};

std::string snapshotText(const KeptRouters& kept);
// Empty when the text is not a snapshot this program wrote (damaged or from
// a newer version that changed its meaning).
std::optional<KeptRouters> readSnapshot(const std::string& text);

} // namespace kestro
