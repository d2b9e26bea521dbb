#include "learning/Catalogue.h"

#include <algorithm>

namespace kestro {

namespace {

constexpr LabGroup startingUp{"StartingUp", "Starting Up"};
constexpr LabGroup helpAndEditing{"helpAndEditing", "Help And Editing"};
constexpr LabGroup banners{"configuringBanners", "Configuring Banners"};
constexpr LabGroup lines{"lineConfiguration", "Line Configuration"};
constexpr LabGroup passwords{"passwordsAndIdentification", "Passwords And Identification"};
constexpr LabGroup interfaces{"configuringInterfaces", "Configuring Interfaces "};
constexpr LabGroup configurations{"configurationManagement", "Configuration Management"};
constexpr LabGroup domain{"domainHostNamesAndServers", "Domain, Hosts And Servers"};
constexpr LabGroup routing{"routingProtocols", "Routing Protocols"};
constexpr LabGroup cdp{"managingCDP", "Managing CDP "};
constexpr LabGroup acl{"managingACL", "Managing ACL"};

} // namespace

const std::vector<GuidedLab>& guidedLabs() {
    static const std::vector<GuidedLab> labs = {
        {"aboutTheLabs", "About The Labs"},
        {"routerStartUp", "Router StartUp", &startingUp},
        {"routerModes", "Router Modes", &startingUp},
        {"systemHelpCommands", "System Help Commands", &helpAndEditing},
        {"terminalHistory", "Terminal History", &helpAndEditing},
        {"enhancedEditing", "Enhanced Editing", &helpAndEditing},
        {"routerStatus", "Router Status"},
        {"motdBanner", "MOTD Banner", &banners},
        {"execBanner", "EXEC Banner", &banners},
        {"loginBanner", "Login Banner", &banners},
        {"consoleConfiguration", "Console Configuration", &lines},
        {"auxiliaryConfiguration", "Auxiliary Configuration", &lines},
        {"virtualTerminalConfiguration", "Virtual Terminal Configuration", &lines},
        {"settingHostname", "Setting Hostname", &passwords},
        {"managingPasswords", "Managing Passwords", &passwords},
        {"configuringSerialInterface", "Configuring Serial Interface", &interfaces},
        {"configuringEthernetInterface", "Configuring Ethernet Interface", &interfaces},
        {"viewingInterfaceStatus", "Viewing Interface Status", &interfaces},
        {"viewingConfiguration", "Viewing Configuration", &configurations},
        {"savingLoadingConfiguration", "Saving/Loading Configuration", &configurations},
        {"loadingConfigurationFromTFTPServer", "Loading Configuration From TFTP Server",
         &configurations},
        {"domainConfiguration", "Domain Configuration", &domain},
        {"hostNameMapping", "Host Name Mapping", &domain},
        {"nameServerAndHttpServer", "Name Server And Http Server", &domain},
        {"ripRouting", "RIP Routing", &routing},
        {"igrpRouting", "IGRP Routing", &routing},
        {"managingIPRouting", "Managing IP Routing", &routing},
        {"configuringCDPTimers", "Configuring CDP Timers", &cdp},
        {"viewingCDPInformation", "Viewing CDP Information", &cdp},
        {"enablingDisablingCDP", "Enabling/Disabling CDP", &cdp},
        {"testingConnectivity", "Testing Connectivity "},
        {"definingACL", "Defining ACL", &acl},
        {"applyingACL", "Applying ACL", &acl},
        {"removingACL", "Removing ACL", &acl},
    };
    return labs;
}

const std::vector<std::string>& guidedLabNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (const GuidedLab& lab : guidedLabs())
            n.emplace_back(lab.name);
        return n;
    }();
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
