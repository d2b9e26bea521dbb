#include "records/RouterState.h"

#include <ostream>

namespace kestro {

namespace {

constexpr std::pair<Mode, std::string_view> modeNames[] = {
    {Mode::none, ""},
    {Mode::user, "user"},
    {Mode::priv, "priv"},
    {Mode::conf, "conf"},
    {Mode::configIf, "config-if"},
    {Mode::configLine, "config-line"},
    {Mode::configRouterRip, "config-routerRip"},
    {Mode::configRouterIgrp, "config-routerIgrp"},
};

} // namespace

std::string_view modeName(Mode mode) {
    for (const auto& [m, name] : modeNames)
        if (m == mode)
            return name;
    return {};
}

Mode modeNamed(std::string_view name) {
    for (const auto& [m, n] : modeNames)
        if (n == name)
            return m;
    return Mode::none;
}

std::ostream& operator<<(std::ostream& out, Mode mode) {
    return out << '"' << modeName(mode) << '"';
}

std::string_view routerName(RouterId which) {
    return which == RouterId::a ? "RouterA" : "RouterB";
}

std::ostream& operator<<(std::ostream& out, RouterId which) {
    return out << routerName(which);
}

char interfaceDigit(Interface which) {
    return static_cast<char>('0' + static_cast<int>(which));
}

interfaceConfig& routerState::interfaceAt(Interface which) {
    switch (which) {
    case Interface::serial0:
        return serial0;
    case Interface::serial1:
        return serial1;
    case Interface::ethernet0:
        break;
    }
    return ethernet0;
}

const interfaceConfig& routerState::interfaceAt(Interface which) const {
    return const_cast<routerState*>(this)->interfaceAt(which);
}

interfaceConfig* routerState::selectedInterface() {
    return currentInterface ? &interfaceAt(*currentInterface) : nullptr;
}

bool* routerState::currentLineLogin() {
    return settingOfLine(currentLine, auxLogin, consoleLogin, vtyLogin);
}

std::string* routerState::currentLinePassword() {
    return settingOfLine(currentLine, auxPassword, consolePassword, vtyPassword);
}

} // namespace kestro
