// A player's machine: Xvfb, the real game, xdotool and screenshots on a display of its own.
#include "tests/e2e/screen.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace {
constexpr int POLL_MS              = 50;
constexpr int DISPLAY_WAIT_MS      = 15000;
constexpr int WINDOW_WAIT_MS       = 30000; // loading the art under llvmpipe on a busy machine
constexpr int XDOTOOL_WAIT_MS      = 10000;
constexpr const char* DIALOG_TITLE = "Voranis NetSetup";
constexpr const char* INFO_TITLE   = "Server Info";
constexpr const char* GAME_TITLE   = "Voranis";
// The address box has the keyboard when the dialog opens; Tab goes on to "FullScreen mode".
constexpr const char* CLEAR_ADDRESS = "key ctrl+a BackSpace";
constexpr const char* WINDOWED      = "key Tab space";

using Clock                = std::chrono::steady_clock;
const Clock::time_point t0 = Clock::now();

// Forks a child that dies with the test, with DISPLAY set and its output in a file.
pid_t spawn(const std::vector<std::string>& argv, const std::string& display,
            const std::string& logFile, const char* dir = nullptr, int keepFd = -1) {
    pid_t tester = getpid();
    pid_t pid    = fork();
    if (pid != 0) return pid;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != tester) _exit(125);
    setpgid(0, 0);
    if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    int out =
        open(logFile.empty() ? "/dev/null" : logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (out >= 0) {
        dup2(out, 1);
        dup2(out, 2);
    }
    for (int fd = 3; fd < 1024; ++fd)
        if (fd != keepFd) close(fd);
    if (dir && chdir(dir) != 0) _exit(126);
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

// Exit status of a child, or -1 after killing it when it outlives the limit.
int reap(pid_t pid, int timeoutMs) {
    int status    = 0;
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (r < 0) return -1;
        if (Clock::now() >= deadline) break;
        napMs(20);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

std::string titleOf(Display* d, Window w) {
    std::string title;
    Atom type;
    int format;
    unsigned long count, rest;
    unsigned char* data = nullptr;
    Atom name           = XInternAtom(d, "_NET_WM_NAME", False);
    Atom utf8           = XInternAtom(d, "UTF8_STRING", False);
    if (XGetWindowProperty(d, w, name, 0, 256, False, utf8, &type, &format, &count, &rest, &data) ==
            Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    char* plain = nullptr;
    if (title.empty() && XFetchName(d, w, &plain) && plain) {
        title = plain;
        XFree(plain);
    }
    return title;
}

// Every viewable top-level window on the display with this title; the display is this
// player's alone, so the title is enough.
unsigned long findWindow(Display* d, const std::string& title) {
    Window root, parent, *children = nullptr;
    unsigned int count  = 0;
    unsigned long found = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes a;
        if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable &&
            titleOf(d, children[i]) == title) {
            found = children[i];
        }
    }
    if (children) XFree(children);
    return found;
}

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}
} // namespace

long testMillis() {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t0).count());
}

void napMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

PlayerScreen::PlayerScreen(std::string shots, std::string name)
    : shots_(std::move(shots)), name_(std::move(name)) {}

PlayerScreen::~PlayerScreen() {
    if (game_ > 0 && exitCode_ == -1) {
        kill(game_, SIGKILL);
        waitpid(game_, nullptr, 0);
    }
    if (displayPipe_ >= 0) close(displayPipe_);
    if (xvfb_ > 0) {
        kill(xvfb_, SIGTERM);
        if (reap(xvfb_, 3000) == -1) waitpid(xvfb_, nullptr, WNOHANG);
    }
}

bool PlayerScreen::launchDisplay() {
    int fds[2];
    if (pipe(fds) != 0) return false;
    // Xvfb picks a free display number itself and says which once it accepts clients.
    xvfb_ = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "640x480x24",
                   "-nolisten", "tcp"},
                  "", shots_ + "/" + name_ + "-xvfb.log", nullptr, fds[1]);
    close(fds[1]);
    displayPipe_ = fds[0];
    return xvfb_ > 0;
}

bool PlayerScreen::awaitDisplay() {
    if (displayPipe_ < 0) return false;
    std::string number;
    pollfd p{displayPipe_, POLLIN, 0};
    auto deadline = Clock::now() + std::chrono::milliseconds(DISPLAY_WAIT_MS);
    while (Clock::now() < deadline && number.find('\n') == std::string::npos) {
        if (poll(&p, 1, POLL_MS) != 1) continue;
        char c[16];
        ssize_t n = read(displayPipe_, c, sizeof c);
        if (n <= 0) break;
        number.append(c, static_cast<size_t>(n));
    }
    close(displayPipe_);
    displayPipe_ = -1;
    if (number.find('\n') == std::string::npos) return false;
    display_ = ":" + number.substr(0, number.find('\n'));
    return true;
}

bool PlayerScreen::startGame() {
    const char* dir = std::getenv("VORANIS_GAME_DIR");
    if (!dir) return false;
    game_ = spawn({"./voranis"}, display_, shots_ + "/" + name_ + "-game.log", dir);
    return game_ > 0;
}

