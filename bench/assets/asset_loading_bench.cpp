// Start-up asset loading: every model into its display list, the pictures into textures
// and the universe file, in a hidden Mesa window.
//
//   assets_bench [--game-dir=DIR] [benchmark options]
//
// DIR (or $VORANIS_GAME_DIR) is a game folder with the generated data; without one the
// benchmark writes a small folder of its own.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "assets/asset_loading.h"
#include "assets/textures.h"
#include "tests/assets/gl_context.h"
#include "tests/assets/test_files.h"
#include "world/world_state.h"

namespace {
std::string gameDir;

// A sphere of rings x segments quads, in the models' layout.
std::string sphereModel(int rings, int segments, const char* texture) {
    std::vector<std::string> points;
    for (int r = 0; r <= rings; ++r) {
        for (int s = 0; s < segments; ++s) {
            const double a = M_PI * r / rings, b = 2 * M_PI * s / segments;
            char p[96];
            std::snprintf(p, sizeof p, "%.4f %.4f %.4f", std::sin(a) * std::cos(b), std::cos(a),
                          std::sin(a) * std::sin(b));
            points.emplace_back(p);
        }
    }
    TestFaceSet set;
    set.textureFile = texture;
    set.triangles.clear();
    for (int r = 0; r < rings; ++r) {
        for (int s = 0; s < segments; ++s) {
            const int a = r * segments + s, b = r * segments + (s + 1) % segments;
            const int c = a + segments, d = b + segments;
            set.triangles.push_back(std::to_string(a) + ", " + std::to_string(c) + ", " +
                                    std::to_string(b) + ", -1,");
            set.triangles.push_back(std::to_string(b) + ", " + std::to_string(c) + ", " +
                                    std::to_string(d) + ", -1,");
        }
    }
    return makeModelText(points, {set});
}

void writeOwnGameDir(const TempDir& dir) {
    auto picture         = [](int, int y) { return Rgb{uint8_t(y), 80, 160}; };
    const char* models[] = {"ship", "rocket", "explode", "sky", "stone0", "stone1", "stone2"};
    const int rings[]    = {8, 4, 6, 12, 6, 12, 24};
    for (int i = 0; i < 7; ++i) {
        dir.write(std::string(models[i]) + ".wrl",
                  sphereModel(rings[i], 2 * rings[i], i == 6 ? "-" : "hull.bmp"));
    }
    for (const char* p : {"hull", "numbers", "text", "cross", "dead", "rock", "ice", "lava"}) {
        dir.write(std::string(p) + ".bmp", makeBmp(256, 256, picture));
    }
    dir.write("universe.uni", "TEXTURE rock\nTEXTURE ice\nTEXTURE lava\n"
                              "PLANET 0 -6 -46 11 2 0.5 a\nPLANET 18 10 -16 4 0 1 b\n");
}

void BM_LoadAssets(benchmark::State& state) {
    std::string error;
    TestGlContext* context = createTestGlContext(64, 64, &error);
    if (!context) {
        state.SkipWithError(error.c_str());
        return;
    }
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(gameDir);
    char problem[ASSET_PROBLEM_SIZE];
    for (auto _ : state) {
        resetTextures();
        resetWorld();
        initTextures(TEXTURE_TABLE_SIZE);
        if (!loadAssets(problem)) {
            state.SkipWithError(problem);
            break;
        }
        glFinish();
    }
    state.counters["textures"] = double(nextTextureName - 1);
    state.counters["planets"]  = double(planetCount);
    std::filesystem::current_path(previous);
    destroyTestGlContext(context);
}
BENCHMARK(BM_LoadAssets)->Unit(benchmark::kMillisecond)->MinTime(2.0);
} // namespace

int main(int argc, char** argv) {
    const char* fromEnvironment = std::getenv("VORANIS_GAME_DIR");
    if (fromEnvironment && std::filesystem::exists(std::string(fromEnvironment) + "/ship.wrl")) {
        gameDir = fromEnvironment;
    }
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--game-dir=", 11) == 0) {
            gameDir = argv[i] + 11;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    TempDir own;
    if (gameDir.empty()) {
        writeOwnGameDir(own);
        gameDir = own.dir();
    }
    std::printf("game folder: %s\n", gameDir.c_str());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
