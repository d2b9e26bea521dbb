#include "records/AddressUtils.h"
#include "records/RouterState.h"

#include <gtest/gtest.h>

using namespace kestro;

TEST(AddressUtilsNumber, AcceptsSignedAndFractionalTextInRange) {
    EXPECT_TRUE(isNumberInRange("5", 0, 10));
    EXPECT_TRUE(isNumberInRange("+10", 0, 10));
    EXPECT_TRUE(isNumberInRange("-3", -5, 0));
    EXPECT_TRUE(isNumberInRange("0", 0, 0));
    EXPECT_TRUE(isNumberInRange("123456789", 0, 999999999));
    EXPECT_FALSE(isNumberInRange("1234567890", 0, 9999999999));
    EXPECT_FALSE(isNumberInRange("11", 0, 10));
    EXPECT_FALSE(isNumberInRange("-1", 0, 10));
}

TEST(AddressUtilsNumber, RoundsHalvesToEven) {
    EXPECT_TRUE(isNumberInRange("10.5", 0, 10));   // 10
    EXPECT_FALSE(isNumberInRange("11.5", 0, 11));  // 12
    EXPECT_FALSE(isNumberInRange("10.51", 0, 10)); // 11
    EXPECT_TRUE(isNumberInRange("10.49", 0, 10));
    EXPECT_TRUE(isNumberInRange("-0.5", 0, 0));
    EXPECT_FALSE(isNumberInRange("-1.5", -1, 0));     // -2
    EXPECT_FALSE(isNumberInRange("0.5000001", 0, 0)); // just over half
}

TEST(AddressUtilsNumber, RejectsNonNumericText) {
    for (const char* text : {"", "+", "-", ".", "1e3", " 5", "5 ", "0x10", "1.2.3", "--1", "5a"}) {
        EXPECT_FALSE(isNumberInRange(text, -1000, 1000)) << text;
    }
}

TEST(AddressUtilsIp, AcceptsFourDecimalParts) {
    for (const char* text : {"0.0.0.0", "255.255.255.255", "10.1.1.1", "010.001.1.1"}) {
        EXPECT_TRUE(isValidIpAddress(text)) << text;
    }
    for (const char* text :
         {"", "10.1.1", "10.1.1.1.1", "256.1.1.1", "1000.1.1.1", "0001.1.1.1", "1..2.3", "1.2.3.",
          ".1.2.3", "0x1.1.1.1", "+1.1.1.1", "-1.1.1.1", " 1.1.1.1", "1.1.1.1 ", "1.1.1.a"}) {
        EXPECT_FALSE(isValidIpAddress(text)) << '"' << text << '"';
    }
}

TEST(AddressUtilsBits, OctetAndDottedBitStrings) {
    EXPECT_EQ(octetBits(0), "00000000");
    EXPECT_EQ(octetBits(5), "00000101");
    EXPECT_EQ(octetBits(255), "11111111");
    EXPECT_EQ(octetBits(256), "100000000");
    EXPECT_EQ(octetBits(-1), "");
    EXPECT_EQ(dottedBitString("192.160.5.6"), "11000000.10100000.00000101.00000110");
    EXPECT_EQ(dottedBitString("010.0.0.1"), "00001010.00000000.00000000.00000001");
    EXPECT_EQ(dottedBitString("x.1"), "00000000.00000001");
}

TEST(AddressUtilsMask, ContiguousMasksOnly) {
    for (const char* text : {"255.255.255.0", "255.255.255.252", "128.0.0.0", "255.255.255.254"}) {
        EXPECT_TRUE(isValidSubnetMask(text)) << text;
    }
    for (const char* text : {"0.0.0.0", "255.255.255.255", "255.0.255.0", "255.255.0.255",
                             "127.0.0.0", "255.255.255"}) {
        EXPECT_FALSE(isValidSubnetMask(text)) << text;
    }
    EXPECT_EQ(maskBitCount("255.255.255.0"), 24);
    EXPECT_EQ(maskBitCount("255.255.255.252"), 30);
    EXPECT_EQ(maskBitCount("128.0.0.0"), 1);
}

