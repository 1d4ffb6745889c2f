// Zarn Game benchmark: one frame's work beside the bare SDL calls that such a frame needs.
#include "game/game.h"
#include "media/media.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

// Clearing both handles, the update step and the draw step: what the loop does between flips.
static void GameFrame(benchmark::State& state) {
    for (auto _ : state) {
        ComposeFrame();
    }
}
BENCHMARK(GameFrame);

// One fill (both handles are the one frame, as the game clears it), three blits, two lines of
// text rendered, blitted and freed: nothing else.
static void BareSdlFrame(benchmark::State& state) {
    const SDL_Color light = {225, 225, 225, 0};
    for (auto _ : state) {
        SDL_FillRect(Backbuffer, NULL, 0);
        SDL_Rect at = {0, 0, 0, 0};
        SDL_BlitSurface(BackgroundImage, NULL, Backbuffer, &at);
        at = PlayerPaddleRect;
        SDL_BlitSurface(PlayerPaddleImage, NULL, Backbuffer, &at);
        at = EnemyPaddleRect;
        SDL_BlitSurface(EnemyPaddleImage, NULL, Backbuffer, &at);
        const char* lines[] = {"Player Score: 0", "Life: 30"};
        for (int i = 0; i < 2; ++i) {
            SDL_Surface* line = TTF_RenderText_Solid(GameFont, lines[i], light);
            SDL_Rect pos = {0, Sint16(i == 0 ? 1 : 30), 0, 0};
            SDL_BlitSurface(line, NULL, Backbuffer, &pos);
            SDL_FreeSurface(line);
        }
    }
}
BENCHMARK(BareSdlFrame);

// The game's window at a scale, or full screen for 0; false if this screen cannot hold it.
static bool ShowAt(benchmark::State& state, int scale) {
    FreeGame();
    RequestedScale = scale;
    RequestedFullScreen = scale == 0;
    if (!InitGame()) {
        state.SkipWithError(StartupError());
        return false;
    }
    return true;
}

// A frame as the player gets it: composed, then shown twice as the loop does, which puts it on
// the screen once: at 1x the frame is the window, flipped; scaled, it is scaled into the window
// and flipped. Full screen is 0. The flip costs what the X server it runs on costs.
static void ShownFrame(benchmark::State& state) {
    if (!ShowAt(state, int(state.range(0)))) {
        return;
    }
    for (auto _ : state) {
        ComposeFrame();
        ShowFrame(EndSceene);
        ShowFrame(Backbuffer);
    }
}
BENCHMARK(ShownFrame)->Arg(1)->Arg(2)->Arg(3)->Arg(0);

// The scaling alone: nothing at 1x, where the game draws in the window.
static void Scaling(benchmark::State& state) {
    if (!ShowAt(state, int(state.range(0)))) {
        return;
    }
    ComposeFrame();
    for (auto _ : state) {
        PutFrameInWindow();
    }
}
BENCHMARK(Scaling)->Arg(1)->Arg(2)->Arg(3)->Arg(0);

// F11 mid-round: from the 512 x 512 window to full screen or back, until the next frame is
// shown. For that long the game draws nothing.
static void Switch(benchmark::State& state) {
    if (!ShowAt(state, 1)) {
        return;
    }
    for (auto _ : state) {
        if (!ToggleFullScreen()) {
            state.SkipWithError(StartupError());
            return;
        }
        ComposeFrame();
        ShowFrame(EndSceene);
    }
}
BENCHMARK(Switch)->Iterations(10);

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // With repetitions, the median stands for the benchmark; without, the one run does.
        for (const Run& run : runs) {
            bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median || run.run_type == Run::RT_Iteration) {
                const benchmark::BenchmarkName& name = run.run_name;
                nanoseconds[name.function_name + (name.args.empty() ? "" : "/" + name.args)] =
                    run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> nanoseconds;
};

int main(int argc, char* argv[]) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    auto start = std::chrono::steady_clock::now();
    if (!InitGame()) {
        fprintf(stderr, "zarn_bench: %s (run it from the directory that holds graphics/)\n",
                StartupError());
        FreeGame();
        return 1;
    }
    ComposeFrame();
    SDL_Flip(Backbuffer);
    std::chrono::duration<double, std::milli> startup = std::chrono::steady_clock::now() - start;

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    double game = reporter.nanoseconds["GameFrame"];
    double bare = reporter.nanoseconds["BareSdlFrame"];
    printf("\nStart-up to the first frame (dummy video): %.1f ms\n", startup.count());
    if (game > 0 && bare > 0) {
        printf("Game frame %.1f us, bare SDL frame %.1f us: ratio %.3f (goal: 1.1 at most)\n",
               game / 1000, bare / 1000, game / bare);
    }
    // What a frame costs at each scale, and how much of it is the scaling.
    for (const char* at : {"1", "2", "3", "0"}) {
        double shown = reporter.nanoseconds[std::string("ShownFrame/") + at];
        double scaling = reporter.nanoseconds[std::string("Scaling/") + at];
        if (shown > 0 && scaling > 0) {
            std::string label = std::string(at) == "0" ? "Full screen" : std::string(at) + "x";
            printf("%-11s shown frame %8.1f us, of which the scaling %6.1f us\n", label.c_str(),
                   shown / 1000, scaling / 1000);
        }
    }
    double switched = reporter.nanoseconds["Switch"];
    if (switched > 0) {
        printf("F11, to full screen or back, until the next frame is shown: %.1f ms\n",
               switched / 1e6);
    }
    FreeGame();
    return 0;
}
