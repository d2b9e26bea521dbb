#include "config/RouterState.h"

namespace kestro {

interfaceConfig* routerState::interfaceAt(int index) {
    switch (index) {
    case 0:
        return &serial0;
    case 1:
        return &serial1;
    case 2:
        return &ethernet0;
    default:
        return nullptr;
    }
}

const interfaceConfig* routerState::interfaceAt(int index) const {
    return const_cast<routerState*>(this)->interfaceAt(index);
}

interfaceConfig* routerState::selectedInterface() {
    if (currentInterface.size() != 1)
        return nullptr;
    return interfaceAt(currentInterface[0] - '0');
}

bool* routerState::currentLineLogin() {
    if (currentLine == "aux")
        return &auxLogin;
    if (currentLine == "con")
        return &consoleLogin;
    if (currentLine == "vty")
        return &vtyLogin;
    return nullptr;
}

std::string* routerState::currentLinePassword() {
    if (currentLine == "aux")
        return &auxPassword;
    if (currentLine == "con")
        return &consolePassword;
    if (currentLine == "vty")
        return &vtyPassword;
    return nullptr;
}

} // namespace kestro
