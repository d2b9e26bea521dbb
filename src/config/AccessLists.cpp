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

// A line's form: what it adds and which words hold the address and the
// wildcard.
struct LineForm {
    AccessListType type;
    Operands operands;
};

const LineForm lineForms[] = {
    {denyAny, Operands::any},
    {permitAny, Operands::any},
    {permitHost, Operands::host},
    {denyHost, Operands::host},
    {permitHost, Operands::address},
    {denyHost, Operands::address},
    {permitWildcard, Operands::wildcard},
    {denyWildcard, Operands::wildcard},
};

// The entry of a line that took the form with this index: the host forms
// come before the wildcard forms, and an address alone is a host, as the
// configuration listing prints it. Any dotted quad is taken as a wildcard;
// nothing checks that its bits are contiguous or agree with the address.
accessListInfo entryOf(const LineForm& form, const std::vector<std::string>& words) {
    accessListInfo entry;
    entry.number = static_cast<int>(numberValue(words[1]));
    entry.typeOfList = form.type;
    entry.wildCard = "0.0.0.0";
    if (form.operands == Operands::host)
        entry.ipAddress = words[4];
    else if (form.operands != Operands::any)
        entry.ipAddress = words[3];
    if (form.operands == Operands::wildcard)
        entry.wildCard = words[4];
    return entry;
}

void accessListCommand(const CommandContext& c) {
    const accessListInfo entry = entryOf(lineForms[c.form], c.words);
    std::vector<accessListInfo>& lists = c.sim.liveRouter.accessLists;
    // A line already in the list is not added twice, and not reported.
    if (std::find(lists.begin(), lists.end(), entry) == lists.end())
        lists.push_back(entry);
}

} // namespace

ModeHandler accessListInConfiguration() {
    // The form's id is its place in lineForms.
    return {Mode::conf,
            accessListCommand,
            {{{"access-list <1-99> deny any", 0},
              {"access-list <1-99> permit any", 1},
              {"access-list <1-99> permit host A.B.C.D", 2},
              {"access-list <1-99> deny host A.B.C.D", 3},
              {"access-list <1-99> permit A.B.C.D", 4},
              {"access-list <1-99> deny A.B.C.D", 5},
              {"access-list <1-99> permit A.B.C.D A.B.C.D", 6},
              {"access-list <1-99> deny A.B.C.D A.B.C.D", 7}}}};
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
