// The arenas a host can share: universe files written as arenas/NAME.uni in the game folder.
// The host goes through them in name order, which puts the classic universe first.
#pragma once

#include <vector>

#include "tools/asset_pack.h"

// "arenas/classic.uni" (the same bytes as universe.uni), then every generated arena.
std::vector<AssetFile> makeArenaFiles();
