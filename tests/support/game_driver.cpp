// Processes and endings; windows by title over Xlib; keys, places and pixels through xdotool
// and ImageMagick's import.
#include "tests/support/game_driver.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "tests/support/test_paths.h"

namespace {
constexpr int POLL_MS = 10, HIGHEST_FD = 1024, CHILD_FAILED = 127, STOP_WAIT_MS = 3000;
using Clock = std::chrono::steady_clock;

Clock::time_point after(int ms) {
    return Clock::now() + std::chrono::milliseconds(ms);
}

// A child that dies with the test, in dir, with env entries set ("NAME=value") or dropped
// ("NAME"), holding no descriptor but keepFd.
pid_t spawn(std::vector<std::string> argv, const std::vector<std::string>& env,
            const std::string& dir, const std::string& out, const std::string& err,
            int keepFd = -1) {
    std::vector<char*> args;
    for (std::string& a : argv)
        args.push_back(a.data());
    args.push_back(nullptr);
    const pid_t tester = getpid(), pid = fork();
    if (pid != 0) return pid;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != tester || (!dir.empty() && chdir(dir.c_str()) != 0)) _exit(CHILD_FAILED);
    for (const std::string& e : env) {
        const std::size_t equals = e.find('=');
        if (equals == e.npos)
            unsetenv(e.c_str());
        else
            setenv(e.substr(0, equals).c_str(), e.c_str() + equals + 1, 1);
    }
    dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644), 1);
    dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644), 2);
    for (int fd = 3; fd < HIGHEST_FD; ++fd)
        if (fd != keepFd) close(fd);
    execvp(args[0], args.data());
    _exit(CHILD_FAILED);
}

int codeOf(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// -1 after killing a child that outlived the limit.
int reap(pid_t pid, int waitMs) {
    int status = 0;
    for (auto end = after(waitMs); waitpid(pid, &status, WNOHANG) == 0;) {
        if (Clock::now() > end) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(POLL_MS));
    }
    return codeOf(status);
}

// The viewable top-level window of that title, or 0.
Window findWindow(Display* d, const std::string& title) {
    Window root, parent, *children = nullptr, found = 0;
    unsigned int count = 0;
    XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count);
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes a;
        Atom type;
        int format;
        unsigned long length, rest;
        unsigned char* name = nullptr;
        if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable &&
            XGetWindowProperty(d, children[i], XInternAtom(d, "_NET_WM_NAME", False), 0,
                               long(title.size()) + 1, False, AnyPropertyType, &type, &format,
                               &length, &rest, &name) == Success &&
            name && std::string(reinterpret_cast<char*>(name), length) == title)
            found = children[i];
        if (name) XFree(name);
    }
    if (children) XFree(children);
    return found;
}

} // namespace

GameDriver::GameDriver(bool withDisplay) {
    char folder[] = "/tmp/voranis-game-XXXXXX";
    folder_       = mkdtemp(folder) ? folder : "/tmp";
    std::filesystem::create_directories(configDir());
    // A window may close between the listing and the look at it: that is no error here.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    int fds[2];
    if (!withDisplay || pipe(fds) != 0) return;
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    // An abstract socket only, private to this network namespace (a socket file in the shared
    // /tmp/.X11-unix is deleted by a server of the same number in another namespace as it
    // ends), and no reset, which reopens the socket when the last client leaves.
    xvfb_ = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "640x480x24",
                   "-nolisten", "tcp", "-nolisten", "unix", "-noreset"},
                  {}, "", "/dev/null", folder_ + "/xvfb.txt", fds[1]);
    close(fds[1]);
    std::string number; // Xvfb writes its number once it takes clients
    pollfd p{fds[0], POLLIN, 0};
    char c = 0;
    while (poll(&p, 1, DRIVER_WAIT_MS) == 1 && read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    display_ = c == '\n' ? ":" + number : "";
    x_       = c == '\n' ? XOpenDisplay(display_.c_str()) : nullptr;
}

