// The system's message for GetLastError(), one line, after what the game was doing.
#include "platform/windows/win32_problem.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "platform/platform.h"

void systemProblem(const char* what, char* problem, int problemSize) {
    const DWORD code                 = GetLastError();
    char said[PLATFORM_PROBLEM_SIZE] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                   said, sizeof said, nullptr);
    // The system ends its messages with a line break and often a full stop.
    for (char* c = said; *c; ++c) {
        if (*c == '\r' || *c == '\n') *c = ' ';
    }
    int end = static_cast<int>(std::strlen(said));
    while (end > 0 && (said[end - 1] == ' ' || said[end - 1] == '.'))
        said[--end] = '\0';
    std::snprintf(problem, static_cast<size_t>(problemSize), "%s: %s (error %lu)", what, said,
                  static_cast<unsigned long>(code));
}
