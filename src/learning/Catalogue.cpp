#include "learning/Catalogue.h"

#include <algorithm>

namespace kestro {

const std::vector<std::string>& guidedLabNames() {
    static const std::vector<std::string> names = {
        "aboutTheLabs",
        "routerStartUp",
        "routerModes",
        "systemHelpCommands",
        "terminalHistory",
        "enhancedEditing",
        "routerStatus",
        "motdBanner",
        "execBanner",
        "loginBanner",
        "consoleConfiguration",
        "auxiliaryConfiguration",
        "virtualTerminalConfiguration",
        "settingHostname",
        "managingPasswords",
        "configuringSerialInterface",
        "configuringEthernetInterface",
        "viewingInterfaceStatus",
        "viewingConfiguration",
        "savingLoadingConfiguration",
        "loadingConfigurationFromTFTPServer",
        "domainConfiguration",
        "hostNameMapping",
        "nameServerAndHttpServer",
        "ripRouting",
        "igrpRouting",
        "managingIPRouting",
        "configuringCDPTimers",
        "viewingCDPInformation",
        "enablingDisablingCDP",
        "testingConnectivity",
        "definingACL",
        "applyingACL",
        "removingACL",
    };
    return names;
}

const std::vector<std::string>& activityNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n = guidedLabNames();
        for (const char* test : {"test1", "test2", "test3"})
            n.emplace_back(test);
        for (const char* exercise : {"troubleshooting1", "troubleshooting2", "troubleshooting3",
                                     "troubleshooting4", "troubleshooting5", "troubleshooting6"})
            n.emplace_back(exercise);
        return n;
    }();
    return names;
}

ActivityType activityType(std::string_view name) {
    if (name == "lab")
        return ActivityType::guidedLab;
    const auto& all = activityNames();
    const auto at = std::find(all.begin(), all.end(), name);
    if (at == all.end())
        return ActivityType::unknown;
    if (at - all.begin() < static_cast<long>(guidedLabNames().size()))
        return ActivityType::guidedLab;
    return name.starts_with("test") ? ActivityType::test : ActivityType::troubleshooting;
}

long testNumber(std::string_view name) {
    if (name == "test1")
        return 1;
    if (name == "test2")
        return 2;
    if (name == "test3")
        return 3;
    return 0;
}

} // namespace kestro
