// The two folders every test may need, from the environment CTest sets.
#include "tests/support/test_paths.h"

#include <cstdlib>

namespace {
std::string fromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}
} // namespace

std::string gameDir() {
    return fromEnvironment("VORANIS_GAME_DIR");
}

std::string sourceDir() {
    return fromEnvironment("VORANIS_SOURCE_DIR");
}
