// A content failure met again and again within one command is logged once,
// with its count, and announced with one message box.
#include "Simulator.h"
#include "console/Console.h"
#include "console/RecordingConsole.h"
#include "learning/Activities.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace kestro;
namespace fs = std::filesystem;

namespace {

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST(RepeatedFailure, OneQuestionMarkWithoutItsTableGivesOneRecordAndOneBox) {
    const fs::path dir = fs::temp_directory_path() / ("kestroFailure" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path db = dir / "DataStore.db";
    fs::copy_file(fs::path(KESTRO_BIN_DIR) / "DataStore.db", db,
                  fs::copy_options::overwrite_existing);
    sqlite3* handle = nullptr;
    ASSERT_EQ(sqlite3_open(db.c_str(), &handle), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(handle, "DROP TABLE userModeCmds", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(handle);

    std::string error;
    RecordingConsole io;
    Simulator sim(io, ContentStore::open(db.string(), error), dir.string());
    ASSERT_TRUE(startActivity(sim, "lab"));
    pressKey(sim, Key::special(keyEnter));
    io.messages.clear();
    pressKey(sim, Key::character('?'));

    std::ifstream in(dir / "ErrorLog.txt");
    std::ostringstream log;
    log << in.rdbuf();
    EXPECT_EQ(count(log.str(), "Error Occurred at"), 1u) << log.str();
    EXPECT_EQ(count(log.str(), "times in one command)"), 1u) << log.str();
    EXPECT_EQ(io.messages.size(), 1u);
    // Without a batch (outside a key press) each failure is still told.
    sim.logError("elsewhere", "x");
    sim.logError("elsewhere", "x");
    EXPECT_EQ(io.messages.size(), 3u);
    fs::remove_all(dir);
}

} // namespace
