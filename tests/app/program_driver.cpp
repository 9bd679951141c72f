// The real program under Xvfb: process, windows, keys and loopback peers.
#include "tests/app/program_driver.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {
constexpr int POLL_MS   = 50;
constexpr int GAME_PORT = 2345;

using Clock = std::chrono::steady_clock;

bool before(Clock::time_point deadline) {
    return Clock::now() < deadline;
}
Clock::time_point after(int ms) {
    return Clock::now() + std::chrono::milliseconds(ms);
}
void napBriefly() {
    std::this_thread::sleep_for(std::chrono::milliseconds(POLL_MS));
}

std::string windowTitle(Display* d, Window w) {
    Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom name = XInternAtom(d, "_NET_WM_NAME", False);
    Atom type;
    int format;
    unsigned long count, rest;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(d, w, name, 0, 256, False, utf8, &type, &format, &count, &rest, &data) ==
            Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return title;
}

long windowPid(Display* d, Window w) {
    Atom pidAtom = XInternAtom(d, "_NET_WM_PID", False);
    Atom type;
    int format;
    unsigned long count, rest;
    unsigned char* data = nullptr;
    long pid            = -1;
    if (XGetWindowProperty(d, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &rest,
                           &data) == Success &&
        data) {
        if (count == 1 && format == 32) pid = *reinterpret_cast<long*>(data);
        XFree(data);
    }
    return pid;
}

// Only the given process's windows count: other tests may show windows of the same title.
unsigned long findWindow(Display* d, const char* title, pid_t owner) {
    Window root, parent, *children = nullptr;
    unsigned int count  = 0;
    unsigned long found = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes a;
        if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable &&
            windowPid(d, children[i]) == owner && windowTitle(d, children[i]) == title) {
            found = children[i];
        }
    }
    if (children) XFree(children);
    return found;
}

sockaddr_in gameAddress() {
    sockaddr_in a{};
    a.sin_family      = AF_INET;
    a.sin_port        = htons(GAME_PORT);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

bool waitReadable(int socket, int timeoutMs) {
    pollfd p{socket, POLLIN, 0};
    return poll(&p, 1, timeoutMs) == 1;
}
} // namespace

int holdKeyboard() {
    std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    for (char& c : display) {
        if (c == '/' || c == ':') c = '_';
    }
    std::string path = "/tmp/voranis-keyboard" + display + ".lock";
    int lock         = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (lock >= 0) flock(lock, LOCK_EX);
    return lock;
}

void releaseKeyboard(int lock) {
    if (lock >= 0) close(lock);
}

pid_t startGame(const char* extraEnv, const char* workDir) {
    const char* dir = std::getenv("VORANIS_GAME_DIR");
    pid_t tester    = getpid();
    pid_t pid       = fork();
    if (pid == 0) {
        // The game goes with the test, even when a time limit kills the test.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != tester) _exit(125);
        if (extraEnv) putenv(const_cast<char*>(extraEnv));
        if (!dir) _exit(126);
        const std::string program = std::string(dir) + "/voranis";
        if (chdir(workDir ? workDir : dir) != 0) _exit(126);
        if (workDir) {
            int errors = open("errors.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (errors >= 0) dup2(errors, 2);
        }
        execl(program.c_str(), "voranis", static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

int waitForExit(pid_t game, int timeoutMs) {
    auto deadline = after(timeoutMs);
    int status    = 0;
    while (before(deadline)) {
        if (waitpid(game, &status, WNOHANG) == game) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        napBriefly();
    }
    kill(game, SIGKILL);
    waitpid(game, &status, 0);
    return -1;
}

unsigned long waitForWindow(const char* title, pid_t owner, int timeoutMs) {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return 0;
    unsigned long found = 0;
    for (auto deadline = after(timeoutMs); !found && before(deadline); napBriefly()) {
        found = findWindow(d, title, owner);
    }
    XCloseDisplay(d);
    return found;
}

bool windowExists(const char* title, pid_t owner) {
    return waitForWindow(title, owner, 0) != 0;
}

void typeInto(unsigned long window, const std::string& xdotoolArgs) {
    std::string focus = "xdotool windowfocus --sync " + std::to_string(window);
    std::string keys  = "xdotool " + xdotoolArgs;
    // Neither result matters here: what the keys did is what the tests look at.
    if (std::system(focus.c_str()) != 0) return;
    if (std::system(keys.c_str()) != 0) return;
}

void closeWindow(unsigned long window) {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return;
    XEvent e{};
    e.xclient.type         = ClientMessage;
    e.xclient.window       = window;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format       = 32;
    e.xclient.data.l[0]    = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1]    = CurrentTime;
    XSendEvent(d, window, False, NoEventMask, &e);
    XFlush(d);
    XCloseDisplay(d);
}

int listenOnGamePort() {
    int s   = socket(AF_INET, SOCK_STREAM, 0);
    int yes = 1;
    setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in a = gameAddress();
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(s, 8) != 0) {
        close(s);
        return -1;
    }
    return s;
}

int acceptWithin(int listener, int timeoutMs) {
    if (!waitReadable(listener, timeoutMs)) return -1;
    return accept(listener, nullptr, nullptr);
}

int connectToGame(int timeoutMs) {
    for (auto deadline = after(timeoutMs); before(deadline); napBriefly()) {
        int s         = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a = gameAddress();
        if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) return s;
        close(s);
    }
    return -1;
}

bool readRecord(int socket, uint8_t out[40], int timeoutMs) {
    size_t got = 0;
    for (auto deadline = after(timeoutMs); got < 40 && before(deadline);) {
        if (!waitReadable(socket, POLL_MS)) continue;
        ssize_t n = recv(socket, out + got, 40 - got, 0);
        if (n <= 0) return false;
        got += static_cast<size_t>(n);
    }
    return got == 40;
}

bool writeRecord(int socket, const uint8_t record[40]) {
    return send(socket, record, 40, MSG_NOSIGNAL) == 40;
}
