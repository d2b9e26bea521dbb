// The copy command and its questions.
#pragma once

#include "registry/CommandRow.h"

#include <string>
#include <vector>

namespace kestro {

class Simulator;

// An answer to the open copy question (the whole input line).
void copyQuestion(Simulator& sim, const std::string& line);

const std::vector<CommandRow>& copyCommands();

} // namespace kestro
