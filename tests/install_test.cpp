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
    // Whether the game that the launcher starts, from an unrelated directory, plays and ends.
    ::testing::AssertionResult Plays(const fs::path& launcher) {
        return OpensAndCloses(server, elsewhere, {launcher.string()});
    }
    ::testing::AssertionResult FailsSaying(const fs::path& launcher, const std::string& message) {
        return GameProcess(server, elsewhere, {launcher.string()}).EndsSaying(1, message);
    }
    XServer server;
    fs::path scratch, elsewhere;
};

// Lintian's errors and warnings are E: and W: lines; its notes are only information. One run
// reads all the packages: most of a run's time is lintian's own start.
static ::testing::AssertionResult PassLintian(const std::vector<fs::path>& packages) {
    std::string command = "lintian --pedantic";
    for (const fs::path& package : packages) {
        command += " " + package.string();
    }
    std::string lintian = Output(command + " 2>&1");
    if (lintian.find("E: ") != std::string::npos || lintian.find("W: ") != std::string::npos) {
        return ::testing::AssertionFailure() << lintian;
    }
    return ::testing::AssertionSuccess();
}

// What a package holds, and the packages it depends on, without sizes, dates or versions.
static std::string Contents(const fs::path& package) {
    return Output("dpkg-deb -c " + package.string() + " | awk '{$3 = $4 = $5 = \"\"; print}'") +
           Output("dpkg-deb -f " + package.string() + " Depends | sed 's/ ([^)]*)//g'");
}

TEST_F(Installed, TheLauncherStartsTheGameFromAnywhereEvenAfterThePrefixMoves) {
    fs::path prefix = scratch / "prefix";
    ASSERT_EQ(
        system(("cmake --install " ZARN_BUILD_DIR " --prefix " + prefix.string() + " >/dev/null")
                   .c_str()),
        0);
    EXPECT_TRUE(Plays(prefix / "bin/zarn"));

    fs::path moved = scratch / "moved" / "prefix";
    fs::create_directories(moved.parent_path());
    fs::rename(prefix, moved);
    EXPECT_TRUE(Plays(moved / "bin/zarn"));

    // The game's own exit status and message come through the launcher, naming the full path;
    // the launcher's own errors speak as the game does.
    fs::remove(moved / "share/zarn/graphics" / BALL_FILE);
    EXPECT_TRUE(
        FailsSaying(moved / "bin/zarn",
                    "zarn: cannot load " + (moved / "share/zarn/graphics" / BALL_FILE).string()));
    fs::remove_all(moved / "share/zarn");
    EXPECT_TRUE(FailsSaying(moved / "bin/zarn", "zarn: cannot enter the game's data directory " +
                                                    (moved / "share/zarn").string()));
}

// A package as `make package` (or `make package-ARCH`) built it, which `make test` does first:
// Debian's layout for games, its hardening, stripped.
static fs::path Package(const std::string& arch) {
    return ZARN_BUILD_DIR "/zarn_" ZARN_VERSION "_" + arch + ".deb";
}

TEST_F(Installed, TheDebianPackagePassesLintianAndInstallsAndRemovesCleanly) {
    std::string arch = Output("dpkg --print-architecture");
    fs::path package = Package(arch.substr(0, arch.find('\n')));
    ASSERT_TRUE(fs::exists(package)) << "no " << package << ": make package makes it";

    std::vector<fs::path> packages = {package};
    EXPECT_EQ(system("appstreamcli validate --pedantic --no-net " ZARN_BUILD_DIR
                     "/org.example.zarn.metainfo.xml >/dev/null"),
              0);
    EXPECT_EQ(system("desktop-file-validate " ZARN_SOURCE_DIR "/dist/org.example.zarn.desktop"), 0);

    // The ARM packages, which `make test` cross-builds, are this one for their architectures.
    for (std::string arch : {"arm64", "armhf"}) {
        fs::path other = Package(arch);
        if (!fs::exists(other)) {
            ADD_FAILURE() << "no " << other << ": make package-" << arch << " makes it";
            continue;
        }
        packages.push_back(other);
        EXPECT_EQ(Contents(other), Contents(package));
        EXPECT_EQ(Output("dpkg-deb -f " + other.string() + " Architecture"), arch + "\n");
    }
    EXPECT_TRUE(PassLintian(packages));

    std::string depends = Output("dpkg-deb -f " + package.string() + " Depends");
    for (const char* dependency : {"libsdl1.2debian", "libsdl-ttf2.0-0", "fonts-dejavu-core"}) {
        EXPECT_NE(depends.find(dependency), std::string::npos) << depends;
    }
    std::string files = Output("dpkg-deb -c " + package.string());
    for (const char* file : {"./usr/games/zarn", "./usr/libexec/zarn/zarn",
                             "./usr/share/games/zarn/graphics/" ENEMY_FILE,
                             "./usr/share/games/zarn/graphics/" FONT_FILE " -> "
                             "../../../fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
                             "./usr/share/man/man6/zarn.6.gz", "./usr/share/doc/zarn/copyright",
                             "./usr/share/metainfo/org.example.zarn.metainfo.xml",
                             "./usr/share/applications/org.example.zarn.desktop",
                             "./usr/share/icons/hicolor/256x256/apps/zarn.png"}) {
        EXPECT_NE(files.find(std::string(file) + "\n"), std::string::npos) << file;
    }

    // Installing it for real needs root, and a machine where it is not installed already.
    if (geteuid() != 0 || system("dpkg -s zarn >/dev/null 2>&1") == 0) {
        GTEST_SKIP() << "not root, or zarn is installed on this machine: not installing it";
    }
    ASSERT_EQ(system(("dpkg -i " + package.string() + " >/dev/null").c_str()), 0);
    EXPECT_TRUE(Plays("/usr/games/zarn"));
    EXPECT_EQ(system("dpkg -r zarn >/dev/null"), 0);
    EXPECT_FALSE(fs::exists("/usr/games/zarn"));
    EXPECT_FALSE(fs::exists("/usr/share/games/zarn"));
}
