// The rows of the configuration commands: which mode runs which handler, and
// what the other modes answer.
#include "config/ConfigCommands.h"

namespace kestro {

const std::vector<CommandRow>& configurationCommands() {
    using E = Elsewhere;
    static const std::vector<CommandRow> rows = {
        {"access-list", {}, {{Mode::conf, withLine<processAccessList>}}, E::invalidInput},
        {"bandwidth", {}, {{Mode::configIf, withLine<processBandwidth>}}, E::invalidInput},
        {"banner", {}, {{Mode::conf, withLine<processBanner>}}, E::invalidInput},
        {"cdp",
         {},
         {{Mode::conf, withLine<processGlobalCdp>},
          {Mode::configIf, withLine<processInterfaceCdp>}},
         E::invalidInput},
        {"clock", {}, {{Mode::configIf, withLine<processClockRate>}}, E::invalidInput},
        {"description", {}, {{Mode::configIf, withLine<processDescription>}}, E::invalidInput},
        {"exec-timeout", {}, {{Mode::configLine, withLine<processExecTimeout>}}, E::unknownCommand},
        {"ip",
         {},
         {{Mode::conf, withLine<processGlobalIp>}, {Mode::configIf, withLine<processInterfaceIp>}},
         E::invalidInput},
        {"keepalive", {}, {{Mode::configIf, withLine<processKeepalive>}}, E::invalidInput},
        {"network",
         {},
         {{Mode::configRouterRip, withLine<processNetworkRip>},
          {Mode::configRouterIgrp, withLine<processNetworkIgrp>}},
         E::unknownCommand},
        {"no",
         {},
         {{Mode::conf, withLine<processNoConf>},
          {Mode::configLine, withLine<processNoLine>},
          {Mode::configIf, withLine<processNoInterface>},
          {Mode::configRouterRip, withLine<processNoRouterRip>},
          {Mode::configRouterIgrp, withLine<processNoRouterIgrp>}},
         E::unknownCommand},
        {"shutdown", {}, {{Mode::configIf, withLine<processShutdown>}}, E::unknownCommand},
    };
    return rows;
}

} // namespace kestro
