// The programs this one starts and stops on Windows (the bots): a small table of process
// handles, and the command line Windows wants built from the arguments.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "platform/platform.h"

namespace {
constexpr int PROGRAM_TABLE_SIZE  = 16; // more than the bots a game can have
constexpr int COMMAND_LINE_SIZE   = 4096;
constexpr DWORD STOP_WAIT_MS      = 1000;
constexpr UINT STOPPED_EXIT_CODE  = 1;
constexpr const char* PROGRAM_END = ".exe";

HANDLE programs[PROGRAM_TABLE_SIZE];

// Appends one argument as the C runtime splits it again: quoted, with backslashes doubled
// only before a quote. False when the line is full.
bool appendArgument(char* line, size_t& used, const char* argument) {
    auto put = [&](char c) {
        if (used + 1 >= COMMAND_LINE_SIZE) return false;
        line[used++] = c;
        line[used]   = '\0';
        return true;
    };
    if (used > 0 && !put(' ')) return false;
    if (!put('"')) return false;
    size_t backslashes = 0;
    for (const char* p = argument; *p; ++p) {
        if (*p == '\\') {
            ++backslashes;
            continue;
        }
        const size_t copies = *p == '"' ? 2 * backslashes + 1 : backslashes;
        for (size_t i = 0; i < copies; ++i)
            if (!put('\\')) return false;
        backslashes = 0;
        if (!put(*p)) return false;
    }
    for (size_t i = 0; i < 2 * backslashes; ++i)
        if (!put('\\')) return false;
    return put('"');
}
} // namespace

ProgramHandle platformStartProgram(const char* path, const char* const argv[]) {
    // Programs are named as on Linux; Windows wants the file's whole name.
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/') name = p + 1;
    char file[COMMAND_LINE_SIZE];
    const int length =
        std::snprintf(file, sizeof file, "%s%s", path, std::strchr(name, '.') ? "" : PROGRAM_END);
    if (length < 0 || length >= static_cast<int>(sizeof file)) return NO_PROGRAM;
    int slot = 0;
    while (slot < PROGRAM_TABLE_SIZE && programs[slot] != nullptr)
        ++slot;
    if (slot == PROGRAM_TABLE_SIZE) return NO_PROGRAM;
    char line[COMMAND_LINE_SIZE] = "";
    size_t used                  = 0;
    for (int i = 0; argv[i] != nullptr; ++i)
        if (!appendArgument(line, used, argv[i])) return NO_PROGRAM;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    // Not one of our handles (sockets above all) goes to the child; without a console of our
    // own (the game), the child gets none to show either.
    const DWORD flags = GetConsoleWindow() != nullptr ? 0 : CREATE_NO_WINDOW;
    if (!CreateProcessA(file, line, nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup,
                        &started))
        return NO_PROGRAM;
    CloseHandle(started.hThread);
    programs[slot] = started.hProcess;
    return slot;
}

// A bot keeps nothing that needs a goodbye: ending it at once is what SIGTERM does on Linux.
void platformStopProgram(ProgramHandle program) {
    if (program < 0 || program >= PROGRAM_TABLE_SIZE || programs[program] == nullptr) return;
    TerminateProcess(programs[program], STOPPED_EXIT_CODE);
    WaitForSingleObject(programs[program], STOP_WAIT_MS);
    CloseHandle(programs[program]);
    programs[program] = nullptr;
}
