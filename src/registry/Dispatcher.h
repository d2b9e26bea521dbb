// The command dispatcher: the first word of a line picks a command row, the
// mode picks its handler.
#pragma once

#include "console/LineHelpers.h"
#include "registry/CommandRow.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestro {

class Simulator;

void dispatchCommand(Simulator& sim, const std::string& line);

// The column, counted from the start of the prompt, of the first word of
// `line` that no command of the current mode takes there: where the "^" of
// the invalid-input message goes.
std::size_t invalidInputColumn(Simulator& sim, std::string_view line);

// Every subsystem's command rows, in the order the dispatcher indexes them.
// The registry includes no subsystem: this list is assembled above them all
// (assembly/Commands.cpp) and reached at link time.
const std::vector<const std::vector<CommandRow>*>& commandLists();

// Every command row the dispatcher reads (see console/CommandRow.h).
std::vector<const CommandRow*> commandRows();
// The row of a first word, full or short form; none for any other word.
const CommandRow* commandRowFor(std::string_view word);

// Derived from the rows: the first words the dispatcher carries out, each
// with the modes in which it does (elsewhere it answers with a shared
// message or does nothing). The command tables mark exactly these as
// implemented.
struct HandledCommand {
    const char* word;
    std::vector<Mode> modes;
};
const std::vector<HandledCommand>& handledCommands();
// The short forms the rows accept besides full words ("en", "sh", "int",
// "conf" ... "configur").
bool isAcceptedAbbreviation(std::string_view word);

} // namespace kestro
