// The standard access lists 1-99: adding a line with access-list, and
// removing a whole list for the no form of the global configuration mode.
// All lines of all lists live in one ordered list; a list is the entries
// with its number, in the order they were typed.
#include "config/ConfigCommands.h"

#include "Simulator.h"
#include "console/LineHelpers.h"
#include "records/AddressUtils.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace kestro {

namespace {

bool isListNumber(std::string_view text) {
    return isNumberInRange(text, 1, 99);
}

enum class Operands { any, host, address, wildcard };

struct LineForm {
    const char* pattern;
    AccessListType type;
    Operands operands;
};

// Tried in this order: the host forms come before the wildcard forms, whose
// two variables would also accept "host" and an address. An address alone
// is a host, as the configuration listing prints it.
const LineForm lineForms[] = {
    {"access-list variable deny any", denyAny, Operands::any},
    {"access-list variable permit any", permitAny, Operands::any},
    {"access-list variable permit host variable", permitHost, Operands::host},
    {"access-list variable deny host variable", denyHost, Operands::host},
    {"access-list variable permit variable", permitHost, Operands::address},
    {"access-list variable deny variable", denyHost, Operands::address},
    {"access-list variable permit variable variable", permitWildcard, Operands::wildcard},
    {"access-list variable deny variable variable", denyWildcard, Operands::wildcard},
};

// The entry a wholly matching line stands for; false when an address or
// wildcard is not a dotted quad.
bool buildEntry(const LineForm& form, const std::vector<std::string>& words,
                accessListInfo& entry) {
    entry.number = static_cast<int>(numberValue(words[1]));
    entry.typeOfList = form.type;
    entry.wildCard = "0.0.0.0";
    switch (form.operands) {
    case Operands::any:
        return true;
    case Operands::host:
        entry.ipAddress = words[4];
        return isValidIpAddress(entry.ipAddress);
    case Operands::address:
        entry.ipAddress = words[3];
        return isValidIpAddress(entry.ipAddress);
    case Operands::wildcard:
        // Any dotted quad is taken as a wildcard; nothing checks that its
        // bits are contiguous or agree with the address.
        entry.ipAddress = words[3];
        entry.wildCard = words[4];
        return isValidIpAddress(entry.ipAddress) && isValidIpAddress(entry.wildCard);
    }
    return false;
}

// The message for a line no form handled.
void rejectLine(Simulator& sim, const std::string& line, const std::vector<std::string>& words) {
    const bool numberOk = words.size() >= 2 && isListNumber(words[1]);
    const auto shortOf = [&](const char* pattern) {
        return matchPattern(sim, line, pattern) == patternIncomplete;
    };
    if (numberOk &&
        (shortOf("access-list variable permit host variable") ||
         shortOf("access-list variable deny host variable") ||
         shortOf("access-list variable permit any") || shortOf("access-list variable deny any"))) {
        printIncompleteCommand(sim);
        return;
    }
    if (shortOf("access-list variable permit variable variable") ||
        shortOf("access-list variable deny variable variable")) {
        const bool incomplete = words.size() == 1 || (words.size() <= 3 && numberOk) ||
                                (words.size() == 4 && numberOk && isValidIpAddress(words[3]));
        if (incomplete) {
            printIncompleteCommand(sim);
            return;
        }
    }
    printInvalidInput(sim);
}

} // namespace

void processAccessList(Simulator& sim, const std::string& line) {
    const std::vector<std::string> words = splitWords(normaliseLine(sim, line));
    for (const LineForm& form : lineForms) {
        if (matchPattern(sim, line, form.pattern) != patternMatch || !isListNumber(words[1]))
            continue;
        // "host" or "any" alone is the start of another form.
        if (form.operands == Operands::address && (words[3] == "host" || words[3] == "any"))
            continue;
        accessListInfo entry;
        if (!buildEntry(form, words, entry)) {
            // A bad address or wildcard is refused aloud, never dropped in
            // silence: the student must not believe the line was taken.
            printInvalidInput(sim);
            return;
        }
        std::vector<accessListInfo>& lists = sim.liveRouter.accessLists;
        // A line already in the list is not added twice, and not reported.
        if (std::find(lists.begin(), lists.end(), entry) == lists.end())
            lists.push_back(entry);
        return;
    }
    rejectLine(sim, line, words);
}

bool removeAccessList(Simulator& sim, const std::string& number) {
    if (!isListNumber(number))
        return false;
    const int list = static_cast<int>(numberValue(number));
    std::erase_if(sim.liveRouter.accessLists,
                  [list](const accessListInfo& e) { return e.number == list; });
    return true;
}

} // namespace kestro
