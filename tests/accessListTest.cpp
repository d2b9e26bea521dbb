// Standard access lists: the six line forms, the messages of a line no form
// takes, duplicates, entry order, and removing a whole list.
#include "ConsoleFixture.h"

namespace kestro::testing {
namespace {

class AccessList : public ConsoleTest {
protected:
    AccessList() { toConfiguration(); }

    const std::vector<accessListInfo>& entries() { return router().accessLists; }

    // The list numbers of all entries, in entry order.
    std::vector<int> numbers() {
        std::vector<int> out;
        for (const accessListInfo& e : entries())
            out.push_back(e.number);
        return out;
    }
};

accessListInfo entry(int type, const std::string& address, const std::string& wildcard,
                     int number) {
    return accessListInfo{type, address, wildcard, number};
}

// --- the six forms -----------------------------------------------------------

TEST_F(AccessList, EachFormStoresItsKindAddressAndWildcard) {
    const std::pair<const char*, accessListInfo> forms[] = {
        {"access-list 1 deny any", entry(denyAny, "", "0.0.0.0", 1)},
        {"access-list 2 permit any", entry(permitAny, "", "0.0.0.0", 2)},
        {"access-list 3 permit host 10.1.1.1", entry(permitHost, "10.1.1.1", "0.0.0.0", 3)},
        {"access-list 4 deny host 10.1.1.2", entry(denyHost, "10.1.1.2", "0.0.0.0", 4)},
        {"access-list 5 permit 10.0.0.0 0.255.255.255",
         entry(permitWildcard, "10.0.0.0", "0.255.255.255", 5)},
        {"access-list 99 deny 172.16.0.0 0.0.255.255",
         entry(denyWildcard, "172.16.0.0", "0.0.255.255", 99)},
    };
    for (const auto& [line, expected] : forms) {
        router().accessLists.clear();
        EXPECT_EQ(outputOf(line), "") << line;
        ASSERT_EQ(entries().size(), 1u) << line;
        EXPECT_EQ(entries()[0], expected) << line;
    }
}

TEST_F(AccessList, AnyWildcardDottedQuadIsTakenAsTyped) {
    // Neither contiguity nor agreement with the address is checked.
    EXPECT_EQ(outputOf("access-list 5 permit 10.1.0.0 0.255.0.255"), "");
    EXPECT_EQ(outputOf("access-list 5 deny 10.1.1.1 255.255.255.255"), "");
    ASSERT_EQ(entries().size(), 2u);
    EXPECT_EQ(entries()[0], entry(permitWildcard, "10.1.0.0", "0.255.0.255", 5));
    EXPECT_EQ(entries()[1], entry(denyWildcard, "10.1.1.1", "255.255.255.255", 5));
}

TEST_F(AccessList, ListNumberIsStoredAsAWholeNumber) {
    EXPECT_EQ(outputOf("access-list 05 permit any"), "");
    // The same line under its plain number is a duplicate.
    EXPECT_EQ(outputOf("access-list 5 permit any"), "");
    EXPECT_EQ(numbers(), (std::vector<int>{5}));
}

// --- duplicates and order ----------------------------------------------------

TEST_F(AccessList, DuplicateLineIsDroppedSilently) {
    EXPECT_EQ(outputOf("access-list 1 permit any"), "");
    EXPECT_EQ(outputOf("access-list 1 permit any"), "");
    EXPECT_EQ(entries().size(), 1u);
}

TEST_F(AccessList, OnlyAnIdenticalLineInTheSameListIsADuplicate) {
    type("access-list 1 permit 10.0.0.0 0.0.0.255");
    type("access-list 2 permit 10.0.0.0 0.0.0.255");   // other list
    type("access-list 1 permit 10.0.0.0 0.0.255.255"); // other wildcard
    type("access-list 1 deny 10.0.0.0 0.0.0.255");     // other kind
    type("access-list 1 permit 10.0.0.1 0.0.0.255");   // other address
    type("access-list 1 permit host 10.0.0.1");
    type("access-list 1 permit 10.0.0.0 0.0.0.255"); // the first line again
    EXPECT_EQ(entries().size(), 6u);
}

TEST_F(AccessList, EntriesKeepTheOrderTheyWereTyped) {
    type("access-list 1 deny host 10.1.1.1");
    type("access-list 2 permit any");
    type("access-list 1 permit any");
    type("access-list 1 deny host 10.1.1.9");
    ASSERT_EQ(entries().size(), 4u);
    EXPECT_EQ(entries()[0], entry(denyHost, "10.1.1.1", "0.0.0.0", 1));
    EXPECT_EQ(entries()[1], entry(permitAny, "", "0.0.0.0", 2));
    // A permit any does not move behind later lines of its list.
    EXPECT_EQ(entries()[2], entry(permitAny, "", "0.0.0.0", 1));
    EXPECT_EQ(entries()[3], entry(denyHost, "10.1.1.9", "0.0.0.0", 1));
}

// --- invalid values are refused aloud ----------------------------------------

TEST_F(AccessList, InvalidWildcardOrAddressIsInvalidInputInBothWildcardForms) {
    EXPECT_EQ(outputOf("access-list 5 permit 10.0.0.0 0.255.255.256"), invalidInput);
    EXPECT_EQ(outputOf("access-list 5 deny 10.0.0.0 0.255.255.256"), invalidInput);
    EXPECT_EQ(outputOf("access-list 5 permit 10.0.0.256 0.0.0.255"), invalidInput);
    EXPECT_EQ(outputOf("access-list 5 deny 10.0.0 0.0.0.255"), invalidInput);
    EXPECT_EQ(outputOf("access-list 5 permit any any"), invalidInput);
    EXPECT_TRUE(entries().empty());
}

TEST_F(AccessList, InvalidHostAddressIsInvalidInputInBothHostForms) {
    EXPECT_EQ(outputOf("access-list 7 deny host 300.1.1.1"), invalidInput);
    EXPECT_EQ(outputOf("access-list 7 permit host 1.2.3"), invalidInput);
    EXPECT_EQ(outputOf("access-list 7 permit host host"), invalidInput);
    EXPECT_TRUE(entries().empty());
}

// --- lines no form takes ------------------------------------------------------

TEST_F(AccessList, NumberOutOfRangeOrUnknownWordsAreInvalidInput) {
    EXPECT_EQ(outputOf("access-list 100 permit any"), invalidInput);
    EXPECT_EQ(outputOf("access-list 0 deny any"), invalidInput);
    EXPECT_EQ(outputOf("access-list abc permit any"), invalidInput);
    EXPECT_EQ(outputOf("access-list 100 deny host 10.1.1.1"), invalidInput);
    EXPECT_EQ(outputOf("access-list 100 permit 10.0.0.0 0.0.0.255"), invalidInput);
    EXPECT_EQ(outputOf("access-list 5 allow any"), invalidInput);
    EXPECT_EQ(outputOf("access-list 5 permit 10.0.0.0 0.0.0.255 log"), invalidInput);
    EXPECT_TRUE(entries().empty());
}

TEST_F(AccessList, ShortLinesAreIncompleteOnlyWithAValidNumber) {
    EXPECT_EQ(outputOf("access-list"), incompleteCommand);
    EXPECT_EQ(outputOf("access-list 5"), incompleteCommand);
    EXPECT_EQ(outputOf("access-list 5 permit"), incompleteCommand);
    EXPECT_EQ(outputOf("access-list 5 deny"), incompleteCommand);
    EXPECT_EQ(outputOf("access-list 5 permit host"), incompleteCommand);
    EXPECT_EQ(outputOf("access-list 5 deny host"), incompleteCommand);
    EXPECT_EQ(outputOf("access-list 500"), invalidInput);
    EXPECT_EQ(outputOf("access-list 500 permit"), invalidInput);
    EXPECT_EQ(outputOf("access-list 500 permit host"), invalidInput);
    EXPECT_TRUE(entries().empty());
}

TEST_F(AccessList, AddressWithoutWildcardIsAHostAsTheListingPrintsIt) {
    EXPECT_EQ(outputOf("access-list 5 permit 10.0.0.0"), "");
    EXPECT_EQ(outputOf("access-list 5 deny 10.0.0.1"), "");
    EXPECT_EQ(outputOf("access-list 5 permit 10.0.0"), invalidInput);
    EXPECT_EQ(outputOf("access-list 100 permit 10.0.0.0"), invalidInput);
    EXPECT_EQ(entries(), (std::vector<accessListInfo>{{permitHost, "10.0.0.0", "0.0.0.0", 5},
                                                      {denyHost, "10.0.0.1", "0.0.0.0", 5}}));
}

// --- removing a list ------------------------------------------------------------

TEST_F(AccessList, NoAccessListRemovesEveryLineOfOneList) {
    type("access-list 4 permit any");
    type("access-list 5 deny host 10.0.0.1");
    type("access-list 6 deny any");
    type("access-list 5 permit any");
    type("access-list 5 deny 10.0.0.0 0.0.0.255");
    type("access-list 4 deny host 10.0.0.2");
    EXPECT_EQ(outputOf("no access-list 5"), "");
    EXPECT_EQ(numbers(), (std::vector<int>{4, 6, 4}));
    EXPECT_EQ(entries()[2], entry(denyHost, "10.0.0.2", "0.0.0.0", 4));
    // A list with no lines left: nothing happens, nothing is printed.
    EXPECT_EQ(outputOf("no access-list 5"), "");
    EXPECT_EQ(outputOf("no access-list 06"), "");
    EXPECT_EQ(numbers(), (std::vector<int>{4, 4}));
}

TEST_F(AccessList, NoAccessListNeedsOneNumberInRange) {
    type("access-list 1 permit any");
    EXPECT_EQ(outputOf("no access-list 0"), invalidInput);
    EXPECT_EQ(outputOf("no access-list 100"), invalidInput);
    EXPECT_EQ(outputOf("no access-list one"), invalidInput);
    EXPECT_EQ(outputOf("no access-list 1 permit any"), invalidInput);
    EXPECT_EQ(outputOf("no access-list"), incompleteCommand);
    EXPECT_EQ(entries().size(), 1u);
}

} // namespace
} // namespace kestro::testing
