// Tab completion against small content databases built for each test.
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

class Completion : public RecognitionTest {
protected:
    // What Tab leaves after the prompt.
    std::string tab(const std::string& typed) {
        return completePartialCommand(*sim, sim->liveRouter.prompt + typed);
    }
};

TEST_F(Completion, SharedBeginningOrTheWholeCommandWithASpace) {
    content.table("privModeCmds", "configure\t1\ncopy\t1\nclock\t0\nshow\t1\n");
    start(Mode::priv);
    EXPECT_EQ(tab("co"), "co");
    EXPECT_EQ(tab("con"), "configure ");
    EXPECT_EQ(tab("c"), "c");
    // Commands that are not simulated complete too.
    EXPECT_EQ(tab("cl"), "clock ");
    EXPECT_EQ(tab("configure"), "configure ");
}

TEST_F(Completion, TheTypedPartKeepsItsCaseOnlyWhenOneCommandFollows) {
    content.table("privModeCmds", "configure\t1\ncopy\t1\nshow\t1\n");
    start(Mode::priv);
    EXPECT_EQ(tab("Sh"), "Show ");
    EXPECT_EQ(tab("  sH"), "  sHow ");
    // The shared beginning is written as the table spells it.
    EXPECT_EQ(tab("CO"), "co");
    // Blanks after the last word do not split it: the end joins the word.
    EXPECT_EQ(tab("sh "), "show ");
    EXPECT_EQ(tab("show "), "show ");
}

TEST_F(Completion, ARowThatBeginsAnotherDecidesByItsPlaceInTheTable) {
    content.table("userModeCmds", "ping\t1\nping6\t0\n");
    content.table("privModeCmds", "ping6\t0\nping\t1\n");
    start(Mode::user);
    EXPECT_EQ(tab("pi"), "ping ");
    switchMode(Mode::priv);
    EXPECT_EQ(tab("pi"), "ping");
}

TEST_F(Completion, NothingFoundGivesTheLineBackAsTyped) {
    content.table("privModeCmds", "show\t1\n");
    content.table("privModeCmdsExtended", "show version\t1\n");
    start(Mode::priv);
    EXPECT_EQ(tab("xyz"), "xyz");
    EXPECT_EQ(tab("Show  XY"), "Show  XY");
    EXPECT_EQ(tab(""), "");
    EXPECT_EQ(tab("   "), "   ");
    EXPECT_TRUE(io.messages.empty());
}

TEST_F(Completion, SeveralWordsUseTheExtendedTableOfTheMode) {
    content.table("userModeCmdsExtended", "show version\t1\nshow ip route\t0\n");
    content.table("confModeCmdsExtended", "hostname variable\t1\nip host variable\t1\n"
                                          "ip domain-name\t1\n");
    content.table("configRouterRipModeCmdsExtended", "network variable\t1\n");
    content.table("configRouterIgrpModeCmdsExtended", "no network\t1\n");
    start(Mode::user);
    EXPECT_EQ(tab("show v"), "show version ");
    EXPECT_EQ(tab("show ip r"), "show ip route ");
    switchMode(Mode::conf);
    EXPECT_EQ(tab("ip d"), "ip domain-name ");
    EXPECT_EQ(tab("ip"), "ip");
    EXPECT_EQ(tab("ip h"), "ip host variable ");
    switchMode(Mode::configRouterRip);
    EXPECT_EQ(tab("net"), "net");
    EXPECT_EQ(tab("network 1"), "network 1");
    EXPECT_EQ(tab("network v"), "network variable ");
    switchMode(Mode::configRouterIgrp);
    EXPECT_EQ(tab("no net"), "no network ");
}

TEST_F(Completion, PrivilegedModeSpellsIntOutAsInterfaces) {
    content.table("privModeCmdsExtended", "show interfaces ethernet\t1\nshow interfaces serial\t1\n"
                                          "show ip interfaces brief\t1\nshow running-config\t1\n");
    start(Mode::priv);
    EXPECT_EQ(tab("show int e"), "show int ethernet ");
    EXPECT_EQ(tab("Show  INT s"), "Show  INT serial ");
    EXPECT_EQ(tab("show ip int b"), "show ip int brief ");
    // Without its blank the word is a prefix like any other.
    EXPECT_EQ(tab("show int"), "show interfaces ");
    EXPECT_EQ(tab("show in"), "show interfaces ");
    EXPECT_EQ(tab("show r"), "show running-config ");
}

TEST_F(Completion, LineModeCompletesOnlyOneWord) {
    content.table("lineModeCmds", "exec-timeout\t1\npassword\t1\n");
    start(Mode::configLine);
    EXPECT_EQ(tab("pa"), "password ");
    EXPECT_EQ(tab("exec-timeout 1"), "exec-timeout 1");
    EXPECT_EQ(tab("password c"), "password c");
}

TEST_F(Completion, InterfaceModeFiltersByInterfaceExceptForIpLines) {
    content.table("ifModeCmds", "clock\t1\t01\nshutdown\t1\t012\n");
    content.table("ifModeCmdsExtended", "clock rate\t1\t01\nno ip address\t1\t012\n"
                                        "no ip directed-broadcast\t0\t2\n"
                                        "ip directed-broadcast\t0\t2\n");
    start(Mode::configIf);
    sim->liveRouter.currentInterface = Interface::serial0;
    EXPECT_EQ(tab("cl"), "clock ");
    EXPECT_EQ(tab("clock r"), "clock rate ");
    EXPECT_EQ(tab("no ip"), "no ip address ");
    // Three words beginning "no ip", and every "ip" line, are looked up on
    // every interface.
    EXPECT_EQ(tab("no ip d"), "no ip directed-broadcast ");
    EXPECT_EQ(tab("ip d"), "ip directed-broadcast ");
    sim->liveRouter.currentInterface = Interface::ethernet0;
    EXPECT_EQ(tab("cl"), "cl");
    EXPECT_EQ(tab("clock r"), "clock r");
    EXPECT_EQ(tab("no ip"), "no ip ");
    EXPECT_EQ(tab("sh"), "shutdown ");
}

