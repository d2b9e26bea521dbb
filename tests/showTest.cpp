// The show dispatcher: the rewriting of short forms in each mode, the order
// of its templates, incomplete against invalid input, and the displays it
// produces itself (clock, history, canned outputs, protocol summary).
#include "ConsoleFixture.h"

#include "config/ConfigRendering.h"
#include "status/Displays.h"
#include "status/Status.h"

#include <ctime>

namespace kestro::testing {
namespace {

// How printPaged shows a CR LF separated text: each non-empty line on a new
// console line.
std::string paged(const std::string& text) {
    std::string out;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find("\r\n", start);
        const std::string line = text.substr(start, end - start);
        if (!line.empty())
            out += "\r\n" + line;
        if (end == std::string::npos)
            return out;
        start = end + 2;
    }
}

// The output is the clock line of some second between the two readings, at
// some millisecond of it.
bool showsClockBetween(std::string out, std::time_t before, std::time_t after) {
    const std::size_t dot = out.find('.');
    if (dot == std::string::npos || out.size() < dot + 4)
        return false;
    for (std::size_t i = dot + 1; i < dot + 4; ++i) {
        if (out[i] < '0' || out[i] > '9')
            return false;
        out[i] = '0';
    }
    for (std::time_t t = before; t <= after; ++t) {
        std::tm local{};
        localtime_r(&t, &local);
        if (out == "\r\n" + clockLine(local, 0))
            return true;
    }
    return false;
}

const std::string hint = "\r\n% Type 'show ?' for a list of subcommands";

class ShowUser : public ConsoleTest {
protected:
    ShowUser() : ConsoleTest(true) { startSession(); }
};

class ShowPriv : public ConsoleTest {
protected:
    ShowPriv() : ConsoleTest(true) { toPrivileged(); }

