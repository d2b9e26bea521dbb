// "?" help and the help command against small content databases built for
// each test. Answers are read with bold runs marked <b>...</b>.
#include "RecognitionFixture.h"
#include "Simulator.h"
#include "console/Console.h"
#include "console/RecordingConsole.h"
#include "registry/Dispatcher.h"
#include "registry/Recognition.h"
#include "session/Session.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace kestro::testing {
namespace {

// The tables and screens every test here shares.
void writeCommonContent(ScratchContent& c) {
    c.table("userModeCmds", "enable\t1\nping\t1\nshow\t1\nconnect\t0\n");
    c.table("userModeCmdsExtended", "show version\t1\n");
    c.table("privModeCmds", "configure\t1\nclock\t0\ncopy\t1\nshow\t1\nsetup\t0\n");
    c.table("privModeCmdsExtended",
            "show access-lists\t1\nshow clock\t0\n"
            "show interfaces serial\t1\nshow ipx route\t0\n"
            "show ip route\t1\nshow ip interface brief\t1\n"
            "terminal history size\t1\ncopy running-config startup-config\t1\n");
    c.table("confModeCmdsExtended", "line aux\t1\nline console\t0\nline vty\t1\n");
    c.table("lineModeCmds", "password\t1\n");
    c.table("ifModeCmds", "clock\t1\t01\nshutdown\t1\t012\n");
    c.screen("privmode_cmds", "Exec commands:\n  configure  Enter configuration mode\n"
                              "  clock      Manage the system clock\n  ");
    c.screen("usermode_cmds", "Exec commands:\n  connect  Open a terminal connection\n"
                              "  enable   Turn on privileged commands\n  ");
    c.screen("show_priv", "  access-lists  List access lists\n  clock         Display the "
                          "system clock\n  ");
    c.screen("show_interfaces_?", "  Ethernet  IEEE 802.3\n  Serial    Serial\n  ");
    c.screen("access_list_?", "$  <1-99>  IP standard access list\n  <100-199>  IP extended");
    c.screen("access_list_<1-99>_?", "$  deny    Specify packets to reject\n"
                                     "$  permit  Specify packets to forward\n  ");
    c.screen("access_list_<1-99>_variable_?", "$  A.B.C.D  Address to match\n  any      Any "
                                              "source host\n$  host     A single host address");
    c.screen("copy_run_?", "  startup-config  Copy to startup configuration\n  ");
    c.screen("no_?_configRouterRipMode", "  network  Disable routing on an IP network\n  ");
    c.screen("help", "Help may be requested at any point by entering\n"
                     "a question mark '?'.\n  show  is named here but never bold");
}

class ContextHelp : public RecognitionTest {
protected:
    using RecognitionTest::start;
    void start(Mode mode) {
        writeCommonContent(content);
        start(mode, content.build());
    }

