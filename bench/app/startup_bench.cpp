// The real program's start-up and memory, on an Xvfb display of its own with only loopback:
// launch to the set-up dialog, then from the "Server Info" box's OK to the first frame (the
// host's first state record reaching a loopback peer), and the resident memory after a few
// seconds of hosting. Needs VORANIS_GAME_DIR, Xvfb and xdotool; run it in a private network
// namespace (tests/support/in-private-net).
//
//   app_startup_bench [RUNS] [SECONDS_HOSTING]
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/game_driver.h"
#include "tests/support/peer.h"

namespace {
using Clock = std::chrono::steady_clock;

constexpr int WAIT_MS = 20000;

struct Run {
    double toDialogMs = 0, toFirstFrameMs = 0, rssMiB = 0, peakMiB = 0;
    int exitCode = -1;
};

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A field of /proc/PID/status in kB, as MiB.
double statusMiB(pid_t pid, const std::string& field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0)
            return std::atof(line.c_str() + field.size() + 1) / 1024;
    }
    return 0;
}

bool isHostState(const Record& r) {
    return recordType(r) == WIRE_STATE && recordSlot(r) == 0;
}

// The host listens once its "Server Info" box is up: a peer connects as soon as it can.
Peer connectWhenListening(int waitMs) {
    const auto start = Clock::now();
    Peer p           = connectPeer();
    while (p.fd < 0 && msSince(start) < waitMs)
        p = connectPeer();
    return p;
}

bool run(Run& out, double hostingSeconds) {
    GameDriver game;
    const auto start           = Clock::now();
    bool ok                    = game.start();
    const unsigned long dialog = ok ? game.window("Voranis NetSetup", WAIT_MS) : 0;
    out.toDialogMs             = msSince(start);
    if (dialog) {
        game.keys(dialog, "Tab space"); // in a window
        game.keys(dialog, "Return");
    }
    const unsigned long info = dialog ? game.window("Server Info", WAIT_MS) : 0;
    Peer peer                = info ? connectWhenListening(WAIT_MS) : Peer{};
    ok                       = peer.fd >= 0;
    Record record{};
    if (ok) {
        game.xdo("windowfocus --sync " + std::to_string(info));
        const auto okPressed = Clock::now();
        game.xdo("key Return");
        while (ok && !isHostState(record))
            ok = peer.receiveRecord(&record, WAIT_MS);
        out.toFirstFrameMs = msSince(okPressed);
    }
    if (ok) {
        const auto hosting = Clock::now();
        while (msSince(hosting) < hostingSeconds * 1000 && peer.receiveRecord(&record, 1000)) {
        }
        out.rssMiB  = statusMiB(game.pid(), "VmRSS");
        out.peakMiB = statusMiB(game.pid(), "VmHWM");
        game.keys(game.window("Voranis", WAIT_MS), "Escape");
    }
    out.exitCode = game.exitCode(ok ? WAIT_MS : 0);
    return ok && out.exitCode == 0;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char** argv) {
    const int runs              = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const double hostingSeconds = argc > 2 ? std::atof(argv[2]) : 3.0;
    signal(SIGPIPE, SIG_IGN);
    std::vector<double> dialog, frame, rss, peak;
    for (int i = 0; i < runs; ++i) {
        Run r;
        if (!run(r, hostingSeconds)) {
            std::printf("run %d failed (exit code %d)\n", i + 1, r.exitCode);
            return 1;
        }
        std::printf("run %d: launch to set-up dialog %.0f ms, OK to first frame %.0f ms, "
                    "resident after %.0f s hosting %.1f MiB (peak %.1f MiB), exit code %d\n",
                    i + 1, r.toDialogMs, r.toFirstFrameMs, hostingSeconds, r.rssMiB, r.peakMiB,
                    r.exitCode);
        dialog.push_back(r.toDialogMs);
        frame.push_back(r.toFirstFrameMs);
        rss.push_back(r.rssMiB);
        peak.push_back(r.peakMiB);
    }
    std::printf("median of %d: launch_to_dialog_ms=%.0f ok_to_first_frame_ms=%.0f rss_mib=%.1f "
                "peak_rss_mib=%.1f\n",
                runs, median(dialog), median(frame), median(rss), median(peak));
    return 0;
}
