// A simulator on a small content database of its own, so the learning rules
// are tested without depending on the course texts, and a compact picture of
// a styled document to compare against.
#pragma once

#include "Simulator.h"
#include "console/RecordingConsole.h"
#include "records/StyledText.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace kestro::testing {

struct Row {
    const char* table;
    std::vector<std::string> values;
};

// Builds a content database with the learning tables and the given rows.
inline std::string makeContent(const std::string& name, const std::vector<Row>& rows,
                               bool withLabs = true) {
    // Named after the test too: ctest runs tests side by side.
    const std::string path = ::testing::TempDir() + "/" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
                             name + ".db";
    std::filesystem::remove(path);
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    std::string schema =
        "CREATE TABLE cmdInfo(cmd TEXT COLLATE NOCASE, display TEXT);"
        "CREATE TABLE Misc(id TEXT COLLATE NOCASE, contents TEXT);"
        "CREATE TABLE tests(testName TEXT COLLATE NOCASE, testText TEXT);"
        "CREATE TABLE troubleshooting(labName TEXT COLLATE NOCASE, troubleshootingText TEXT, "
        "solutionText TEXT);"
        "CREATE TABLE flashCards(ID INTEGER PRIMARY KEY, question TEXT, answer TEXT);"
        "CREATE TABLE testChecks(testName TEXT COLLATE NOCASE, position INTEGER, "
        "heading INTEGER, label TEXT, condition TEXT);"
        "CREATE TABLE checklists(activity TEXT COLLATE NOCASE, source TEXT);";
    if (withLabs)
        schema += "CREATE TABLE Labs(LabName TEXT COLLATE NOCASE, labText TEXT);";
    sqlite3_exec(db, schema.c_str(), nullptr, nullptr, nullptr);
    for (const Row& row : rows) {
        std::string sql = std::string("INSERT INTO ") + row.table + " VALUES (";
        for (std::size_t i = 0; i < row.values.size(); ++i)
            sql += i ? ",?" : "?";
        sql += ")";
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
        for (std::size_t i = 0; i < row.values.size(); ++i)
            sqlite3_bind_text(st, static_cast<int>(i + 1), row.values[i].c_str(), -1,
                              SQLITE_TRANSIENT);
        sqlite3_step(st);
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return path;
}

inline std::unique_ptr<ContentStore> openContent(const std::string& path) {
    std::string error;
    auto store = ContentStore::open(path, error);
    EXPECT_TRUE(store) << error;
    return store;
}

// One paragraph per string: "^" first when centred, then each run, plain
// navy 12 pt runs as their text, others as [attributes|text] with b bold,
// i italic, u underline, r red and the size when it is not 12.
inline std::vector<std::string> picture(const StyledDocument& doc) {
    std::vector<std::string> out;
    for (const Paragraph& p : doc.paragraphs) {
        std::string line = p.alignment == Alignment::Centre ? "^" : "";
        for (const TextRun& r : p.runs) {
            std::string a;
            if (r.bold)
                a += 'b';
            if (r.italic)
                a += 'i';
            if (r.underline)
                a += 'u';
            if (r.colour == red)
                a += 'r';
            if (r.pointSize != 12)
                a += std::to_string(r.pointSize);
            line += a.empty() ? r.text : "[" + a + "|" + r.text + "]";
        }
        out.push_back(line);
    }
    return out;
}

using Lines = std::vector<std::string>;

// An application folder of the running test's own, so its error log is not
// shared with tests running beside it.
inline std::string ownFolder() {
    const std::string folder = ::testing::TempDir() + "/" +
                               ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::create_directories(folder);
    return folder;
}

// Lines joined with CR LF, as the store holds texts.
inline std::string crlf(const Lines& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\r\n" : "") + lines[i];
    return text;
}

} // namespace kestro::testing
