// End to end, what the game is started with: damaged files, pictures of every depth, another
// folder, and the command line.
#include "bmp_file.h"
#include "desktop.h"

#include <algorithm>

namespace fs = std::filesystem;

// The game started on a damaged copy of its files: a required file stops it with one line and
// status 1; without the optional end image it plays on.
static void ExpectRefusedOrPlaysOn(const XServer& server, const ScratchGraphics& scratch,
                                   const std::string& name) {
    if (!IsRequired(name)) {
        EXPECT_TRUE(OpensAndCloses(server, scratch.Dir()));
        return;
    }
    GameProcess game(server, scratch.Dir());
    EXPECT_TRUE(
        game.EndsSaying(1, "zarn: cannot load " + PathAsTheGameSaysIt(scratch.File(name)) + ": "));
    EXPECT_FALSE(GameWindow(server, 0).Found());
}

TEST_F(EndToEnd, AMissingOrDamagedFileEndsTheGameWithOneLineAndStatus1) {
    std::vector<std::string> names = {FONT_FILE};
    for (const GamePicture& picture : GAME_PICTURES) {
        names.push_back(picture.name);
    }
    // Under Wine every start and end costs two seconds of Wine's own (it waits for a window
    // manager that the X server lacks), and the in-process tests under Wine refuse every damage
    // of every file; emulated, a start costs seconds too: there, each file once and each damage
    // once.
    bool everyPair = !getenv("ZARN_GAME_RUNNER");
    for (size_t file = 0; file < names.size(); ++file) {
        const std::string& name = names[file];
        for (size_t d = 0; d < ANY_FILE_DAMAGE.size(); ++d) {
            if (!everyPair && d != file % ANY_FILE_DAMAGE.size()) {
                continue;
            }
            const Damage& damage = ANY_FILE_DAMAGE[d];
            SCOPED_TRACE(name + ", " + damage.what);
            ScratchGraphics scratch;
            damage.ApplyTo(scratch, name);
            ExpectRefusedOrPlaysOn(*server, scratch, name);
        }
    }
}

TEST_F(EndToEnd, PicturesOfEveryCommonDepthShowWithPureWhiteSeeThrough) {
    // A player picture in red with pure-white corners, stored at each depth in turn.
    const Color red = {255, 0, 0};
    std::vector<Color> pixels(20 * 100, red);
    for (int y : {0, 1, 98, 99}) {
        for (int x : {0, 1, 18, 19}) {
            pixels[y * 20 + x] = WHITE;
        }
    }
    for (int depth : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE("depth " + std::to_string(depth));
        ScratchGraphics scratch;
        scratch.Write(PLAYER_FILE, MakeBmp(depth, 20, 100, pixels));
        StartedGame game(*server, scratch.Dir());
        ASSERT_TRUE(game.Shows(background));
        Picture picture = game.first;
        EXPECT_EQ(PixelAt(picture.get(), PLAYER_MIDDLE_X, PLAYER_MIDDLE_Y), red);
        EXPECT_EQ(PixelAt(picture.get(), 256, 256), PixelAt(background, 256, 256));
        EXPECT_EQ(PixelAt(picture.get(), 275, 355), PixelAt(background, 275, 355));
        EXPECT_EQ(PixelAt(picture.get(), 258, 258), red);
        game.window.RequestClose();
        ASSERT_TRUE(game.Ends(0));
    }
}

