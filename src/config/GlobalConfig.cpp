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

// For the algorithms over a line's words.
bool isValidIpAddressText(const std::string& text) {
    return isValidIpAddress(text);
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

enum GlobalForm : int {
    password = 1,
    secret,
    banner,
    domainLookup,
    domainName,
    nameServers,
    hosts,
    httpServer,
    ipRouting,
    cdpRun,
    cdpTimer,
    cdpHoldtime,
    // the no forms
    accessList,
    execBanner,
    loginBanner,
    motdBanner,
    ipHost,
    routerIgrp,
    routerRip,
};

// The no forms that put a setting back: a text emptied, a flag cleared, a
// timer back to its default.
void noSetting(routerConfig& r, int form) {
    using R = routerConfig;
    static constexpr std::pair<int, std::string R::*> texts[] = {{secret, &R::enableSecret},
                                                                 {password, &R::enablePassword},
                                                                 {execBanner, &R::execBanner},
                                                                 {loginBanner, &R::loginBanner},
                                                                 {motdBanner, &R::motdBanner}};
    static constexpr std::pair<int, bool R::*> flags[] = {
        {cdpRun, &R::cdpRun}, {httpServer, &R::httpServer}, {domainLookup, &R::domainLookup}};
    static constexpr std::pair<int, int R::*> timers[] = {{cdpHoldtime, &R::cdpHoldtime},
                                                          {cdpTimer, &R::cdpTimer}};
    for (const auto& [f, text] : texts)
        if (f == form)
            (r.*text).clear();
    for (const auto& [f, flag] : flags)
        if (f == form)
            r.*flag = false;
    for (const auto& [f, timer] : timers)
        if (f == form)
            r.*timer = R{}.*timer;
    if (form == nameServers)
        r.nameServers.clear();
}

void enableConf(const CommandContext& c) {
    routerState& r = c.sim.liveRouter;
    (c.form == secret ? r.enableSecret : r.enablePassword) = c.words[2];
}

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

void bannerCommand(const CommandContext& c) {
    Simulator& sim = c.sim;
    const std::string& kind = c.words[1];
    // The one-line form first: the delimiter closes on the same line.
    if (std::optional<std::string> text = oneLineBanner(sim, c.line)) {
        storeBanner(sim.liveRouter, kind, std::move(*text));
        return;
    }
    if (c.words.size() > 3) {
        printInvalidInput(sim);
        return;
    }
    // Only the first character of the word counts; the text itself is
    // always typed on the lines that follow.
    const char delimiter = c.words[2].front();
    sim.console.bannerKind = kind;
    sim.console.bannerDelimiter = delimiter;
    sim.console.bannerText.clear();
    // The prompt is emptied first so the input line stays bare while the
    // banner text is typed.
    sim.liveRouter.prompt.clear();
    printLine(sim, std::string("Enter TEXT message.  End with the character '") + delimiter + "'.");
    sim.console.inputState = InputState::BannerText;
}

void globalIp(const CommandContext& c) {
    routerState& r = c.sim.liveRouter;
    switch (c.form) {
    case domainLookup:
        r.domainLookup = true;
        break;
    case domainName:
        r.domainName = c.words[2];
        break;
    case nameServers:
        setNameServers(c.sim, c.words);
        break;
    case hosts:
        setHostAddresses(c.sim, c.words);
        break;
    case httpServer:
        r.httpServer = true;
        break;
    case ipRouting:
        r.ipRouting = true;
        break;
    }
}

void globalCdp(const CommandContext& c) {
    routerState& r = c.sim.liveRouter;
    if (c.form == cdpRun)
        r.cdpRun = true;
    else
        (c.form == cdpTimer ? r.cdpTimer : r.cdpHoldtime) =
            static_cast<int>(numberValue(c.words[2]));
}

void noInConfiguration(const CommandContext& c) {
    Simulator& sim = c.sim;
    const std::vector<std::string>& words = c.words;
    switch (c.form) {
    case accessList:
        removeAccessList(sim, words[2]);
        break;
    case ipHost:
        std::erase_if(sim.liveRouter.hosts,
                      [&](const hostIpAssociation& h) { return h.hostName == words[3]; });
        break;
    case ipRouting:
        disableIpRouting(sim);
        break;
    case routerIgrp:
        removeRouterIgrp(sim, words[3]);
        break;
    case routerRip:
        removeRouterRip(sim);
        break;
    default:
        noSetting(sim.liveRouter, c.form);
    }
}

constexpr WhenShort invalidWhenShort = WhenShort::invalid;

} // namespace

ModeHandler enableInConfiguration() {
    // "enable" is spelled in full here: "en password x" is refused.
    return {Mode::conf,
            enableConf,
            {{{"enable password WORD", password},
              {"enable secret WORD", secret},
              {"en", answerIncomplete}}}};
}

ModeHandler bannerInConfiguration() {
    return {Mode::conf, bannerCommand, {{{"banner motd/login/exec WORD ...", banner}}}};
}

ModeHandler ipInConfiguration() {
    // Only the domain forms make a shorter ip line incomplete.
    return {Mode::conf,
            globalIp,
            {{{"ip domain-lookup", domainLookup},
              {"ip domain-name WORD", domainName},
              {"ip name-server A.B.C.D ...", nameServers, invalidWhenShort},
              {"ip host WORD ...", hosts, invalidWhenShort},
              {"ip http server", httpServer, invalidWhenShort},
              {"ip routing", ipRouting, invalidWhenShort}}}};
}

ModeHandler cdpInConfiguration() {
    return {Mode::conf,
            globalCdp,
            {{{"cdp run", cdpRun},
              {"cdp timer <5-254>:3", cdpTimer},
              {"cdp holdtime <10-255>:3", cdpHoldtime}}}};
}

// "no ip host", "no ip name-server" and "no banner motd" do not make a
// shorter line incomplete.
ModeHandler noInConfigurationMode() {
    return {Mode::conf,
            noInConfiguration,
            {{{"no access-list <1-99>", accessList},
              {"no enable secret", secret},
              {"no enable password", password},
              {"no banner exec", execBanner},
              {"no banner login", loginBanner},
              {"no ip name-server", nameServers, invalidWhenShort},
              {"no ip host WORD", ipHost, invalidWhenShort},
              {"no banner motd", motdBanner, invalidWhenShort},
              {"no cdp holdtime", cdpHoldtime},
              {"no cdp run", cdpRun},
              {"no cdp timer", cdpTimer},
              {"no ip routing", ipRouting, invalidWhenShort},
              {"no ip http server", httpServer},
              {"no ip domain-lookup", domainLookup},
              {"no router igrp <1-65535>", routerIgrp},
              {"no router rip", routerRip}}}};
}

} // namespace kestro
