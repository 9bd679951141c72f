// Where the tests find the game: the build's game folder and the source tree, as CTest
// hands them to every test.
#pragma once

#include <string>

std::string gameDir();   // VORANIS_GAME_DIR: the program and every data file
std::string sourceDir(); // VORANIS_SOURCE_DIR