// Started from another folder, the Windows game finds graphics\ beside zarn.exe (the Linux
// program leaves that to its launcher); with none there either, it says where it looked, on
// standard error or, without a console, in a message box, whatever the folder's name.
TEST_F(EndToEnd, StartedFromAnotherFolderTheWindowsGameFindsItsFilesBesideItself) {
    if (!UnderWine()) {
        GTEST_SKIP() << "the Linux program is started in its files' folder by its launcher";
    }
    fs::path elsewhere = fs::temp_directory_path() / ("zarn-elsewhere-" + std::to_string(getpid()));
    // A whole copy of the game in a folder named outside any one ANSI code page (the manifest
    // makes the game's text UTF-8 for Windows), and a copy of the program with nothing beside it.
    fs::path whole = elsewhere / "Zarn Spiel \u30b2\u30fc\u30e0";
    fs::path bare = elsewhere / "bare";
    std::vector<std::string> command = GameCommand();
    fs::path exe = command.back();
    for (const fs::path& folder : {whole, bare}) {
        fs::create_directories(folder);
        for (const fs::path& file : {exe, exe.parent_path() / "SDL.dll"}) {
            fs::copy_file(file, folder / file.filename());
        }
    }
    fs::copy(exe.parent_path() / "graphics", whole / "graphics");
    command.back() = (whole / exe.filename()).string();
    EXPECT_TRUE(OpensAndCloses(*server, elsewhere, command));
    command.back() = (bare / exe.filename()).string();
    GameProcess game(*server, elsewhere, command);
    EXPECT_TRUE(game.EndsSaying(
        1, "zarn: cannot load " + PathAsTheGameSaysIt(elsewhere / "graphics" / BACKGROUND_FILE)));

    // Started as Explorer starts it, with no console to print to: a message box says it.
    GameProcess started(*server, elsewhere, {command[0], "start", "/unix", command.back()});
    GameWindow box(*server, GAME_WAIT_MS);
    ASSERT_TRUE(box.Found()) << "no message box";
    EXPECT_LT(box.Width(), SCREEN_WIDTH);
    box.RequestClose();
    EXPECT_TRUE(Eventually(5000, [&] { return !GameWindow(*server, 0).Found(); }));
    fs::remove_all(elsewhere);
}

// What a program wrote as text, with Windows' line ends as Linux has them.
static std::string AsText(const Bytes& bytes) {
    std::string text(bytes.begin(), bytes.end());
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

// Asking the game about itself needs no display: it answers and ends without starting SDL.
TEST(CommandLine, AnswersWithoutADisplayAndWithoutStartingTheGame) {
    struct Case {
        const char* arguments;
        int status;
        const char* out; // what standard output starts with
        const char* err; // what standard error starts with
    };
    const char* usage = "Usage: zarn [--scale N] [--fullscreen] | -h | --help | --version\n";
    const Case cases[] = {
        {"--help", 0, usage, ""},
        {"-h", 0, usage, ""},
        {"--version", 0, "zarn " ZARN_VERSION "\n", ""},
        {"--full-screen", 2, "", "zarn: unexpected argument '--full-screen'; try 'zarn --help'\n"},
        {"--scale 0", 2, "", "zarn: --scale takes a whole number from 1, not '0'\n"},
        {"--scale x", 2, "", "zarn: --scale takes a whole number from 1, not 'x'\n"},
        {"--scale", 2, "", "zarn: --scale needs a whole number from 1, such as --scale 2\n"},
        {"--scale 100000", 2, "", "zarn: --scale 100000 is larger than any screen holds\n"},
        {"--scale 2 --scale 2", 2, "", "zarn: --scale is given twice; give it once\n"},
        {"--fullscreen --fullscreen", 2, "", "zarn: --fullscreen is given twice; give it once\n"},
        {"--help extra", 2, "", "zarn: unexpected argument 'extra'; try 'zarn --help'\n"},
    };
    fs::path out = fs::temp_directory_path() / ("zarn-out-" + std::to_string(getpid()));
    fs::path err = out.string() + ".err";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        // A game that started would play until the time-out ends it with 124.
        std::string command = "env -u DISPLAY timeout 10";
        for (const std::string& word : GameCommand()) {
            command += " " + word;
        }
        command += " " + std::string(c.arguments) + " >" + out.string() + " 2>" + err.string();
        int status = system(command.c_str());
        EXPECT_EQ(WEXITSTATUS(status), c.status);
        std::string said = AsText(FileBytes(out)), complained = AsText(FileBytes(err));
        EXPECT_EQ(said.rfind(c.out, 0), 0u) << said;
        EXPECT_EQ(complained, c.err);
    }
    fs::remove(out);
    fs::remove(err);
}