GameDriver::~GameDriver() {
    if (running()) reap(game_, 0);
    if (x_) XCloseDisplay(x_);
    if (xvfb_ > 0 && kill(xvfb_, SIGTERM) == 0) reap(xvfb_, STOP_WAIT_MS);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

bool GameDriver::start(const std::vector<std::string>& args, const std::string& workDir,
                       const std::string& program) {
    std::istringstream under(slow_ > 1 ? std::getenv("VORANIS_UNDER") : "");
    std::vector<std::string> argv{std::istream_iterator<std::string>(under), {}};
    argv.push_back(program.empty() ? gameDir() + "/voranis" : program);
    argv.insert(argv.end(), args.begin(), args.end());
    game_ = spawn(
        argv,
        {display_.empty() ? "DISPLAY" : "DISPLAY=" + display_, "LIBGL_ALWAYS_SOFTWARE=1",
         "ALSOFT_DRIVERS=null", "XDG_CONFIG_HOME=" + configDir(), "XDG_DATA_HOME=" + dataDir()},
        workDir.empty() ? gameDir() : workDir, folder_ + "/out.txt", folder_ + "/err.txt");
    return game_ > 0;
}

std::string GameDriver::tool(std::vector<std::string> argv) {
    const std::string out = folder_ + "/tool.txt";
    std::filesystem::remove(out);
    reap(spawn(argv, {"DISPLAY=" + display_}, "", out, "/dev/null"), DRIVER_WAIT_MS);
    return fileText(out);
}

unsigned long GameDriver::window(const std::string& title, int waitMs) {
    Window found = 0;
    for (auto end = after(waitMs * slow_);
         x_ && !(found = findWindow(x_, title)) && running() && Clock::now() < end;)
        std::this_thread::sleep_for(std::chrono::milliseconds(POLL_MS));
    return found;
}

ScreenRect GameDriver::windowRect(unsigned long window) {
    ScreenRect r{0, 0, 0, 0};
    std::sscanf(tool({"xdotool", "getwindowgeometry", "--shell", std::to_string(window)}).c_str(),
                "WINDOW=%*u X=%d Y=%d WIDTH=%d HEIGHT=%d", &r.x, &r.y, &r.w, &r.h);
    return r;
}

void GameDriver::xdo(const std::string& words) {
    tool({"sh", "-c", "exec xdotool " + words});
}

void GameDriver::keys(unsigned long window, const std::string& keys) {
    xdo("windowfocus --sync " + std::to_string(window) + " key " + keys);
}

void GameDriver::click(int x, int y, int count) {
    xdo("mousemove --sync " + std::to_string(x) + " " + std::to_string(y) + " click --repeat " +
        std::to_string(count) + " 1");
}

Picture GameDriver::screenshot(unsigned long window) {
    const std::string shown = window ? std::to_string(window) : "root";
    const std::string ppm   = tool({"import", "-window", shown, "-depth", "8", "ppm:-"});
    Picture pic;
    int header = 0;
    std::sscanf(ppm.c_str(), "P6 %d %d 255%n", &pic.width, &pic.height, &header);
    if (header == 0 || ppm.size() != header + 1 + std::size_t(pic.width) * pic.height * 3)
        return Picture{};
    pic.rgb.assign(ppm.begin() + header + 1, ppm.end());
    return pic;
}

int GameDriver::exitCode(int waitMs) {
    if (!running()) return exitCode_;
    exitCode_ = reap(game_, waitMs * slow_);
    if (exitCode_ == -1) game_ = -1; // killed
    return exitCode_;
}

bool GameDriver::running() {
    int status = 0;
    if (game_ <= 0 || exitCode_ != -1) return false;
    if (waitpid(game_, &status, WNOHANG) == 0) return true;
    exitCode_ = codeOf(status);
    return false;
}
