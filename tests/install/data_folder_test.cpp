// The data folder is found from the working directory, the program's own folder (the
// build's game folder) or the installed share/voranis beside the program's bin folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "app/data_folder.h"

namespace fs = std::filesystem;

namespace {
class DataFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        previous = fs::current_path();
        root     = fs::temp_directory_path() /
               ("voranis-data-folder-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "elsewhere");
        fs::create_directories(root / "prefix/bin");
        fs::create_directories(root / "prefix/share/voranis");
        fs::current_path(root / "elsewhere");
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(root);
    }
    static void mark(const fs::path& folder) { std::ofstream(folder / DATA_MARKER_FILE) << "\n"; }
    std::string bin() const { return (root / "prefix/bin/").string(); }

    fs::path previous, root;
};
} // namespace

TEST_F(DataFolder, InstalledDataBesideTheBinFolder) {
    mark(root / "prefix/share/voranis");
    EXPECT_EQ(findDataFolder(bin()), (root / "prefix/share/voranis").string());
}

TEST_F(DataFolder, TheWorkingDirectoryWinsWhenItHoldsTheData) {
    mark(root / "elsewhere");
    mark(root / "prefix/share/voranis");
    EXPECT_EQ(findDataFolder(bin()), "");
}

// The build's game folder holds the program and its data side by side.
TEST_F(DataFolder, TheProgramsOwnFolderBeforeTheInstalledOne) {
    mark(root / "prefix/bin");
    mark(root / "prefix/share/voranis");
    EXPECT_EQ(fs::path(findDataFolder(bin())), fs::path(bin()).lexically_normal());
}

TEST_F(DataFolder, NoDataAnywhereLeavesTheWorkingDirectory) {
    EXPECT_EQ(findDataFolder(bin()), "");
    EXPECT_EQ(findDataFolder(""), "");
}

// Only a file marks the folder: a directory of the same name does not.
TEST_F(DataFolder, ADirectoryNamedLikeTheMarkerDoesNotCount) {
    fs::create_directories(root / "prefix/share/voranis" / DATA_MARKER_FILE);
    EXPECT_EQ(findDataFolder(bin()), "");
}
