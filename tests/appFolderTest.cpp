// The application folder: beside the executable in a build tree, share/kestro
// beside bin/ when installed.

#include "platform/AppFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TEST(AppFolder, DatabaseBesideTheProgramWinsThenTheInstalledDataFolder) {
    const fs::path root =
        fs::temp_directory_path() / ("kestro-appfolder-" + std::to_string(getpid()));
    struct Case {
        const char* name;
        bool besideProgram, installed;
        fs::path expected;
    };
    const fs::path bin = root / "bin", share = root / "share" / "kestro";
    const Case cases[] = {
        {"build tree", true, false, bin},
        {"installed", false, true, share},
        {"both: the program's own copy", true, true, bin},
        {"neither: reported beside the program", false, false, bin},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(root);
        fs::create_directories(bin);
        fs::create_directories(share);
        if (c.besideProgram)
            std::ofstream(bin / "DataStore.db") << "x";
        if (c.installed)
            std::ofstream(share / "DataStore.db") << "x";
        EXPECT_EQ(kestro::applicationFolderFor(bin.string()), c.expected.string());
    }
    fs::remove_all(root);
}

TEST(AppFolder, RunningTestsFindTheBuildTreesDatabase) {
    EXPECT_EQ(kestro::applicationFolder(), kestro::executableFolder());
    EXPECT_TRUE(fs::exists(kestro::applicationFolder() + "/DataStore.db"));
}

} // namespace
