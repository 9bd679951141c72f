// startWithoutWindow: the planets everyone steers round, read as every machine reads them,
// so that rockets burst on them here as there.
#include "step/windowless_start.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "step/data_folder.h"
#include "world/universe.h"

bool startWithoutWindow(WorldState& world, char problem[START_PROBLEM_SIZE]) {
    resetWorld(world);
    enterDataFolder();
    if (!loadUniverse(world, UNIVERSE_FILE, &world.planetTextures)) {
        std::snprintf(problem, START_PROBLEM_SIZE, "cannot read %s: %s", UNIVERSE_FILE,
                      std::strerror(errno));
        return false;
    }
    resetPlayerTable(world.players);
    return true;
}
