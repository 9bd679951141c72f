// Loading every model, picture and the universe at start-up.
#pragma once

#include <cstdint>

#include "assets/vrml_model.h"

struct WorldState;

constexpr unsigned LIST_SHIP      = 1;
constexpr unsigned LIST_ROCKET    = 2;
constexpr unsigned LIST_EXPLOSION = 3;
constexpr unsigned LIST_SKY       = 4;
constexpr unsigned LIST_STONE0    = 5;
constexpr unsigned LIST_STONE1    = 6;
constexpr unsigned LIST_STONE2    = 7;

constexpr float ROCKET_MODEL_SIZE = 0.1f;

// The overlay's pictures, by texture name (0 until loaded).
struct OverlayTextures {
    int32_t numbersTexture = 0;
    int32_t textTexture    = 0;
    int32_t crossTexture   = 0;
    int32_t deadTexture    = 0;
    int32_t fontTexture    = 0;
};
// Process-wide for the same reason as the GL's texture names: one context, loaded once.
extern OverlayTextures overlayTextures;

constexpr int ASSET_PROBLEM_SIZE = 320;

// Models into their lists, the overlay pictures, the universe with its planet textures.
// False, with "cannot read <file>: <why>" in problem, when a model or the universe file
// cannot be read; a missing picture only gets a placeholder texture.
bool loadAssets(WorldState& world, char problem[ASSET_PROBLEM_SIZE]);

// The rocket's reference size: sizeX when above sizeY, else sizeY when above sizeZ, else
// sizeZ (not always the largest of the three).
float rocketReferenceSize(const Model& model);