    std::string row(const char* key) { return sim.content()->cmdInfo(key, "test").value_or(""); }
};

// --- user mode -------------------------------------------------------------

TEST_F(ShowUser, ShAloneAndShowAloneGiveTheHint) {
    EXPECT_EQ(outputOf("sh"), hint);
    EXPECT_EQ(outputOf("show"), hint);
    EXPECT_EQ(outputOf("show sh"), invalidInput); // "show show" is no command
}

TEST_F(ShowUser, NormalisedShortFormsReachTheirDisplays) {
    for (const char* line : {"sh clock", "  SHOW    Clock "}) {
        const std::time_t before = std::time(nullptr);
        const std::string out = outputOf(line);
        EXPECT_TRUE(showsClockBetween(out, before, std::time(nullptr))) << line << out;
    }
    EXPECT_EQ(outputOf("sh flash"), paged(sim.content()->cmdInfo("show_flash", "t").value()));
}

TEST_F(ShowUser, PrivilegedDisplaysAreInvalidAndPartialLinesIncomplete) {
    for (const char* line : {"show interfaces", "show running-config", "show run", "show protocols",
                             "show cdp", "show ip route", "show clock now"})
        EXPECT_EQ(outputOf(line), invalidInput) << line;
    for (const char* line : {"show ip", "sh ip"})
        EXPECT_EQ(outputOf(line), incompleteCommand) << line;
    EXPECT_EQ(router().mode, Mode::user);
}

// --- privileged rewriting --------------------------------------------------

TEST_F(ShowPriv, ShAloneAndShowAloneGiveTheHint) {
    EXPECT_EQ(outputOf("sh"), hint);
    EXPECT_EQ(outputOf("show"), hint);
    EXPECT_EQ(outputOf("show sh"), invalidInput);
}

TEST_F(ShowPriv, InterfaceSpellingsAllReachTheSameReport) {
    const std::string serial0 = paged(interfaceReport(sim, Interface::serial0));
    ASSERT_TRUE(serial0.starts_with("\r\nSerial0 is administratively down"));
    for (const char* line : {"sh int s0", "show int s 0", "show interface serial 0",
                             "show interfaces s0", "SH  INT  S0"})
        EXPECT_EQ(outputOf(line), serial0) << line;
    const std::string serial1 = paged(interfaceReport(sim, Interface::serial1));
    EXPECT_EQ(outputOf("sh int s1"), serial1);
    EXPECT_EQ(outputOf("show interfaces s 1"), serial1);
    const std::string ethernet = paged(interfaceReport(sim, Interface::ethernet0));
    EXPECT_EQ(outputOf("sh int e0"), ethernet);
    EXPECT_EQ(outputOf("show interface e 0"), ethernet);
    // A final "int" is widened too, and the singular reaches all three.
    const std::string all =
        paged(interfaceReport(sim, Interface::serial0) + interfaceReport(sim, Interface::serial1) +
              interfaceReport(sim, Interface::ethernet0));
    EXPECT_EQ(outputOf("sh int"), all);
    EXPECT_EQ(outputOf("show interfaces"), all);
}

TEST_F(ShowPriv, IpInterfaceSpellings) {
    const std::string all = paged(ipInterfaceReport(sim, Interface::ethernet0) +
                                  ipInterfaceReport(sim, Interface::serial0) +
                                  ipInterfaceReport(sim, Interface::serial1));
    EXPECT_EQ(outputOf("sh ip int"), all);
    EXPECT_EQ(outputOf("show ip interface"), all);
    EXPECT_EQ(outputOf("sh ip int s0"), paged(ipInterfaceReport(sim, Interface::serial0)));
    EXPECT_EQ(outputOf("sh ip int e 0"), paged(ipInterfaceReport(sim, Interface::ethernet0)));
}

TEST_F(ShowPriv, RunAndStartWidenOnlyAsWholeLastWords) {
    router().hostname = "Live";
    const std::string running = "\r\n\r\nBuilding configuration..." + paged(runningConfigText(sim));
    const std::string startup = "\r\n\r\nBuilding configuration..." + paged(startupConfigText(sim));
    ASSERT_NE(running, startup);
    for (const char* line : {"sh run", "show run", "show running-config"})
        EXPECT_EQ(outputOf(line), running) << line;
    for (const char* line :
         {"sh start", "show startup-config", "show config", "show configuration"})
        EXPECT_EQ(outputOf(line), startup) << line;
    for (const char* line : {"show runn", "show running", "show startup", "show run x"})
        EXPECT_EQ(outputOf(line), invalidInput) << line;
}

TEST_F(ShowPriv, IncompleteOnlyForTheListedBeginnings) {
    for (const char* line :
         {"show ip", "show cdp interface serial", "show cdp interface ethernet",
          "show interfaces serial", "show interfaces ethernet", "show interface serial",
          "sh int ethernet", "show ip interface serial", "show ip interface ethernet"})
        EXPECT_EQ(outputOf(line), incompleteCommand) << line;
    for (const char* line : {"show cdp neighbors x", "show ip route x"})
        EXPECT_EQ(outputOf(line), invalidInput) << line;
}

// --- simple displays -------------------------------------------------------

TEST(ShowClock, FormatsTwentyFourHourTimeAndEnglishNames) {
    std::tm t{};
    t.tm_year = 107, t.tm_mon = 2, t.tm_mday = 5, t.tm_wday = 1;
    t.tm_hour = 9, t.tm_min = 4, t.tm_sec = 3;
    EXPECT_EQ(clockLine(t, 7), "*09:04:03.007 UTC Mon Mar 5 2007");
    t.tm_mon = 11, t.tm_mday = 31, t.tm_wday = 0, t.tm_hour = 23, t.tm_min = 59, t.tm_sec = 58;
    EXPECT_EQ(clockLine(t, 123), "*23:59:58.123 UTC Sun Dec 31 2007");
}

TEST_F(ShowPriv, ClockShowsTheWorkstationTime) {
    const std::time_t before = std::time(nullptr);
    const std::string out = outputOf("show clock");
    EXPECT_TRUE(showsClockBetween(out, before, std::time(nullptr))) << out;
}

TEST_F(ShowPriv, HistoryListsEntriesAsTypedWithItselfLast) {
    type("show  CLOCK");
    EXPECT_EQ(outputOf("sh history"), "\r\n  enable\r\n  show  CLOCK\r\n  sh history");
    type("terminal no history");
    EXPECT_EQ(outputOf("show history"), "");
}

TEST_F(ShowUser, HistoryInUserMode) {
    EXPECT_EQ(outputOf("show history"), "\r\n  show history");
}

TEST_F(ShowPriv, CannedOutputsArePagedUnchanged) {
    // The version screen names the router by its host name.
    std::string version = row("show_version");
    replaceAll(version, "HOSTNAME", "Router");
    EXPECT_NE(version.find("\r\nRouter uptime is "), std::string::npos);
    EXPECT_EQ(outputOf("show version"), paged(version));
    EXPECT_EQ(outputOf("show users"), paged(row("show_users")));
    EXPECT_EQ(outputOf("show flash"), paged(row("show_flash")));
    EXPECT_EQ(inputLine(), "Router#");
}

TEST_F(ShowPriv, CannedOutputsAgreeWithEachOther) {
    const std::string version = row("show_version");
    const std::string flash = row("show_flash");
    EXPECT_NE(version.find("Kestro KR1600 (68030) processor"), std::string::npos);
    EXPECT_NE(version.find("\"flash:kr1600-i-l.113-4.bin\""), std::string::npos);
    EXPECT_NE(flash.find("  kr1600-i-l.113-4.bin"), std::string::npos);
    // The flash summary adds up.
    long used = 0, available = 0, total = 0;
    const std::size_t at = flash.find('[');
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(std::sscanf(flash.c_str() + at, "[%ld bytes used, %ld available, %ld total]", &used,
                          &available, &total),
              3);
    EXPECT_EQ(used + available, total);
    // The interface report ends each counters block itself.
    EXPECT_FALSE(row("show_interface").ends_with("\r\n"));
}

class ShowWithoutContent : public ConsoleTest {};

TEST_F(ShowWithoutContent, CannedOutputsPrintNothing) {
    toPrivileged();
    for (const char* line : {"show version", "show users", "show flash"})
        EXPECT_EQ(outputOf(line), "") << line;
}

TEST_F(ShowPriv, ProtocolsListsInterfacesWithAddresses) {
    router().ethernet0.ipAddress = "10.1.1.1";
    router().ethernet0.subnetMask = "255.255.255.0";
    router().ethernet0.shutdown = false;
    router().serial0.ipAddress = "192.168.5.1";
    router().serial0.subnetMask = "255.255.255.252";
    EXPECT_EQ(outputOf("show protocols"),
              "\r\nGlobal values:\r\n  Internet Protocol routing is enabled"
              "\r\nSerial0 is administratively down, line protocol is down"
              "\r\n  Internet address is 192.168.5.1/30"
              "\r\nSerial1 is administratively down, line protocol is down"
              "\r\nEthernet0 is up, line protocol is up"
              "\r\n  Internet address is 10.1.1.1/24");
}

TEST_F(ShowPriv, ProtocolsWithoutRoutingOrTopology) {
    router().ipRouting = false;
    EXPECT_EQ(outputOf("show protocols"),
              "\r\nGlobal values:\r\nSerial0 is administratively down, line protocol is down"
              "\r\nSerial1 is administratively down, line protocol is down"
              "\r\nEthernet0 is administratively down, line protocol is down");
    sim.topology.kind = TopologyKind::none;
    router().serial1.ipAddress = "10.2.2.2";
    router().serial1.subnetMask = "255.255.0.0";
    EXPECT_EQ(outputOf("show protocols"),
              "\r\nGlobal values:\r\n  Internet address is 10.2.2.2/16");
}

} // namespace
} // namespace kestro::testing
