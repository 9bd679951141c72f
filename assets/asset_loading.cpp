// Start-up loading: seven models into lists 1 to 7, the overlay pictures, the universe.
#include "assets/asset_loading.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "assets/display_lists.h"
#include "assets/textures.h"
#include "world/universe.h"
#include "world/world_state.h"

OverlayTextures overlayTextures;

namespace {
// One model at a time passes through here; it is empty between files.
Model assetModel;

bool cannotRead(const char* fileName, const char* why, char problem[ASSET_PROBLEM_SIZE]) {
    std::snprintf(problem, ASSET_PROBLEM_SIZE, "cannot read %s: %s", fileName, why);
    return false;
}

bool readListModel(const char* fileName, char problem[ASSET_PROBLEM_SIZE]) {
    const ModelStatus status = loadModel(&assetModel, fileName);
    if (status == MODEL_CANNOT_OPEN) return cannotRead(fileName, std::strerror(errno), problem);
    if (status != MODEL_OK) {
        freeModel(&assetModel);
        return cannotRead(fileName, "the model ends before its lists are complete", problem);
    }
    return true;
}

bool loadListModel(const char* fileName, unsigned int listNumber,
                   char problem[ASSET_PROBLEM_SIZE]) {
    if (!readListModel(fileName, problem)) return false;
    compileModel(assetModel, listNumber);
    freeModel(&assetModel);
    return true;
}

// The rocket model is brought to the game's rocket size before it is recorded.
bool loadRocketModel(char problem[ASSET_PROBLEM_SIZE]) {
    if (!readListModel("rocket.wrl", problem)) return false;
    const float reference = rocketReferenceSize(assetModel);
    if (reference != 0.0f) scaleModel(&assetModel, ROCKET_MODEL_SIZE / reference);
    compileModel(assetModel, LIST_ROCKET);
    freeModel(&assetModel);
    return true;
}

// The planets' textures follow one another from the first TEXTURE line's name.
bool loadUniverseFile(WorldState& world, char problem[ASSET_PROBLEM_SIZE]) {
    if (!loadUniverse(world, UNIVERSE_FILE, &world.planetTextures))
        return cannotRead(UNIVERSE_FILE, std::strerror(errno), problem);
    for (int i = 0; i < world.planetTextures.count; ++i) {
        const int next = loadTexture(world.planetTextures.fileName[i]);
        if (i == 0) world.planetTextureBase = next - 1;
    }
    return true;
}
} // namespace

float rocketReferenceSize(const Model& m) {
    if (m.sizeX > m.sizeY) return m.sizeX;
    if (m.sizeY > m.sizeZ) return m.sizeY;
    return m.sizeZ;
}

bool loadAssets(WorldState& world, char problem[ASSET_PROBLEM_SIZE]) {
    if (!loadListModel("ship.wrl", LIST_SHIP, problem) || !loadRocketModel(problem) ||
        !loadListModel("explode.wrl", LIST_EXPLOSION, problem) ||
        !loadListModel("sky.wrl", LIST_SKY, problem) ||
        !loadListModel("stone0.wrl", LIST_STONE0, problem) ||
        !loadListModel("stone1.wrl", LIST_STONE1, problem) ||
        !loadListModel("stone2.wrl", LIST_STONE2, problem))
        return false;

    OverlayTextures& o = overlayTextures;
    o.numbersTexture   = loadOverlayTexture("numbers.bmp") - 1;
    o.textTexture      = loadOverlayTexture("text.bmp") - 1;
    o.crossTexture     = loadOverlayTexture("cross.bmp") - 1;
    o.deadTexture      = loadOverlayTexture("dead.bmp") - 1;
    o.fontTexture      = loadOverlayTexture("font.bmp") - 1;

    return loadUniverseFile(world, problem);
}
