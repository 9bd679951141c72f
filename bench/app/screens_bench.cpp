// Steps and drawn frames a second of the real game hosting in a window with three bots, at
// 640 x 480, 1024 x 768 and 1920 x 1080: the steps as the host's state records a loopback
// peer receives, the steps and frames as the game counts them (VORANIS_FRAME_COUNTS). Needs
// VORANIS_GAME_DIR (with voranis-bot beside the game) and $DISPLAY on a screen of 1920 x 1080
// or more; run it in a private network namespace (tests/support/in-private-net), as
// scripts/perf-report does.
//
//   app_screens_bench [SECONDS]
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "tests/support/game_driver.h"
#include "tests/support/peer.h"

namespace {
constexpr int WARM_UP_SECONDS = 4; // the window, the assets and the bots' joining settle
constexpr int CONNECT_TRIES   = 50;
constexpr int HOST_SLOT       = 0;
constexpr const char* SIZES[] = {"640x480", "1024x768", "1920x1080"};

pid_t startHost(const char* size, const std::string& home, const std::string& errors) {
    const std::string game = std::string(std::getenv("VORANIS_GAME_DIR")) + "/voranis";
    pid_t pid              = fork();
    if (pid == 0) {
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", home.c_str(), 1);
        setenv("XDG_DATA_HOME", home.c_str(), 1); // its demos
        setenv("VORANIS_FRAME_COUNTS", "1", 1);
        const int fd = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd >= 0) dup2(fd, STDERR_FILENO);
        execl(game.c_str(), "voranis", "--host", "--window", "--resolution", size, "--name",
              "BENCH", "--bots", "3", "--skill", "2", static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// The host's state records a joined peer receives in the time, a second's worth.
double peerStepsPerSecond(int seconds) {
    Peer peer;
    for (int t = 0; t < CONNECT_TRIES && peer.fd < 0; ++t) {
        peer = connectPeer();
        if (peer.fd < 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    Record r;
    if (peer.fd < 0 || !peer.receiveRecord(&r)) return 0.0;
    using Clock      = std::chrono::steady_clock;
    int states       = 0;
    const auto start = Clock::now();
    const auto end   = start + std::chrono::seconds(seconds);
    while (Clock::now() < end && peer.receiveRecord(&r))
        states += recordType(r) == WIRE_STATE && recordSlot(r) == HOST_SLOT;
    return states / std::chrono::duration<double>(Clock::now() - start).count();
}
} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    if (!std::getenv("VORANIS_GAME_DIR") || !std::getenv("DISPLAY")) {
        std::fprintf(stderr, "app_screens_bench needs VORANIS_GAME_DIR and DISPLAY\n");
        return 1;
    }
    char home[] = "/tmp/voranis-screens-bench.XXXXXX";
    if (!mkdtemp(home)) return 1;
    const std::string errors = std::string(home) + "/err.txt";
    for (const char* size : SIZES) {
        const pid_t host = startHost(size, home, errors);
        std::this_thread::sleep_for(std::chrono::seconds(WARM_UP_SECONDS));
        const double peerSteps = peerStepsPerSecond(seconds);
        kill(host, SIGTERM); // the game takes it as a close: it stops its bots and ends
        waitpid(host, nullptr, 0);
        unsigned steps = 0, frames = 0, ms = 0;
        const std::string told = fileText(errors);
        const size_t line      = told.find("voranis: ");
        if (line == std::string::npos ||
            std::sscanf(told.c_str() + line, "voranis: %u steps, %u frames in %u ms", &steps,
                        &frames, &ms) != 3 ||
            ms == 0) {
            std::fprintf(stderr, "%s: the game gave no counts: %s\n", size, told.c_str());
            continue;
        }
        const double gameSteps = steps * 1000.0 / ms, gameFrames = frames * 1000.0 / ms;
        std::printf("%s with 3 bots: %.1f steps/s at a peer, %.1f steps/s and %.1f frames/s "
                    "in the game\n",
                    size, peerSteps, gameSteps, gameFrames);
        std::printf("size=%s peer_steps=%.1f game_steps=%.1f frames=%.1f\n", size, peerSteps,
                    gameSteps, gameFrames);
    }
    std::filesystem::remove_all(home);
    return 0;
}
