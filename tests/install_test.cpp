// The installed game: started through its launcher from anywhere, and as a Debian package.
#include "desktop.h"

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

static std::string Output(const std::string& command) {
    std::string text;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    char buffer[4096];
    size_t got;
    while (pipe && (got = fread(buffer, 1, sizeof buffer, pipe.get())) > 0) {
        text.append(buffer, got);
    }
    return text;
}

class Installed : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zarn-install-XXXXXX").string();
        scratch = mkdtemp(pattern.data());
        elsewhere = scratch / "somewhere" / "else";
        fs::create_directories(elsewhere);
    }
    void TearDown() override { fs::remove_all(scratch); }
    // Plays the game that the command starts, from an unrelated directory, and ends it.
    void ExpectItStartsAndEndsOnEscape(const std::vector<std::string>& command) {
        GameProcess game(server, elsewhere, command);
        GameWindow window(server, 10000);
        ASSERT_TRUE(window.Found()) << game.ErrorOutput();
        window.Key("key", "Escape");
        int status = -1;
        ASSERT_TRUE(game.WaitForExit(5000, &status));
        EXPECT_EQ(status, 0) << game.ErrorOutput();
    }
    XServer server;
    fs::path scratch, elsewhere;
};

TEST_F(Installed, TheLauncherStartsTheGameFromAnywhereEvenAfterThePrefixMoves) {
    fs::path prefix = scratch / "prefix";
    ASSERT_EQ(
        system(("cmake --install " ZARN_BUILD_DIR " --prefix " + prefix.string() + " >/dev/null")
                   .c_str()),
        0);
    ExpectItStartsAndEndsOnEscape({(prefix / "bin/zarn").string()});

    fs::path moved = scratch / "moved" / "prefix";
    fs::create_directories(moved.parent_path());
    fs::rename(prefix, moved);
    ExpectItStartsAndEndsOnEscape({(moved / "bin/zarn").string()});

    // The game's own exit status comes through the launcher.
    fs::remove(moved / "share/zarn/graphics/ball.bmp");
    GameProcess game(server, elsewhere, {(moved / "bin/zarn").string()});
    int status = -1;
    ASSERT_TRUE(game.WaitForExit(10000, &status));
    EXPECT_EQ(status, 1);
    EXPECT_NE(game.ErrorOutput().find("cannot load graphics/ball.bmp"), std::string::npos);
}

TEST_F(Installed, TheDebianPackageHoldsTheGameAndInstallsAndRemovesCleanly) {
    ASSERT_EQ(system(("cpack -G DEB -B " + scratch.string() +
                      " --config " ZARN_BUILD_DIR "/CPackConfig.cmake >/dev/null")
                         .c_str()),
              0);
    fs::path package;
    for (const auto& entry : fs::directory_iterator(scratch)) {
        if (entry.path().extension() == ".deb") {
            package = entry.path();
        }
    }
    ASSERT_FALSE(package.empty()) << "cpack made no .deb";

    std::string depends = Output("dpkg-deb -f " + package.string() + " Depends");
    EXPECT_NE(depends.find("libsdl1.2debian"), std::string::npos) << depends;
    EXPECT_NE(depends.find("libsdl-ttf2.0-0"), std::string::npos) << depends;
    std::string files = Output("dpkg-deb -c " + package.string());
    for (const char* file :
         {"./usr/bin/zarn", "./usr/lib/zarn/zarn", "./usr/share/zarn/graphics/background.bmp",
          "./usr/share/zarn/graphics/ball.bmp", "./usr/share/zarn/graphics/player.bmp",
          "./usr/share/zarn/graphics/enemy.bmp", "./usr/share/zarn/graphics/endscreen.bmp",
          "./usr/share/zarn/graphics/alfphabet.ttf", "./usr/share/applications/zarn.desktop",
          "./usr/share/icons/hicolor/64x64/apps/zarn.png"}) {
        EXPECT_NE(files.find(std::string(file) + "\n"), std::string::npos) << file;
    }

    // Installing it for real needs root, and a machine where it is not installed already.
    if (geteuid() != 0 || system("dpkg -s zarn >/dev/null 2>&1") == 0) {
        GTEST_SKIP() << "not root, or zarn is installed on this machine: not installing it";
    }
    ASSERT_EQ(system(("dpkg -i " + package.string() + " >/dev/null").c_str()), 0);
    ExpectItStartsAndEndsOnEscape({"zarn"});
    EXPECT_EQ(system("dpkg -r zarn >/dev/null"), 0);
    EXPECT_FALSE(fs::exists("/usr/bin/zarn"));
    EXPECT_FALSE(fs::exists("/usr/share/zarn"));
}
