// The running and startup configuration listings, and copy with its short
// forms and every question path (save, load, TFTP).
#include "ConsoleFixture.h"

#include "config/ConfigRendering.h"
#include "console/LineHelpers.h"

#include <algorithm>
#include <functional>

namespace kestro::testing {
namespace {

using Lines = std::vector<std::string>;

Lines linesOf(const std::string& text) {
    Lines out;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find("\r\n", start);
        out.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return out;
        start = end + 2;
    }
}

Lines concat(std::initializer_list<Lines> parts) {
    Lines out;
    for (const Lines& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// clang-format off
const Lines header = {"Current configuration:", "!", "version 11.3",
                      "service timestamps debug uptime", "service timestamps log uptime",
                      "no service password-encryption", "!"};
const Lines factoryEthernet = {"interface Ethernet0", " no ip address",
                               " no ip directed-broadcast", " shutdown", "!"};
const Lines factorySerial = {" no ip address", " no ip directed-broadcast",
                             " no ip mroute-cache", " shutdown", " no fair-queue", "!"};
const Lines factoryLines = {" !", "line con 0", "line aux 0", "line vty 0 4", "!", "end"};
const Lines factory = concat({header,
                              {"hostname Router", "!", "!", "ip subnet-zero", "!", "!", "!"},
                              factoryEthernet, {"interface Serial0"}, factorySerial,
                              {"interface Serial1"}, factorySerial,
                              {"!", "!", "ip classless", "!"}, factoryLines});
// clang-format on

class ConfigRendering : public ConsoleTest {
protected:
    ConfigRendering() { toPrivileged(); }
};

TEST_F(ConfigRendering, FreshRouter) {
    EXPECT_EQ(linesOf(runningConfigText(sim)), factory);
    EXPECT_EQ(linesOf(startupConfigText(sim)), factory);
}

TEST_F(ConfigRendering, ConfiguredRouterLineByLine) {
    routerState& r = router();
    r.hostname = "lab";
    r.enableSecret = "class";
    r.enablePassword = "falcon";
    r.domainLookup = false;
    r.hosts = {{"a", "1.1.1.1"}, {"b", "2.2.2.2"}, {"a", "3.3.3.3"}};
    r.domainName = "example";
    r.nameServers = {"4.4.4.4", "5.5.5.5"};
    r.ethernet0 = {false, 1000, 0, "lan side", 10, true, "10.1.1.1", "255.255.255.0", 1, 10};
    r.serial1.bandwidth = 1544; // defaults are not listed
    r.serial1.keepalive = 10;
    r.serial0 = {false, 56, 64000, "", 5, false, "10.2.2.1", "255.255.255.252", 0, 0};
    r.ripConfigured = true;
    r.ripNetworks = {"10.0.0.0", "192.168.1.0"};
    r.igrpConfigured = true;
    r.igrpNetworks = {{10, "10.0.0.0"}, {20, "172.16.0.0"}, {10, "192.168.2.0"}};
    r.httpServer = true;
    r.accessLists = {
        {permitAny, "", "0.0.0.0", 1},       {denyWildcard, "192.54.5.0", "0.0.0.255", 10},
        {denyAny, "", "0.0.0.0", 1},         {permitHost, "6.6.6.6", "0.0.0.0", 2},
        {denyHost, "7.7.7.7", "0.0.0.0", 2}, {permitWildcard, "8.8.0.0", "0.0.255.255", 3}};
    r.cdpTimer = 30;
    r.execBanner = "#exec#";
    r.loginBanner = "#login#";
    r.motdBanner = "one\r\ntwo\r\n";
    r.consolePassword = "con";
    r.consoleLogin = true;
    r.vtyLogin = true;
    r.auxExecTimeoutMinutes = 0;
    r.auxExecTimeoutSeconds = 30;
    // clang-format off
    const Lines expected = concat({header, {
        "hostname lab", "!", "enable secret 5 $1$Qm7d$Vh3kLp0sWz8RnT4eYc2Jx.",
        "enable password falcon", "!", "ip subnet-zero", "no ip domain-lookup",
        "ip host a 1.1.1.1 3.3.3.3 ", "ip host b 2.2.2.2 ", "ip domain-name example",
        "ip name-server 4.4.4.4 5.5.5.5 ", "!", "!", "!",
        "interface Ethernet0", " description lan side", " bandwidth 1000",
        " ip address 10.1.1.1 255.255.255.0", " ip access-group 1 out", " ip access-group 10 in",
        " no ip directed-broadcast", "!",
        "interface Serial0", " bandwidth 56", " ip address 10.2.2.1 255.255.255.252",
        " no ip directed-broadcast", " no ip mroute-cache", " keepalive 5", " no fair-queue",
        " clockrate 64000", " no cdp enable", "!",
        "interface Serial1"}, factorySerial, {
        "!", "router rip", " network 10.0.0.0", " network 192.168.1.0",
        "!", "router igrp 10", " network 10.0.0.0", " network 192.168.2.0", "!", "router igrp 20",
        " network 172.16.0.0",
        "!", "ip http server", "ip classless", "!",
        "access-list 1 permit any", "access-list 10 deny   192.54.5.0 0.0.0.255",
        "access-list 1 deny   any", "access-list 2 permit 6.6.6.6", "access-list 2 deny   7.7.7.7",
        "access-list 3 permit 8.8.0.0 0.0.255.255",
        "cdp timer 30", "banner exec ^C#exec#^C", "banner login ^C#login#^C", "banner motd ^Cone",
        "two", "^C", " !", "line con 0", " password con", " login",
        "line aux 0", " exec-timeout 0 30", "line vty 0 4", " login",
        "!", "end"}});
    // clang-format on
    EXPECT_EQ(linesOf(runningConfigText(sim)), expected);
    // Nothing of it was saved.
    EXPECT_EQ(linesOf(startupConfigText(sim)), factory);
}

// A listing typed back into a fresh router gives the same configuration.
// What a listing holds that is no command of this router (comments, the
// version and service lines, fixed interface defaults) is left out; so is the
// enable secret, of which only a one-way hash is shown. A section ends where
// a global line starts, as when a listing is pasted.
class ConfigRoundTrip : public ConsoleTest {
protected:
    ConfigRoundTrip() { toConfiguration(); }

    void typeBack(const std::string& listing) {
        static const std::vector<std::string> notTyped = {"Current configuration:",
                                                          "!",
                                                          " !",
                                                          "end",
                                                          "version 11.3",
                                                          "service timestamps debug uptime",
                                                          "service timestamps log uptime",
                                                          "no service password-encryption",
                                                          "ip subnet-zero",
                                                          "ip classless",
                                                          " no ip directed-broadcast",
                                                          " no ip mroute-cache",
                                                          " no fair-queue"};
        for (std::string line : linesOf(listing)) {
            if (std::find(notTyped.begin(), notTyped.end(), line) != notTyped.end() ||
                line.starts_with("enable secret 5 "))
                continue;
            if (!line.starts_with(" ") && router().mode != Mode::conf)
                type("exit");
            // The delimiter the listing shows as ^C is typed as #; the text
            // starts on the line after the command.
            replaceAll(line, "^C", "#");
            if (line.starts_with("banner ")) {
                const std::size_t hash = line.find('#');
                expectTaken(line.substr(0, hash + 1));
                line.erase(0, hash + 1);
                if (line.empty())
                    continue;
            }
            // This router takes the clock rate in its two-word spelling only.
            if (line.starts_with(" clockrate "))
                line = " clock rate " + line.substr(11);
            expectTaken(line);
            // A listed interface without " shutdown" is open.
            if (line.starts_with("interface "))
                expectTaken("no shutdown");
        }
        if (router().mode != Mode::conf)
            type("exit");
    }

    void expectTaken(const std::string& line) {
        const std::string out = outputOf(line);
        EXPECT_EQ(out.find("% "), std::string::npos) << line << out;
    }
};

TEST_F(ConfigRoundTrip, ListingTypedBackGivesTheSameConfiguration) {
    const std::vector<std::function<void(routerConfig&)>> configurations = {
        [](routerConfig&) {},
        [](routerConfig& r) {
            r.hostname = "lab";
            r.enablePassword = "falcon";
            r.domainLookup = false;
            // Entries in the order the listing groups them.
            r.hosts = {{"a", "1.1.1.1"}, {"a", "3.3.3.3"}, {"b", "2.2.2.2"}};
            r.domainName = "example";
            r.nameServers = {"4.4.4.4", "5.5.5.5"};
            r.ethernet0 = {false,           1000, 0, "lan side", 10, true, "10.1.1.1",
                           "255.255.255.0", 1,    10};
            r.serial0 = {false, 56, 64000, "", 5, false, "10.2.2.1", "255.255.255.252", 0, 0};
            r.ripConfigured = true;
            r.ripNetworks = {"10.0.0.0", "192.168.1.0"};
            r.igrpConfigured = true;
            r.igrpNetworks = {{10, "10.0.0.0"}, {10, "192.168.2.0"}, {20, "172.16.0.0"}};
            r.httpServer = true;
            r.accessLists = {{permitAny, "", "0.0.0.0", 1},
                             {denyWildcard, "192.54.5.0", "0.0.0.255", 10},
                             {permitHost, "6.6.6.6", "0.0.0.0", 2},
                             {denyHost, "7.7.7.7", "0.0.0.0", 2},
                             {permitWildcard, "8.8.0.0", "0.0.255.255", 3}};
            r.cdpTimer = 30;
            r.cdpHoldtime = 100;
            r.motdBanner = "one\r\ntwo\r\n";
            r.loginBanner = "welcome";
            r.consolePassword = "con";
            r.consoleLogin = true;
            r.vtyPassword = "vty";
            r.vtyLogin = true;
            r.auxExecTimeoutMinutes = 0;
            r.auxExecTimeoutSeconds = 30;
        },
        [](routerConfig& r) {
            r.cdpRun = false;
            r.serial1 = {false, 128, 0, "spare", 20, true, "10.9.9.1", "255.255.255.0", 0, 5};
            r.ethernet0.keepalive = 0;
            r.execBanner = "hello";
        },
    };
    for (std::size_t i = 0; i < configurations.size(); ++i) {
        SCOPED_TRACE("configuration " + std::to_string(i));
        routerConfig wanted;
        wanted.hostname = "router"; // a typed host name is kept in lower case
        configurations[i](wanted);
        static_cast<routerConfig&>(router()) = wanted;
        const std::string listing = runningConfigText(sim);
        static_cast<routerConfig&>(router()) = routerConfig{};
        typeBack(listing);
        EXPECT_EQ(runningConfigText(sim), listing);
        EXPECT_EQ(configurationText(router().config()), configurationText(wanted));
        EXPECT_TRUE(router().config() == wanted);
    }
}

TEST_F(ConfigRendering, CdpOffHidesTheTimers) {
    router().cdpRun = false;
    router().cdpTimer = 30;
    router().cdpHoldtime = 90;
    const Lines lines = linesOf(runningConfigText(sim));
    const auto classless = std::find(lines.begin(), lines.end(), "ip classless");
    ASSERT_NE(classless, lines.end());
    EXPECT_EQ(*(classless + 2), "no cdp run");
    EXPECT_EQ(*(classless + 3), " !");
}

TEST_F(ConfigRendering, ShowPrintsBuildingAfterABlankLineThenPauses) {
    io.pauses.clear();
    const std::string out = outputOf("show running-config");
    std::string listing;
    for (const std::string& line : linesOf(runningConfigText(sim)))
        listing += "\r\n" + line;
    EXPECT_EQ(out, "\r\n\r\nBuilding configuration..." + listing);
    ASSERT_FALSE(io.pauses.empty());
    EXPECT_EQ(io.pauses.front(), 1200);
    EXPECT_EQ(inputLine(), "Router#");
    EXPECT_EQ(sim.console.inputState, InputState::Normal);
}

// --- copy ------------------------------------------------------------------

class Copy : public ConsoleTest {
protected:
    Copy() { toPrivileged(); }

    void expectQuestion(const std::string& question, const std::string& dialogue) {
        EXPECT_EQ(sim.console.inputState, InputState::CopyQuestion);
        EXPECT_EQ(inputLine(), question);
        EXPECT_EQ(router().copyDialogue, dialogue);
        EXPECT_EQ(router().savedPrompt, "Router#");
    }
    void expectBackAtPrompt(const std::string& prompt = "Router#") {
        EXPECT_EQ(sim.console.inputState, InputState::Normal);
        EXPECT_EQ(inputLine(), prompt);
        EXPECT_EQ(router().mode, Mode::priv);
    }
};

const std::string buildingOk = "\r\nBuilding configuration...\r\n[OK]";

TEST_F(Copy, ShortFormsReachTheirQuestions) {
    for (const char* line : {"copy running-config startup-config", "copy run start",
                             "COPY  Run  startup-config", "copy running-config start"}) {
        EXPECT_EQ(outputOf(line), "") << line;
        expectQuestion("Destination filename [startup-config]?", "run_start");
        type("nowhere"); // closes the question without saving
    }
    for (const char* line : {"copy startup-config running-config", "copy start run",
                             "copy startup-config run", "copy start running-config"}) {
        EXPECT_EQ(outputOf(line), "") << line;
        expectQuestion("Destination filename [running-config]?", "start_run");
        type("nowhere");
    }
    EXPECT_EQ(outputOf("copy tftp run"), "");
    expectQuestion("Address or name of remote host []?", "tftp_run");
}

TEST_F(Copy, IncompleteAndInvalidForms) {
    for (const char* line : {"copy", "copy run", "copy start", "copy tftp"})
        EXPECT_EQ(outputOf(line), incompleteCommand) << line;
    for (const char* line : {"copy run run", "copy start start", "copy tftp start",
                             "copy flash run", "copy run start now", "copy runn start"})
        EXPECT_EQ(outputOf(line), invalidInput) << line;
    EXPECT_EQ(sim.console.inputState, InputState::Normal);
    type("disable");
    EXPECT_EQ(outputOf("copy run start"), invalidInput);
    EXPECT_EQ(sim.console.inputState, InputState::Normal);
}

TEST_F(Copy, SaveAcceptsTheDefaultAndItsNames) {
    int round = 0;
    for (const char* answer : {"", "startup-config", "  START "}) {
        router().hostname = "saved" + std::to_string(++round);
        type("copy run start");
        io.pauses.clear();
        EXPECT_EQ(outputOf(answer), buildingOk) << answer;
        EXPECT_EQ(io.pauses, std::vector<int>{1000});
        EXPECT_EQ(sim.startupConfig, router().config());
        expectBackAtPrompt(router().hostname + "#");
        enterMode(sim, Mode::priv);
    }
}

TEST_F(Copy, StartupShowsTheSaveAndNotLaterChanges) {
    router().hostname = "r1";
    router().hosts = {{"pc", "10.0.0.9"}};
    type("copy run start");
    type("");
    const std::string saved = runningConfigText(sim);
    EXPECT_EQ(startupConfigText(sim), saved);
    router().hosts.push_back({"pc2", "10.0.0.8"});
    router().httpServer = true;
    EXPECT_EQ(startupConfigText(sim), saved);
    EXPECT_NE(runningConfigText(sim), saved);
}

TEST_F(Copy, WrongSaveDestinationSavesNothing) {
    router().hostname = "changed";
    type("copy run start");
    EXPECT_EQ(outputOf("Flash"), "\r\n%Error opening nvram:flash (No such file or directory)");
    EXPECT_EQ(sim.startupConfig.hostname, "Router");
    expectBackAtPrompt();
}

TEST_F(Copy, LoadReplacesTheLiveConfigurationAndItsPrompt) {
    router().hostname = "saved";
    saveStartupConfig(sim);
    router().hostname = "other";
    router().ripConfigured = true;
    type("copy start run");
    // The question stays the same when the input line is redrawn.
    ctrl('u');
    EXPECT_EQ(inputLine(), "Destination filename [running-config]?");
    EXPECT_EQ(outputOf("run"), buildingOk);
    EXPECT_EQ(router().config(), sim.startupConfig);
    expectBackAtPrompt("saved#");
}

TEST_F(Copy, WrongLoadSourceLoadsNothing) {
    router().hostname = "other";
    type("copy start run");
    EXPECT_EQ(outputOf("nvram"), "\r\n%Error opening nvram:nvram (No such file or directory)");
    EXPECT_EQ(router().hostname, "other");
    expectBackAtPrompt();
}

// --- TFTP ------------------------------------------------------------------

class CopyTftp : public Copy {
protected:
    // The lab's TFTP server on the router's own LAN, reachable while
    // Ethernet0 is up.
    CopyTftp() {
        sim.topology.lanAHost1 = "192.160.5.5";
        sim.topology.lanAHost2 = "192.160.5.6";
        sim.topology.lanANetwork = "192.160.5.0";
        router().ethernet0.ipAddress = "192.160.5.1";
        router().ethernet0.subnetMask = "255.255.255.0";
        router().ethernet0.shutdown = false;
    }

    std::string transfer(const std::string& host, const std::string& source,
                         const std::string& destination) {
        type("copy tftp run");
        type(host);
        type(source);
        return outputOf(destination);
    }
};

TEST_F(CopyTftp, HostQuestionIsAskedAgainUntilAnAddressComes) {
    type("copy tftp running-config");
    EXPECT_EQ(outputOf(""), "\r\n?Host name or address not specified");
    EXPECT_EQ(inputLine(), "Address or name of remote host []?");
    EXPECT_EQ(outputOf("server"), "\r\n  \r\n?Invalid host address or name");
    EXPECT_EQ(outputOf("192.160.5"), "\r\n  \r\n?Invalid host address or name");
    EXPECT_EQ(router().copyDialogue, "tftp_run");
    EXPECT_EQ(outputOf(" 192.160.5.5 "), "");
    EXPECT_EQ(inputLine(), "Source filename []?");
    EXPECT_EQ(outputOf("startup-config"), "");
    EXPECT_EQ(inputLine(), "Destination filename [running-config]?");
    EXPECT_EQ(sim.console.inputState, InputState::CopyQuestion);
}

TEST_F(CopyTftp, ReachableServerCopiesWithoutChangingAnything) {
    const routerConfig before = router().config();
    io.pauses.clear();
    EXPECT_EQ(transfer("192.160.5.5", "startup-config", ""),
              "\r\nAccessing tftp://192.160.5.5/startup-config..."
              "\r\n!!\r\n532 bytes copied in 5.421 secs (106 bytes/sec) ");
    EXPECT_TRUE(io.pauses.empty()); // the reachability query is silent
    EXPECT_EQ(router().config(), before);
    expectBackAtPrompt();
    EXPECT_EQ(transfer("192.160.5.5", "startup-config", "running-config"),
              "\r\nAccessing tftp://192.160.5.5/startup-config..."
              "\r\n!!\r\n532 bytes copied in 5.421 secs (106 bytes/sec) ");
}

TEST_F(CopyTftp, EveryOtherRequestFails) {
    EXPECT_EQ(transfer("192.160.5.5", "running-config", ""),
              "\r\nAccessing tftp://192.160.5.5/running-config..."
              "\r\n%Error opening tftp://192.160.5.5/running-config");
    expectBackAtPrompt();
    EXPECT_EQ(transfer("192.160.5.5", "", ""),
              "\r\nAccessing tftp://192.160.5.5/...\r\n%Error opening tftp://192.160.5.5/");
    EXPECT_EQ(transfer("192.160.5.6", "startup-config", ""),
              "\r\nAccessing tftp://192.160.5.6/startup-config..."
              "\r\n%Error opening tftp://192.160.5.6/startup-config");
    EXPECT_EQ(transfer("192.160.5.5", "startup-config", "flash"),
              "\r\nAccessing tftp://192.160.5.5/startup-config..."
              "\r\n%Error opening tftp://192.160.5.5/startup-config");
    // The server is out of reach once the LAN interface is shut down.
    router().ethernet0.shutdown = true;
    EXPECT_EQ(transfer("192.160.5.5", "startup-config", ""),
              "\r\nAccessing tftp://192.160.5.5/startup-config..."
              "\r\n%Error opening tftp://192.160.5.5/startup-config");
    expectBackAtPrompt();
}

} // namespace
} // namespace kestro::testing
