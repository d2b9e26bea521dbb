// Recognition tests run against small content databases built for each
// test by the content builder, on a recording console.
#pragma once

#include "Simulator.h"
#include "console/Console.h"
#include "console/RecordingConsole.h"
#include "registry/Dispatcher.h"
#include "session/Session.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

namespace kestro::testing {

namespace fs = std::filesystem;

// Content sources in a folder of their own, built by the content builder
// into a database there. The folder is also the application folder, so the
// error log lands in it.
class ScratchContent {
public:
    ScratchContent() {
        std::string pattern = (fs::path(::testing::TempDir()) / "kestro-recog-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        dir_ = pattern;
        fs::create_directories(dir_ / "data");
    }
    ~ScratchContent() {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    // A command table, tab-separated as in data/commands.
    void table(const std::string& name, const std::string& tsv) {
        write(dir_ / "data/commands" / (name + ".tsv"), tsv);
    }
    // A cmdInfo screen; the builder joins its lines with CR LF.
    void screen(const std::string& key, const std::string& text) {
        write(dir_ / "data/cmdInfo" / ("s" + std::to_string(++screens_) + ".txt"),
              "cmd: " + key + "\n---\n" + text + "\n");
    }
    std::string folder() const { return dir_.string(); }
    std::string errorLog() const { return read(dir_ / "ErrorLog.txt"); }

    std::unique_ptr<ContentStore> build() {
        const std::string command = "'" KESTRO_BIN_DIR "/kestro-content-builder' '" +
                                    (dir_ / "data").string() + "' '" + database() + "' > '" +
                                    (dir_ / "builder.log").string() + "' 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << read(dir_ / "builder.log");
        return open();
    }
    std::unique_ptr<ContentStore> open() const {
        std::string error;
        auto store = ContentStore::open(database(), error);
        EXPECT_NE(store, nullptr) << error;
        return store;
    }
    // Breaks the built database on purpose.
    void drop(const std::string& table) const {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(database().c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, ("DROP TABLE " + table).c_str(), nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
    }

private:
    std::string database() const { return (dir_ / "DataStore.db").string(); }
    static void write(const fs::path& path, const std::string& content) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
    }
    static std::string read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path dir_;
    int screens_ = 0;
};

// A simulator on a recording console, in the given mode, with the store.
class RecognitionTest : public ::testing::Test {
protected:
    void start(Mode mode, std::unique_ptr<ContentStore> store) {
        sim = std::make_unique<Simulator>(io, std::move(store), content.folder());
        buildFreshRouter(*sim);
        pressKey(*sim, Key::special(keyEnter));
        switchMode(mode);
    }
    void start(Mode mode) { start(mode, content.build()); }
    void switchMode(Mode m) {
        enterMode(*sim, m);
        resetInputLine(*sim);
    }

    ScratchContent content;
    RecordingConsole io;
    std::unique_ptr<Simulator> sim;
};

} // namespace kestro::testing
