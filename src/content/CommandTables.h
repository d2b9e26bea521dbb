// The command tables of every mode, as the recogniser reads them: the
// implemented check, Tab completion and the "?" listings. The content
// database is read-only, so each table is read once and then looked up in
// memory.
#pragma once

#include "records/RouterState.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestro {

class ContentStore;

enum class TableKind {
    plain,    // one word a row
    extended, // the longer forms
};

struct CommandQuery {
    Mode mode = Mode::none;
    TableKind kind = TableKind::plain;
    // Typed text a row must begin with: compared as literal characters,
    // ASCII case ignored, as the tables have always been matched.
    std::string_view prefix;
    // Only rows that apply to this interface; none: every row. Tables
    // without an interface column apply to every interface.
    std::optional<Interface> interface {};
    bool implementedOnly = false;
};

// The table's name for a mode, or null when the mode has no such table.
const char* commandTableName(Mode mode, TableKind kind);

// The commands of the query's table that match, in table order. Empty
// without a store, for a mode without that table, or when the table cannot
// be read (reported under `caller`, and tried again next time).
std::vector<std::string> lookUpCommands(ContentStore* store, const CommandQuery& query,
                                        const char* caller);

} // namespace kestro
