// Global configuration commands: enable password and secret, banners, the
// ip name services and flags, CDP settings and the no forms of the mode.
#include "ConsoleFixture.h"

namespace kestro::testing {
namespace {

class GlobalConfig : public ConsoleTest {
protected:
    GlobalConfig() { toConfiguration(); }

    std::vector<std::string> hostEntries() {
        std::vector<std::string> out;
        for (const hostIpAssociation& h : router().hosts)
            out.push_back(h.hostName + "=" + h.ipAddress);
        return out;
    }
};

using Strings = std::vector<std::string>;

// --- enable password and secret -------------------------------------------

TEST_F(GlobalConfig, EnableSecretAndPasswordAreStoredLowerCased) {
    EXPECT_EQ(outputOf("enable secret Class"), "");
    EXPECT_EQ(outputOf("enable  PASSWORD   Falcon "), "");
    EXPECT_EQ(router().enableSecret, "class");
    EXPECT_EQ(router().enablePassword, "falcon");
    EXPECT_EQ(inputLine(), "Router(config)#");
}

TEST_F(GlobalConfig, EnableRejectionsLeaveBothValuesAlone) {
    router().enableSecret = "old";
    router().enablePassword = "old";
    EXPECT_EQ(outputOf("enable"), incompleteCommand);
    EXPECT_EQ(outputOf("en"), incompleteCommand);
    EXPECT_EQ(outputOf("enable secret"), incompleteCommand);
    EXPECT_EQ(outputOf("enable password"), incompleteCommand);
    EXPECT_EQ(outputOf("enable secret a b"), invalidInput);
    EXPECT_EQ(outputOf("enable password a b"), invalidInput);
    EXPECT_EQ(outputOf("enable frobnicate x"), invalidInput);
    // The abbreviation reaches the handler but not the template.
    EXPECT_EQ(outputOf("en secret x"), invalidInput);
    EXPECT_EQ(outputOf("en password x"), invalidInput);
    EXPECT_EQ(router().enableSecret, "old");
    EXPECT_EQ(router().enablePassword, "old");
}

TEST_F(GlobalConfig, NoEnableEmptiesOnlyItsOwnValue) {
    type("enable secret s");
    type("enable password p");
    EXPECT_EQ(outputOf("no enable secret"), "");
    EXPECT_EQ(router().enableSecret, "");
    EXPECT_EQ(router().enablePassword, "p");
    type("enable secret s");
    EXPECT_EQ(outputOf("no enable password"), "");
    EXPECT_EQ(router().enablePassword, "");
    EXPECT_EQ(router().enableSecret, "s");
    EXPECT_EQ(outputOf("no enable"), incompleteCommand);
    EXPECT_EQ(outputOf("no enable secret s"), invalidInput);
    EXPECT_EQ(router().enableSecret, "s");
}

// --- banners ---------------------------------------------------------------

TEST_F(GlobalConfig, BannerLinesAreJoinedAndTextAfterTheDelimiterDropped) {
    EXPECT_EQ(outputOf("banner motd #"), "\r\nEnter TEXT message.  End with the character '#'.");
    EXPECT_EQ(sim.console.inputState, InputState::BannerText);
    EXPECT_EQ(inputLine(), "");
    EXPECT_EQ(outputOf("Welcome"), "");
    EXPECT_EQ(sim.console.inputState, InputState::BannerText);
    EXPECT_EQ(outputOf("all#extra"), "");
    EXPECT_EQ(router().motdBanner, "Welcome\r\nall");
    EXPECT_EQ(sim.console.inputState, InputState::Normal);
    EXPECT_EQ(inputLine(), "Router(config)#");
    EXPECT_EQ(router().mode, Mode::conf);
}

TEST_F(GlobalConfig, BannerClosedOnItsFirstLineKeepsCaseAndBlanks) {
    type("banner login %");
    type("  Authorised  USE only%def");
    EXPECT_EQ(router().loginBanner, "  Authorised  USE only");
    type("banner exec #");
    type("abc#def");
    EXPECT_EQ(router().execBanner, "abc");
    EXPECT_EQ(router().motdBanner, "");
    EXPECT_EQ(router().loginBanner, "  Authorised  USE only");
}

TEST_F(GlobalConfig, BannerDelimiterIsTheFirstCharacterOfItsWord) {
    EXPECT_EQ(outputOf("banner exec %xyz"), "\r\nEnter TEXT message.  End with the character '%'.");
    EXPECT_EQ(sim.console.inputState, InputState::BannerText);
    type("line one # not the end");
    type("line two%");
    EXPECT_EQ(router().execBanner, "line one # not the end\r\nline two");
}

TEST_F(GlobalConfig, EachBannerStartsFromEmptyText) {
    type("banner motd #");
    type("first");
    type("#");
    EXPECT_EQ(router().motdBanner, "first\r\n");
    type("banner motd #");
    type("second#");
    EXPECT_EQ(router().motdBanner, "second");
}

TEST_F(GlobalConfig, BannerWithoutDelimiterOrWithTextIsRejected) {
    EXPECT_EQ(outputOf("banner"), incompleteCommand);
    EXPECT_EQ(outputOf("banner motd"), incompleteCommand);
    EXPECT_EQ(outputOf("banner exec"), incompleteCommand);
    EXPECT_EQ(outputOf("banner motd # Welcome"), invalidInput);
    EXPECT_EQ(outputOf("banner incoming #"), invalidInput);
    EXPECT_EQ(sim.console.inputState, InputState::Normal);
    EXPECT_EQ(router().prompt, "Router(config)#");
}

TEST_F(GlobalConfig, ABannerClosedOnItsOwnLineIsTakenAsTyped) {
    EXPECT_EQ(outputOf("banner motd # Welcome, Students #"), "");
    EXPECT_EQ(router().motdBanner, " Welcome, Students ");
    EXPECT_EQ(outputOf("BANNER LOGIN $Keep Out$ and more"), "");
    EXPECT_EQ(router().loginBanner, "Keep Out");
    EXPECT_EQ(sim.console.inputState, InputState::Normal);
}

TEST_F(GlobalConfig, NoBannerEmptiesOnlyItsOwnBanner) {
    router().motdBanner = "m";
    router().loginBanner = "l";
    router().execBanner = "e";
    EXPECT_EQ(outputOf("no banner login"), "");
    EXPECT_EQ(router().loginBanner, "");
    EXPECT_EQ(outputOf("no banner exec"), "");
    EXPECT_EQ(router().execBanner, "");
    EXPECT_EQ(router().motdBanner, "m");
    EXPECT_EQ(outputOf("no banner"), incompleteCommand);
    EXPECT_EQ(outputOf("no banner motd #"), invalidInput);
    EXPECT_EQ(router().motdBanner, "m");
    EXPECT_EQ(outputOf("no banner motd"), "");
    EXPECT_EQ(router().motdBanner, "");
}

// --- ip name services and flags ---------------------------------------------

TEST_F(GlobalConfig, IpDomainSettings) {
    EXPECT_EQ(outputOf("no ip domain-lookup"), "");
    EXPECT_FALSE(router().domainLookup);
    EXPECT_EQ(outputOf("ip domain-lookup"), "");
    EXPECT_TRUE(router().domainLookup);
    EXPECT_EQ(outputOf("ip domain-name Example.COM"), "");
    EXPECT_EQ(router().domainName, "example.com");
    EXPECT_EQ(outputOf("ip domain-name"), incompleteCommand);
    EXPECT_EQ(outputOf("ip domain-name a b"), invalidInput);
    EXPECT_EQ(outputOf("ip domain-lookup now"), invalidInput);
    EXPECT_EQ(router().domainName, "example.com");
}

TEST_F(GlobalConfig, IpFlagsAndWhichPrefixesAreIncomplete) {
    EXPECT_EQ(outputOf("ip http server"), "");
    EXPECT_TRUE(router().httpServer);
    EXPECT_EQ(outputOf("no ip http server"), "");
    EXPECT_FALSE(router().httpServer);
    EXPECT_EQ(outputOf("ip"), incompleteCommand);
    // Only the domain templates make an ip line incomplete.
    EXPECT_EQ(outputOf("ip http"), invalidInput);
    EXPECT_EQ(outputOf("ip name-server"), invalidInput);
    EXPECT_EQ(outputOf("ip host"), invalidInput);
    EXPECT_EQ(outputOf("ip frobnicate"), invalidInput);
    EXPECT_EQ(outputOf("no ip http"), incompleteCommand);
    EXPECT_EQ(outputOf("no ip"), incompleteCommand);
}

TEST_F(GlobalConfig, NameServerLineReplacesTheList) {
    EXPECT_EQ(outputOf("ip name-server 1.1.1.1 2.2.2.2 3.3.3.3"), "");
    EXPECT_EQ(outputOf("ip name-server 10.0.0.2 10.0.0.1"), "");
    EXPECT_EQ(router().nameServers, (Strings{"10.0.0.2", "10.0.0.1"}));
}

TEST_F(GlobalConfig, NameServerTakesSixAddressesAndOnlyValidOnes) {
    EXPECT_EQ(outputOf("ip name-server 1.0.0.1 1.0.0.2 1.0.0.3 1.0.0.4 1.0.0.5 1.0.0.6"), "");
    EXPECT_EQ(router().nameServers.size(), 6u);
    type("ip name-server 9.9.9.9");
    EXPECT_EQ(outputOf("ip name-server 1.0.0.1 1.0.0.2 1.0.0.3 1.0.0.4 1.0.0.5 1.0.0.6 1.0.0.7"),
              invalidInput);
    EXPECT_EQ(outputOf("ip name-server 1.1.1.1 256.1.1.1 2.2.2.2"), invalidInput);
    EXPECT_EQ(outputOf("ip name-server 1.1.1.1 dns"), invalidInput);
    EXPECT_EQ(router().nameServers, (Strings{"9.9.9.9"}));
}

TEST_F(GlobalConfig, NoNameServerTakesNoAddress) {
    type("ip name-server 1.1.1.1 2.2.2.2");
    EXPECT_EQ(outputOf("no ip name-server 1.1.1.1"), invalidInput);
    EXPECT_EQ(router().nameServers.size(), 2u);
    EXPECT_EQ(outputOf("no ip name-server"), "");
    EXPECT_TRUE(router().nameServers.empty());
}

TEST_F(GlobalConfig, IpHostAddsOneEntryPerAddressAndReplacesTheName) {
    EXPECT_EQ(outputOf("ip host Paris 10.0.0.1 10.0.0.2"), "");
    EXPECT_EQ(outputOf("ip host london 10.9.9.9"), "");
    EXPECT_EQ(hostEntries(), (Strings{"paris=10.0.0.1", "paris=10.0.0.2", "london=10.9.9.9"}));
    // The old entries go wherever they stood; the new ones come last.
    EXPECT_EQ(outputOf("ip host paris 10.0.0.3"), "");
    EXPECT_EQ(hostEntries(), (Strings{"london=10.9.9.9", "paris=10.0.0.3"}));
}

TEST_F(GlobalConfig, IpHostTakesEightAddressesAndOnlyValidOnes) {
    type("ip host a 1.0.0.1");
    EXPECT_EQ(outputOf("ip host a"), incompleteCommand);
    EXPECT_EQ(outputOf("ip host b 1.0.0.1 1.0.0.2 1.0.0.3 1.0.0.4 1.0.0.5 1.0.0.6 1.0.0.7 1.0.0.8 "
                       "1.0.0.9"),
              invalidInput);
    EXPECT_EQ(outputOf("ip host a 1.0.0.2 1.0.0.300"), invalidInput);
    EXPECT_EQ(hostEntries(), (Strings{"a=1.0.0.1"}));
    EXPECT_EQ(outputOf("ip host b 1.0.0.1 1.0.0.2 1.0.0.3 1.0.0.4 1.0.0.5 1.0.0.6 1.0.0.7 1.0.0.8"),
              "");
    EXPECT_EQ(router().hosts.size(), 9u);
}

TEST_F(GlobalConfig, NoIpHostRemovesEveryEntryOfTheName) {
    type("ip host a 1.0.0.1 1.0.0.2 1.0.0.3");
    type("ip host b 2.0.0.1");
    EXPECT_EQ(outputOf("no ip host A"), "");
    EXPECT_EQ(hostEntries(), (Strings{"b=2.0.0.1"}));
    EXPECT_EQ(outputOf("no ip host nobody"), "");
    EXPECT_EQ(outputOf("no ip host"), invalidInput);
    EXPECT_EQ(outputOf("no ip host b 2.0.0.1"), invalidInput);
    EXPECT_EQ(hostEntries(), (Strings{"b=2.0.0.1"}));
}

TEST_F(GlobalConfig, NoIpRoutingClearsRoutingAndIpRoutingRestoresOnlyTheFlag) {
    type("router rip");
    type("exit");
    router().ripNetworks = {"10.0.0.0"};
    router().igrpConfigured = true;
    router().igrpNetworks = {{100, "10.0.0.0"}};
    EXPECT_EQ(outputOf("no ip routing"), "");
    EXPECT_FALSE(router().ipRouting);
    EXPECT_FALSE(router().ripConfigured);
    EXPECT_FALSE(router().igrpConfigured);
    EXPECT_TRUE(router().ripNetworks.empty());
    EXPECT_TRUE(router().igrpNetworks.empty());
    EXPECT_EQ(outputOf("router rip"), "\r\nIP routing not enabled");
    EXPECT_EQ(outputOf("ip routing"), "");
    EXPECT_TRUE(router().ipRouting);
    EXPECT_FALSE(router().ripConfigured);
    EXPECT_EQ(outputOf("ip routing now"), invalidInput);
    EXPECT_EQ(outputOf("no ip routing now"), invalidInput);
    EXPECT_TRUE(router().ipRouting);
}

// --- cdp ---------------------------------------------------------------------

TEST_F(GlobalConfig, CdpRun) {
    EXPECT_EQ(outputOf("no cdp run"), "");
    EXPECT_FALSE(router().cdpRun);
    EXPECT_EQ(outputOf("cdp run"), "");
    EXPECT_TRUE(router().cdpRun);
    EXPECT_EQ(outputOf("cdp run now"), invalidInput);
    EXPECT_EQ(outputOf("no cdp run now"), invalidInput);
    EXPECT_TRUE(router().cdpRun);
}

TEST_F(GlobalConfig, CdpTimerBounds) {
    EXPECT_EQ(outputOf("cdp timer 4"), invalidInput);
    EXPECT_EQ(outputOf("cdp timer 255"), invalidInput);
    EXPECT_EQ(outputOf("cdp timer 0254"), invalidInput);
    EXPECT_EQ(outputOf("cdp timer ten"), invalidInput);
    EXPECT_EQ(outputOf("cdp timer 10 20"), invalidInput);
    EXPECT_EQ(router().cdpTimer, 60);
    EXPECT_EQ(outputOf("cdp timer 5"), "");
    EXPECT_EQ(router().cdpTimer, 5);
    EXPECT_EQ(outputOf("cdp timer 254"), "");
    EXPECT_EQ(router().cdpTimer, 254);
    EXPECT_EQ(outputOf("cdp timer 090"), "");
    EXPECT_EQ(router().cdpTimer, 90);
    EXPECT_EQ(outputOf("no cdp timer"), "");
    EXPECT_EQ(router().cdpTimer, 60);
}

TEST_F(GlobalConfig, CdpHoldtimeBounds) {
    EXPECT_EQ(outputOf("cdp holdtime 9"), invalidInput);
    EXPECT_EQ(outputOf("cdp holdtime 256"), invalidInput);
    EXPECT_EQ(outputOf("cdp holdtime 0100"), invalidInput);
    EXPECT_EQ(router().cdpHoldtime, 180);
    EXPECT_EQ(outputOf("cdp holdtime 10"), "");
    EXPECT_EQ(router().cdpHoldtime, 10);
    EXPECT_EQ(outputOf("cdp holdtime 255"), "");
    EXPECT_EQ(router().cdpHoldtime, 255);
    EXPECT_EQ(outputOf("no cdp holdtime"), "");
    EXPECT_EQ(router().cdpHoldtime, 180);
}

TEST_F(GlobalConfig, CdpValueWithAFractionIsStoredRoundedHalfToEven) {
    EXPECT_EQ(outputOf("cdp timer 6.5"), "");
    EXPECT_EQ(router().cdpTimer, 6);
    EXPECT_EQ(outputOf("cdp holdtime +20"), "");
    EXPECT_EQ(router().cdpHoldtime, 20);
    // 4.5 rounds to 4, below the bound.
    EXPECT_EQ(outputOf("cdp timer 4.5"), invalidInput);
    EXPECT_EQ(router().cdpTimer, 6);
}

TEST_F(GlobalConfig, CdpPrefixesAreIncomplete) {
    EXPECT_EQ(outputOf("cdp"), incompleteCommand);
    EXPECT_EQ(outputOf("cdp timer"), incompleteCommand);
    EXPECT_EQ(outputOf("cdp holdtime"), incompleteCommand);
    EXPECT_EQ(outputOf("cdp enable"), invalidInput);
    EXPECT_EQ(outputOf("no cdp"), incompleteCommand);
    EXPECT_EQ(outputOf("no cdp timer 60"), invalidInput);
    EXPECT_EQ(outputOf("no cdp enable"), invalidInput);
}

// --- other no forms ----------------------------------------------------------

TEST_F(GlobalConfig, NoAloneOrUnknownNoForms) {
    EXPECT_EQ(outputOf("no"), incompleteCommand);
    EXPECT_EQ(outputOf("no frobnicate"), invalidInput);
    EXPECT_EQ(outputOf("no hostname"), invalidInput);
    EXPECT_EQ(outputOf("no router"), incompleteCommand);
    EXPECT_EQ(outputOf("no router igrp"), incompleteCommand);
    EXPECT_EQ(outputOf("no router ospf"), invalidInput);
}

TEST_F(GlobalConfig, NoRouterRipKeepsTheNetworks) {
    type("router rip");
    type("exit");
    router().ripNetworks = {"10.0.0.0"};
    EXPECT_EQ(outputOf("no router rip"), "");
    EXPECT_FALSE(router().ripConfigured);
    EXPECT_EQ(router().ripNetworks, (Strings{"10.0.0.0"}));
    EXPECT_EQ(outputOf("no router rip now"), invalidInput);
}

TEST_F(GlobalConfig, NoRouterIgrpRemovesOneSystemAndClearsTheFlagWhenNoneIsLeft) {
    type("router igrp 100");
    type("exit");
    router().igrpNetworks = {{100, "10.0.0.0"}, {200, "10.0.0.0"}, {100, "172.16.0.0"}};
    EXPECT_EQ(outputOf("no router igrp 100"), "");
    ASSERT_EQ(router().igrpNetworks.size(), 1u);
    EXPECT_EQ(router().igrpNetworks[0].igrpAsNumber, 200);
    EXPECT_TRUE(router().igrpConfigured);
    EXPECT_EQ(router().igrpAs, 100);
    EXPECT_EQ(outputOf("no router igrp 0"), invalidInput);
    EXPECT_EQ(outputOf("no router igrp 65536"), invalidInput);
    EXPECT_EQ(outputOf("no router igrp 300"), "");
    EXPECT_TRUE(router().igrpConfigured);
    EXPECT_EQ(outputOf("no router igrp 200"), "");
    EXPECT_TRUE(router().igrpNetworks.empty());
    EXPECT_FALSE(router().igrpConfigured);
}

} // namespace
} // namespace kestro::testing
