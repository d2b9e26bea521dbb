#include "content/CommandTables.h"

#include "content/ContentStore.h"

namespace kestro {

namespace {

struct ModeTables {
    Mode mode;
    const char* plain;
    const char* extended;
};

// Line configuration has no extended table.
constexpr ModeTables modeTables[] = {
    {Mode::user, "userModeCmds", "userModeCmdsExtended"},
    {Mode::priv, "privModeCmds", "privModeCmdsExtended"},
    {Mode::conf, "confModeCmds", "confModeCmdsExtended"},
    {Mode::configLine, "lineModeCmds", nullptr},
    {Mode::configIf, "ifModeCmds", "ifModeCmdsExtended"},
    {Mode::configRouterRip, "configRouterRipModeCmds", "configRouterRipModeCmdsExtended"},
    {Mode::configRouterIgrp, "configRouterIgrpModeCmds", "configRouterIgrpModeCmdsExtended"},
};

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool beginsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lowerAscii(text[i]) != lowerAscii(prefix[i]))
            return false;
    return true;
}

} // namespace

const char* commandTableName(Mode mode, TableKind kind) {
    for (const ModeTables& t : modeTables)
        if (t.mode == mode)
            return kind == TableKind::plain ? t.plain : t.extended;
    return nullptr;
}

std::vector<std::string> lookUpCommands(ContentStore* store, const CommandQuery& query,
                                        const char* caller) {
    std::vector<std::string> cmds;
    const char* name = commandTableName(query.mode, query.kind);
    if (store == nullptr || name == nullptr)
        return cmds;
    const std::vector<CommandTableRow>* rows = store->commandTable(name, caller);
    if (rows == nullptr)
        return cmds;
    for (const CommandTableRow& row : *rows) {
        if (query.implementedOnly && !row.implemented)
            continue;
        if (!beginsWithIgnoringCase(row.cmd, query.prefix))
            continue;
        if (query.interface && row.hasInterfaceColumn &&
            row.interfaces.find(interfaceDigit(*query.interface)) == std::string::npos)
            continue;
        cmds.push_back(row.cmd);
    }
    return cmds;
}

} // namespace kestro
