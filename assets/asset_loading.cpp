// Start-up loading: seven models into lists 1 to 7, the overlay pictures, the universe, sound.
#include "assets/asset_loading.h"

#include "assets/display_lists.h"
#include "assets/textures.h"
#include "sound/sound.h"
#include "world/game_setup.h"
#include "world/universe.h"

int32_t numbersTexture = 0;
int32_t textTexture    = 0;
int32_t crossTexture   = 0;
int32_t deadTexture    = 0;
int32_t fontTexture    = 0;

namespace {
// One model at a time passes through here; it is empty between files.
Model assetModel;

void loadListModel(const char* fileName, unsigned int listNumber) {
    loadModel(&assetModel, fileName);
    compileModel(assetModel, listNumber);
    freeModel(&assetModel);
}
} // namespace

float rocketReferenceSize(const Model& m) {
    if (m.sizeX > m.sizeY) return m.sizeX;
    if (m.sizeY > m.sizeZ) return m.sizeY;
    return m.sizeZ;
}

void loadAssets() {
    loadListModel("ship.wrl", LIST_SHIP);

    loadModel(&assetModel, "rocket.wrl");
    const float reference = rocketReferenceSize(assetModel);
    if (reference != 0.0f) scaleModel(&assetModel, ROCKET_MODEL_SIZE / reference);
    compileModel(assetModel, LIST_ROCKET);
    freeModel(&assetModel);

    loadListModel("explode.wrl", LIST_EXPLOSION);
    loadListModel("sky.wrl", LIST_SKY);
    loadListModel("stone0.wrl", LIST_STONE0);
    loadListModel("stone1.wrl", LIST_STONE1);
    loadListModel("stone2.wrl", LIST_STONE2);

    numbersTexture = loadTexture("numbers.bmp") - 1;
    textTexture    = loadTexture("text.bmp") - 1;
    crossTexture   = loadTexture("cross.bmp") - 1;
    deadTexture    = loadTexture("dead.bmp") - 1;
    fontTexture    = loadTexture("font.bmp") - 1;

    loadUniverse("universe.uni");
    if (gameSetup.soundEnabled) soundSetup();
}
