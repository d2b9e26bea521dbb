#include "records/Conditions.h"

#include "records/AddressUtils.h"
#include "records/Text.h"

#include <algorithm>
#include <map>
#include <variant>

namespace kestro {

using FieldValue = std::variant<long, bool, std::string>;

struct FieldInfo {
    enum class Kind { number, flag, text, list };
    Kind kind = Kind::text;
    std::function<FieldValue(const routerConfig&)> get;
    std::function<std::vector<std::string>(const routerConfig&)> items; // lists
    // Writes a value as a condition writes it (lists: adds an item).
    std::function<void(routerConfig&, const std::string&)> set;
    // The field as a configuration line says it: "exec-timeout 30 0".
    std::function<std::string(const routerConfig&)> phrase;
    long least = 0, most = 0; // numbers
    enum class Format { any, address, mask } format = Format::any;
};

namespace {

// Flags stay flags, every whole number compares as a long, the rest as text.
template <typename Value> FieldValue fieldValue(const Value& v) {
    if constexpr (std::is_same_v<Value, bool>)
        return v;
    else if constexpr (std::is_integral_v<Value>)
        return static_cast<long>(v);
    else
        return std::string(v);
}

template <typename Value> void assign(Value& target, const std::string& text) {
    if constexpr (std::is_same_v<Value, bool>)
        target = text == "yes";
    else if constexpr (std::is_integral_v<Value>)
        target = static_cast<Value>(std::stol(text));
    else
        target = text;
}

template <typename Value> FieldInfo::Kind kindOf() {
    if constexpr (std::is_same_v<Value, bool>)
        return FieldInfo::Kind::flag;
    else if constexpr (std::is_integral_v<Value>)
        return FieldInfo::Kind::number;
    else
        return FieldInfo::Kind::text;
}

using Phrase = std::function<std::string(const routerConfig&)>;

// A field reached through `at` (the router itself or one of its interfaces).
template <typename Holder, typename Value>
FieldInfo scalar(Holder& (*at)(routerConfig&), const Holder& (*atConst)(const routerConfig&),
                 Value Holder::*member, Phrase phrase, long least = 0, long most = 0) {
    FieldInfo f;
    f.kind = kindOf<Value>();
    f.get = [atConst, member](const routerConfig& r) { return fieldValue(atConst(r).*member); };
    f.set = [at, member](routerConfig& r, const std::string& v) { assign(at(r).*member, v); };
    f.phrase = std::move(phrase);
    f.least = least;
    f.most = most;
    return f;
}

routerConfig& self(routerConfig& r) {
    return r;
}
const routerConfig& selfConst(const routerConfig& r) {
    return r;
}

template <typename Value>
FieldInfo global(Value routerConfig::*member, Phrase phrase, long least = 0, long most = 0) {
    return scalar<routerConfig, Value>(self, selfConst, member, std::move(phrase), least, most);
}

// "word value", or "no word" while the text is empty.
Phrase textPhrase(std::string routerConfig::*member, std::string word) {
    return [member, word](const routerConfig& r) {
        return (r.*member).empty() ? "no " + word : word + " " + r.*member;
    };
}

Phrase flagPhrase(bool routerConfig::*member, std::string word) {
    return [member, word](const routerConfig& r) { return (r.*member ? "" : "no ") + word; };
}

Phrase numberPhrase(std::string word, std::function<long(const routerConfig&)> get) {
    return [word, get](const routerConfig& r) { return word + " " + std::to_string(get(r)); };
}

Phrase timeoutPhrase(long routerConfig::*minutes, long routerConfig::*seconds) {
    return [minutes, seconds](const routerConfig& r) {
        return "exec-timeout " + std::to_string(r.*minutes) + " " + std::to_string(r.*seconds);
    };
}

std::string joined(const std::vector<std::string>& items, const std::string& each) {
    std::string out;
    for (const std::string& i : items)
        out += (out.empty() ? "" : ", ") + each + i;
    return out;
}

FieldInfo listField(std::function<std::vector<std::string>(const routerConfig&)> items,
                    std::function<void(routerConfig&, const std::string&)> add, std::string each,
                    std::string none, FieldInfo::Kind valueKind) {
    FieldInfo f;
    f.kind = FieldInfo::Kind::list;
    f.items = items;
    f.set = std::move(add);
    f.phrase = [items, each, none](const routerConfig& r) {
        const std::vector<std::string> all = items(r);
        return all.empty() ? none : joined(all, each);
    };
    // A list of numbers says so through its range.
    f.least = valueKind == FieldInfo::Kind::number ? 1 : 0;
    f.most = valueKind == FieldInfo::Kind::number ? 99 : 0;
    return f;
}

using FieldMap = std::map<std::string, FieldInfo, std::less<>>;

// One member of each entry of a list of the configuration.
template <auto list, auto member> std::vector<std::string> eachOf(const routerConfig& r) {
    std::vector<std::string> out;
    for (const auto& entry : r.*list)
        out.push_back(entry.*member);
    return out;
}

// A line's exec-timeout minutes and seconds ("auxExecTimeoutMinutes"...),
// both said as the one configuration line.
void addTimeoutFields(FieldMap& f, const std::string& line, long routerConfig::*minutes,
                      long routerConfig::*seconds) {
    f.emplace(line + "ExecTimeoutMinutes",
              global(minutes, timeoutPhrase(minutes, seconds), 0, 35791));
    f.emplace(line + "ExecTimeoutSeconds",
              global(seconds, timeoutPhrase(minutes, seconds), 0, 2147483));
}

using InterfacePhrase = std::string (*)(const interfaceConfig&);

// The fields of one interface, reached through `which`; each phrase is
// headed with the interface's name as a listing shows it ("Serial0: ").
class InterfaceFields {
public:
    InterfaceFields(FieldMap& f, const char* name, const char* shown,
                    interfaceConfig routerConfig::*which)
        : f_(f), prefix_(std::string(name) + "."), shown_(std::string(shown) + ": "),
          which_(which) {}

