#include "shell/MenuTree.h"

#include "learning/Activities.h"
#include "learning/FlashCards.h"
#include "learning/Instructions.h"
#include "learning/Networks.h"

#include <functional>

namespace kestro {

namespace {

MenuItem lab(const char* name, const char* caption) {
    return {name, caption, MenuAction::guidedLab, name, {}};
}

MenuItem submenu(const char* name, const char* caption, std::vector<MenuItem> children) {
    return {name, caption, MenuAction::none, {}, std::move(children)};
}

std::vector<MenuItem> buildTree() {
    MenuItem labs = submenu(
        "mnuLabs", "Labs",
        {
            lab("aboutTheLabs", "About The Labs"),
            submenu("StartingUp", "Starting Up",
                    {lab("routerStartUp", "Router StartUp"), lab("routerModes", "Router Modes")}),
            submenu("helpAndEditing", "Help And Editing",
                    {lab("systemHelpCommands", "System Help Commands"),
                     lab("terminalHistory", "Terminal History"),
                     lab("enhancedEditing", "Enhanced Editing")}),
            lab("routerStatus", "Router Status"),
            submenu("configuringBanners", "Configuring Banners",
                    {lab("motdBanner", "MOTD Banner"), lab("execBanner", "EXEC Banner"),
                     lab("loginBanner", "Login Banner")}),
            submenu("lineConfiguration", "Line Configuration",
                    {lab("consoleConfiguration", "Console Configuration"),
                     lab("auxiliaryConfiguration", "Auxiliary Configuration"),
                     lab("virtualTerminalConfiguration", "Virtual Terminal Configuration")}),
            submenu("passwordsAndIdentification", "Passwords And Identification",
                    {lab("settingHostname", "Setting Hostname"),
                     lab("managingPasswords", "Managing Passwords")}),
            submenu("configuringInterfaces", "Configuring Interfaces ",
                    {lab("configuringSerialInterface", "Configuring Serial Interface"),
                     lab("configuringEthernetInterface", "Configuring Ethernet Interface"),
                     lab("viewingInterfaceStatus", "Viewing Interface Status")}),
            submenu("configurationManagement", "Configuration Management",
                    {lab("viewingConfiguration", "Viewing Configuration"),
                     lab("savingLoadingConfiguration", "Saving/Loading Configuration"),
                     lab("loadingConfigurationFromTFTPServer",
                         "Loading Configuration From TFTP Server")}),
            submenu("domainHostNamesAndServers", "Domain, Hosts And Servers",
                    {lab("domainConfiguration", "Domain Configuration"),
                     lab("hostNameMapping", "Host Name Mapping"),
                     lab("nameServerAndHttpServer", "Name Server And Http Server")}),
            submenu("routingProtocols", "Routing Protocols",
                    {lab("ripRouting", "RIP Routing"), lab("igrpRouting", "IGRP Routing"),
                     lab("managingIPRouting", "Managing IP Routing")}),
            submenu("managingCDP", "Managing CDP ",
                    {lab("configuringCDPTimers", "Configuring CDP Timers"),
                     lab("viewingCDPInformation", "Viewing CDP Information"),
                     lab("enablingDisablingCDP", "Enabling/Disabling CDP")}),
            lab("testingConnectivity", "Testing Connectivity "),
            submenu("managingACL", "Managing ACL",
                    {lab("definingACL", "Defining ACL"), lab("applyingACL", "Applying ACL"),
                     lab("removingACL", "Removing ACL")}),
        });
    MenuItem tests =
        submenu("tests", "Tests",
                {
                    {"test1", "Test 1: Router Setup", MenuAction::test, "test1", {}},
                    {"test2", "Test 2: Router Setup", MenuAction::test, "test2", {}},
                    {"test3", "Test 3: Network Configuration", MenuAction::test, "test3", {}},
                });
    MenuItem cards =
        submenu("flashCards", "Flash Cards",
                {{"loadFlashCards", "Load Flash Cards", MenuAction::flashCards, {}, {}}});
    std::vector<MenuItem> exercises;
    const char* names[] = {"troubleShooting1", "troubleShooting2", "troubleShooting3",
                           "troubleshooting4", "troubleshooting5", "troubleshooting6"};
    for (int i = 1; i <= 6; ++i) {
        std::string caption = "Troubleshooting " + std::to_string(i);
        if (hasTwoRouters(i))
            caption += ": Multi Router";
        exercises.push_back({names[i - 1],
                             caption,
                             MenuAction::troubleshooting,
                             "troubleshooting" + std::to_string(i),
                             {}});
    }
    MenuItem troubleshooting = submenu("troubleshooting", "Troubleshooting", exercises);
    MenuItem help = submenu(
        "mnuHelp", "Help",
        {
            {"aboutUs", "About Us", MenuAction::aboutBox, {}, {}},
            {"studyPlan", "Study Plan", MenuAction::welcomeText, "studyPlan", {}},
            {"disclaimer", "Disclaimer && Terms Of Use", MenuAction::welcomeText, "disclaimer", {}},
            {"reportBug", "Report Bug/Feedback", MenuAction::feedbackPage, feedbackAddress, {}},
            {"officialWebSite", "Official WebSite", MenuAction::homePage, homePageAddress, {}},
        });
    return {labs, tests, cards, troubleshooting, help};
}

} // namespace

const std::vector<MenuItem>& menuTree() {
    static const std::vector<MenuItem> tree = buildTree();
    return tree;
}

const MenuItem* findMenuItem(const std::string& name) {
    std::function<const MenuItem*(const std::vector<MenuItem>&)> search =
        [&](const std::vector<MenuItem>& items) -> const MenuItem* {
        for (const MenuItem& item : items) {
            if (item.name == name)
                return &item;
            if (const MenuItem* found = search(item.children))
                return found;
        }
        return nullptr;
    };
    return search(menuTree());
}

std::string shownCaption(const std::string& stored) {
    std::string out;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        out += stored[i];
        if (stored[i] == '&' && i + 1 < stored.size() && stored[i + 1] == '&')
            ++i;
    }
    return out;
}

bool runMenuAction(Simulator& sim, const MenuItem& item) {
    switch (item.action) {
    case MenuAction::guidedLab:
        initLabs(sim, item.argument);
        return true;
    case MenuAction::test:
        initTests(sim, item.argument);
        return true;
    case MenuAction::troubleshooting:
        inittroubleshooting(sim, item.argument);
        return true;
    case MenuAction::flashCards:
        loadFlashCards(sim);
        return true;
    case MenuAction::welcomeText:
        setText(sim, item.argument);
        return true;
    default:
        return false;
    }
}

std::string mainWindowCaption() {
    return std::string("Kestro Router Simulator (") + homePageAddress +
           "): Gain hands-on experience with networks";
}

} // namespace kestro
