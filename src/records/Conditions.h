// Declarative conditions, the one way the content says "the configuration
// must hold X" (the tests' grading checks) and "this step is done" (the
// activities' checklists). A condition is one or more terms joined by "and";
// "not" before a term turns it round:
//   FIELD = VALUE     the field holds exactly VALUE (a number, yes/no, or a
//                     text in double quotes)
//   FIELD is "TEXT"   a text field holds TEXT, blanks around it and upper or
//                     lower case not counting
//   FIELD             a yes/no field is set
//   FIELD has VALUE   a list field (ripNetworks, accessLists...) holds VALUE
//   ping from ROUTER to ADDRESS succeeds
//                     the topology's rules let a ping through now
//   ran "COMMAND" [successfully] [on ROUTER] [after CONDITION]
//                     the command was run in this session (on that router),
//                     a ping with success, while CONDITION held; "after"
//                     takes the rest of the condition, so it comes last
// Fields are routerConfig's names; an interface's are prefixed with it, as
// in serial0.clockRate. A field is RouterA's (the only router outside the
// two-router exercises) unless prefixed with "RouterB." or "either." (it
// holds on one of the two).
#pragma once

#include "records/RouterState.h"
#include "records/SessionFacts.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestro {

struct FieldInfo; // a field's name, kind, reader and writer (Conditions.cpp)

enum class RouterChoice { a, b, either };

struct ConditionTerm {
    enum class Kind { field, ping, ran };
    enum class Test { equals, textIs, set, has };
    Kind kind = Kind::field;
    bool negated = false; // written with "not" before it
    // field terms
    RouterChoice router = RouterChoice::a;
    std::string field;
    const FieldInfo* info = nullptr;
    Test test = Test::set;
    std::string value; // as written, quotes removed
    // ping terms: from `from` to `value`
    RouterId from = RouterId::a;
    // ran terms
    std::string command;
    bool successfully = false;
    std::optional<RouterId> on;
    std::vector<ConditionTerm> after; // every one must have held
};

struct ConfigCondition {
    std::vector<ConditionTerm> terms;
};

struct ConditionOptions {
    // Only terms over the configuration: what a graded test may check.
    bool configurationOnly = false;
    // The activity has RouterB; without it a term about RouterB can never hold.
    bool twoRouters = false;
    // The commands a "ran" term may name; null accepts any. A show command
    // must be one of them as a whole, any other its first word.
    const std::function<bool(std::string_view command)>* knownCommand = nullptr;
};

// The condition written in `text`; empty with a message in `error` for an
// unknown field, a value of the wrong kind, a term that cannot be read or a
// condition that can never be met (a value the field never holds, two terms
// that contradict each other, a command the session never records).
std::optional<ConfigCondition> parseCondition(std::string_view text, std::string& error,
                                              const ConditionOptions& options = {});

// What a condition is evaluated over: the routers' configurations (RouterB
// null outside the two-router exercises), what the session has done, and
// the topology's answer to "would a ping from this router to that address
// succeed now".
struct ConditionWorld {
    const routerConfig* routerA = nullptr;
    const routerConfig* routerB = nullptr;
    const SessionFacts* facts = nullptr;
    std::function<bool(RouterId from, const std::string& address)> pingSucceeds;
};

bool conditionHolds(const ConfigCondition& condition, const ConditionWorld& world);
// Over one router's configuration alone (a test's checks).
bool conditionHolds(const ConfigCondition& condition, const routerConfig& router);

// For a report or a checklist: what the unmet terms' fields hold, and what
// the condition asks of them, each as a configuration line would say it
// (e.g. "exec-timeout 30 0" and "exec-timeout 22 33"). Empty texts when
// every field term holds or the condition has no field terms.
struct FoundExpected {
    std::string found;
    std::string expected;
};
FoundExpected foundAndExpected(const ConfigCondition& condition, const ConditionWorld& world);

// The text of an unmet term that is not about a field (a ping, a command
// run), for a checklist's "Found" line; empty when none is unmet.
std::string unmetActivity(const ConfigCondition& condition, const ConditionWorld& world);

// A command as the session records it matches a command as a condition
// writes it: the same words, case not counting, where a typed word may be
// the start of the written one ("conf t" is "configure terminal").
bool commandMatches(std::string_view recorded, std::string_view written);

} // namespace kestro
