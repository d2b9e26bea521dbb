// Interface and line configuration: ip address and its overlap line, access
// groups, clock rate, bandwidth, keepalive, description, shutdown and the
// uncabled ports, CDP, the no forms of both modes, and exec-timeout.
#include "ConsoleFixture.h"
#include "status/Displays.h"

namespace kestro::testing {
namespace {

class InterfaceConfig : public ConsoleTest {
protected:
    InterfaceConfig() { toConfiguration(); }

    // Leaves whatever sub-mode is open and configures the named interface
    // ("serial 0", "serial 1", "ethernet 0").
    void onInterface(const std::string& name) {
        if (router().mode != Mode::conf)
            type("exit");
        type("interface " + name);
        ASSERT_EQ(router().mode, Mode::configIf);
    }
};

class LineConfig : public ConsoleTest {
protected:
    LineConfig() { toConfiguration(); }

    void onLine(const std::string& name) {
        if (router().mode != Mode::conf)
            type("exit");
        type("line " + name);
        ASSERT_EQ(router().mode, Mode::configLine);
    }
};

// --- ip address ---------------------------------------------------------------

TEST_F(InterfaceConfig, IpAddressStoresAddressAndMaskSilently) {
    onInterface("serial 0");
    EXPECT_EQ(outputOf("ip address 192.160.5.5 255.255.255.0"), "");
    EXPECT_EQ(router().serial0.ipAddress, "192.160.5.5");
    EXPECT_EQ(router().serial0.subnetMask, "255.255.255.0");
    EXPECT_EQ(inputLine(), "Router(config-if)#");
    // Re-entering the interface's own address is no overlap with itself.
    EXPECT_EQ(outputOf("ip address 192.160.5.5 255.255.255.0"), "");
    EXPECT_EQ(outputOf("ip address 192.160.5.6 255.255.255.252"), "");
    EXPECT_EQ(router().serial0.ipAddress, "192.160.5.6");
    EXPECT_EQ(router().serial0.subnetMask, "255.255.255.252");
}

TEST_F(InterfaceConfig, IpAddressRejections) {
    onInterface("ethernet 0");
    EXPECT_EQ(outputOf("ip address 10.1.1.1 255.255.255.255"), invalidInput);
    EXPECT_EQ(outputOf("ip address 10.1.1.1 255.0.255.0"), invalidInput);
    EXPECT_EQ(outputOf("ip address 300.1.1.1 255.255.255.0"), invalidInput);
    EXPECT_EQ(outputOf("ip address 10.1.1.1 255.255.255.0 extra"), invalidInput);
    // A valid address without a mask is only unfinished; a wrong one is not.
    EXPECT_EQ(outputOf("ip address 10.1.1.1"), incompleteCommand);
    EXPECT_EQ(outputOf("ip address 10.1.1"), invalidInput);
    EXPECT_EQ(outputOf("ip address"), incompleteCommand);
    EXPECT_EQ(outputOf("ip"), incompleteCommand);
    EXPECT_EQ(outputOf("ip routing"), invalidInput);
    EXPECT_EQ(router().ethernet0.ipAddress, "");
    EXPECT_EQ(router().ethernet0.subnetMask, "");
}

TEST_F(InterfaceConfig, OverlappingAddressPrintsTheNetworkAndStoresNothing) {
    onInterface("serial 0");
    type("ip address 192.160.5.5 255.255.255.0");
    onInterface("ethernet 0");
    EXPECT_EQ(outputOf("ip address 192.160.5.1 255.255.255.0"),
              "\r\n192.160.5.0 overlaps with Serial 0");
    EXPECT_EQ(router().ethernet0.ipAddress, "");
    EXPECT_EQ(router().ethernet0.subnetMask, "");
    EXPECT_EQ(inputLine(), "Router(config-if)#");
    // The new network is taken under the new mask.
    EXPECT_EQ(outputOf("ip address 192.160.5.1 255.255.0.0"), "");
    EXPECT_EQ(router().ethernet0.ipAddress, "192.160.5.1");
}

TEST_F(InterfaceConfig, OfTwoOverlappingInterfacesTheLastCheckedIsNamed) {
    // Such a pair cannot be typed in, but a preset may hold one.
    router().serial0.ipAddress = "10.1.1.1";
    router().serial0.subnetMask = "255.255.255.0";
    router().serial1.ipAddress = "10.1.1.2";
    router().serial1.subnetMask = "255.255.255.0";
    onInterface("ethernet 0");
    EXPECT_EQ(outputOf("ip address 10.1.1.3 255.255.255.0"), "\r\n10.1.1.0 overlaps with Serial 1");

    router().ethernet0.ipAddress = "10.1.1.3";
    router().ethernet0.subnetMask = "255.255.255.0";
    onInterface("serial 1");
    EXPECT_EQ(outputOf("ip address 10.1.1.9 255.255.255.0"),
              "\r\n10.1.1.0 overlaps with Ethernet0");
    EXPECT_EQ(router().serial1.ipAddress, "10.1.1.2");
}

// --- ip access-group ------------------------------------------------------------

TEST_F(InterfaceConfig, AccessGroupWithoutDirectionIsOutbound) {
    onInterface("serial 1");
    EXPECT_EQ(outputOf("ip access-group 5"), "");
    EXPECT_EQ(router().serial1.accessGroupOut, 5);
    EXPECT_EQ(outputOf("ip access-group 99 out"), "");
    EXPECT_EQ(router().serial1.accessGroupOut, 99);
    EXPECT_EQ(outputOf("ip access-group 1 in"), "");
    EXPECT_EQ(router().serial1.accessGroupIn, 1);
    EXPECT_EQ(router().serial1.accessGroupOut, 99);
    EXPECT_EQ(router().serial0.accessGroupIn, 0);
}

TEST_F(InterfaceConfig, AccessGroupRejections) {
    onInterface("serial 0");
    EXPECT_EQ(outputOf("ip access-group 0"), invalidInput);
    EXPECT_EQ(outputOf("ip access-group 100 out"), invalidInput);
    EXPECT_EQ(outputOf("ip access-group 100 in"), invalidInput);
    EXPECT_EQ(outputOf("ip access-group abc"), invalidInput);
    EXPECT_EQ(outputOf("ip access-group 5 both"), invalidInput);
    EXPECT_EQ(outputOf("ip access-group 5 in now"), invalidInput);
    EXPECT_EQ(outputOf("ip access-group"), incompleteCommand);
    EXPECT_EQ(router().serial0.accessGroupOut, 0);
    EXPECT_EQ(router().serial0.accessGroupIn, 0);
}

// --- clock rate -------------------------------------------------------------------

TEST_F(InterfaceConfig, ClockRateBoundsAndUnlistedRates) {
    onInterface("serial 0");
    EXPECT_EQ(outputOf("clock rate 64000"), "");
    EXPECT_EQ(router().serial0.clockRate, 64000);
    EXPECT_EQ(outputOf("clock rate 64001"), "\r\nUnknown clock rate");
    // 300 is inside the range but not one of the rates.
    EXPECT_EQ(outputOf("clock rate 300"), "\r\nUnknown clock rate");
    EXPECT_EQ(outputOf("clock rate 299"), invalidInput);
    EXPECT_EQ(outputOf("clock rate 4000001"), invalidInput);
    EXPECT_EQ(outputOf("clock rate 04000000"), invalidInput);
    EXPECT_EQ(outputOf("clock rate fast"), invalidInput);
    EXPECT_EQ(router().serial0.clockRate, 64000);
    EXPECT_EQ(outputOf("clock rate 4000000"), "");
    EXPECT_EQ(router().serial0.clockRate, 4000000);
}

TEST_F(InterfaceConfig, ClockRateAcceptsExactlyTheEighteenRates) {
    onInterface("serial 1");
    for (long rate : {1200L, 2400L, 4800L, 9600L, 19200L, 38400L, 56000L, 64000L, 72000L, 125000L,
                      148000L, 250000L, 500000L, 800000L, 1000000L, 1300000L, 2000000L, 4000000L}) {
        const std::string line = "clock rate " + std::to_string(rate);
        EXPECT_EQ(outputOf(line), "") << line;
        EXPECT_EQ(router().serial1.clockRate, rate) << line;
    }
    for (long rate : {1201L, 115200L, 128000L, 1544000L, 2048000L}) {
        const std::string line = "clock rate " + std::to_string(rate);
        EXPECT_EQ(outputOf(line), "\r\nUnknown clock rate") << line;
    }
    EXPECT_EQ(router().serial1.clockRate, 4000000);
}

TEST_F(InterfaceConfig, ClockRateTemplateAndEthernet) {
    onInterface("serial 0");
    EXPECT_EQ(outputOf("clock"), incompleteCommand);
    EXPECT_EQ(outputOf("clock rate"), incompleteCommand);
    EXPECT_EQ(outputOf("clock speed 64000"), invalidInput);
    EXPECT_EQ(outputOf("clock rate 64000 bps"), invalidInput);
    onInterface("ethernet 0");
    // Every value is refused on Ethernet0, an unlisted one included.
    EXPECT_EQ(outputOf("clock rate 64000"), invalidInput);
    EXPECT_EQ(outputOf("clock rate 64001"), invalidInput);
    EXPECT_EQ(outputOf("clock rate"), incompleteCommand);
    EXPECT_EQ(router().ethernet0.clockRate, 0);
}

// --- bandwidth, keepalive, description ---------------------------------------

TEST_F(InterfaceConfig, BandwidthBounds) {
    onInterface("serial 0");
    EXPECT_EQ(outputOf("bandwidth 1"), "");
    EXPECT_EQ(router().serial0.bandwidth, 1);
    EXPECT_EQ(outputOf("bandwidth 10000000"), "");
    EXPECT_EQ(router().serial0.bandwidth, 10000000);
    EXPECT_EQ(outputOf("bandwidth 0"), invalidInput);
    EXPECT_EQ(outputOf("bandwidth 10000001"), invalidInput);
    EXPECT_EQ(outputOf("bandwidth 000000064"), invalidInput);
    EXPECT_EQ(outputOf("bandwidth t1"), invalidInput);
    EXPECT_EQ(outputOf("bandwidth 64 kbit"), invalidInput);
    EXPECT_EQ(outputOf("bandwidth"), incompleteCommand);
    EXPECT_EQ(router().serial0.bandwidth, 10000000);
    EXPECT_EQ(router().ethernet0.bandwidth, 10000);
}

TEST_F(InterfaceConfig, KeepaliveBounds) {
    onInterface("ethernet 0");
    EXPECT_EQ(outputOf("keepalive 0"), "");
    EXPECT_EQ(router().ethernet0.keepalive, 0);
    EXPECT_EQ(outputOf("keepalive 32767"), "");
    EXPECT_EQ(router().ethernet0.keepalive, 32767);
    EXPECT_EQ(outputOf("keepalive 32768"), invalidInput);
    EXPECT_EQ(outputOf("keepalive -1"), invalidInput);
    EXPECT_EQ(outputOf("keepalive 000010"), invalidInput);
    EXPECT_EQ(outputOf("keepalive often"), invalidInput);
    EXPECT_EQ(outputOf("keepalive 5 5"), invalidInput);
    EXPECT_EQ(outputOf("keepalive"), incompleteCommand);
    EXPECT_EQ(router().ethernet0.keepalive, 32767);
    EXPECT_EQ(router().serial0.keepalive, 10);
}

TEST_F(InterfaceConfig, DescriptionOfEightyCharactersAtMost) {
    onInterface("serial 0");
    const std::string eighty(80, 'd');
    EXPECT_EQ(outputOf("description " + eighty), "");
    EXPECT_EQ(router().serial0.description, eighty);
    EXPECT_EQ(outputOf("description " + eighty + "x"), invalidInput);
    EXPECT_EQ(router().serial0.description, eighty);
}

TEST_F(InterfaceConfig, DescriptionIsTheNormalisedRestOfTheLine) {
    onInterface("serial 1");
    EXPECT_EQ(outputOf("description  Link to   HQ  "), "");
    EXPECT_EQ(router().serial1.description, "link to hq");
    // Blanks collapse before the length is counted.
    EXPECT_EQ(outputOf("description " + std::string(40, 'a') + "    " + std::string(39, 'b')), "");
    EXPECT_EQ(router().serial1.description.size(), 80u);
    EXPECT_EQ(outputOf("description"), "");
    EXPECT_EQ(router().serial1.description, "");
}

// --- shutdown -----------------------------------------------------------------

TEST_F(InterfaceConfig, ShutdownAndNoShutdown) {
    onInterface("serial 0");
    EXPECT_EQ(outputOf("no shutdown"), "");
    EXPECT_FALSE(router().serial0.shutdown);
    EXPECT_EQ(outputOf("shutdown"), "");
    EXPECT_TRUE(router().serial0.shutdown);
    EXPECT_EQ(outputOf("no shut"), "");
    EXPECT_FALSE(router().serial0.shutdown);
    EXPECT_EQ(outputOf("shutdown now"), invalidInput);
    EXPECT_EQ(outputOf("no shutdown now"), invalidInput);
    EXPECT_EQ(outputOf("no shu"), invalidInput);
    EXPECT_FALSE(router().serial0.shutdown);
}

TEST_F(InterfaceConfig, NoShutdownOpensUncabledPortsTooWhichThenShowDown) {
    struct Case {
        TopologyKind kind;
        RouterId router;
        const char* port;
        Interface which;
    };
    const Case uncabled[] = {
        {TopologyKind::singleRouter, RouterId::a, "serial 1", Interface::serial1},
        {TopologyKind::twoRouters, RouterId::a, "serial 1", Interface::serial1},
        {TopologyKind::twoRouters, RouterId::b, "serial 0", Interface::serial0},
    };
    for (const Case& c : uncabled) {
        SCOPED_TRACE(c.port);
        sim.topology.kind = c.kind;
        sim.activeRouter = c.router;
        onInterface(c.port);
        EXPECT_EQ(outputOf("no shutdown"), "");
        EXPECT_FALSE(router().interfaceAt(c.which).shutdown);
        EXPECT_EQ(interfaceStatusLine(sim, c.which) + lineProtocolSuffix(sim, c.which),
                  std::string(c.which == Interface::serial0 ? "Serial0" : "Serial1") +
                      " is down, line protocol is down");
        EXPECT_FALSE(interfaceIsUp(sim, c.which));
        type("shutdown");
        type("exit");
    }
    sim.activeRouter = RouterId::a;
}

TEST_F(InterfaceConfig, WithoutTopologyEveryPortComesUp) {
    sim.topology.kind = TopologyKind::none;
    onInterface("serial 1");
    type("no shutdown");
    EXPECT_FALSE(router().serial1.shutdown);
}

// --- cdp --------------------------------------------------------------------------

TEST_F(InterfaceConfig, CdpEnableAndItsNoForm) {
    onInterface("ethernet 0");
    EXPECT_EQ(outputOf("no cdp enable"), "");
    EXPECT_FALSE(router().ethernet0.cdpEnable);
    EXPECT_TRUE(router().serial0.cdpEnable);
    EXPECT_EQ(outputOf("cdp enable"), "");
    EXPECT_TRUE(router().ethernet0.cdpEnable);
    EXPECT_EQ(router().mode, Mode::configIf);
}

TEST_F(InterfaceConfig, CdpRunInInterfaceModeLeavesConfiguration) {
    onInterface("serial 0");
    router().cdpRun = false;
    EXPECT_EQ(outputOf("cdp run"), "");
    EXPECT_TRUE(router().cdpRun);
    EXPECT_EQ(router().mode, Mode::priv);
    EXPECT_EQ(inputLine(), "Router#");

    type("configure terminal");
    onInterface("serial 0");
    EXPECT_EQ(outputOf("no cdp run"), "");
    EXPECT_FALSE(router().cdpRun);
    EXPECT_EQ(router().mode, Mode::priv);
    EXPECT_EQ(inputLine(), "Router#");
}

TEST_F(InterfaceConfig, CdpRejections) {
    onInterface("serial 0");
    EXPECT_EQ(outputOf("cdp"), incompleteCommand);
    EXPECT_EQ(outputOf("cdp timer 60"), invalidInput);
    EXPECT_EQ(outputOf("cdp enable now"), invalidInput);
    EXPECT_EQ(outputOf("cdp run now"), invalidInput);
    EXPECT_EQ(outputOf("no cdp"), incompleteCommand);
    EXPECT_EQ(outputOf("no cdp timer"), invalidInput);
    EXPECT_EQ(router().mode, Mode::configIf);
}

// --- the other no forms ---------------------------------------------------------

TEST_F(InterfaceConfig, NoIpAddressKeepsTheMask) {
    onInterface("serial 0");
    // With or without the address and mask; the address alone is half a line.
    const std::pair<const char*, std::string> cases[] = {
        {"no ip address", ""},
        {"no ip address 10.1.1.1 255.255.255.0", ""},
        {"no ip address 10.1.1.1", incompleteCommand},
        {"no ip address 10.1.1.1 mask", invalidInput},
    };
    for (const auto& [line, answer] : cases) {
        type("ip address 10.1.1.1 255.255.255.0");
        EXPECT_EQ(outputOf(line), answer) << line;
        EXPECT_EQ(router().serial0.ipAddress, answer.empty() ? "" : "10.1.1.1") << line;
        EXPECT_EQ(router().serial0.subnetMask, "255.255.255.0");
    }
}

TEST_F(InterfaceConfig, NoAccessGroupByDirection) {
    onInterface("serial 0");
    type("ip access-group 7 in");
    type("ip access-group 8 out");
    EXPECT_EQ(outputOf("no ip access-group both"), invalidInput);
    EXPECT_EQ(outputOf("no ip access-group 7"), invalidInput);
    EXPECT_EQ(outputOf("no ip access-group in"), "");
    EXPECT_EQ(router().serial0.accessGroupIn, 0);
    EXPECT_EQ(router().serial0.accessGroupOut, 8);
    EXPECT_EQ(outputOf("no ip access-group out"), "");
    EXPECT_EQ(router().serial0.accessGroupOut, 0);
}

TEST_F(InterfaceConfig, NoAccessGroupWithAnyValidNumberRemovesTheAppliedList) {
    onInterface("ethernet 0");
    type("ip access-group 7 in");
    type("ip access-group 8 out");
    EXPECT_EQ(outputOf("no ip access-group 100 in"), invalidInput);
    EXPECT_EQ(outputOf("no ip access-group 7 up"), invalidInput);
    EXPECT_EQ(router().ethernet0.accessGroupIn, 7);
    EXPECT_EQ(outputOf("no ip access-group 99 in"), "");
    EXPECT_EQ(router().ethernet0.accessGroupIn, 0);
    EXPECT_EQ(outputOf("no ip access-group 1 out"), "");
    EXPECT_EQ(router().ethernet0.accessGroupOut, 0);
    EXPECT_EQ(outputOf("no ip access-group 1 out now"), invalidInput);
}

TEST_F(InterfaceConfig, NoClockRateOnlyOnSerialPorts) {
    onInterface("serial 1");
    type("clock rate 56000");
    EXPECT_EQ(outputOf("no clock rate"), "");
    EXPECT_EQ(router().serial1.clockRate, 0);
    EXPECT_EQ(outputOf("no clock rate 56000"), invalidInput);
    onInterface("ethernet 0");
    EXPECT_EQ(outputOf("no clock rate"), invalidInput);
}

TEST_F(InterfaceConfig, UnmatchedNoLines) {
    onInterface("serial 0");
    for (const char* line : {"no", "no ip", "no ip access-group", "no clock", "no cdp"})
        EXPECT_EQ(outputOf(line), incompleteCommand) << line;
    for (const char* line :
         {"no bandwidth", "no description", "no keepalive", "no ip routing", "no login", "no sh"})
        EXPECT_EQ(outputOf(line), invalidInput) << line;
    EXPECT_EQ(router().mode, Mode::configIf);
}

// --- line no forms and exec-timeout --------------------------------------------

TEST_F(LineConfig, NoLoginClearsOnlyTheCurrentLine) {
    router().auxLogin = router().consoleLogin = router().vtyLogin = true;
    onLine("vty 0 4");
    EXPECT_EQ(outputOf("no login"), "");
    EXPECT_FALSE(router().vtyLogin);
    EXPECT_TRUE(router().consoleLogin);
    onLine("con 0");
    type("no login");
    EXPECT_FALSE(router().consoleLogin);
    EXPECT_TRUE(router().auxLogin);
}

TEST_F(LineConfig, OnlyNoLoginExists) {
    router().consolePassword = "secret";
    onLine("console 0");
    EXPECT_EQ(outputOf("no"), incompleteCommand);
    EXPECT_EQ(outputOf("no login local"), invalidInput);
    EXPECT_EQ(outputOf("no password"), invalidInput);
    EXPECT_EQ(outputOf("no exec-timeout"), invalidInput);
    EXPECT_EQ(router().consolePassword, "secret");
}

TEST_F(LineConfig, ExecTimeoutMinutesOnlyKeepsTheSeconds) {
    router().auxExecTimeoutMinutes = 10;
    router().auxExecTimeoutSeconds = 30;
    onLine("aux 0");
    EXPECT_EQ(outputOf("exec-timeout 5"), "");
    EXPECT_EQ(router().auxExecTimeoutMinutes, 5);
    EXPECT_EQ(router().auxExecTimeoutSeconds, 30);
    EXPECT_EQ(router().consoleExecTimeoutMinutes, 10);
}

TEST_F(LineConfig, ExecTimeoutPairIsStoredAsTyped) {
    onLine("vty 0 4");
    EXPECT_EQ(outputOf("exec-timeout 5 90"), "");
    EXPECT_EQ(router().vtyExecTimeoutMinutes, 5);
    EXPECT_EQ(router().vtyExecTimeoutSeconds, 90);
    EXPECT_EQ(outputOf("exec-timeout 0 0"), "");
    EXPECT_EQ(router().vtyExecTimeoutMinutes, 0);
    EXPECT_EQ(router().vtyExecTimeoutSeconds, 0);
    EXPECT_EQ(outputOf("exec-timeout 35791 2147483"), "");
    EXPECT_EQ(router().vtyExecTimeoutMinutes, 35791);
    EXPECT_EQ(router().vtyExecTimeoutSeconds, 2147483);
}

TEST_F(LineConfig, ExecTimeoutRejectionsChangeNothing) {
    onLine("con 0");
    type("exec-timeout 3 4");
    for (const char* line :
         {"exec-timeout 35792", "exec-timeout -1", "exec-timeout never", "exec-timeout 00000005",
          "exec-timeout 35792 0", "exec-timeout 1 2147484", "exec-timeout 1 00000001",
          "exec-timeout 1 x", "exec-timeout 1 2 3"})
        EXPECT_EQ(outputOf(line), invalidInput) << line;
    EXPECT_EQ(outputOf("exec-timeout"), incompleteCommand);
    EXPECT_EQ(router().consoleExecTimeoutMinutes, 3);
    EXPECT_EQ(router().consoleExecTimeoutSeconds, 4);
}

} // namespace
} // namespace kestro::testing
