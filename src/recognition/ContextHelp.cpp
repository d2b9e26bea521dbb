// Placeholder until context help is built: the request is echoed and
// answered "% Unrecognized command"; the help command shows the "help"
// screen of the content store.
#include "recognition/Recognition.h"

#include "Simulator.h"
#include "console/Console.h"
#include "console/Dispatcher.h"

namespace kestro {

void showContextHelp(Simulator& sim, const std::string& line) {
    printLine(sim, line);
    printUnrecognizedCommand(sim);
}

void procesHelp(Simulator& sim) {
    if (ContentStore* content = sim.content()) {
        if (auto screen = content->cmdInfo("help", "procesHelp"))
            printPaged(sim, *screen);
    }
}

} // namespace kestro
