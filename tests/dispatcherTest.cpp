// normaliseLine, the syntax of command forms, the shared messages and the
// mode machine.
#include "ConsoleFixture.h"
#include "registry/Syntax.h"

#include <tuple>

namespace kestro::testing {
namespace {

class Dispatcher : public ConsoleTest {};

TEST_F(Dispatcher, NormaliseLineTrimsLowersAndCollapsesBlanks) {
    toPrivileged();
    EXPECT_EQ(normaliseLine(sim, "Router#  SHOW   IP  Route "), "show ip route");
    EXPECT_EQ(normaliseLine(sim, "Router#"), "");
    // Without the prompt the text is taken from one character before the
    // prompt's length.
    EXPECT_EQ(normaliseLine(sim, "abcdefgh ip"), "gh ip");
    router().prompt = "";
    EXPECT_EQ(normaliseLine(sim, "Banner TEXT"), "banner text");
}

TEST_F(Dispatcher, NormaliseLineKeepsMultiByteCharactersWhole) {
    toPrivileged();
    EXPECT_EQ(normaliseLine(sim, "Router#HOST Ärger"), "host Ärger");
}

TEST(Syntax, FormsTakeKeywordsShortFormsAndTypedSlots) {
    using M = FormMatch;
    const std::tuple<const char*, const char*, M> cases[] = {
        {"password WORD", "password falcon", M::match},
        {"password WORD", "password", M::shortOf},
        {"password WORD", "password a b", M::invalid},
        {"password WORD", "pass word", M::invalid},
        // A keyword is typed in full unless the form says how short it may be.
        {"interface serial 0", "int serial 0", M::invalid},
        {"show ip int|erface b|rief", "show ip int b", M::match},
        {"show ip int|erface b|rief", "show ip in b", M::invalid},
        {"show/sh cdp", "sh cdp", M::match},
        {"ip address A.B.C.D A.B.C.D", "ip address 10.0.0.1", M::shortOf},
        {"ip address A.B.C.D A.B.C.D", "ip address 10.0.0 x", M::invalid},
        {"access-list <1-99> permit any", "access-list 100", M::invalid},
        {"access-list <1-99> permit any", "access-list 99", M::shortOf},
        {"keepalive <0-32767>:5", "keepalive 000010", M::invalid},
        {"banner motd WORD ...", "banner motd #a b c#", M::match},
        {"banner motd WORD ...", "banner motd #", M::match},
    };
    for (const auto& [spelling, typed, expected] : cases)
        EXPECT_EQ(matchForm(Form(spelling), splitWords(typed)), expected)
            << spelling << " / " << typed;
}

TEST(Syntax, AliasesSpellShortFormsOutBeforeTheFormsAreTried) {
    const Syntax syntax = {
        {{"show interfaces serial 0", 1, WhenShort::invalid}, {"show interfaces ethernet 0", 2}},
        {{"s0", "serial 0"}, {"sh", "show", Alias::Where::notLast}}};
    const std::tuple<const char*, int, bool> cases[] = {
        {"sh interfaces s0", 1, false},
        {"show interfaces ethernet 0", 2, false},
        {"sh", 0, false}, // "sh" alone is not spelled out
        {"show interfaces", 0, true},
        {"show interfaces serial", 0, false}, // only the ethernet form says incomplete
    };
    for (const auto& [typed, id, incomplete] : cases) {
        const Parsed parsed = parseLine(syntax, splitWords(typed));
        EXPECT_EQ(parsed.form ? parsed.form->id : 0, id) << typed;
        EXPECT_EQ(parsed.incomplete, incomplete) << typed;
    }
    EXPECT_EQ(formSpellings(Form("show startup-config/config")),
              (std::vector<std::string>{"show startup-config", "show config"}));
}

// Each mode keeps the name its command tables are stored under, and enterMode
// sets the matching prompt.
TEST_F(Dispatcher, ModesKeepTheirStoredNamesAndPrompts) {
    startSession();
    const std::tuple<Mode, const char*, const char*> modes[] = {
        {Mode::none, "", ""},
        {Mode::user, "user", "Router>"},
        {Mode::priv, "priv", "Router#"},
        {Mode::conf, "conf", "Router(config)#"},
        {Mode::configIf, "config-if", "Router(config-if)#"},
        {Mode::configLine, "config-line", "Router(config-line)#"},
        {Mode::configRouterRip, "config-routerRip", "Router(config-router)#"},
        {Mode::configRouterIgrp, "config-routerIgrp", "Router(config-router)#"},
    };
    for (const auto& [mode, name, prompt] : modes) {
        EXPECT_EQ(modeName(mode), name);
        EXPECT_EQ(modeNamed(name), mode);
        enterMode(sim, mode);
        EXPECT_EQ(router().prompt, prompt) << mode;
    }
    EXPECT_EQ(modeNamed("config-router"), Mode::none);
}

TEST_F(Dispatcher, UnknownAndInvalidMessagesDependOnTheMode) {
    startSession();
    EXPECT_EQ(outputOf("ena"), unknownCommand);
    EXPECT_EQ(outputOf("ip"), invalidInput);
    EXPECT_EQ(outputOf("line"), unknownCommand);
    type("en");
    EXPECT_EQ(inputLine(), "Router#");
    type("configure terminal");
    EXPECT_EQ(outputOf("show"), invalidInput);
    EXPECT_EQ(outputOf("logout"), invalidInput);
    EXPECT_EQ(outputOf("frobnicate"), invalidInput);
}

TEST_F(Dispatcher, EmptyLinesOnlyBringANewPrompt) {
    toPrivileged();
    EXPECT_EQ(outputOf(""), "");
    EXPECT_EQ(outputOf("    "), "");
    EXPECT_EQ(inputLine(), "Router#");
}

TEST_F(Dispatcher, InterfaceEntryAcceptsTheShortSpellings) {
    toConfiguration();
    const Interface s0 = Interface::serial0, s1 = Interface::serial1, e0 = Interface::ethernet0;
    const std::pair<const char*, Interface> spellings[] = {
        {"int s0", s0},
        {"interface s 1", s1},
        {"int e0", e0},
        {"interface serial 0", s0},
        {"INT E 0", e0},
        {"interface ethernet 0", e0},
        {"int  s1", s1},
        // as the configuration listing prints them
        {"interface Serial0", s0},
        {"interface Serial1", s1},
        {"interface Ethernet0", e0},
    };
    for (const auto& [line, index] : spellings) {
        EXPECT_EQ(outputOf(line), "") << line;
        EXPECT_EQ(router().mode, Mode::configIf) << line;
        EXPECT_EQ(router().currentInterface, index) << line;
        EXPECT_EQ(inputLine(), "Router(config-if)#");
        type("exit");
    }
    EXPECT_EQ(outputOf("interface ethernet"), incompleteCommand);
    EXPECT_EQ(outputOf("interface fastethernet 0"), invalidInput);
    EXPECT_EQ(outputOf("interface serial2"), invalidInput);
    EXPECT_EQ(outputOf("interface serial 2"), invalidInput);
    EXPECT_EQ(router().mode, Mode::conf);
}

TEST_F(Dispatcher, LineEntry) {
    toConfiguration();
    EXPECT_EQ(outputOf("line con 0"), "");
    EXPECT_EQ(router().currentLine, "con");
    EXPECT_EQ(inputLine(), "Router(config-line)#");
    // Sub-modes are not switched into each other directly.
    EXPECT_EQ(outputOf("line vty 0 4"), invalidInput);
    type("exit");
    EXPECT_EQ(outputOf("line vty 0"), incompleteCommand);
    EXPECT_EQ(outputOf("line vty 0 5"), invalidInput);
    type("line aux 0");
    EXPECT_EQ(router().currentLine, "aux");
    type("exit");
    type("line vty 0 4");
    EXPECT_EQ(router().currentLine, "vty");
}

TEST_F(Dispatcher, RouterEntry) {
    toConfiguration();
    EXPECT_EQ(outputOf("router igrp 0"), invalidInput);
    EXPECT_EQ(outputOf("router igrp 70000"), invalidInput);
    EXPECT_EQ(outputOf("router igrp"), incompleteCommand);
    EXPECT_EQ(outputOf("router"), incompleteCommand);
    EXPECT_EQ(outputOf("router ospf 1"), invalidInput);
    // A number is read as the range check reads it: rounded, never cut.
    type("router igrp .6");
    EXPECT_EQ(router().igrpAs, 1);
    type("exit");
    type("router igrp 2.5");
    EXPECT_EQ(router().igrpAs, 2);
    type("exit");
    type("router igrp 10");
    EXPECT_EQ(router().mode, Mode::configRouterIgrp);
    EXPECT_EQ(router().igrpAs, 10);
    EXPECT_TRUE(router().igrpConfigured);
    EXPECT_EQ(inputLine(), "Router(config-router)#");
    type("end");
    EXPECT_EQ(router().mode, Mode::priv);
    type("configure terminal");
    type("router rip");
    EXPECT_EQ(router().mode, Mode::configRouterRip);
    EXPECT_TRUE(router().ripConfigured);
}

TEST_F(Dispatcher, RouterEntryNeedsIpRouting) {
    toConfiguration();
    router().ipRouting = false;
    EXPECT_EQ(outputOf("router igrp 10"), "\r\nIP routing not enabled");
    EXPECT_EQ(outputOf("router rip"), "\r\nIP routing not enabled");
    EXPECT_EQ(router().mode, Mode::conf);
    EXPECT_FALSE(router().igrpConfigured);
}

TEST_F(Dispatcher, Hostname) {
    toConfiguration();
    EXPECT_EQ(outputOf("hostname RouterA"), "");
    EXPECT_EQ(router().hostname, "routera");
    EXPECT_EQ(inputLine(), "routera(config)#");
    EXPECT_EQ(outputOf("hostname"), incompleteCommand);
    EXPECT_EQ(outputOf("hostname a b"), invalidInput);
    type("end");
    EXPECT_EQ(inputLine(), "routera#");
    EXPECT_EQ(outputOf("hostname x"), invalidInput);
}

TEST_F(Dispatcher, ExitAndEnd) {
    toConfiguration();
    EXPECT_EQ(outputOf("exit now"), invalidInput);
    EXPECT_EQ(outputOf("exit"), "\r\n" + std::string(configuredFromConsole));
    EXPECT_EQ(router().mode, Mode::priv);
    type("configure terminal");
    type("router igrp 5");
    EXPECT_EQ(outputOf("end"), "");
    EXPECT_EQ(router().mode, Mode::priv);
    EXPECT_EQ(outputOf("end"), invalidInput);
    type("configure terminal");
    type("interface serial 1");
    EXPECT_EQ(outputOf("end now"), invalidInput);
    type("exit");
    EXPECT_EQ(router().mode, Mode::conf);
    EXPECT_EQ(inputLine(), "Router(config)#");
}

TEST_F(Dispatcher, ExitAndLogoutInUserOrPrivilegedModeShowTheBootScreen) {
    toPrivileged();
    type("exit");
    EXPECT_EQ(router().mode, Mode::none);
    EXPECT_TRUE(sim.output.text.ends_with("\r\nPress RETURN to get started."));
    startSession();
    EXPECT_EQ(outputOf("logout now"), unknownCommand);
    type("logout");
    EXPECT_EQ(router().mode, Mode::none);
}

TEST_F(Dispatcher, DisableAndEnable) {
    toPrivileged();
    EXPECT_EQ(outputOf("disable now"), invalidInput);
    EXPECT_EQ(outputOf("disable"), "");
    EXPECT_EQ(router().mode, Mode::user);
    EXPECT_EQ(inputLine(), "Router>");
    EXPECT_EQ(outputOf("disable"), "");
    EXPECT_EQ(router().mode, Mode::user);
    type("enable");
    type("configure terminal");
    type("line con 0");
    EXPECT_EQ(outputOf("disable"), invalidInput);
    EXPECT_EQ(outputOf("enable"), "");
    EXPECT_EQ(router().mode, Mode::configLine);
}

TEST_F(Dispatcher, LinePasswordAndLoginSetTheCurrentLine) {
    toConfiguration();
    type("line vty 0 4");
    EXPECT_EQ(outputOf("password"), incompleteCommand);
    EXPECT_EQ(outputOf("password a b"), invalidInput);
    EXPECT_EQ(outputOf("password Secret"), "");
    EXPECT_EQ(router().vtyPassword, "secret");
    EXPECT_EQ(outputOf("login now"), invalidInput);
    EXPECT_EQ(outputOf("login"), "");
    EXPECT_TRUE(router().vtyLogin);
    EXPECT_FALSE(router().consoleLogin);
    type("exit");
    EXPECT_EQ(outputOf("login"), invalidInput);
    EXPECT_EQ(outputOf("password x"), invalidInput);
}

TEST_F(Dispatcher, ModeSpecificCommandsElsewhere) {
    toPrivileged();
    EXPECT_EQ(outputOf("shutdown"), invalidInput);
    EXPECT_EQ(outputOf("exec-timeout 5"), invalidInput);
    EXPECT_EQ(outputOf("network 10.0.0.0"), invalidInput);
    EXPECT_EQ(outputOf("no shutdown"), invalidInput);
    type("disable");
    EXPECT_EQ(outputOf("reload"), unknownCommand);
    EXPECT_EQ(outputOf("copy run start"), invalidInput);
    EXPECT_EQ(outputOf("no shutdown"), unknownCommand);
    EXPECT_EQ(outputOf("help me"), unknownCommand);
}

} // namespace
} // namespace kestro::testing

