// The implemented check: whether a help line's command is one the simulator
// carries out in the current mode. Used by the emphasis rule of help
// listings; the tables never decide how a command is carried out.
#include "recognition/Recognition.h"

#include "Simulator.h"
#include "console/Dispatcher.h"

#include <string_view>

namespace kestro {

namespace {

struct ModeQuery {
    std::string_view mode;
    const char* sql;
    bool interfaceFilter;
};

// One word: the mode's plain table. A prefix match is enough, so "sh"
// finds show.
constexpr ModeQuery plainQueries[] = {
    {"user", "SELECT 1 FROM userModeCmds WHERE cmd LIKE ?1 ESCAPE '\\' AND implemented = 1 LIMIT 1",
     false},
    {"priv", "SELECT 1 FROM privModeCmds WHERE cmd LIKE ?1 ESCAPE '\\' AND implemented = 1 LIMIT 1",
     false},
    {"conf", "SELECT 1 FROM confModeCmds WHERE cmd LIKE ?1 ESCAPE '\\' AND implemented = 1 LIMIT 1",
     false},
    {"config-line",
     "SELECT 1 FROM lineModeCmds WHERE cmd LIKE ?1 ESCAPE '\\' AND implemented = 1 LIMIT 1", false},
    {"config-if",
     "SELECT 1 FROM ifModeCmds WHERE cmd LIKE ?1 ESCAPE '\\' AND interface LIKE ?2 ESCAPE '\\' "
     "AND implemented = 1 LIMIT 1",
     true},
    {"config-routerRip",
     "SELECT 1 FROM configRouterRipModeCmds WHERE cmd LIKE ?1 ESCAPE '\\' AND implemented = 1 "
     "LIMIT 1",
     false},
    {"config-routerIgrp",
     "SELECT 1 FROM configRouterIgrpModeCmds WHERE cmd LIKE ?1 ESCAPE '\\' AND implemented = 1 "
     "LIMIT 1",
     false},
};

// Two or more words: the extended table. Line configuration has none.
constexpr ModeQuery extendedQueries[] = {
    {"user",
     "SELECT 1 FROM userModeCmdsExtended WHERE cmd LIKE ?1 ESCAPE '\\' AND implemented = 1 LIMIT 1",
     false},
    {"priv",
     "SELECT 1 FROM privModeCmdsExtended WHERE cmd LIKE ?1 ESCAPE '\\' AND implemented = 1 LIMIT 1",
     false},
    {"conf",
     "SELECT 1 FROM confModeCmdsExtended WHERE cmd LIKE ?1 ESCAPE '\\' AND implemented = 1 LIMIT 1",
     false},
    {"config-if",
     "SELECT 1 FROM ifModeCmdsExtended WHERE cmd LIKE ?1 ESCAPE '\\' AND interface LIKE ?2 "
     "ESCAPE '\\' AND implemented = 1 LIMIT 1",
     true},
    {"config-routerRip",
     "SELECT 1 FROM configRouterRipModeCmdsExtended WHERE cmd LIKE ?1 ESCAPE '\\' AND "
     "implemented = 1 LIMIT 1",
     false},
    {"config-routerIgrp",
     "SELECT 1 FROM configRouterIgrpModeCmdsExtended WHERE cmd LIKE ?1 ESCAPE '\\' AND "
     "implemented = 1 LIMIT 1",
     false},
};

template <std::size_t Size>
const ModeQuery* queryFor(const ModeQuery (&queries)[Size], std::string_view mode) {
    for (const ModeQuery& q : queries) {
        if (q.mode == mode)
            return &q;
    }
    return nullptr;
}

} // namespace

bool checkIfCommandImplemented(Simulator& sim, const std::string& line) {
    const std::string n = normaliseLine(sim, line);
    const std::vector<std::string> words = splitWords(n);
    if (words.empty())
        return false;
    const std::string& mode = sim.liveRouter.mode;
    const ModeQuery* q =
        words.size() == 1 ? queryFor(plainQueries, mode) : queryFor(extendedQueries, mode);
    ContentStore* content = sim.content();
    if (q == nullptr || content == nullptr)
        return false;

    // The typed text is bound as data, so an apostrophe or a wildcard in it
    // is matched literally. A failing query is logged by the store and
    // counts as not implemented.
    std::vector<std::string> params{ContentStore::escapeLike(n) + "%"};
    if (q->interfaceFilter)
        params.push_back("%" + ContentStore::escapeLike(sim.liveRouter.currentInterface) + "%");
    return !content->query(q->sql, params, "checkIfCommandImplemented").empty();
}

} // namespace kestro
