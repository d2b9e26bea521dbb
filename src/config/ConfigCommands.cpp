// The rows of the configuration commands: which mode runs which handler, and
// what the other modes answer.
#include "config/ConfigCommands.h"

namespace kestro {

const std::vector<CommandRow>& configurationCommands() {
    using E = Elsewhere;
    static const std::vector<CommandRow> rows = {
        {"access-list", {}, {{"conf", withLine<processAccessList>}}, E::invalidInput},
        {"bandwidth", {}, {{"config-if", withLine<processBandwidth>}}, E::invalidInput},
        {"banner", {}, {{"conf", withLine<processBanner>}}, E::invalidInput},
        {"cdp",
         {},
         {{"conf", withLine<processGlobalCdp>}, {"config-if", withLine<processInterfaceCdp>}},
         E::invalidInput},
        {"clock", {}, {{"config-if", withLine<processClockRate>}}, E::invalidInput},
        {"description", {}, {{"config-if", withLine<processDescription>}}, E::invalidInput},
        {"exec-timeout", {}, {{"config-line", withLine<processExecTimeout>}}, E::unknownCommand},
        {"ip",
         {},
         {{"conf", withLine<processGlobalIp>}, {"config-if", withLine<processInterfaceIp>}},
         E::invalidInput},
        {"keepalive", {}, {{"config-if", withLine<processKeepalive>}}, E::invalidInput},
        {"network",
         {},
         {{"config-routerRip", withLine<processNetworkRip>},
          {"config-routerIgrp", withLine<processNetworkIgrp>}},
         E::unknownCommand},
        {"no",
         {},
         {{"conf", withLine<processNoConf>},
          {"config-line", withLine<processNoLine>},
          {"config-if", withLine<processNoInterface>},
          {"config-routerRip", withLine<processNoRouterRip>},
          {"config-routerIgrp", withLine<processNoRouterIgrp>}},
         E::unknownCommand},
        {"shutdown", {}, {{"config-if", withLine<processShutdown>}}, E::unknownCommand},
    };
    return rows;
}

} // namespace kestro