unsigned long PlayerScreen::waitForWindow(const std::string& title, int timeoutMs) {
    Display* d = XOpenDisplay(display_.c_str());
    if (!d) return 0;
    unsigned long found = 0;
    auto deadline       = Clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        found = findWindow(d, title);
        if (!found) napMs(POLL_MS);
    } while (!found && Clock::now() < deadline && running());
    XCloseDisplay(d);
    return found;
}

bool PlayerScreen::answerDialog(bool host, bool windowed) {
    if (game_ <= 0) return false;
    unsigned long dialog = waitForWindow(DIALOG_TITLE, WINDOW_WAIT_MS);
    if (!dialog) return false;
    std::string focus = "windowfocus --sync " + std::to_string(dialog) + " ";
    if (!host) {
        xdo(focus + CLEAR_ADDRESS);
        xdo(focus + "type 127.0.0.1");
    }
    if (windowed) xdo(focus + WINDOWED);
    xdo(focus + (host ? "key Return" : "key Escape"));
    if (!host) return true;
    unsigned long info = waitForWindow(INFO_TITLE, WINDOW_WAIT_MS);
    if (!info) return false;
    xdo("windowfocus --sync " + std::to_string(info) + " key Return");
    return true;
}

bool PlayerScreen::hostGame() {
    if (!answerDialog(true, true)) return false;
    gameWindow_ = waitForWindow(GAME_TITLE, WINDOW_WAIT_MS);
    return gameWindow_ != 0;
}

bool PlayerScreen::joinGame() {
    if (!answerDialog(false, true)) return false;
    gameWindow_ = waitForWindow(GAME_TITLE, WINDOW_WAIT_MS);
    return gameWindow_ != 0;
}

bool PlayerScreen::answerJoin(bool windowed) {
    return answerDialog(false, windowed);
}

void PlayerScreen::xdo(const std::string& args) {
    std::vector<std::string> argv = {"xdotool"};
    if (gameWindow_ && args.rfind("windowfocus", 0) != 0) {
        for (const char* w : {"windowfocus", "--sync"})
            argv.push_back(w);
        argv.push_back(std::to_string(gameWindow_));
    }
    for (std::string& w : words(args))
        argv.push_back(w);
    // "type" takes the rest as text; the address has no spaces, so splitting does no harm.
    pid_t p = spawn(argv, display_, shots_ + "/" + name_ + "-xdotool.log");
    reap(p, XDOTOOL_WAIT_MS);
}

void PlayerScreen::moveMouse(int dx, int dy) {
    xdo("mousemove_relative -- " + std::to_string(dx) + " " + std::to_string(dy));
}

Picture PlayerScreen::grab() const {
    Picture pic;
    Display* d = XOpenDisplay(display_.c_str());
    if (!d) return pic;
    Window root = DefaultRootWindow(d);
    XWindowAttributes a;
    XGetWindowAttributes(d, root, &a);
    XImage* img = XGetImage(d, root, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (img) {
        pic.width  = a.width;
        pic.height = a.height;
        pic.rgb.resize(static_cast<size_t>(a.width) * a.height * 3);
        for (int y = 0; y < a.height; ++y) {
            for (int x = 0; x < a.width; ++x) {
                unsigned long px = XGetPixel(img, x, y);
                uint8_t* out     = &pic.rgb[3 * (static_cast<size_t>(y) * a.width + x)];
                out[0]           = static_cast<uint8_t>((px & img->red_mask) >> 16);
                out[1]           = static_cast<uint8_t>((px & img->green_mask) >> 8);
                out[2]           = static_cast<uint8_t>(px & img->blue_mask);
            }
        }
        XDestroyImage(img);
    }
    XCloseDisplay(d);
    return pic;
}

void PlayerScreen::save(const std::string& label) const {
    Picture pic = grab();
    if (pic.width == 0) return;
    std::string base = shots_ + "/" + name_ + "-" + label;
    {
        std::ofstream out(base + ".ppm", std::ios::binary);
        out << "P6\n" << pic.width << " " << pic.height << "\n255\n";
        out.write(reinterpret_cast<const char*>(pic.rgb.data()),
                  static_cast<std::streamsize>(pic.rgb.size()));
    }
    pid_t p = spawn({"convert", base + ".ppm", base + ".png"}, "", "");
    if (reap(p, XDOTOOL_WAIT_MS) == 0) unlink((base + ".ppm").c_str());
}

int PlayerScreen::waitForExit(int timeoutMs) {
    if (game_ <= 0) return -1;
    if (exitCode_ != -1) return exitCode_;
    exitCode_ = reap(game_, timeoutMs);
    if (exitCode_ == -1) game_ = -1; // killed and reaped
    return exitCode_;
}

bool PlayerScreen::running() {
    if (game_ <= 0 || exitCode_ != -1) return false;
    int status = 0;
    pid_t r    = waitpid(game_, &status, WNOHANG);
    if (r == game_) {
        exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return false;
    }
    return true;
}

std::string PlayerScreen::errors() const {
    std::ifstream in(shots_ + "/" + name_ + "-game.log");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void PlayerScreen::saveStacks() const {
    if (game_ <= 0 || exitCode_ != -1) return;
    pid_t p = spawn({"gdb", "-p", std::to_string(game_), "-batch", "-ex", "thread apply all bt 20"},
                    "", shots_ + "/" + name_ + "-stacks.log");
    reap(p, 30000);
}
