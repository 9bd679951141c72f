// The set-up dialog finding a game: from the moment the dialog opens to the game on this
// machine's network showing in its list, and the dialog's processor share while it keeps
// searching. A child process answers discovery as a host does. Needs $DISPLAY; run it in a
// private network namespace (tests/support/in-private-net), as scripts/perf-report does.
//
//   app_dialog_bench [RUNS] [SECONDS_OPEN]
#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Hold_Browser.H>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "app/dialog/fltk/fltk_game_list.h"
#include "app/dialog/fltk/setup_widgets.h"
#include "net/net.h"
#include "net/net_session.h"
#include "platform/platform.h"

namespace {
using Clock = std::chrono::steady_clock;

constexpr int HOST_SERVE_MS = 5;
constexpr int LIST_WAIT_MS  = 5000;

[[noreturn]] void serveDiscovery() {
    static NetSession host;
    char address[NET_ADDRESS_TEXT_SIZE], problem[NET_ENDING_TEXT_SIZE];
    if (!netHostStart(host, NET_PORT, "bench", address, problem)) _exit(1);
    for (;;) {
        netServeDiscovery(host, platformMilliseconds());
        std::this_thread::sleep_for(std::chrono::milliseconds(HOST_SERVE_MS));
    }
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Milliseconds from opening the dialog to the game in its list; -1 when it never shows.
double openAndWait(double keepOpenSeconds, double* cpuShare) {
    SetupDialog dialog = buildSetupDialog(startSetup());
    DiscoveryBrowser browser;
    dialog.window->show();
    const Clock::time_point opened = Clock::now();
    startGameList(static_cast<Fl_Hold_Browser*>(controlById(dialog, ID_GAME_LIST)), browser);
    double foundMs = -1.0;
    char address[GAME_ADDRESS_TEXT_SIZE];
    while (std::chrono::duration<double, std::milli>(Clock::now() - opened).count() <
           LIST_WAIT_MS) {
        Fl::wait(0.001);
        if (gameListAddress(1, address)) {
            foundMs = std::chrono::duration<double, std::milli>(Clock::now() - opened).count();
            break;
        }
    }
    const double cpuBefore       = cpuSeconds();
    const Clock::time_point from = Clock::now();
    while (std::chrono::duration<double>(Clock::now() - from).count() < keepOpenSeconds)
        Fl::wait(keepOpenSeconds);
    const double wall = std::chrono::duration<double>(Clock::now() - from).count();
    *cpuShare         = wall > 0.0 ? 100.0 * (cpuSeconds() - cpuBefore) / wall : 0.0;
    stopGameList(browser);
    delete dialog.window;
    Fl::check();
    return foundMs;
}
} // namespace

int main(int argc, char** argv) {
    const int runs       = argc > 1 ? std::atoi(argv[1]) : 5;
    const double seconds = argc > 2 ? std::atof(argv[2]) : 5.0;
    const pid_t host     = fork();
    if (host == 0) serveDiscovery();
    std::this_thread::sleep_for(std::chrono::milliseconds(200)); // the host opens its port
    std::vector<double> found, shares;
    for (int run = 0; run < runs; ++run) {
        double share = 0.0;
        found.push_back(openAndWait(run == 0 ? seconds : 0.2, &share));
        if (run == 0) shares.push_back(share);
    }
    kill(host, SIGKILL);
    waitpid(host, nullptr, 0);
    std::sort(found.begin(), found.end());
    std::printf("dialog open to game listed: min %.1f  median %.1f  max %.1f ms (%d runs)\n",
                found.front(), found[found.size() / 2], found.back(), runs);
    std::printf("open dialog searching: %.2f %% of one core over %.0f s\n", shares[0], seconds);
    std::printf("listed_median_ms=%.1f listed_max_ms=%.1f dialog_cpu_pct=%.2f\n",
                found[found.size() / 2], found.back(), shares[0]);
    return found.front() < 0.0 ? 1 : 0;
}