TEST(AddressUtilsNetwork, AndsAddressWithMask) {
    EXPECT_EQ(networkOf("192.160.5.6", "255.255.255.0"), "192.160.5.0");
    EXPECT_EQ(networkOf("10.1.2.3", "255.255.255.255"), "10.1.2.3");
    EXPECT_EQ(networkOf("010.1.2.3", "255.0.0.0"), "10.0.0.0");
    EXPECT_EQ(networkOf("172.16.5.130", "255.255.255.192"), "172.16.5.128");
    EXPECT_EQ(networkOf("garbage", "255.255.255.0"), "0.0.0.0");
}

TEST(AddressUtilsNetwork, ClassfulNetworkKeepsTypedOctets) {
    EXPECT_EQ(classfulNetwork("10.1.2.3"), "10.0.0.0");
    EXPECT_EQ(classfulNetwork("127.0.0.1"), "127.0.0.0");
    EXPECT_EQ(classfulNetwork("172.16.5.1"), "172.16.0.0");
    EXPECT_EQ(classfulNetwork("191.255.1.1"), "191.255.0.0");
    EXPECT_EQ(classfulNetwork("192.160.5.6"), "192.160.5.0");
    EXPECT_EQ(classfulNetwork("223.1.2.3"), "223.1.2.0");
    EXPECT_EQ(classfulNetwork("224.1.1.1"), "224.1.1.1");
    EXPECT_EQ(classfulNetwork("010.1.2.3"), "010.0.0.0");
    EXPECT_EQ(classfulNetwork("172.016.5.1"), "172.016.0.0");
    EXPECT_EQ(classfulNetwork("200"), "200...0");
}

TEST(AddressUtilsWildcard, ComparesOnlyBitsWhereWildcardIsZero) {
    EXPECT_TRUE(matchesUnderWildcard("10.1.1.1", "10.1.1.1", "0.0.0.0"));
    EXPECT_FALSE(matchesUnderWildcard("10.1.1.1", "10.1.1.2", "0.0.0.0"));
    EXPECT_TRUE(matchesUnderWildcard("1.2.3.4", "200.100.50.25", "255.255.255.255"));
    EXPECT_TRUE(matchesUnderWildcard("10.1.1.7", "10.1.1.0", "0.0.0.7"));
    EXPECT_FALSE(matchesUnderWildcard("10.1.1.8", "10.1.1.0", "0.0.0.7"));
    EXPECT_TRUE(matchesUnderWildcard("172.16.9.9", "172.16.0.0", "0.0.255.255"));
    EXPECT_FALSE(matchesUnderWildcard("172.17.0.0", "172.16.0.0", "0.0.255.255"));
}

TEST(AddressUtilsOverlap, NamesLastOverlappingInterfaceAndSkipsOwn) {
    routerState router;
    EXPECT_EQ(checkOverlap(router, "192.160.5.9", "255.255.255.0", Interface::ethernet0), "ok");

    router.serial0.ipAddress = "192.160.5.5";
    router.serial0.subnetMask = "255.255.255.0";
    EXPECT_EQ(checkOverlap(router, "192.160.5.9", "255.255.255.0", Interface::ethernet0),
              "192.160.5.0 overlaps with Serial 0");
    EXPECT_EQ(checkOverlap(router, "192.160.5.5", "255.255.255.0", Interface::serial0), "ok");
    EXPECT_EQ(checkOverlap(router, "192.160.5.200", "255.255.255.128", Interface::ethernet0), "ok");

    router.ethernet0.ipAddress = "192.160.5.200";
    router.ethernet0.subnetMask = "255.255.255.0";
    EXPECT_EQ(checkOverlap(router, "192.160.5.9", "255.255.255.0", Interface::serial1),
              "192.160.5.0 overlaps with Ethernet0");
    EXPECT_EQ(checkOverlap(router, "192.160.5.9", "255.255.255.0", Interface::ethernet0),
              "192.160.5.0 overlaps with Serial 0");

    // A mask left behind without an address must not count as a network.
    router.serial1.subnetMask = "0.0.0.0";
    EXPECT_EQ(checkOverlap(router, "0.0.0.1", "0.0.0.0", Interface::ethernet0), "ok");
    router.serial1.ipAddress = "10.0.0.1";
    router.serial1.subnetMask = "255.0.0.0";
    EXPECT_EQ(checkOverlap(router, "10.9.9.9", "255.0.0.0", Interface::serial0),
              "10.0.0.0 overlaps with Serial 1");
}
