// Who this process is on Windows: the login name, its id, and whether its starter lives.
#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"

namespace {
constexpr DWORD NO_PROCESS_ID = 0;

// The starter's id, from the system's list of processes; 0 when it is not found.
DWORD starterId() {
    const DWORD self = GetCurrentProcessId();
    HANDLE list      = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (list == INVALID_HANDLE_VALUE) return NO_PROCESS_ID;
    PROCESSENTRY32 entry{};
    entry.dwSize  = sizeof entry;
    DWORD starter = NO_PROCESS_ID;
    for (BOOL more = Process32First(list, &entry); more; more = Process32Next(list, &entry)) {
        if (entry.th32ProcessID == self) {
            starter = entry.th32ParentProcessID;
            break;
        }
    }
    CloseHandle(list);
    return starter;
}

// The starter, held open from the first question on so its id cannot be reused meanwhile;
// null when it had gone already (or cannot be watched): then, as on Linux, there is no
// starter left to lose.
HANDLE openStarter() {
    const DWORD id = starterId();
    return id == NO_PROCESS_ID ? nullptr : OpenProcess(SYNCHRONIZE, FALSE, id);
}
} // namespace

void platformLoginName(char* name, int size) {
    if (size <= 0) return;
    DWORD length = static_cast<DWORD>(size);
    if (GetUserNameA(name, &length)) return;
    const char* login = std::getenv("USERNAME");
    std::snprintf(name, static_cast<size_t>(size), "%s", login ? login : "");
}

int platformProcessId() {
    return static_cast<int>(GetCurrentProcessId());
}

bool platformStarterGone() {
    static const HANDLE starter = openStarter();
    return starter != nullptr && WaitForSingleObject(starter, 0) == WAIT_OBJECT_0;
}
