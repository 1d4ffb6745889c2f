// Long play: the real game under valgrind, random keys and pointer moves, for a while, counted
// in Life steps (a second or so each): ZARN_SOAK_STEPS, 30 by default; `make soak` plays 600.
#include "desktop.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <random>
#include <thread>

namespace fs = std::filesystem;

// Where a leak was allocated on behalf of the game: its pictures, its font, its frames, in any
// of its files under src/ (valgrind names them from the source folder). What SDL allocates while
// it starts itself up is SDL's own.
static const char* const BRING_UP[] = {"SDL_Init", "SDL_SetVideoMode", "TTF_Init"};
static bool IsTheGamesLeak(const std::string& record) {
    auto inBringUp = [&](const char* call) { return record.find(call) != std::string::npos; };
    return record.find("(src/") != std::string::npos &&
           std::none_of(std::begin(BRING_UP), std::end(BRING_UP), inBringUp);
}

// The loss records that valgrind reports as definitely lost: each ends at a line of its prefix
// alone ("==PID== ").
static std::vector<std::string> DefinitelyLost(const fs::path& log) {
    std::ifstream in(log);
    std::vector<std::string> records;
    std::string record, line;
    while (std::getline(in, line)) {
        record += line + "\n";
        if (line.find_first_not_of(' ', line.find("== ") + 3) == std::string::npos) {
            if (record.find("are definitely lost in loss record") != std::string::npos) {
                records.push_back(record);
            }
            record.clear();
        }
    }
    return records;
}

TEST(Soak, LongPlayLeaksNothingOfTheGamesOwnAndMemoryStaysFlat) {
    const char* setting = getenv("ZARN_SOAK_STEPS");
    const int steps = setting ? atoi(setting) : 30;
    // Under valgrind the game's memory climbs while valgrind translates each of its paths as it
    // first runs, however long the game takes to get there. It has settled once it stays within
    // SETTLE_KB for SETTLE_STEPS, and from there it must stay flat for the rest of the play.
    const int warmUp = std::min(60, steps / 3), playSettled = steps - warmUp;
    const int SETTLE_STEPS = 10, SETTLE_KB = 256, SETTLES_WITHIN = warmUp + 120;
    XServer server;
    ASSERT_TRUE(server.Connection());
    fs::path log = fs::temp_directory_path() / ("zarn-soak-" + std::to_string(getpid()) + ".log");
    // valgrind starts the game slowly on a busy machine
    StartedGame game(server, SourceDir(),
                     {"valgrind", "--leak-check=full", "--show-leak-kinds=definite",
                      "--num-callers=40", "--freelist-vol=1000000", "--log-file=" + log.string(),
                      "--fullpath-after=" + SourceDir().string() + "/", ZARN_BINARY},
                     300000);
    ASSERT_TRUE(game.HasAWindow());
    GameWindow& window = game.window;

    std::mt19937 random(2026);
    std::uniform_int_distribution<int> coordinate(0, SCREEN_WIDTH - 1), action(0, 5);
    const char* held = nullptr;
    long settled = -1, highest = 0, flatSince = 0;
    int step = 0, settledAt = 0, flatFrom = 0;
    std::string life = LifeLine(window.Capture());
    while (settled < 0 ? step <= SETTLES_WITHIN : step <= settledAt + playSettled) {
        if (std::string now = LifeLine(window.Capture()); now != life) {
            life = now;
            ++step;
        }
        // Half the time the pointer moves; else the key held is let go, and mostly another held.
        if (int act = action(random); act < 3) {
            window.MovePointer(coordinate(random), coordinate(random));
        } else {
            if (held) {
                window.Key("keyup", held);
            }
            held = act == 5 ? nullptr : action(random) % 2 ? "Up" : "Down";
            if (held) {
                window.Key("keydown", held);
            }
        }
        ASSERT_TRUE(game.Running()) << "the game ended during play:\n" << game.ErrorOutput();
        long resident = game.ResidentKilobytes();
        if (resident > flatSince + SETTLE_KB) {
            flatSince = resident;
            flatFrom = step;
        }
        if (settled < 0 && step >= warmUp && step - flatFrom >= SETTLE_STEPS) {
            settled = resident;
            settledAt = step;
        }
        highest = std::max(highest, resident);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (held) {
        window.Key("keyup", held);
    }
    long last = game.ResidentKilobytes();
    window.Key("key", "Escape");
    ASSERT_TRUE(game.Ends(0));

    std::cout << "resident memory: " << settled << " kB, settled after " << settledAt
              << " Life steps; " << last << " kB at the end (highest " << highest << " kB)\n";
    if (settled < 0) {
        ADD_FAILURE() << "memory did not settle in " << SETTLES_WITHIN << " Life steps";
    } else {
        EXPECT_LE(last - settled, 1024) << "memory grew during play";
    }
    std::vector<std::string> lost = DefinitelyLost(log);
    for (const std::string& record : lost) {
        EXPECT_FALSE(IsTheGamesLeak(record)) << record;
    }
    std::cout << lost.size() << " definitely lost records in all\n";
    fs::remove(log);
}
