// Handlers of the global configuration mode that change router-wide
// settings: enable password and secret, banners, the ip name services and
// flags, CDP, and the no forms of that mode.
#include "config/ConfigCommands.h"
#include "config/RoutingConfig.h"

#include "Simulator.h"
#include "console/Console.h"
#include "console/LineHelpers.h"
#include "records/AddressUtils.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <vector>

namespace kestro {

namespace {

std::vector<std::string> wordsOf(const Simulator& sim, const std::string& line) {
    return splitWords(normaliseLine(sim, line));
}

// For the algorithms over a line's words.
bool isValidIpAddressText(const std::string& text) {
    return isValidIpAddress(text);
}

// A CDP timer value: numeric, at most three characters, within low..high.
bool isCdpValue(const std::string& text, long low, long high) {
    return text.size() < 4 && isNumberInRange(text, low, high);
}

// The addresses from words[first] on are at most `most`, each a valid
// address; otherwise the line is answered as invalid input.
bool addressesFit(Simulator& sim, const std::vector<std::string>& words, std::size_t first,
                  std::size_t most) {
    if (words.size() > first + most ||
        !std::all_of(words.begin() + first, words.end(), isValidIpAddressText)) {
        printInvalidInput(sim);
        return false;
    }
    return true;
}

void setNameServers(Simulator& sim, const std::vector<std::string>& words) {
    // Six addresses at most after "ip name-server".
    if (!addressesFit(sim, words, 2, 6))
        return;
    sim.liveRouter.nameServers.assign(words.begin() + 2, words.end());
}

void setHostAddresses(Simulator& sim, const std::vector<std::string>& words) {
    if (words.size() == 3) {
        printIncompleteCommand(sim);
        return;
    }
    // Eight addresses at most after "ip host name".
    if (!addressesFit(sim, words, 3, 8))
        return;
    std::vector<hostIpAssociation>& hosts = sim.liveRouter.hosts;
    const std::string& name = words[2];
    std::erase_if(hosts, [&](const hostIpAssociation& h) { return h.hostName == name; });
    for (auto address = words.begin() + 3; address != words.end(); ++address)
        hosts.push_back({name, *address});
}

// Each no form acts on the words of a line that matched its template wholly
// and answers whether it handled the line.
using NoAction = bool (*)(Simulator&, const std::vector<std::string>&);

struct NoForm {
    const char* pattern;
    NoAction act;
};

bool noRouterIgrp(Simulator& sim, const std::vector<std::string>& words) {
    return removeRouterIgrp(sim, words[3]);
}

bool noIpRouting(Simulator& sim, const std::vector<std::string>&) {
    disableIpRouting(sim);
    return true;
}

bool noRouterRip(Simulator& sim, const std::vector<std::string>&) {
    removeRouterRip(sim);
    return true;
}

bool noIpHost(Simulator& sim, const std::vector<std::string>& words) {
    std::erase_if(sim.liveRouter.hosts,
                  [&](const hostIpAssociation& h) { return h.hostName == words[3]; });
    return true;
}

// A no form that empties a text or a list.
template <auto setting> bool cleared(Simulator& sim, const std::vector<std::string>&) {
    (sim.liveRouter.*setting).clear();
    return true;
}

// A no form that puts a setting back to the value given.
template <auto setting, auto value> bool reset(Simulator& sim, const std::vector<std::string>&) {
    sim.liveRouter.*setting = value;
    return true;
}

// Tried in this order; every form whose template matches wholly acts.
const NoForm noForms[] = {
    {"no access-list variable",
     [](Simulator& sim, const std::vector<std::string>& w) { return removeAccessList(sim, w[2]); }},
    {"no enable secret", cleared<&routerConfig::enableSecret>},
    {"no enable password", cleared<&routerConfig::enablePassword>},
    {"no banner exec", cleared<&routerConfig::execBanner>},
    {"no banner login", cleared<&routerConfig::loginBanner>},
    {"no ip name-server", cleared<&routerConfig::nameServers>},
    {"no ip host variable", noIpHost},
    {"no banner motd", cleared<&routerConfig::motdBanner>},
    {"no cdp holdtime", reset<&routerConfig::cdpHoldtime, 180>},
    {"no cdp run", reset<&routerConfig::cdpRun, false>},
    {"no cdp timer", reset<&routerConfig::cdpTimer, 60>},
    {"no ip routing", noIpRouting},
    {"no ip http server", reset<&routerConfig::httpServer, false>},
    {"no ip domain-lookup", reset<&routerConfig::domainLookup, false>},
    {"no router igrp variable", noRouterIgrp},
    {"no router rip", noRouterRip},
};

// The prefixes that make an unmatched no line incomplete rather than
// invalid; "no ip host", "no ip name-server" and "no banner motd" are
// deliberately absent.
const char* const noIncompletePatterns[] = {
    "no access-list variable",
    "no router igrp variable",
    "no router rip",
    "no cdp holdtime",
    "no cdp timer",
    "no cdp run",
    "no ip domain-lookup",
    "no ip http server",
    "no banner login",
    "no banner exec",
    "no enable password",
    "no enable secret",
};

} // namespace

void processEnableConf(Simulator& sim, const std::string& line) {
    const std::vector<std::string> words = wordsOf(sim, line);
    if (words.size() < 2) {
        printIncompleteCommand(sim);
        return;
    }
    routerState& r = sim.liveRouter;
    std::string* target = nullptr;
    const char* pattern = nullptr;
    if (words[1] == "password") {
        target = &r.enablePassword;
        pattern = "enable password variable";
    } else if (words[1] == "secret") {
        target = &r.enableSecret;
        pattern = "enable secret variable";
    } else {
        printInvalidInput(sim);
        return;
    }
    // The template spells "enable" in full, so a line begun with "en" fails here.
    const int result = matchPattern(sim, line, pattern);
    if (result == patternMatch)
        *target = words[2];
    else
        printMismatch(sim, result);
}

namespace {

// "banner KIND #Text#" on one line: the text between the delimiter and its
// next appearance, as typed. None when the delimiter does not close on the
// line.
std::optional<std::string> oneLineBanner(const Simulator& sim, const std::string& line) {
    const std::string& prompt = sim.liveRouter.prompt;
    const std::size_t at = prompt.empty() ? std::string::npos : line.find(prompt);
    std::size_t i = at == std::string::npos ? 0 : at + prompt.size();
    for (int word = 0; word < 2; ++word) { // past "banner" and its kind
        i = line.find_first_not_of(' ', i);
        i = i == std::string::npos ? line.size() : line.find(' ', i);
        if (i == std::string::npos)
            return std::nullopt;
    }
    const std::size_t open = line.find_first_not_of(' ', i);
    if (open == std::string::npos)
        return std::nullopt;
    const std::size_t close = line.find(line[open], open + 1);
    if (close == std::string::npos)
        return std::nullopt;
    return line.substr(open + 1, close - open - 1);
}

void storeBanner(routerConfig& r, std::string_view kind, std::string text) {
    if (kind == "motd")
        r.motdBanner = std::move(text);
    else if (kind == "exec")
        r.execBanner = std::move(text);
    else if (kind == "login")
        r.loginBanner = std::move(text);
}

} // namespace

void processBanner(Simulator& sim, const std::string& line) {
    static const std::pair<const char*, const char*> kinds[] = {
        {"banner motd variable", "motd"},
        {"banner login variable", "login"},
        {"banner exec variable", "exec"},
    };
    const std::vector<std::string> words = wordsOf(sim, line);
    // The one-line form first: the delimiter closes on the same line.
    for (const auto& [pattern, kind] : kinds) {
        if (words.size() < 3 || words[1] != kind)
            continue;
        if (std::optional<std::string> text = oneLineBanner(sim, line)) {
            storeBanner(sim.liveRouter, kind, std::move(*text));
            return;
        }
    }
    bool incomplete = false;
    for (const auto& [pattern, kind] : kinds) {
        const int result = matchPattern(sim, line, pattern);
        if (result == patternMatch) {
            // Only the first character of the word counts; the text itself
            // is always typed on the lines that follow.
            const char delimiter = wordsOf(sim, line)[2].front();
            sim.console.bannerKind = kind;
            sim.console.bannerDelimiter = delimiter;
            sim.console.bannerText.clear();
            // The prompt is emptied first so the input line stays bare while
            // the banner text is typed.
            sim.liveRouter.prompt.clear();
            printLine(sim, std::string("Enter TEXT message.  End with the character '") +
                               delimiter + "'.");
            sim.console.inputState = InputState::BannerText;
            return;
        }
        incomplete = incomplete || result == patternIncomplete;
    }
    if (incomplete)
        printIncompleteCommand(sim);
    else
        printInvalidInput(sim);
}

void processGlobalIp(Simulator& sim, const std::string& line) {
    routerState& r = sim.liveRouter;
    const std::vector<std::string> words = wordsOf(sim, line);
    bool acted = false;
    const int lookup = matchPattern(sim, line, "ip domain-lookup");
    if (lookup == patternMatch) {
        r.domainLookup = true;
        acted = true;
    }
    const int domainName = matchPattern(sim, line, "ip domain-name variable");
    if (domainName == patternMatch) {
        r.domainName = words[2];
        acted = true;
    }
    if (words.size() >= 3 && words[0] == "ip" && words[1] == "name-server") {
        setNameServers(sim, words);
        return;
    }
    if (words.size() >= 3 && words[0] == "ip" && words[1] == "host") {
        setHostAddresses(sim, words);
        return;
    }
    if (matchPattern(sim, line, "ip http server") == patternMatch) {
        r.httpServer = true;
        acted = true;
    }
    if (matchPattern(sim, line, "ip routing") == patternMatch) {
        r.ipRouting = true;
        acted = true;
    }
    if (acted)
        return;
    // Only the domain templates can make an ip line incomplete.
    if (lookup == patternIncomplete || domainName == patternIncomplete)
        printIncompleteCommand(sim);
    else
        printInvalidInput(sim);
}

void processGlobalCdp(Simulator& sim, const std::string& line) {
    routerState& r = sim.liveRouter;
    const int run = matchPattern(sim, line, "cdp run");
    if (run == patternMatch) {
        r.cdpRun = true;
        return;
    }
    const std::vector<std::string> words = wordsOf(sim, line);
    const int timer = matchPattern(sim, line, "cdp timer variable");
    if (timer == patternMatch && isCdpValue(words[2], 5, 254)) {
        r.cdpTimer = static_cast<int>(numberValue(words[2]));
        return;
    }
    const int holdtime = matchPattern(sim, line, "cdp holdtime variable");
    if (holdtime == patternMatch && isCdpValue(words[2], 10, 255)) {
        r.cdpHoldtime = static_cast<int>(numberValue(words[2]));
        return;
    }
    if (run == patternIncomplete || timer == patternIncomplete || holdtime == patternIncomplete)
        printIncompleteCommand(sim);
    else
        printInvalidInput(sim);
}

void processNoConf(Simulator& sim, const std::string& line) {
    const std::vector<std::string> words = wordsOf(sim, line);
    bool handled = false;
    for (const NoForm& form : noForms) {
        if (matchPattern(sim, line, form.pattern) == patternMatch && form.act(sim, words))
            handled = true;
    }
    if (handled)
        return;
    const bool incomplete =
        std::any_of(std::begin(noIncompletePatterns), std::end(noIncompletePatterns),
                    [&](const char* p) { return matchPattern(sim, line, p) == patternIncomplete; });
    if (incomplete)
        printIncompleteCommand(sim);
    else
        printInvalidInput(sim);
}

} // namespace kestro