namespace kestro::testing {
namespace {

// Every command row answers in a mode it has no handler for exactly what the
// row declares, under its full word and each short form, and stays in the
// mode.
TEST_F(Dispatcher, RowsAnswerOtherModesAsTheyDeclare) {
    const std::vector<std::pair<Mode, std::vector<std::string>>> reach = {
        {Mode::user, {}},
        {Mode::priv, {"enable"}},
        {Mode::conf, {"enable", "configure terminal"}},
        {Mode::configIf, {"enable", "configure terminal", "interface serial 0"}},
        {Mode::configLine, {"enable", "configure terminal", "line con 0"}},
        {Mode::configRouterRip, {"enable", "configure terminal", "router rip"}},
        {Mode::configRouterIgrp, {"enable", "configure terminal", "router igrp 1"}},
    };
    for (const auto& [mode, path] : reach) {
        for (const CommandRow* row : commandRows()) {
            if (row->handledIn(mode))
                continue;
            std::string expected;
            if (row->elsewhere == Elsewhere::invalidInput)
                expected = invalidInput;
            else if (row->elsewhere == Elsewhere::unknownCommand)
                expected = mode == Mode::user ? unknownCommand : invalidInput;
            std::vector<std::string> spellings{row->word};
            spellings.insert(spellings.end(), row->shortForms.begin(), row->shortForms.end());
            for (const std::string& word : spellings) {
                buildFreshRouter(sim);
                startSession();
                for (const std::string& step : path)
                    type(step);
                ASSERT_EQ(router().mode, mode);
                EXPECT_EQ(outputOf(word), expected) << word << " in " << mode;
                EXPECT_EQ(router().mode, mode) << word << " in " << mode;
            }
        }
    }
}

} // namespace
} // namespace kestro::testing
