// Routing protocol configuration: network statements under RIP and IGRP,
// their no forms, and the global no forms of the two protocols.
#include "ConsoleFixture.h"

#include "config/RoutingConfig.h"

namespace kestro::testing {
namespace {

using Strings = std::vector<std::string>;

class RoutingConfig : public ConsoleTest {
protected:
    RoutingConfig() { toConfiguration(); }

    void enter(const std::string& section) {
        if (router().mode != Mode::conf)
            type("exit");
        type("router " + section);
    }

    // "as=network" for each IGRP entry, in list order.
    Strings igrpEntries() {
        Strings out;
        for (const asNetworkAssociation& n : router().igrpNetworks)
            out.push_back(std::to_string(n.igrpAsNumber) + "=" + n.networkAddress);
        return out;
    }
};

// --- network under RIP --------------------------------------------------------

TEST_F(RoutingConfig, RipNetworkStoresTheClassfulNetworkOnce) {
    enter("rip");
    EXPECT_EQ(outputOf("network 192.160.5.6"), "");
    EXPECT_EQ(outputOf("network 192.160.5.99"), "");
    EXPECT_EQ(outputOf("network 172.16.40.1"), "");
    EXPECT_EQ(outputOf("network 10.9.9.9"), "");
    EXPECT_EQ(outputOf("network 224.0.0.9"), "");
    EXPECT_EQ(outputOf("network 10.0.0.0"), "");
    EXPECT_EQ(router().ripNetworks,
              (Strings{"192.160.5.0", "172.16.0.0", "10.0.0.0", "224.0.0.9"}));
    EXPECT_EQ(inputLine(), "Router(config-router)#");
}

TEST_F(RoutingConfig, RipDuplicatesAreFoundDespiteStrayBlanks) {
    router().ripNetworks = {" 10.0.0.0 "};
    enter("rip");
    type("network 10.1.2.3");
    EXPECT_EQ(router().ripNetworks, (Strings{" 10.0.0.0 "}));
}

TEST_F(RoutingConfig, NetworkRejections) {
    for (const char* section : {"rip", "igrp 1"}) {
        enter(section);
        EXPECT_EQ(outputOf("network"), incompleteCommand) << section;
        EXPECT_EQ(outputOf("network 300.1.1.1"), invalidInput) << section;
        EXPECT_EQ(outputOf("network 10.1.1"), invalidInput) << section;
        EXPECT_EQ(outputOf("network 10.0.0.0 0.255.255.255"), invalidInput) << section;
    }
    EXPECT_TRUE(router().ripNetworks.empty());
    EXPECT_TRUE(router().igrpNetworks.empty());
}

TEST_F(RoutingConfig, ReenteringRipKeepsItsNetworks) {
    enter("rip");
    type("network 10.0.0.0");
    enter("rip");
    type("network 172.16.0.0");
    EXPECT_EQ(router().ripNetworks, (Strings{"10.0.0.0", "172.16.0.0"}));
}

// --- network under IGRP -------------------------------------------------------

TEST_F(RoutingConfig, IgrpSectionsMayShareANetwork) {
    enter("igrp 100");
    EXPECT_EQ(outputOf("network 10.1.1.1"), "");
    EXPECT_EQ(outputOf("network 10.0.0.0"), "");
    enter("igrp 200");
    EXPECT_EQ(outputOf("network 10.0.0.0"), "");
    EXPECT_EQ(outputOf("network 192.160.5.6"), "");
    EXPECT_EQ(igrpEntries(), (Strings{"100=10.0.0.0", "200=10.0.0.0", "200=192.160.5.0"}));
    EXPECT_TRUE(router().ripNetworks.empty());
}

// --- no network ----------------------------------------------------------------

TEST_F(RoutingConfig, NoNetworkUnderRip) {
    enter("rip");
    type("network 10.0.0.0");
    type("network 172.16.0.0");
    EXPECT_EQ(outputOf("no network 10.200.1.1"), "");
    EXPECT_EQ(router().ripNetworks, (Strings{"172.16.0.0"}));
    // A network that is not there is no error.
    EXPECT_EQ(outputOf("no network 10.0.0.0"), "");
    EXPECT_EQ(router().ripNetworks, (Strings{"172.16.0.0"}));
    EXPECT_TRUE(router().ripConfigured);
}

TEST_F(RoutingConfig, NoNetworkInOneIgrpSectionRemovesItFromAll) {
    enter("igrp 100");
    type("network 10.0.0.0");
    type("network 172.16.0.0");
    enter("igrp 200");
    type("network 10.0.0.0");
    EXPECT_EQ(outputOf("no network 10.0.0.0"), "");
    EXPECT_EQ(igrpEntries(), (Strings{"100=172.16.0.0"}));
    type("no network 172.16.9.9");
    EXPECT_TRUE(router().igrpNetworks.empty());
    EXPECT_TRUE(router().igrpConfigured);
}

TEST_F(RoutingConfig, OtherNoLinesInTheRouterModes) {
    for (const char* section : {"rip", "igrp 5"}) {
        enter(section);
        type("network 10.0.0.0");
        EXPECT_EQ(outputOf("no"), incompleteCommand) << section;
        EXPECT_EQ(outputOf("no network"), incompleteCommand) << section;
        EXPECT_EQ(outputOf("no network 300.0.0.0"), invalidInput) << section;
        EXPECT_EQ(outputOf("no network 10.0.0.0 extra"), invalidInput) << section;
        EXPECT_EQ(outputOf("no router rip"), invalidInput) << section;
        EXPECT_EQ(outputOf("no shutdown"), invalidInput) << section;
    }
    EXPECT_EQ(router().ripNetworks, (Strings{"10.0.0.0"}));
    EXPECT_EQ(igrpEntries(), (Strings{"5=10.0.0.0"}));
}

// --- global no forms --------------------------------------------------------------

TEST_F(RoutingConfig, RemovingRipKeepsItsNetworksForLater) {
    enter("rip");
    type("network 10.0.0.0");
    type("exit");
    removeRouterRip(sim);
    EXPECT_FALSE(router().ripConfigured);
    EXPECT_EQ(router().ripNetworks, (Strings{"10.0.0.0"}));
    enter("rip");
    EXPECT_TRUE(router().ripConfigured);
    EXPECT_EQ(router().ripNetworks, (Strings{"10.0.0.0"}));
}

TEST_F(RoutingConfig, RemovingTheLastIgrpSystemClearsIgrpConfigured) {
    enter("igrp 100");
    type("network 10.0.0.0");
    enter("igrp 200");
    type("network 172.16.0.0");
    type("exit");

    EXPECT_TRUE(removeRouterIgrp(sim, "100"));
    EXPECT_EQ(igrpEntries(), (Strings{"200=172.16.0.0"}));
    EXPECT_TRUE(router().igrpConfigured);
    EXPECT_EQ(router().igrpAs, 200);

    // A system without networks is no error.
    EXPECT_TRUE(removeRouterIgrp(sim, "300"));
    EXPECT_TRUE(router().igrpConfigured);

    EXPECT_TRUE(removeRouterIgrp(sim, "200"));
    EXPECT_TRUE(router().igrpNetworks.empty());
    EXPECT_FALSE(router().igrpConfigured);
}

TEST_F(RoutingConfig, RemovingIgrpRefusesNumbersOutsideTheRange) {
    enter("igrp 1");
    type("network 10.0.0.0");
    enter("igrp 65535");
    type("network 10.0.0.0");
    for (const char* number : {"0", "65536", "abc", ""})
        EXPECT_FALSE(removeRouterIgrp(sim, number)) << number;
    EXPECT_EQ(igrpEntries(), (Strings{"1=10.0.0.0", "65535=10.0.0.0"}));
    EXPECT_TRUE(removeRouterIgrp(sim, "65535"));
    EXPECT_TRUE(removeRouterIgrp(sim, "1"));
    EXPECT_FALSE(router().igrpConfigured);
}

TEST_F(RoutingConfig, DisablingIpRoutingForgetsBothProtocols) {
    enter("rip");
    type("network 10.0.0.0");
    enter("igrp 7");
    type("network 172.16.0.0");
    type("exit");
    disableIpRouting(sim);
    EXPECT_FALSE(router().ipRouting);
    EXPECT_FALSE(router().ripConfigured);
    EXPECT_FALSE(router().igrpConfigured);
    EXPECT_TRUE(router().ripNetworks.empty());
    EXPECT_TRUE(router().igrpNetworks.empty());

    EXPECT_EQ(outputOf("router rip"), "\r\nIP routing not enabled");
    EXPECT_EQ(inputLine(), "Router(config)#");

    // Switching routing on again brings nothing back.
    type("ip routing");
    enter("rip");
    EXPECT_EQ(router().mode, Mode::configRouterRip);
    EXPECT_TRUE(router().ripNetworks.empty());
}

} // namespace
} // namespace kestro::testing
