// The platform layer's system services on POSIX: the clock, sleeping, the login name, and
// the programs this one starts and stops. Nothing here needs a screen.
#include <dirent.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/platform.h"

namespace {
constexpr int STOP_WAIT_TRIES        = 50; // a second for a program to end when asked
constexpr uint32_t STOP_WAIT_STEP_MS = 20;
constexpr int PROGRAM_PATH_SIZE      = 4096;
} // namespace

// Milliseconds of the machine's steady clock, which starts before the program does: the
// random seed is taken from it at start-up, so it must differ between runs.
uint32_t platformMilliseconds() {
    using namespace std::chrono;
    auto now = duration_cast<milliseconds>(steady_clock::now().time_since_epoch());
    return static_cast<uint32_t>(now.count());
}

uint64_t platformMicroseconds() {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

void platformSleep(uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void platformLoginName(char* name, int size) {
    if (size <= 0) return;
    const passwd* user = getpwuid(getuid());
    const char* login  = user && user->pw_name ? user->pw_name : std::getenv("USER");
    std::snprintf(name, static_cast<size_t>(size), "%s", login ? login : "");
}

int platformProcessId() {
    return static_cast<int>(getpid());
}

bool platformStarterGone() {
    static const pid_t starter = getppid();
    return getppid() != starter;
}

ProgramHandle platformStartProgram(const char* path, const char* const argv[]) {
    pid_t pid = 0;
    if (posix_spawn(&pid, path, nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0)
        return NO_PROGRAM;
    return static_cast<ProgramHandle>(pid);
}

void platformStopProgram(ProgramHandle program) {
    if (program == NO_PROGRAM) return;
    const pid_t pid = static_cast<pid_t>(program);
    kill(pid, SIGTERM);
    for (int tries = 0; tries < STOP_WAIT_TRIES; ++tries) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        platformSleep(STOP_WAIT_STEP_MS);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// The kernel's link to this program's own file names the folder it lies in.
void platformProgramFolder(char* folder, int size) {
    if (size <= 0) return;
    folder[0] = '\0';
    char path[PROGRAM_PATH_SIZE];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return;
    path[length]    = '\0';
    char* lastSlash = std::strrchr(path, '/');
    if (lastSlash == nullptr) return;
    lastSlash[1] = '\0';
    std::snprintf(folder, static_cast<size_t>(size), "%s", path);
}

int platformFolderNames(const char* folder, const char* end, char* names, int nameSize,
                        int maxNames) {
    DIR* dir = opendir(folder);
    if (!dir) return 0;
    const size_t endLength = std::strlen(end);
    int count              = 0;
    while (count < maxNames) {
        const dirent* entry = readdir(dir);
        if (!entry) break;
        const size_t length = std::strlen(entry->d_name);
        if (length <= endLength || length - endLength >= static_cast<size_t>(nameSize)) continue;
        if (std::strcmp(entry->d_name + length - endLength, end) != 0) continue;
        char* row = names + static_cast<size_t>(count) * static_cast<size_t>(nameSize);
        std::memcpy(row, entry->d_name, length - endLength);
        row[length - endLength] = '\0';
        ++count;
    }
    closedir(dir);
    return count;
}
