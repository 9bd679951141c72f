// Where the build put the generated game folder, and running inside it.
#pragma once

#include <cstdlib>
#include <string>

#include <unistd.h>

inline std::string gameDir() {
    const char* dir = std::getenv("VORANIS_GAME_DIR");
    return dir ? dir : "build/game";
}

// Runs in the game folder for as long as it lives, as the game does, then goes back.
class InGameDir {
  public:
    InGameDir() {
        char here[4096];
        previous_ = getcwd(here, sizeof here) ? here : ".";
        ok_       = chdir(gameDir().c_str()) == 0;
    }
    ~InGameDir() { (void)!chdir(previous_.c_str()); }
    bool ok() const { return ok_; }

  private:
    std::string previous_;
    bool ok_ = false;
};
