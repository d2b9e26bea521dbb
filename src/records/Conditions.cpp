#include "records/Conditions.h"

#include "records/Text.h"

#include <functional>
#include <map>
#include <variant>

namespace kestro {

namespace {

using FieldValue = std::variant<long, bool, std::string>;
using Getter = std::function<FieldValue(const routerConfig&)>;

// Flags stay flags, every whole number compares as a long, the rest as text.
template <typename Value> FieldValue fieldValue(const Value& v) {
    if constexpr (std::is_same_v<Value, bool>)
        return v;
    else if constexpr (std::is_integral_v<Value>)
        return static_cast<long>(v);
    else
        return std::string(v);
}

template <typename Member> Getter field(Member routerConfig::*member) {
    return [member](const routerConfig& r) { return fieldValue(r.*member); };
}

template <typename Member>
Getter interfaceField(interfaceConfig routerConfig::*which, Member interfaceConfig::*member) {
    return [which, member](const routerConfig& r) { return fieldValue((r.*which).*member); };
}

const std::map<std::string, Getter, std::less<>>& fields() {
    static const std::map<std::string, Getter, std::less<>> all = [] {
        std::map<std::string, Getter, std::less<>> f = {
            {"historySize", field(&routerConfig::historySize)},
            {"hostname", field(&routerConfig::hostname)},
            {"enableSecret", field(&routerConfig::enableSecret)},
            {"enablePassword", field(&routerConfig::enablePassword)},
            {"motdBanner", field(&routerConfig::motdBanner)},
            {"execBanner", field(&routerConfig::execBanner)},
            {"loginBanner", field(&routerConfig::loginBanner)},
            {"auxLogin", field(&routerConfig::auxLogin)},
            {"consoleLogin", field(&routerConfig::consoleLogin)},
            {"vtyLogin", field(&routerConfig::vtyLogin)},
            {"auxPassword", field(&routerConfig::auxPassword)},
            {"consolePassword", field(&routerConfig::consolePassword)},
            {"vtyPassword", field(&routerConfig::vtyPassword)},
            {"domainLookup", field(&routerConfig::domainLookup)},
            {"domainName", field(&routerConfig::domainName)},
            {"httpServer", field(&routerConfig::httpServer)},
            {"auxExecTimeoutMinutes", field(&routerConfig::auxExecTimeoutMinutes)},
            {"auxExecTimeoutSeconds", field(&routerConfig::auxExecTimeoutSeconds)},
            {"consoleExecTimeoutMinutes", field(&routerConfig::consoleExecTimeoutMinutes)},
            {"consoleExecTimeoutSeconds", field(&routerConfig::consoleExecTimeoutSeconds)},
            {"vtyExecTimeoutMinutes", field(&routerConfig::vtyExecTimeoutMinutes)},
            {"vtyExecTimeoutSeconds", field(&routerConfig::vtyExecTimeoutSeconds)},
            {"cdpRun", field(&routerConfig::cdpRun)},
            {"cdpTimer", field(&routerConfig::cdpTimer)},
            {"cdpHoldtime", field(&routerConfig::cdpHoldtime)},
            {"ripConfigured", field(&routerConfig::ripConfigured)},
            {"igrpConfigured", field(&routerConfig::igrpConfigured)},
            {"ipRouting", field(&routerConfig::ipRouting)},
        };
        const std::pair<const char*, interfaceConfig routerConfig::*> interfaces[] = {
            {"serial0", &routerConfig::serial0},
            {"serial1", &routerConfig::serial1},
            {"ethernet0", &routerConfig::ethernet0}};
        for (const auto& [name, which] : interfaces) {
            const std::string p = std::string(name) + ".";
            f.emplace(p + "shutdown", interfaceField(which, &interfaceConfig::shutdown));
            f.emplace(p + "bandwidth", interfaceField(which, &interfaceConfig::bandwidth));
            f.emplace(p + "clockRate", interfaceField(which, &interfaceConfig::clockRate));
            f.emplace(p + "description", interfaceField(which, &interfaceConfig::description));
            f.emplace(p + "keepalive", interfaceField(which, &interfaceConfig::keepalive));
            f.emplace(p + "cdpEnable", interfaceField(which, &interfaceConfig::cdpEnable));
            f.emplace(p + "ipAddress", interfaceField(which, &interfaceConfig::ipAddress));
            f.emplace(p + "subnetMask", interfaceField(which, &interfaceConfig::subnetMask));
            f.emplace(p + "accessGroupOut",
                      interfaceField(which, &interfaceConfig::accessGroupOut));
            f.emplace(p + "accessGroupIn", interfaceField(which, &interfaceConfig::accessGroupIn));
        }
        return f;
    }();
    return all;
}

// The words of a condition; a text in double quotes is one word, kept with
// its quotes so a value can tell a text from a number.
std::optional<std::vector<std::string>> tokens(std::string_view text, std::string& error) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
        } else if (text[i] == '"') {
            const std::size_t close = text.find('"', i + 1);
            if (close == std::string_view::npos) {
                error = "a text has no closing quote";
                return std::nullopt;
            }
            out.emplace_back(text.substr(i, close - i + 1));
            i = close + 1;
        } else {
            const std::size_t end = std::min(text.find(' ', i), text.size());
            out.emplace_back(text.substr(i, end - i));
            i = end;
        }
    }
    return out;
}