    template <typename Value>
    FieldInfo& add(const char* field, Value interfaceConfig::*member, InterfacePhrase phrase,
                   long least = 0, long most = 0) {
        const auto which = which_;
        FieldInfo i;
        i.kind = kindOf<Value>();
        i.get = [which, member](const routerConfig& r) { return fieldValue((r.*which).*member); };
        i.set = [which, member](routerConfig& r, const std::string& v) {
            assign((r.*which).*member, v);
        };
        i.phrase = [s = shown_, which, phrase](const routerConfig& r) {
            return s + phrase(r.*which);
        };
        i.least = least;
        i.most = most;
        return f_.emplace(prefix_ + field, std::move(i)).first->second;
    }

private:
    FieldMap& f_;
    std::string prefix_;
    std::string shown_;
    interfaceConfig routerConfig::*which_;
};

std::string addressPhrase(const interfaceConfig& i) {
    return i.ipAddress.empty() ? std::string("no ip address")
                               : "ip address " + i.ipAddress + " " + i.subnetMask;
}

template <int interfaceConfig::*list, const char* way>
std::string groupPhrase(const interfaceConfig& i) {
    const int n = i.*list;
    return n == 0 ? std::string("no ip access-group ") + way
                  : "ip access-group " + std::to_string(n) + " " + way;
}

constexpr char in[] = "in";
constexpr char out[] = "out";

void addInterfaceFields(FieldMap& f, const char* name, const char* shown,
                        interfaceConfig routerConfig::*which) {
    using I = interfaceConfig;
    InterfaceFields fields(f, name, shown, which);
    fields.add("shutdown", &I::shutdown,
               [](const I& i) { return std::string(i.shutdown ? "shutdown" : "no shutdown"); });
    fields.add(
        "bandwidth", &I::bandwidth,
        [](const I& i) { return "bandwidth " + std::to_string(i.bandwidth); }, 1, 10000000);
    fields.add(
        "clockRate", &I::clockRate,
        [](const I& i) {
            return i.clockRate == 0 ? std::string("no clock rate")
                                    : "clock rate " + std::to_string(i.clockRate);
        },
        0, 8000000);
    fields.add("description", &I::description, [](const I& i) {
        return i.description.empty() ? std::string("no description")
                                     : "description " + i.description;
    });
    fields.add(
        "keepalive", &I::keepalive,
        [](const I& i) { return "keepalive " + std::to_string(i.keepalive); }, 0, 32767);
    fields.add("cdpEnable", &I::cdpEnable, [](const I& i) {
        return std::string(i.cdpEnable ? "cdp enable" : "no cdp enable");
    });
    fields.add("ipAddress", &I::ipAddress, addressPhrase).format = FieldInfo::Format::address;
    fields.add("subnetMask", &I::subnetMask, addressPhrase).format = FieldInfo::Format::mask;
    fields.add("accessGroupOut", &I::accessGroupOut, groupPhrase<&I::accessGroupOut, out>, 0, 99);
    fields.add("accessGroupIn", &I::accessGroupIn, groupPhrase<&I::accessGroupIn, in>, 0, 99);
}

// The list fields: each entry's name as a condition writes it.
void addListFields(FieldMap& f) {
    using R = routerConfig;
    f.emplace("ripNetworks",
              listField([](const R& r) { return r.ripNetworks; },
                        [](R& r, const std::string& v) { r.ripNetworks.push_back(v); }, "network ",
                        "no RIP network", FieldInfo::Kind::text));
    f.emplace("igrpNetworks", listField(
                                  eachOf<&R::igrpNetworks, &asNetworkAssociation::networkAddress>,
                                  [](R& r, const std::string& v) {
                                      r.igrpNetworks.push_back({0, v});
                                  },
                                  "network ", "no IGRP network", FieldInfo::Kind::text));
    f.emplace("nameServers",
              listField([](const R& r) { return r.nameServers; },
                        [](R& r, const std::string& v) { r.nameServers.push_back(v); },
                        "ip name-server ", "no ip name-server", FieldInfo::Kind::text));
    f.emplace("hosts", listField(
                           eachOf<&R::hosts, &hostIpAssociation::hostName>,
                           [](R& r, const std::string& v) {
                               r.hosts.push_back({v, ""});
                           },
                           "ip host ", "no ip host", FieldInfo::Kind::text));
    f.emplace("accessLists", listField(
                                 [](const R& r) {
                                     std::vector<std::string> n;
                                     for (const accessListInfo& a : r.accessLists) {
                                         const std::string number = std::to_string(a.number);
                                         if (std::find(n.begin(), n.end(), number) == n.end())
                                             n.push_back(number);
                                     }
                                     return n;
                                 },
                                 [](R& r, const std::string& v) {
                                     accessListInfo a;
                                     a.number = std::stoi(v);
                                     r.accessLists.push_back(a);
                                 },
                                 "access-list ", "no access list", FieldInfo::Kind::number));
}

const FieldMap& fields() {
    static const FieldMap all = [] {
        using R = routerConfig;
        FieldMap f = {
            {"historySize",
             global(&R::historySize,
                    numberPhrase("history size", [](const R& r) { return r.historySize; }), 0,
                    256)},
            {"hostname", global(&R::hostname, textPhrase(&R::hostname, "hostname"))},
            {"enableSecret",
             global(&R::enableSecret, textPhrase(&R::enableSecret, "enable secret"))},
            {"enablePassword",
             global(&R::enablePassword, textPhrase(&R::enablePassword, "enable password"))},
            {"motdBanner", global(&R::motdBanner, textPhrase(&R::motdBanner, "banner motd"))},
            {"execBanner", global(&R::execBanner, textPhrase(&R::execBanner, "banner exec"))},
            {"loginBanner", global(&R::loginBanner, textPhrase(&R::loginBanner, "banner login"))},
            {"auxLogin", global(&R::auxLogin, flagPhrase(&R::auxLogin, "login"))},
            {"consoleLogin", global(&R::consoleLogin, flagPhrase(&R::consoleLogin, "login"))},
            {"vtyLogin", global(&R::vtyLogin, flagPhrase(&R::vtyLogin, "login"))},
            {"auxPassword", global(&R::auxPassword, textPhrase(&R::auxPassword, "password"))},
            {"consolePassword",
             global(&R::consolePassword, textPhrase(&R::consolePassword, "password"))},
            {"vtyPassword", global(&R::vtyPassword, textPhrase(&R::vtyPassword, "password"))},
            {"domainLookup",
             global(&R::domainLookup, flagPhrase(&R::domainLookup, "ip domain-lookup"))},
            {"domainName", global(&R::domainName, textPhrase(&R::domainName, "ip domain-name"))},
            {"httpServer", global(&R::httpServer, flagPhrase(&R::httpServer, "ip http server"))},
            {"cdpRun", global(&R::cdpRun, flagPhrase(&R::cdpRun, "cdp run"))},
            {"cdpTimer",
             global(&R::cdpTimer, numberPhrase("cdp timer", [](const R& r) { return r.cdpTimer; }),
                    5, 254)},
            {"cdpHoldtime",
             global(&R::cdpHoldtime,
                    numberPhrase("cdp holdtime", [](const R& r) { return r.cdpHoldtime; }), 10,
                    255)},
            {"ripConfigured",
             global(&R::ripConfigured, flagPhrase(&R::ripConfigured, "router rip"))},
            {"igrpConfigured",
             global(&R::igrpConfigured, flagPhrase(&R::igrpConfigured, "router igrp"))},
            {"ipRouting", global(&R::ipRouting, flagPhrase(&R::ipRouting, "ip routing"))},
        };
        addListFields(f);
        addTimeoutFields(f, "aux", &R::auxExecTimeoutMinutes, &R::auxExecTimeoutSeconds);
        addTimeoutFields(f, "console", &R::consoleExecTimeoutMinutes,
                         &R::consoleExecTimeoutSeconds);
        addTimeoutFields(f, "vty", &R::vtyExecTimeoutMinutes, &R::vtyExecTimeoutSeconds);
        addInterfaceFields(f, "serial0", "Serial0", &R::serial0);
        addInterfaceFields(f, "serial1", "Serial1", &R::serial1);
        addInterfaceFields(f, "ethernet0", "Ethernet0", &R::ethernet0);
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
    return !word.empty() && word.size() < 10 &&
           word.find_first_not_of("0123456789") == std::string_view::npos;
}

// Words separated by single blanks, none around them.
std::string singleBlanks(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == ' ' && (out.empty() || out.back() == ' '))
            continue;
        out += c;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

bool isQuoted(const std::string& word) {
    return word.size() >= 2 && word.front() == '"';
}

std::string unquoted(const std::string& word) {
    return isQuoted(word) ? word.substr(1, word.size() - 2) : word;
}

const RouterId* routerNamed(std::string_view name) {
    static const RouterId a = RouterId::a, b = RouterId::b;
    if (name == "RouterA")
        return &a;
    if (name == "RouterB")
        return &b;
    return nullptr;
}

class Parser {
public:
    Parser(std::vector<std::string> words, const ConditionOptions& options, std::string& error)
        : words_(std::move(words)), options_(options), error_(error) {}

    // Terms up to the end; `nested` inside "after", where only fields may be.
    std::optional<ConfigCondition> condition(bool nested) {
        ConfigCondition c;
        while (true) {
            ConditionTerm term;
            if (!readTerm(term, nested))
                return std::nullopt;
            const bool endsHere = term.kind == ConditionTerm::Kind::ran && !term.after.empty();
            c.terms.push_back(std::move(term));
            if (endsHere || at_ == words_.size())
                break;
            if (words_[at_] != "and")
                return fail("\"and\" expected before \"" + words_[at_] + "\"");
            ++at_;
        }
        if (!contradictionFree(c.terms))
            return std::nullopt;
        return c;
    }

private:
    bool more() const { return at_ < words_.size(); }
    const std::string& peek() const { return words_[at_]; }
    std::nullopt_t fail(const std::string& message) {
        error_ = message;
        return std::nullopt;
    }
    bool failed(const std::string& message) {
        error_ = message;
        return false;
    }

    bool readTerm(ConditionTerm& term, bool nested) {
        if (!more())
            return failed("a condition term is missing");
        if (peek() == "not") {
            term.negated = true;
            ++at_;
            if (!more())
                return failed("\"not\" names nothing");
        }
        if (peek() == "ran" || peek() == "ping") {
            if (options_.configurationOnly || nested)
                return failed("\"" + peek() + "\" cannot be checked here: only the " +
                              "configuration's fields can");
            return peek() == "ran" ? readRan(term) : readPing(term);
        }
        return readField(term);
    }

    bool readRouter(RouterId& id) {
        if (!more() || !routerNamed(peek()))
            return failed("RouterA or RouterB expected" +
                          (more() ? " before \"" + peek() + "\"" : std::string()));
        id = *routerNamed(words_[at_++]);
        if (id == RouterId::b && !options_.twoRouters)
            return failed("this activity has no RouterB");
        return true;
    }

    bool readPing(ConditionTerm& term) {
        term.kind = ConditionTerm::Kind::ping;
        ++at_;
        if (!more() || words_[at_++] != "from")
            return failed("ping from ROUTER to ADDRESS succeeds");
        if (!readRouter(term.from))
            return false;
        if (!more() || words_[at_++] != "to" || !more())
            return failed("ping from ROUTER to ADDRESS succeeds");
        term.value = words_[at_++];
        if (!isValidIpAddress(term.value))
            return failed("\"" + term.value + "\" is not an IP address");
        if (!more() || words_[at_++] != "succeeds")
            return failed("ping from ROUTER to ADDRESS succeeds");
        return true;
    }

    bool readRan(ConditionTerm& term) {
        term.kind = ConditionTerm::Kind::ran;
        ++at_;
        if (!more() || !isQuoted(peek()))
            return failed("ran names its command in double quotes");
        term.command = singleBlanks(unquoted(words_[at_++]));
        if (term.command.empty())
            return failed("ran names no command");
        if (options_.knownCommand && !(*options_.knownCommand)(term.command))
            return failed("\"" + term.command + "\" is not a command the session records");
        if (more() && peek() == "successfully") {
            if (!term.command.starts_with("ping "))
                return failed("only a ping runs successfully or not");
            term.successfully = true;
            ++at_;
        }
        if (more() && peek() == "on") {
            ++at_;
            RouterId on{};
            if (!readRouter(on))
                return false;
            term.on = on;
        }
        if (more() && peek() == "after") {
            ++at_;
            auto after = condition(true);
            if (!after)
                return false;
            term.after = std::move(after->terms);
        }
        return true;
    }

    bool readField(ConditionTerm& term) {
        std::string name = words_[at_++];
        if (const std::size_t dot = name.find('.'); dot != std::string::npos) {
            const std::string prefix = name.substr(0, dot);
            if (prefix == "RouterA" || prefix == "RouterB" || prefix == "either") {
                term.router = prefix == "RouterA"   ? RouterChoice::a
                              : prefix == "RouterB" ? RouterChoice::b
                                                    : RouterChoice::either;
                name = name.substr(dot + 1);
                if (term.router != RouterChoice::a && options_.configurationOnly)
                    return failed("a test checks one router: \"" + prefix + ".\" cannot be used");
                if (term.router == RouterChoice::b && !options_.twoRouters)
                    return failed("this activity has no RouterB");
            }
        }
        term.field = name;
        const auto found = fields().find(name);
        if (found == fields().end())
            return failed("unknown field \"" + name + "\"");
        term.info = &found->second;
        const FieldInfo& info = found->second;
        if (more() && (peek() == "=" || peek() == "is" || peek() == "has"))
            return readComparison(term, info);
        if (info.kind != FieldInfo::Kind::flag)
            return failed("\"" + name + "\" is not a yes/no field: compare it with a value");
        term.test = ConditionTerm::Test::set;
        return true;
    }

    bool readComparison(ConditionTerm& term, const FieldInfo& info) {
        const std::string how = words_[at_++];
        term.test = how == "="    ? ConditionTerm::Test::equals
                    : how == "is" ? ConditionTerm::Test::textIs
                                  : ConditionTerm::Test::has;
        if (!more())
            return failed("\"" + term.field + "\" is compared with nothing");
        const std::string written = words_[at_++];
        const bool quoted = isQuoted(written);
        term.value = unquoted(written);
        const bool list = info.kind == FieldInfo::Kind::list;
        if ((term.test == ConditionTerm::Test::has) != list)
            return failed(list ? "\"" + term.field + "\" is a list: ask what it has"
                               : "\"has\" asks a list, and \"" + term.field + "\" is none");
        FieldInfo::Kind kind = info.kind;
        if (list)
            kind = info.most > 0 ? FieldInfo::Kind::number : FieldInfo::Kind::text;
        const bool fits = kind == FieldInfo::Kind::text ? quoted
                          : kind == FieldInfo::Kind::flag
                              ? !quoted && (written == "yes" || written == "no")
                              : !quoted && isNumber(written);
        if (!fits || (term.test == ConditionTerm::Test::textIs && kind != FieldInfo::Kind::text))
            return failed("\"" + term.field + "\" cannot hold " + written);
        return possible(term, info, kind);
    }

    // A value the field never holds makes the term one that can never be met.
    bool possible(const ConditionTerm& term, const FieldInfo& info, FieldInfo::Kind kind) {
        if (term.negated)
            return true;
        const std::string never = "\"" + term.field + "\" never holds " + term.value;
        if (kind == FieldInfo::Kind::number) {
            const long n = std::stol(term.value);
            if (info.most > 0 && (n < info.least || n > info.most))
                return failed(never + " (" + std::to_string(info.least) + " to " +
                              std::to_string(info.most) + ")");
        }
        if (info.format == FieldInfo::Format::address && !term.value.empty() &&
            !isValidIpAddress(term.value))
            return failed(never + ": it is not an IP address");
        if (info.format == FieldInfo::Format::mask && !term.value.empty() &&
            !isValidSubnetMask(term.value))
            return failed(never + ": it is not a subnet mask");
        return true;
    }

    // Two terms of one condition asking different values of the same field
    // of the same router, or one field both set and not.
    bool contradictionFree(const std::vector<ConditionTerm>& terms) {
        for (std::size_t i = 0; i < terms.size(); ++i)
            for (std::size_t k = i + 1; k < terms.size(); ++k) {
                const ConditionTerm& x = terms[i];
                const ConditionTerm& y = terms[k];
                if (x.kind != ConditionTerm::Kind::field || y.kind != ConditionTerm::Kind::field ||
                    x.field != y.field || x.router != y.router || x.router == RouterChoice::either)
                    continue;
                const bool sameAsk =
                    x.test == y.test && toLowerAscii(x.value) == toLowerAscii(y.value);
                const bool exact =
                    x.test != ConditionTerm::Test::has && y.test != ConditionTerm::Test::has;
                if ((sameAsk && x.negated != y.negated) ||
                    (exact && !sameAsk && !x.negated && !y.negated))
                    return failed("\"" + x.field + "\" is asked two ways that cannot both hold");
            }
        return true;
    }

    std::vector<std::string> words_;
    std::size_t at_ = 0;
    const ConditionOptions& options_;
    std::string& error_;
};

const routerConfig* routerOf(const ConditionWorld& w, RouterId id) {
    return id == RouterId::a ? w.routerA : w.routerB;
}

bool fieldHolds(const ConditionTerm& term, const routerConfig& r) {
    const FieldInfo& info = *term.info;
    switch (term.test) {
    case ConditionTerm::Test::set:
        return std::get<bool>(info.get(r));
    case ConditionTerm::Test::textIs:
        return toLowerAscii(trimSpace(std::get<std::string>(info.get(r)))) ==
               toLowerAscii(trimSpace(term.value));
    case ConditionTerm::Test::has: {
        const std::vector<std::string> items = info.items(r);
        return std::any_of(items.begin(), items.end(), [&](const std::string& i) {
            return toLowerAscii(trimBlanks(i)) == toLowerAscii(trimBlanks(term.value));
        });
    }
    case ConditionTerm::Test::equals:
        break;
    }
    const FieldValue v = info.get(r);
    if (const auto* s = std::get_if<std::string>(&v))
        return *s == term.value;
    if (const auto* b = std::get_if<bool>(&v))
        return *b == (term.value == "yes");
    return std::to_string(std::get<long>(v)) == term.value;
}

bool termHolds(const ConditionTerm& term, const ConditionWorld& w);

bool allHold(const std::vector<ConditionTerm>& terms, const ConditionWorld& w) {
    return std::all_of(terms.begin(), terms.end(),
                       [&](const ConditionTerm& t) { return termHolds(t, w); });
}

bool ranHolds(const ConditionTerm& term, const ConditionWorld& w) {
    if (!w.facts)
        return false;
    for (const CommandRun& run : w.facts->runs) {
        if (term.on && run.router != *term.on)
            continue;
        if (term.successfully && !run.succeeded)
            continue;
        if (std::none_of(run.spellings.begin(), run.spellings.end(),
                         [&](const std::string& s) { return commandMatches(s, term.command); }))
            continue;
        ConditionWorld then;
        then.routerA = run.routerA.get();
        then.routerB = run.routerB.get();
        if (allHold(term.after, then))
            return true;
    }
    return false;
}

bool termHoldsAsWritten(const ConditionTerm& term, const ConditionWorld& w) {
    switch (term.kind) {
    case ConditionTerm::Kind::ping:
        return w.pingSucceeds && routerOf(w, term.from) && w.pingSucceeds(term.from, term.value);
    case ConditionTerm::Kind::ran:
        return ranHolds(term, w);
    case ConditionTerm::Kind::field:
        break;
    }
    if (!term.info)
        return false;
    auto on = [&](const routerConfig* r) { return r && fieldHolds(term, *r); };
    switch (term.router) {
    case RouterChoice::a:
        return on(w.routerA);
    case RouterChoice::b:
        return on(w.routerB);
    case RouterChoice::either:
        break;
    }
    return on(w.routerA) || on(w.routerB);
}

bool termHolds(const ConditionTerm& term, const ConditionWorld& w) {
    // A field of a router the world lacks holds neither way.
    if (term.kind == ConditionTerm::Kind::field && term.router == RouterChoice::b && !w.routerB)
        return false;
    return termHoldsAsWritten(term, w) != term.negated;
}

} // namespace

std::optional<ConfigCondition> parseCondition(std::string_view text, std::string& error,
                                              const ConditionOptions& options) {
    auto words = tokens(text, error);
    if (!words)
        return std::nullopt;
    Parser parser(std::move(*words), options, error);
    return parser.condition(false);
}

bool conditionHolds(const ConfigCondition& condition, const ConditionWorld& world) {
    return allHold(condition.terms, world);
}

bool conditionHolds(const ConfigCondition& condition, const routerConfig& router) {
    ConditionWorld world;
    world.routerA = &router;
    return conditionHolds(condition, world);
}

FoundExpected foundAndExpected(const ConfigCondition& condition, const ConditionWorld& world) {
    std::vector<std::string> found, expected;
    auto add = [](std::vector<std::string>& list, const std::string& text) {
        if (std::find(list.begin(), list.end(), text) == list.end())
            list.push_back(text);
    };
    for (RouterChoice which : {RouterChoice::a, RouterChoice::b}) {
        const routerConfig* r = which == RouterChoice::a ? world.routerA : world.routerB;
        if (!r)
            continue;
        auto about = [&](const ConditionTerm& t) {
            return t.kind == ConditionTerm::Kind::field && t.info &&
                   (t.router == which || t.router == RouterChoice::either);
        };
        // The router as the whole condition wants it, so a line made of two
        // fields (exec-timeout M S) shows both asked values.
        routerConfig wanted = *r;
        for (const ConditionTerm& t : condition.terms)
            if (about(t) && t.info->kind != FieldInfo::Kind::list &&
                (t.test == ConditionTerm::Test::set || !t.negated))
                t.info->set(wanted, t.test == ConditionTerm::Test::set ? (t.negated ? "no" : "yes")
                                                                       : t.value);
        const std::string label = which == RouterChoice::b ? "RouterB " : "";
        for (const ConditionTerm& t : condition.terms) {
            if (!about(t) || termHolds(t, world))
                continue;
            const std::string shownLabel = t.router == RouterChoice::either
                                               ? (which == RouterChoice::a ? "RouterA " : label)
                                               : label;
            add(found, shownLabel + t.info->phrase(*r));
            const bool asNegation = t.negated && (t.test != ConditionTerm::Test::set ||
                                                  t.info->kind == FieldInfo::Kind::list);
            const bool list = t.info->kind == FieldInfo::Kind::list;
            routerConfig asked = list ? routerConfig{} : wanted;
            if (asNegation || list)
                t.info->set(asked, t.value);
            add(expected, shownLabel + (asNegation ? "no " : "") + t.info->phrase(asked));
        }
    }
    FoundExpected out;
    for (const std::string& f : found)
        out.found += (out.found.empty() ? "" : ", ") + f;
    for (const std::string& e : expected)
        out.expected += (out.expected.empty() ? "" : ", ") + e;
    return out;
}

std::string unmetActivity(const ConfigCondition& condition, const ConditionWorld& world) {
    for (const ConditionTerm& term : condition.terms) {
        if (term.kind == ConditionTerm::Kind::field || termHolds(term, world))
            continue;
        if (term.kind == ConditionTerm::Kind::ping)
            return std::string("a ping from ") +
                   (term.from == RouterId::a ? "RouterA" : "RouterB") + " to " + term.value +
                   (term.negated ? " succeeds" : " fails");
        if (term.negated)
            return "\"" + term.command + "\" was run";
        std::string text = "\"" + term.command + "\" not run";
        if (term.successfully)
            text += " successfully";
        if (term.on)
            text += std::string(" on ") + (*term.on == RouterId::a ? "RouterA" : "RouterB");
        if (!term.after.empty())
            text += " since the change";
        return text;
    }
    return {};
}

bool commandMatches(std::string_view recorded, std::string_view written) {
    std::size_t r = 0, w = 0;
    while (true) {
        while (r < recorded.size() && recorded[r] == ' ')
            ++r;
        while (w < written.size() && written[w] == ' ')
            ++w;
        if (r == recorded.size() || w == written.size())
            return r == recorded.size() && w == written.size();
        const std::size_t rEnd = std::min(recorded.find(' ', r), recorded.size());
        const std::size_t wEnd = std::min(written.find(' ', w), written.size());
        const std::string typed = toLowerAscii(recorded.substr(r, rEnd - r));
        const std::string full = toLowerAscii(written.substr(w, wEnd - w));
        // Only words of letters may be shortened: 1.1.1.1 is not 1.1.1.10.
        const bool word = !typed.empty() && typed[0] >= 'a' && typed[0] <= 'z';
        if (typed != full && !(word && full.starts_with(typed)))
            return false;
        r = rEnd;
        w = wEnd;
    }
}

} // namespace kestro