TEST_F(Completion, AccessListNumbersStandForThePlaceholder) {
    content.table("confModeCmdsExtended",
                  "access-list <1-99> permit\t1\naccess-list <1-99> deny\t1\n"
                  "access-list <1-99> remark\t0\n");
    start(Mode::conf);
    EXPECT_EQ(tab("access-list 10 p"), "access-list 10 permit ");
    EXPECT_EQ(tab("Access-List  10 P"), "Access-List  10 Permit ");
    EXPECT_EQ(tab("access-list 10"), "access-list 10 ");
    EXPECT_EQ(tab("access-list 99 d"), "access-list 99 deny ");
    // Written with leading zeros the number is not found in the line.
    EXPECT_EQ(tab("access-list 007 p"), "access-list 007 p");
    EXPECT_EQ(tab("access-list 100 p"), "access-list 100 p");
    EXPECT_EQ(tab("access-list 0 p"), "access-list 0 p");
    EXPECT_EQ(tab("access-list x"), "access-list x");
    EXPECT_EQ(tab("access-list <1-99> p"), "access-list <1-99> permit ");
}

TEST_F(Completion, AccessGroupNumbersCountOnlyOnceTheNextWordIsStarted) {
    content.table("ifModeCmdsExtended",
                  "ip address\t1\t012\nip access-group <1-99> in\t1\t012\n"
                  "ip access-group <1-99> out\t1\t012\nno ip access-group <1-99> in\t1\t012\n"
                  "no ip access-group <1-99> out\t1\t012\nno ip address\t1\t012\n");
    start(Mode::configIf);
    sim->liveRouter.currentInterface = Interface::ethernet0;
    EXPECT_EQ(tab("ip access-group 5 i"), "ip access-group 5 in ");
    EXPECT_EQ(tab("ip access-group 5 o"), "ip access-group 5 out ");
    EXPECT_EQ(tab("ip access-group 5"), "ip access-group 5");
    // Without a number the placeholder goes and its blanks fold into one.
    EXPECT_EQ(tab("ip acc"), "ip access-group ");
    EXPECT_EQ(tab("ip a"), "ip a");
    EXPECT_EQ(tab("ip add"), "ip address ");
    EXPECT_EQ(tab("no ip access-group 12 o"), "no ip access-group 12 out ");
    EXPECT_EQ(tab("no ip access-group 12"), "no ip access-group 12 ");
    EXPECT_EQ(tab("no ip acc"), "no ip access-group ");
    EXPECT_EQ(tab("ip access-group 100 i"), "ip access-group 100 i");
}

TEST_F(Completion, TypedTextIsMatchedLiterallyNeverAsQuerySyntax) {
    content.table("privModeCmds", "show\t1\n");
    content.table("confModeCmdsExtended", "access-list <1-99> permit\t1\n");
    content.table("ifModeCmdsExtended", "ip address\t1\t012\n");
    start(Mode::priv);
    EXPECT_EQ(tab("sh'"), "sh'");
    EXPECT_EQ(tab("'"), "'");
    EXPECT_EQ(tab("%"), "%");
    EXPECT_EQ(tab("_how"), "_how");
    switchMode(Mode::conf);
    EXPECT_EQ(tab("access-list 10 p'"), "access-list 10 p'");
    EXPECT_EQ(tab("access-list 10 %"), "access-list 10 %");
    switchMode(Mode::configIf);
    sim->liveRouter.currentInterface = Interface::serial0;
    EXPECT_EQ(tab("ip a'"), "ip a'");
    EXPECT_EQ(tab("ip _"), "ip _");
    EXPECT_TRUE(io.messages.empty());
    EXPECT_EQ(content.errorLog(), "");
}

TEST_F(Completion, AModeWithoutTablesOrAMissingStoreGivesTheLineBack) {
    content.table("privModeCmds", "show\t1\n");
    start(Mode::none);
    EXPECT_EQ(completePartialCommand(*sim, "sh"), "sh");
    start(Mode::priv, nullptr);
    EXPECT_EQ(tab("sh"), "sh");
    EXPECT_EQ(tab("show ip"), "show ip");
}

TEST_F(Completion, FailingQueriesAreLoggedUnderTheOperationsNames) {
    content.build();
    content.drop("privModeCmds");
    content.drop("confModeCmdsExtended");
    content.drop("ifModeCmdsExtended");
    start(Mode::priv, content.open());
    EXPECT_EQ(tab("sh"), "sh");
    switchMode(Mode::conf);
    EXPECT_EQ(tab("access-list 1 p"), "access-list 1 p");
    switchMode(Mode::configIf);
    EXPECT_EQ(tab("ip a"), "ip a");
    const std::string log = content.errorLog();
    EXPECT_NE(log.find("In function completePartialCommand"), std::string::npos) << log;
    EXPECT_NE(log.find("In function completeAccessListCmd"), std::string::npos) << log;
    EXPECT_NE(log.find("In function completeAccessGroupCmd"), std::string::npos) << log;
    EXPECT_EQ(io.messages.size(), 3u);
}

} // namespace
} // namespace kestro::testing