    // Types `typed` after the prompt, its "?" included, and gives what was
    // printed after the echo. Every answer leaves emphasis off and the
    // prompt alone in the input line.
    std::string ask(const std::string& typed) {
        const std::string echo = "\r\n" + sim->liveRouter.prompt + typed;
        sim->output.replace({});
        for (char c : typed)
            pressKey(*sim, Key::character(static_cast<unsigned char>(c)));
        EXPECT_FALSE(sim->console.helpEmphasis) << typed;
        EXPECT_EQ(sim->input.text, sim->liveRouter.prompt) << typed;
        std::string out = sim->output.markedText();
        EXPECT_TRUE(out.starts_with(echo)) << out;
        return out.starts_with(echo) ? out.substr(echo.size()) : out;
    }
};

const std::string unrecognized = "\r\n% Unrecognized command";

TEST_F(ContextHelp, QuestionMarkAloneListsTheModesCommandsWithTheImplementedOnesBold) {
    start(Mode::priv);
    EXPECT_EQ(ask("?"), "\r\nExec commands:\r\n<b>  configure  Enter configuration mode</b>"
                        "\r\n  clock      Manage the system clock\r\n  ");
    switchMode(Mode::user);
    EXPECT_EQ(ask("?"), "\r\nExec commands:\r\n  connect  Open a terminal connection"
                        "\r\n<b>  enable   Turn on privileged commands</b>\r\n  ");
    // A mode whose screen is missing prints nothing, and that is an answer.
    switchMode(Mode::conf);
    EXPECT_EQ(ask("?"), "");
    // Before the session has started there is no list.
    switchMode(Mode::none);
    sim->output.replace({});
    showContextHelp(*sim, "?");
    EXPECT_EQ(sim->output.text, "\r\n?");
}

TEST_F(ContextHelp, ShowScreensTestEachLineWithTheRequestsOwnWords) {
    start(Mode::priv);
    EXPECT_EQ(ask("show ?"), "\r\n<b>  access-lists  List access lists</b>\r\n  clock         "
                             "Display the system clock\r\n  ");
    EXPECT_EQ(ask("SHOW   ?"), "\r\n<b>  access-lists  List access lists</b>\r\n  clock         "
                               "Display the system clock\r\n  ");
    // The abbreviation is answered with the same screen.
    ask("sh ?");
    EXPECT_EQ(sim->output.text, "\r\n" + sim->liveRouter.prompt +
                                    "sh ?\r\n  access-lists  List access lists\r\n  clock      "
                                    "   Display the system clock\r\n  ");
    switchMode(Mode::conf);
    EXPECT_EQ(ask("show ?"), unrecognized);
}

TEST_F(ContextHelp, InterfaceFormsOfShowAreRecognisedAsTyped) {
    start(Mode::priv);
    EXPECT_EQ(ask("show interfaces ?"),
              "\r\n  Ethernet  IEEE 802.3\r\n<b>  Serial    Serial</b>\r\n  ");
    // The same screen; its lines are tested with the abbreviated words.
    const std::string interfaces = "\r\n  Ethernet  IEEE 802.3\r\n  Serial    Serial\r\n  ";
    EXPECT_EQ(ask("sh interfaces ?"), interfaces);
    EXPECT_EQ(ask("sh int ?"), interfaces);
    EXPECT_EQ(ask("show int ?"), unrecognized);
    EXPECT_EQ(ask("show interface ?"), unrecognized);
    const std::string serial = "\r\n<b>  <0-1>  Serial interface number</b>\r\n  ";
    EXPECT_EQ(ask("show int serial ?"), serial);
    EXPECT_EQ(ask("sh interfaces serial ?"), serial);
    EXPECT_EQ(ask("sh int ethernet ?"), "\r\n<b>  <0-0>  Ethernet interface number</b>\r\n  ");
    // Elsewhere int is read as interface.
    const std::string ipInterface =
        "\r\n<b>  Ethernet  IEEE 802.3</b>\r\n  Null      Null interface\r\n<b>  Serial    "
        "Serial</b>\r\n<b>  brief     Brief summary of IP status and configuration</b>\r\n  "
        "<cr>\r\n  ";
    EXPECT_EQ(ask("show ip interface ?"), ipInterface);
    EXPECT_EQ(ask("sh ip int ?"), ipInterface);
    EXPECT_EQ(ask("show ip int serial ?"), "\r\n<b>  <0-1>  Serial interface number</b>\r\n  ");
    switchMode(Mode::user);
    EXPECT_EQ(ask("show interfaces ?"), unrecognized);
}

TEST_F(ContextHelp, SomeRequestsEndSilently) {
    start(Mode::priv);
    EXPECT_EQ(ask("configure terminal ?"), "");
    EXPECT_EQ(ask("configure memory now ?"), "");
    switchMode(Mode::conf);
    EXPECT_EQ(ask("hostname x ?"), "");
    EXPECT_EQ(ask("line con ?"), "");
    EXPECT_EQ(ask("line vty 0 4 ?"), "");
    // The same words where they do not belong.
    EXPECT_EQ(ask("configure ?"), unrecognized);
    switchMode(Mode::priv);
    EXPECT_EQ(ask("hostname ?"), unrecognized);
    EXPECT_EQ(ask("line ?"), unrecognized);
}

TEST_F(ContextHelp, AccessListHelpFollowsTheWordsOfAStandardList) {
    start(Mode::conf);
    EXPECT_EQ(ask("access-list ?"),
              "\r\n<b>  <1-99>  IP standard access list</b>\r\n  <100-199>  IP extended");
    EXPECT_EQ(ask("access-list 100 ?"), unrecognized);
    EXPECT_EQ(ask("access-list 10 ?"), "\r\n<b>  deny    Specify packets to reject</b>\r\n<b>  "
                                       "permit  Specify packets to forward</b>\r\n  ");
    EXPECT_EQ(ask("access-list 10 permit ?"), "\r\n<b>  A.B.C.D  Address to match</b>\r\n  any   "
                                              "   Any source host\r\n<b>  host     A single host "
                                              "address</b>");
    EXPECT_EQ(ask("access-list 10 deny host ?"),
              "\r\n<b>  Hostname or A.B.C.D  Host address</b>\r\n  ");
    EXPECT_EQ(ask("access-list 10 permit any ?"),
              "\r\n  log  Log matches against this entry\r\n  <cr>\r\n  ");
    EXPECT_EQ(ask("access-list 10 permit 10.1.1.0 ?"),
              "\r\n<b>  A.B.C.D  Wildcard bits</b>\r\n  log      Log matches against this "
              "entry\r\n  <cr>\r\n  ");
    EXPECT_EQ(ask("access-list 10 allow ?"), unrecognized);
    EXPECT_EQ(ask("access-list 10 permit 10.1.1 ?"), unrecognized);
    EXPECT_EQ(ask("access-list 10 permit 10.1.1.0 0.0.0.255 ?"), unrecognized);
    switchMode(Mode::priv);
    EXPECT_EQ(ask("access-list ?"), unrecognized);
}

TEST_F(ContextHelp, InterfaceAddressAndAccessGroupHelp) {
    start(Mode::configIf);
    sim->liveRouter.currentInterface = Interface::ethernet0;
    EXPECT_EQ(ask("ip address ?"), "\r\n  A.B.C.D  IP address\r\n  ");
    EXPECT_EQ(ask("ip address 10.1.1.1 ?"), "\r\n  A.B.C.D  IP subnet mask\r\n  ");
    EXPECT_EQ(ask("ip address abc ?"), unrecognized);
    EXPECT_EQ(ask("ip access-group ?"),
              "\r\n<b>  <1-199>      IP access list (standard or extended)</b>\r\n  "
              "<1300-2699>  IP expanded access list (standard or extended) \r\n  WORD         "
              "Access-list name\r\n  ");
    EXPECT_EQ(ask("ip access-group 5 ?"),
              "\r\n<b>  in   inbound packets</b>\r\n<b>  out  outbound packets</b>\r\n  ");
    EXPECT_EQ(ask("ip access-group 100 ?"), unrecognized);
    io.pauses.clear();
    EXPECT_EQ(ask("no ip access-group ?"),
              "\r\n<b>  <1-199>      IP access list (standard or extended)</b>\r\n  "
              "<1300-2699>  IP expanded access list (standard or extended)\r\n  WORD         "
              "Access-list name\r\n<b>  in           inbound packets</b>\r\n<b>  out          "
              "outbound packets</b>");
    // Printed as one paged block: a pause between each two of its five lines.
    EXPECT_EQ(io.pauses.size(), 4u);
    EXPECT_EQ(ask("no ip access-group 7 ?"),
              "\r\n<b>  in   inbound packets</b>\r\n<b>  out  outbound packets</b>\r\n  ");
    EXPECT_EQ(ask("no ip access-group 700 ?"), unrecognized);
}

TEST_F(ContextHelp, ExecTimeoutTakesMinutesThenSeconds) {
    start(Mode::configLine);
    EXPECT_EQ(ask("exec-timeout ?"), "\r\n <0-35791>  Timeout in minutes\r\n<cr>\r\n ");
    const std::string seconds = "\r\n  <0-2147483>  Timeout in seconds <cr>\r\n  ";
    EXPECT_EQ(ask("exec-timeout 35791 ?"), seconds);
    EXPECT_EQ(ask("exec-timeout 35792 ?"), unrecognized);
    EXPECT_EQ(ask("exec-timeout 00000001 ?"), unrecognized);
    EXPECT_EQ(ask("exec-timeout abc ?"), unrecognized);
    EXPECT_EQ(ask("exec-timeout 5 2147483 ?"), seconds);
    EXPECT_EQ(ask("exec-timeout 5 2147484 ?"), unrecognized);
    EXPECT_EQ(ask("exec-timeout 35792 0 ?"), unrecognized);
}

TEST_F(ContextHelp, TerminalHelpAndItsThreeMessages) {
    start(Mode::priv);
    // The fixed lines name commands too: terminal history size is
    // implemented, so its line is bold.
    EXPECT_EQ(ask("terminal history ?"), "\r\n<b> size  Set history buffer size</b>\r\n <cr>");
    EXPECT_EQ(ask("terminal history size ?"), "\r\n<0-256>  Size of history buffer");
    EXPECT_EQ(ask("terminal foo ?"),
              "\r\n" + std::string(16, ' ') + "^\r\n% Invalid input detected at '^' marker.");
    EXPECT_EQ(ask("terminal history size 5 ?"), unrecognized);
    switchMode(Mode::user);
    EXPECT_EQ(ask("terminal foo ?"),
              "\r\n% Unknown command or computer name, or unable to find computer address");
    EXPECT_EQ(ask("terminal history ?"), "\r\n size  Set history buffer size\r\n <cr>");
    switchMode(Mode::conf);
    EXPECT_EQ(ask("terminal ?"), unrecognized);
    EXPECT_EQ(ask("terminal history ?"),
              "\r\n" + std::string(15, ' ') + "^\r\n% Invalid input detected at '^' marker.");
}

TEST_F(ContextHelp, FixedLinesWithoutAMarkAreBoldWhenTheirCommandIsImplemented) {
    start(Mode::conf);
    EXPECT_EQ(ask("line ?"), "\r\n<0-6>    First Line number\r\n<b>aux      Auxiliary line</b>"
                             "\r\nconsole  Primary terminal line\r\n<b>vty      Virtual "
                             "terminal</b>");
    EXPECT_EQ(ask("line console ?"), "\r\n<0-0>    First Line number\r\n ");
    EXPECT_EQ(ask("line vty ?"), "\r\n<0-4>    First Line number\r\n ");
    EXPECT_EQ(ask("cdp ?"), "\r\n<b>  holdtime  Specify the holdtime (in sec) to be sent in "
                            "packets</b>\r\n<b>  timer     Specify the rate at which CDP packets "
                            "are sent (in sec)</b>\r\n<b>  run</b>\r\n  ");
    EXPECT_EQ(ask("cdp timer ?"), "\r\n<b>  <5-254>  Rate at which CDP packets are sent (in "
                                  "sec)</b>\r\n  ");
}

TEST_F(ContextHelp, BlankLinesAreMadeOfBlanks) {
    start(Mode::configIf);
    EXPECT_EQ(ask("bandwidth ?"), "\r\n<b>  <1-10000000>  Bandwidth in kilobits</b>\r\n  ");
    switchMode(Mode::user);
    EXPECT_EQ(ask("enable ?"), "\r\n<0-15>  Enable level\r\n<cr>\r\n ");
    EXPECT_EQ(ask("ping ?"), "\r\n<b>  WORD  Ping destination address or hostname</b>\r\n  ip   "
                             " IP echo\r\n  tag   Tag encapsulated IP echo\r\n  ");
    switchMode(Mode::configRouterIgrp);
    EXPECT_EQ(ask("network ?"), "\r\n   A.B.C.D  Network number\r\n   ");
    switchMode(Mode::conf);
    EXPECT_EQ(ask("hostname ?"), "\r\n WORD  This system's network name\r\n ");
    EXPECT_EQ(ask("banner motd ?"),
              "\r\nLINE  c banner-text c, where 'c' is a delimiting character\r\n ");
    EXPECT_EQ(ask("banner x y ?"), "\r\nLINE    <cr>\r\n ");
}

TEST_F(ContextHelp, NoIsAnsweredByModeFirstMatchWinning) {
    start(Mode::priv);
    EXPECT_EQ(ask("no ?"), "\r\n debug  Disable debugging functions (see also 'undebug')\r\n ");
    EXPECT_EQ(ask("no ip ?"), unrecognized);
    switchMode(Mode::conf);
    EXPECT_EQ(ask("no access-list ?"),
              "\r\n<b>  <1-99>       IP standard access list</b>\r\n  <100-199>    IP extended "
              "access list\r\n  <1100-1199>  Extended 48-bit MAC address access list\r\n  "
              "<1300-1999>  IP standard access list (expanded range)\r\n  <200-299>    Protocol "
              "type-code access list\r\n  <2000-2699>  IP extended access list (expanded "
              "range)\r\n  <700-799>    48-bit MAC address access list\r\n  ");
    EXPECT_EQ(ask("no cdp run ?"), "\r\n  <cr>\r\n  ");
    EXPECT_EQ(ask("no ip host ?"), "\r\nWORD  Name of host\r\n ");
    EXPECT_EQ(ask("no router igrp ?"), "\r\n  <1-65535>  Autonomous system number\r\n  ");
    // A screen that is missing prints nothing.
    EXPECT_EQ(ask("no ?"), "");
    switchMode(Mode::configRouterRip);
    EXPECT_EQ(ask("no ?"), "\r\n  network  Disable routing on an IP network\r\n  ");
    switchMode(Mode::configIf);
    sim->liveRouter.currentInterface = Interface::serial0;
    EXPECT_EQ(ask("no clock rate ?"), "\r\n  <cr>\r\n  ");
    EXPECT_EQ(ask("no access-list ?"), unrecognized);
}

TEST_F(ContextHelp, CopyReadsShortFileNamesAsLongOnes) {
    start(Mode::priv);
    const std::string toStartup =
        "\r\n<b>  startup-config  Copy to startup configuration</b>\r\n  ";
    EXPECT_EQ(ask("copy running-config ?"), toStartup);
    EXPECT_EQ(ask("copy tftp ?"), "\r\n  startup-config  Copy to startup configuration\r\n  ");
    // Tested with the words as typed, which the table does not hold.
    EXPECT_EQ(ask("copy run ?"), "\r\n  startup-config  Copy to startup configuration\r\n  ");
    EXPECT_EQ(ask("copy start ?"), "\r\n  startup-config  Copy to startup configuration\r\n  ");
    EXPECT_EQ(ask("copy ?"), "");
    EXPECT_EQ(ask("copy running-config startup-config ?"), unrecognized);
    switchMode(Mode::user);
    EXPECT_EQ(ask("copy run ?"), unrecognized);
}

TEST_F(ContextHelp, AnythingElseIsUnrecognized) {
    start(Mode::conf);
    EXPECT_EQ(ask("foo ?"), unrecognized);
    EXPECT_EQ(ask("bandwidth ?"), unrecognized);
    EXPECT_EQ(ask("ip ?"), "");
    EXPECT_EQ(ask("ip foo ?"), unrecognized);
    EXPECT_EQ(ask("it's ?"), unrecognized);
    EXPECT_TRUE(io.messages.empty());
}

TEST_F(ContextHelp, AWordDirectlyBeforeTheMarkListsTheCommandsItBegins) {
    start(Mode::priv);
    EXPECT_EQ(ask("sh?"), "\r\nshow ");
    EXPECT_EQ(ask("s?"), "\r\nshow setup ");
    EXPECT_EQ(ask("C?"), "\r\nconfigure clock copy ");
    // Several words: the distinct words at the typed one's place, a word
    // inside an earlier one ("ip" in "ipx") left out.
    EXPECT_EQ(ask("show i?"), "\r\ninterfaces ipx ");
    EXPECT_EQ(ask("show ip?"), "\r\nipx ");
    EXPECT_EQ(ask("show ip r?"), "\r\nroute ");
    EXPECT_EQ(ask("x?"), unrecognized);
    EXPECT_EQ(ask("sh'?"), unrecognized);
    EXPECT_EQ(ask("s%?"), unrecognized);
    switchMode(Mode::configIf);
    sim->liveRouter.currentInterface = Interface::ethernet0;
    // Listed whatever the interface.
    EXPECT_EQ(ask("cl?"), "\r\nclock ");
    EXPECT_EQ(ask("clock r?"), unrecognized);
    switchMode(Mode::configLine);
    EXPECT_EQ(ask("pa?"), "\r\npassword ");
    EXPECT_EQ(ask("password x?"), unrecognized);
    switchMode(Mode::none);
    sim->output.replace({});
    showContextHelp(*sim, "sh?");
    EXPECT_EQ(sim->output.text, "\r\nsh?" + unrecognized);
    EXPECT_TRUE(io.messages.empty());
    EXPECT_EQ(content.errorLog(), "");
}

TEST_F(ContextHelp, FailingListingsAreLoggedUnderTheirName) {
    writeCommonContent(content);
    content.build();
    content.drop("privModeCmds");
    start(Mode::priv, content.open());
    EXPECT_EQ(ask("sh?"), unrecognized);
    EXPECT_NE(content.errorLog().find("In function listCommandsStartingWithString"),
              std::string::npos);
}

TEST_F(ContextHelp, WithoutAStoreScreensAndListingsFindNothing) {
    start(Mode::priv, nullptr);
    EXPECT_EQ(ask("?"), "");
    EXPECT_EQ(ask("sh?"), unrecognized);
    EXPECT_EQ(ask("bandwidth ?"), unrecognized);
    switchMode(Mode::configIf);
    EXPECT_EQ(ask("bandwidth ?"), "\r\n<b>  <1-10000000>  Bandwidth in kilobits</b>\r\n  ");
}

TEST_F(ContextHelp, TheHelpCommandShowsItsScreenWithoutEmphasis) {
    start(Mode::priv);
    sim->output.replace({});
    procesHelp(*sim);
    EXPECT_EQ(sim->output.markedText(), "\r\nHelp may be requested at any point by entering"
                                        "\r\na question mark '?'.\r\n  show  is named here but "
                                        "never bold");
    EXPECT_FALSE(sim->console.helpEmphasis);
}

} // namespace
} // namespace kestro::testing
