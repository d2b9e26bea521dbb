// The implemented check against small content databases built for each test.
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

class CommandTables : public RecognitionTest {
protected:
    void SetUp() override {
        content.table("userModeCmds", "enable\t1\nshow\t1\nsetup\t0\n");
        content.table("userModeCmdsExtended", "show version\t1\nshow ip route\t0\n"
                                              "show ip interface\t1\n");
        content.table("privModeCmds", "show\t1\nsetup\t0\nclock\t0\n");
        content.table("privModeCmdsExtended", "show access-lists\t1\nshow o'clock\t0\n");
        content.table("lineModeCmds", "password\t1\nexec-timeout\t1\n");
        content.table("ifModeCmds", "clock\t1\t01\nshutdown\t1\t012\ntx-ring-limit\t0\t012\n");
        content.table("ifModeCmdsExtended", "clock rate\t1\t01\nip address\t1\t012\n");
        content.table("configRouterRipModeCmds", "network\t1\n");
        content.table("configRouterIgrpModeCmdsExtended", "network variable\t1\n");
    }

    bool implemented(const std::string& typed) {
        return checkIfCommandImplemented(*sim, sim->liveRouter.prompt + typed);
    }
};

TEST_F(CommandTables, OneWordIsAPrefixOfAnImplementedPlainRow) {
    start(Mode::priv);
    EXPECT_TRUE(implemented("sh"));
    EXPECT_TRUE(implemented("show"));
    // Known but not simulated.
    EXPECT_FALSE(implemented("setup"));
    EXPECT_FALSE(implemented("clock"));
    EXPECT_FALSE(implemented("shows"));
    // The plain table holds no second words.
    EXPECT_FALSE(implemented("show version"));
    EXPECT_TRUE(implemented("show access"));
    EXPECT_TRUE(io.messages.empty());
}

TEST_F(CommandTables, TwoOrMoreWordsAreLookedUpInTheExtendedTable) {
    start(Mode::user);
    EXPECT_TRUE(implemented("show ip"));
    EXPECT_TRUE(implemented("show ip interface"));
    EXPECT_FALSE(implemented("show ip route"));
    EXPECT_FALSE(implemented("show ip interface brief"));
    EXPECT_TRUE(implemented("show v"));
}

TEST_F(CommandTables, NormalisationComesFirstAndThePromptAloneIsNothing) {
    start(Mode::user);
    EXPECT_TRUE(implemented("  SHOW    IP  "));
    EXPECT_TRUE(implemented("En"));
    EXPECT_FALSE(implemented(""));
    EXPECT_FALSE(implemented("   "));
}

TEST_F(CommandTables, LineModeHasNoExtendedTable) {
    start(Mode::configLine);
    EXPECT_TRUE(implemented("pass"));
    EXPECT_FALSE(implemented("password x"));
    EXPECT_FALSE(implemented("exec-timeout 5"));
    EXPECT_TRUE(io.messages.empty());
}

TEST_F(CommandTables, InterfaceRowsApplyOnlyToTheInterfacesTheyName) {
    start(Mode::configIf);
    sim->liveRouter.currentInterface = Interface::ethernet0;
    EXPECT_FALSE(implemented("clock"));
    EXPECT_FALSE(implemented("clock rate"));
    EXPECT_TRUE(implemented("shut"));
    EXPECT_TRUE(implemented("ip address"));
    sim->liveRouter.currentInterface = Interface::serial1;
    EXPECT_TRUE(implemented("clock"));
    EXPECT_TRUE(implemented("clock rate"));
    EXPECT_FALSE(implemented("tx-ring-limit"));
}

TEST_F(CommandTables, RouterModesUseTheirOwnTables) {
    start(Mode::configRouterRip);
    EXPECT_TRUE(implemented("net"));
    EXPECT_FALSE(implemented("network 10.0.0.0"));
    switchMode(Mode::configRouterIgrp);
    EXPECT_FALSE(implemented("net"));
    EXPECT_TRUE(implemented("network v"));
    // A typed argument is never taken for the tables' "variable".
    EXPECT_FALSE(implemented("network 10.0.0.0"));
}

TEST_F(CommandTables, AModeWithoutTablesAndAMissingStoreFindNothing) {
    start(Mode::none);
    EXPECT_FALSE(checkIfCommandImplemented(*sim, "show"));
    switchMode(Mode::priv);
    EXPECT_TRUE(implemented("show"));

    start(Mode::priv, nullptr);
    EXPECT_FALSE(implemented("show"));
}

TEST_F(CommandTables, TypedTextIsMatchedLiterallyNeverAsQuerySyntax) {
    start(Mode::priv);
    // An apostrophe used to end the quoted pattern, fail the query and so
    // count as implemented.
    EXPECT_FALSE(implemented("show o'"));
    EXPECT_FALSE(implemented("sh'"));
    EXPECT_FALSE(implemented("show access-lists' or '1'='1"));
    // Wildcards typed by the student are characters like any other.
    EXPECT_FALSE(implemented("%"));
    EXPECT_FALSE(implemented("s%w"));
    EXPECT_FALSE(implemented("sh_w"));
    EXPECT_FALSE(implemented("show acc\\"));
    EXPECT_TRUE(io.messages.empty());
    EXPECT_EQ(content.errorLog(), "");
}

TEST_F(CommandTables, AFailingQueryIsLoggedUnderItsNameAndCountsAsNotImplemented) {
    content.build();
    content.drop("privModeCmds");
    start(Mode::priv, content.open());
    EXPECT_FALSE(implemented("show"));
    ASSERT_EQ(io.messages.size(), 1u);
    EXPECT_NE(content.errorLog().find("In function checkIfCommandImplemented"), std::string::npos)
        << content.errorLog();
    // The other tables still answer.
    EXPECT_TRUE(implemented("show access"));
}

} // namespace
} // namespace kestro::testing
