// Texts that must read as a real router's, one row each: what a lesson
// quotes here is what the student meets on the exam's router.
#include "ConsoleFixture.h"

#include "learning/Activities.h"

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
