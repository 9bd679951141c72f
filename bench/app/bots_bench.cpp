// What bots cost: the real game hosting in a window with no bots, then with seven, and the
// processor share of the host and of each bot over a stretch of play; then the dedicated
// server's share alone and with seven bots as its peers. Needs VORANIS_GAME_DIR
// (with voranis-bot beside the game) and $DISPLAY; run it in a private network namespace
// (tests/support/in-private-net), as scripts/perf-report does.
//
//   app_bots_bench [SECONDS]
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {
constexpr int WARM_UP_SECONDS = 4; // the window, the assets and the bots' joining settle

// Processor seconds a process has used so far (user and system), from /proc.
double cpuSeconds(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')'); // the name may hold blanks
    if (close == std::string::npos) return 0.0;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long ticks = 0;
    for (int n = 3; fields >> field && n <= 15; ++n) {
        if (n == 14 || n == 15) ticks += std::atol(field.c_str());
    }
    return static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

std::vector<pid_t> childrenOf(pid_t pid) {
    std::ifstream list("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) +
                       "/children");
    std::vector<pid_t> children;
    for (pid_t child; list >> child;)
        children.push_back(child);
    return children;
}

pid_t startHost(int bots, const std::string& home) {
    const std::string game  = std::string(std::getenv("VORANIS_GAME_DIR")) + "/voranis";
    const std::string count = std::to_string(bots);
    pid_t pid               = fork();
    if (pid == 0) {
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", home.c_str(), 1);
        setenv("XDG_DATA_HOME", home.c_str(), 1); // its demos
        execl(game.c_str(), "voranis", "--host", "--window", "--name", "BENCH", "--bots",
              count.c_str(), "--skill", "2", static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

struct Shares {
    double host = 0.0, botMean = 0.0, botMax = 0.0;
    int bots = 0;
};

pid_t startServer(int bots) {
    const std::string server = std::string(std::getenv("VORANIS_GAME_DIR")) + "/voranis-server";
    const std::string count  = std::to_string(bots);
    pid_t pid                = fork();
    if (pid == 0) {
        execl(server.c_str(), "voranis-server", "--quiet", "--bots", count.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

Shares measure(pid_t host, int seconds) {
    std::this_thread::sleep_for(std::chrono::seconds(WARM_UP_SECONDS));
    const std::vector<pid_t> children = childrenOf(host);
    std::vector<double> before;
    for (pid_t c : children)
        before.push_back(cpuSeconds(c));
    const double hostBefore = cpuSeconds(host);
    const auto start        = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    Shares s;
    s.host = 100.0 * (cpuSeconds(host) - hostBefore) / wall;
    for (size_t i = 0; i < children.size(); ++i) {
        const double share = 100.0 * (cpuSeconds(children[i]) - before[i]) / wall;
        s.botMean += share / static_cast<double>(children.size());
        s.botMax = std::max(s.botMax, share);
    }
    s.bots = static_cast<int>(children.size());
    kill(host, SIGTERM); // the game takes it as a close, the server as its stop: bots end too
    waitpid(host, nullptr, 0);
    return s;
}
} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    if (!std::getenv("VORANIS_GAME_DIR") || !std::getenv("DISPLAY")) {
        std::fprintf(stderr, "app_bots_bench needs VORANIS_GAME_DIR and DISPLAY\n");
        return 1;
    }
    char home[] = "/tmp/voranis-bots-bench.XXXXXX";
    if (!mkdtemp(home)) return 1;
    const Shares alone  = measure(startHost(0, home), seconds);
    const Shares seven  = measure(startHost(7, home), seconds);
    const Shares server = measure(startServer(0), seconds);
    const Shares served = measure(startServer(7), seconds);
    std::printf("host alone: %.1f %% of one core\n", alone.host);
    std::printf("host with %d bots: %.1f %% of one core (%+.1f)\n", seven.bots, seven.host,
                seven.host - alone.host);
    std::printf("one bot: mean %.2f %%, most %.2f %% of one core\n", seven.botMean, seven.botMax);
    std::printf("host_alone_pct=%.1f host_bots_pct=%.1f bot_mean_pct=%.2f bot_max_pct=%.2f\n",
                alone.host, seven.host, seven.botMean, seven.botMax);
    std::printf("server alone: %.1f %%, with %d bots: %.1f %% of one core\n", server.host,
                served.bots, served.host);
    std::printf("server_alone_pct=%.1f server_bots_pct=%.1f\n", server.host, served.host);
    std::filesystem::remove_all(home);
    return 0;
}
