// Where the tests find the game: the build's game folder and the source tree, as CTest
// hands them to every test.
#pragma once

#include <cstdlib>
#include <string>

inline std::string fromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}
inline std::string gameDir() { // the program and every data file
    return fromEnvironment("VORANIS_GAME_DIR");
}
inline std::string sourceDir() {
    return fromEnvironment("VORANIS_SOURCE_DIR");
}
