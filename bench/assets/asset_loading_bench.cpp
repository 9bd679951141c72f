// Start-up asset loading: every model into its display list, the pictures into textures
// and the universe file, in a hidden Mesa window.
//
//   assets_bench [--game-dir=DIR] [benchmark options]
//
// DIR (or $VORANIS_GAME_DIR, or the build's game folder) holds the generated data.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include "assets/asset_loading.h"
#include "assets/textures.h"
#include "tests/support/gl_frame.h"
#include "world/world_state.h"

namespace {
// This program's own world, as each program owns its own.
WorldState testWorld;

std::string gameDir;

void BM_LoadAssets(benchmark::State& state) {
    std::string error;
    GlWindow* context = openGlWindow(64, 64, &error);
    if (!context) {
        state.SkipWithError(error.c_str());
        return;
    }
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(gameDir);
    char problem[ASSET_PROBLEM_SIZE];
    for (auto _ : state) {
        // Start-up uploads into new textures: the GL reuses a texture's storage when the same
        // name is loaded again at the same size, which start-up never sees.
        state.PauseTiming();
        std::vector<GLuint> loaded(size_t(textureNames.nextTextureName - 1));
        std::iota(loaded.begin(), loaded.end(), 1u);
        glDeleteTextures(GLsizei(loaded.size()), loaded.data());
        glFinish();
        state.ResumeTiming();
        resetTextures();
        resetWorld(testWorld);
        initTextures(TEXTURE_TABLE_SIZE);
        if (!loadAssets(testWorld, problem)) {
            state.SkipWithError(problem);
            break;
        }
        glFinish();
    }
    state.counters["textures"] = double(textureNames.nextTextureName - 1);
    state.counters["planets"]  = double(testWorld.planetCount);
    std::filesystem::current_path(previous);
    closeGlWindow(context);
}
BENCHMARK(BM_LoadAssets)->Unit(benchmark::kMillisecond)->MinTime(2.0);
} // namespace

int main(int argc, char** argv) {
    const char* fromEnvironment = std::getenv("VORANIS_GAME_DIR");
    gameDir                     = fromEnvironment ? fromEnvironment : VORANIS_GAME_DIR_DEFAULT;
    int kept                    = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--game-dir=", 11) == 0) {
            gameDir = argv[i] + 11;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    std::printf("game folder: %s\n", gameDir.c_str());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
