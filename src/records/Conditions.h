// Declarative conditions over a router's configuration, the one way the
// content says "the configuration must hold X". A condition is one or more
// terms joined by "and":
//   FIELD = VALUE     the field holds exactly VALUE (a number, yes/no, or a
//                     text in double quotes)
//   FIELD is "TEXT"   a text field holds TEXT, blanks around it and upper or
//                     lower case not counting
//   FIELD / not FIELD a yes/no field is set / is not set
// Fields are routerConfig's names; an interface's are prefixed with it, as
// in serial0.clockRate.
#pragma once

#include "records/RouterState.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestro {

struct ConditionTerm {
    enum class Test { equals, textIs, set, notSet };
    std::string field;
    Test test = Test::set;
    std::string value; // as written, quotes removed
};

struct ConfigCondition {
    std::vector<ConditionTerm> terms;
};

// The condition written in `text`; empty with a message in `error` for an
// unknown field, a value of the wrong kind or a term that cannot be read.
std::optional<ConfigCondition> parseCondition(std::string_view text, std::string& error);

// Whether the configuration meets every term.
bool conditionHolds(const ConfigCondition& condition, const routerConfig& router);

} // namespace kestro