bool isNumber(std::string_view word) {
    if (word.starts_with('-'))
        word.remove_prefix(1);
    return !word.empty() && word.find_first_not_of("0123456789") == std::string_view::npos;
}

// Whether `value` (as written) fits the kind of the field's value.
bool fits(const FieldValue& kind, const std::string& value, bool quoted) {
    if (std::holds_alternative<std::string>(kind))
        return quoted;
    if (std::holds_alternative<bool>(kind))
        return !quoted && (value == "yes" || value == "no");
    return !quoted && isNumber(value);
}

// Reads "= value" or "is value" at words[i] into the term, moving i past
// it. False, with the error, when the value is missing or the field cannot
// hold it.
bool readComparison(const std::vector<std::string>& words, std::size_t& i, const FieldValue& kind,
                    ConditionTerm& term, std::string& error) {
    term.test = words[i] == "=" ? ConditionTerm::Test::equals : ConditionTerm::Test::textIs;
    if (++i >= words.size()) {
        error = "\"" + term.field + "\" is compared with nothing";
        return false;
    }
    std::string value = words[i++];
    const bool quoted = value.size() >= 2 && value.front() == '"';
    if (quoted)
        value = value.substr(1, value.size() - 2);
    const bool textOnly = term.test == ConditionTerm::Test::textIs;
    if (!fits(kind, value, quoted) || (textOnly && !std::holds_alternative<std::string>(kind))) {
        error = "\"" + term.field + "\" cannot hold " + words[i - 1];
        return false;
    }
    term.value = value;
    return true;
}

} // namespace

std::optional<ConfigCondition> parseCondition(std::string_view text, std::string& error) {
    auto words = tokens(text, error);
    if (!words)
        return std::nullopt;
    ConfigCondition c;
    const routerConfig sample;
    std::size_t i = 0;
    while (true) {
        if (i >= words->size()) {
            error = "a condition term is missing";
            return std::nullopt;
        }
        ConditionTerm term;
        if ((*words)[i] == "not") {
            term.test = ConditionTerm::Test::notSet;
            ++i;
            if (i >= words->size()) {
                error = "\"not\" names no field";
                return std::nullopt;
            }
        }
        term.field = (*words)[i++];
        const auto found = fields().find(term.field);
        if (found == fields().end()) {
            error = "unknown field \"" + term.field + "\"";
            return std::nullopt;
        }
        const FieldValue kind = found->second(sample);
        const bool comparing = term.test != ConditionTerm::Test::notSet && i < words->size() &&
                               ((*words)[i] == "=" || (*words)[i] == "is");
        if (comparing) {
            if (!readComparison(*words, i, kind, term, error))
                return std::nullopt;
        } else if (!std::holds_alternative<bool>(kind)) {
            error = "\"" + term.field + "\" is not a yes/no field: compare it with a value";
            return std::nullopt;
        }
        c.terms.push_back(std::move(term));
        if (i == words->size())
            return c;
        if ((*words)[i] != "and") {
            error = "\"and\" expected before \"" + (*words)[i] + "\"";
            return std::nullopt;
        }
        ++i;
    }
}

bool conditionHolds(const ConfigCondition& condition, const routerConfig& router) {
    for (const ConditionTerm& term : condition.terms) {
        const auto found = fields().find(term.field);
        if (found == fields().end())
            return false;
        const FieldValue v = found->second(router);
        bool holds = false;
        switch (term.test) {
        case ConditionTerm::Test::set:
            holds = std::get<bool>(v);
            break;
        case ConditionTerm::Test::notSet:
            holds = !std::get<bool>(v);
            break;
        case ConditionTerm::Test::textIs:
            holds = toLowerAscii(trimBlanks(std::get<std::string>(v))) ==
                    toLowerAscii(trimBlanks(term.value));
            break;
        case ConditionTerm::Test::equals:
            if (const auto* s = std::get_if<std::string>(&v))
                holds = *s == term.value;
            else if (const auto* b = std::get_if<bool>(&v))
                holds = *b == (term.value == "yes");
            else
                holds = std::to_string(std::get<long>(v)) == term.value;
            break;
        }
        if (!holds)
            return false;
    }
    return true;
}

} // namespace kestro
