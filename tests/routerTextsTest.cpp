// Texts that must read as a real router's, one row each: what a lesson
// quotes here is what the student meets on the exam's router.
#include "ConsoleFixture.h"

#include "learning/Activities.h"

#include <regex>

namespace kestro::testing {
namespace {

class RouterTexts : public ConsoleTest {
protected:
    RouterTexts() : ConsoleTest(true) {}
};

TEST_F(RouterTexts, EachMendedTextAsARealRouterPrintsIt) {
    struct Row {
        const char* what;
        const char* activity;
        std::vector<const char*> before; // typed after Enter starts the session
        const char* command;
        const char* expected; // a part of the command's output or prompt
    };
    // Tests start on a fresh router each time; a lab would go on with the
    // last lab's.
    const Row rows[] = {
        {"connected route names its interface as one word",
         "test1",
         {"enable", "configure terminal", "interface ethernet 0",
          "ip address 192.160.5.1 255.255.255.0", "no shutdown", "end"},
         "show ip route",
         "is directly connected, Ethernet0"},
        {"a learnt route leaves by Serial0",
         "troubleshooting5",
         {"enable", "configure terminal", "interface serial 0", "no shutdown", "end"},
         "show ip route",
         ", Serial0"},
        {"IGRP's administrative distance is 100",
         "test1",
         {"enable", "configure terminal", "router igrp 10", "network 192.160.5.0", "end"},
         "show ip protocols",
         "  Distance: (default is 100)"},
        {"the uptime line names the router",
         "test1",
         {"enable", "configure terminal", "hostname Paris", "end"},
         "show version",
         "\r\nparis uptime is "},
        {"three wrong enable secrets",
         "test1",
         {"enable", "configure terminal", "enable secret top", "end", "disable", "enable", "a",
          "b"},
         "c",
         "\r\n% Bad secrets\r\n "},
        {"three wrong enable passwords",
         "test1",
         {"enable", "configure terminal", "enable password low", "end", "disable", "enable", "a",
          "b"},
         "c",
         "\r\n% Bad passwords\r\n "},
        {"a successful ping prints an exclamation mark per echo",
         "test1",
         {"enable", "configure terminal", "interface ethernet 0",
          "ip address 192.160.5.1 255.255.255.0", "no shutdown", "end"},
         "ping 192.160.5.1",
         ":\r\n!!!!!\r\nSuccess rate is 100 percent (5/5), round-trip min/avg/max = 2"},
        {"a clocking end without clock rate is up with its protocol down",
         "test1",
         {"enable", "configure terminal", "interface serial 0", "no shutdown", "end"},
         "show interfaces serial 0",
         "\r\nSerial0 is up, line protocol is down\r\n"},
        {"a serial without a cable is down",
         "test1",
         {"enable", "configure terminal", "interface serial 1", "no shutdown", "end"},
         "show ip interface serial 1",
         "\r\nSerial1 is down, line protocol is down\r\n"},
        {"a shut interface is administratively down",
         "test1",
         {"enable"},
         "show protocols",
         "\r\nEthernet0 is administratively down, line protocol is down"},
        {"Ethernet0 has its own hardware, address, bandwidth and delay",
         "test1",
         {"enable"},
         "show interfaces ethernet 0",
         "\r\n  Hardware is Lance, address is 0000.0c4a.7e21 (bia 0000.0c4a.7e21)"
         "\r\n  MTU 1500 bytes, BW 10000 Kbit, DLY 1000 usec,"},
        {"RIP lists the neighbour its route came from",
         "troubleshooting6",
         {"enable"},
         "show ip protocols",
         "\r\n    Gateway         Distance      Last Update\r\n    204.56.7.2           120      "
         "00:00:"},
        {"the listing names the software version",
         "test1",
         {"enable"},
         "show running-config",
         "\r\nversion 11.3\r\n"},
        {"the listing capitalises Serial1",
         "test1",
         {"enable"},
         "show running-config",
         "\r\ninterface Serial1\r\n no ip address\r\n"},
        {"the listing leaves defaults out",
         "test1",
         {"enable"},
         "show running-config",
         "\r\nline con 0\r\nline aux 0\r\nline vty 0 4\r\n"},
        {"the listing marks the secret as a hash",
         "test1",
         {"enable", "configure terminal", "enable secret top", "end"},
         "show running-config",
         "\r\nenable secret 5 $1$"},
        {"access-list lines as typed",
         "test1",
         {"enable", "configure terminal", "access-list 2 deny 192.54.5.0 0.0.0.255",
          "access-list 2 permit host 192.54.5.15", "access-list 2 permit any", "end"},
         "show running-config",
         "\r\naccess-list 2 deny   192.54.5.0 0.0.0.255\r\naccess-list 2 permit "
         "192.54.5.15\r\naccess-list 2 permit any\r\n"},
        {"IGRP networks with their keyword",
         "test1",
         {"enable", "configure terminal", "router igrp 10", "network 192.160.5.0", "end"},
         "show running-config",
         "\r\nrouter igrp 10\r\n network 192.160.5.0\r\n"},
        {"a banner between ^C delimiters",
         "test1",
         {"enable", "configure terminal", "banner motd #", "Authorised staff only", "#", "end"},
         "show running-config",
         "\r\nbanner motd ^CAuthorised staff only\r\n^C\r\n"},
        {"the CDP neighbour row puts one blank in Ser 0",
         "troubleshooting5",
         {"enable", "configure terminal", "interface serial 0", "no shutdown", "end"},
         "show cdp neighbors",
         "\r\nRouterB          Ser 0              150          R        KR1600    Ser 1"},
        {"the brief summary in the real columns",
         "test1",
         {"enable"},
         "sh ip int br",
         "\r\nSerial1                unassigned      YES unset  administratively down down"},
        {"the neighbour in detail",
         "troubleshooting5",
         {"enable", "configure terminal", "interface serial 0", "no shutdown", "end"},
         "sh cdp nei det",
         "\r\nInterface: Serial0,  Port ID (outgoing port): Serial1\r\nHoldtime : 150 sec"},
        {"the CDP timer goes to 254",
         "test1",
         {"enable", "configure terminal"},
         "cdp timer 255",
         "% Invalid input detected"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_TRUE(startActivity(sim, row.activity));
        startSession();
        for (const char* line : row.before)
            type(line);
        EXPECT_NE(outputOf(row.command).find(row.expected), std::string::npos)
            << sim.output.text.substr(sim.output.text.size() > 600 ? sim.output.text.size() - 600
                                                                   : 0);
    }
    // The clock shows its milliseconds and ends with the year.
    ASSERT_TRUE(startActivity(sim, "test1"));
    startSession();
    EXPECT_TRUE(std::regex_match(outputOf("show clock"),
                                 std::regex("\r\n\\*\\d\\d:\\d\\d:\\d\\d\\.\\d{3} UTC "
                                            "[A-Z][a-z]{2} [A-Z][a-z]{2} \\d{1,2} \\d{4}")))
        << sim.output.text;

    // The first question of the enable password reads as the others do.
    ASSERT_TRUE(startActivity(sim, "test1"));
    startSession();
    type("enable");
    type("configure terminal");
    type("enable password low");
    type("end");
    type("disable");
    type("enable");
    EXPECT_EQ(sim.input.text, "Password: ");
}

TEST_F(RouterTexts, TheInvalidInputMarkSitsUnderTheFirstWordNotTaken) {
    struct Row {
        std::vector<const char*> before; // typed after Enter starts the session
        const char* line;                // typed at the prompt, then Enter
        std::size_t blanks;              // before the "^", counted from the prompt
    };
    const std::vector<const char*> conf = {"enable", "configure terminal"};
    const Row rows[] = {
        {{"enable"}, "shw clock", 7},
        {{"enable"}, "show clokc", 12},
        {{"enable"}, "  shw", 9},
        {{"enable"}, "sh int serial 7", 21},
        {{"enable"}, "hostname Branch1", 7},
        {{}, "show running-config", 12},
        {conf, "cdp timer 255", 25},
        {conf, "password dialin", 15},
        {{"enable", "configure terminal", "interface serial 0"}, "ip adress 10.0.0.1", 21},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        ASSERT_TRUE(startActivity(sim, "test1"));
        startSession();
        for (const char* line : row.before)
            type(line);
        const std::size_t from = sim.output.text.size();
        type(row.line);
        EXPECT_NE(sim.output.text.find("\r\n" + std::string(row.blanks, ' ') +
                                           "^\r\n% Invalid input detected at '^' marker.",
                                       from),
                  std::string::npos)
            << sim.output.text.substr(from);
    }
    // A line ended by Ctrl-Z is marked from the prompt it was typed at.
    ASSERT_TRUE(startActivity(sim, "test1"));
    startSession();
    type("enable");
    type("configure terminal");
    type("xyz", false);
    const std::size_t from = sim.output.text.size();
    ctrl('Z');
    EXPECT_NE(sim.output.text.find("\r\n" + std::string(15, ' ') + "^\r\n", from),
              std::string::npos);
}

TEST_F(RouterTexts, APasswordIsTypedBlindAndABannerFitsOnOneLine) {
    ASSERT_TRUE(startActivity(sim, "test1"));
    startSession();
    type("enable");
    type("configure terminal");
    type("banner motd #Welcome to the lab#");
    EXPECT_EQ(router().motdBanner, "Welcome to the lab");
    EXPECT_EQ(router().prompt, "Router(config)#");
    type("end");
    router().enablePassword = "low?"; // "?" cannot be typed in a command, only in an answer
    type("disable");
    type("enable");
    const std::size_t from = sim.output.text.size();
    type("low?", false);
    EXPECT_EQ(sim.input.text, "Password: ");
    press(keyTab);
    press(keyArrowUp);
    EXPECT_EQ(sim.input.text, "Password: ");
    press(keyEnter);
    EXPECT_EQ(router().mode, Mode::priv);
    EXPECT_EQ(sim.output.text.substr(from), "\r\nPassword: ");
}

} // namespace
} // namespace kestro::testing
